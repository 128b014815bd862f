// The soak's run: the library it starts from, the answers to every question, and the
// invariants after each action.

#include "SoakRun.h"

#include "images/ImageMessages.h"
#include "images/core/StripRules.h"
#include "introductions/EditorContent.h"
#include "introductions/EditorMessages.h"
#include "markers/MarkerMessages.h"
#include "platform/core/TextCodec.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QTimer>

#include <chrono>
#include <iostream>
#include <sstream>

bool StartsWith(std::string_view text, std::string_view head) {
    return text.compare(0, head.size(), head) == 0;
}
bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

namespace {

const std::vector<std::string> kActNames = {
    "StripPress", "Scroll",     "Slider", "Drag",        "Rest",    "DoubleClick", "PanelMenu",
    "StripMenu",  "EditorMenu", "Keys",   "Type",        "Compose", "Save",        "FileMenu",
    "Search",     "ListClick",  "Help",   "CloseReopen", "ReadOnly"};
std::string SoakActName(SoakAct act) {
    return kActNames[static_cast<std::size_t>(act)];
}

} // namespace

SoakRun::SoakRun(const SoakOptions& options) : options_(options) {
    QApplication::clipboard()->clear();
    w_.AddPicture("背部.jpg", QSize(500, 420),
                  {{"120！90！肺俞！", "肺俞在第三胸椎下"}, {"300！300！肾俞！", ""}});
    w_.AddPicture("头部.png", QSize(300, 280), {});
    // Its size file is missing: the first showing repairs it.
    w_.AddPicture("手部.png", QSize(160, 120), {{"40！50！合谷！", "合谷"}});
    DeleteFile(MarkerFilePath(w_.services.folder, "手部.png", kSizeFileName));
    MakeSources();
    w_.main.reset();
    w_.Open(AssembledWindow::HoverTimer::Ticked);
    SetUpWindow();
    w_.prompts.decide = [this](const ShownBox& box) { return OnQuestion(box); };
    tree_ = ReadTree(w_.folder.path());
    NoteMarkers(tree_, everMarkers_);
    config_ = ReadWholeFile(w_.services.folder.ConfigFile());
}

void SoakRun::MakeSources() {
    sources_ = w_.folder.path() / u8"来源";
    exports_ = w_.folder.path() / u8"导出";
    fs::create_directories(sources_);
    fs::create_directories(exports_);
    auto picture = [&](const char* name, QSize size, const char* format) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkCyan);
        image.save(Q(PathToUtf8(sources_ / PathFromUtf8(name))), format);
    };
    picture("手臂.png", QSize(200, 150), "PNG");
    picture("足部.jpg", QSize(250, 200), "JPG");
    picture("腹部.bmp", QSize(300, 240), "BMP");
    picture("人体.png", QSize(100, 100), "PNG");
    picture("巨图.png", QSize(3001, 2), "PNG");
    WriteWholeFile(sources_ / u8"坏图.jpg", "not a picture at all");
    WriteWholeFile(sources_ / u8"坏.vorn", "\x01\x02junk<vorn>");
    WriteWholeFile(sources_ / u8"短.txt", EncodeGbk("足三里在膝下三寸\r\n第二行"));
    WriteWholeFile(sources_ / u8"满.txt", std::string(10000, 'a'));
    WriteWholeFile(sources_ / u8"超.txt", std::string(10001, 'a'));
    WriteWholeFile(sources_ / u8"零.txt", std::string("ab\0cd", 5));
}

void SoakRun::SetUpWindow() {
    QObject::connect(Main().按钮保存编辑框内容, &QAbstractButton::pressed,
                     Main().按钮保存编辑框内容, [this] { OnSavePressed(); });
    owner_.reset();
}

std::string SoakRun::EditorBytes() {
    return EncodeIntroduction(ReadEditorContent(*Main().超级编辑框1)).bytes;
}

// Every question is answered at random; what the answer asks of the files is noted.
Answer SoakRun::OnQuestion(const ShownBox& box) {
    AppState& s = w_.state;
    Answer answer = Answer::Ok;
    if (box.buttons == Buttons::OkCancel) {
        const bool deletesImage = StartsWith(box.text, kDeleteImageQuestionHead);
        answer = Chance(deletesImage ? 0.3 : 0.6) ? Answer::Ok : Answer::Cancel;
    }
    const bool ok = answer == Answer::Ok;
    const std::string edited = MarkerKey(s.editedImage, s.editedMarker);
    if (StartsWith(box.text, kSaveQuestion)) {
        if (box.text.substr(kSaveQuestion.size()) != s.editedMarker && problem_.empty()) {
            problem_ = "the save question names another marker than the one it saves: " + box.text;
        }
        if (ok) {
            expected_.saves[edited] = EditorBytes();
        }
    } else if (box.text == kCloseQuestion && ok) {
        expected_.saves[edited] = EditorBytes();
    } else if (EndsWith(box.text, kDeleteMarkerQuestionTail) && ok) {
        const std::string record =
            box.text.substr(0, box.text.size() - kDeleteMarkerQuestionTail.size());
        expected_.deletedMarkers.insert(MarkerKey(s.currentImage, record));
    } else if (StartsWith(box.text, kDeleteImageQuestionHead) &&
               EndsWith(box.text, kDeleteImageQuestionTail) && ok) {
        expected_.deletedImages.insert(box.text.substr(
            kDeleteImageQuestionHead.size(),
            box.text.size() - kDeleteImageQuestionHead.size() - kDeleteImageQuestionTail.size()));
    } else if (StartsWith(box.text, kScaleOfferHead) && ok) {
        expected_.addedImageScaled = true;
    } else if (box.text == kSaveFailed) {
        expected_.saveFailed = true;
    } else if (box.text == kSizeRepaired) {
        expected_.sizeRepaired = true;
    }
    Say(" [" + box.text.substr(0, 60) +
        (box.buttons == Buttons::OkCancel ? (ok ? " → OK" : " → Cancel") : "") + "]");
    // While the box is open its loop runs the window's timers.
    if (Chance(0.3)) {
        HoverTick();
    }
    return answer;
}

// 保存 pressed: with a change pending, the click that follows must store the editor's bytes.
void SoakRun::OnSavePressed() {
    const AppState& s = w_.state;
    if (s.introChanged == 1 && !s.editedMarker.empty()) {
        expected_.saves[MarkerKey(s.editedImage, s.editedMarker)] = EditorBytes();
    }
}

void SoakRun::HoverTick() {
    if (w_.main) {
        w_.TickHoverTimer();
    }
}

std::string SoakRun::Step(std::size_t index, const SoakAction& action) {
    r_.seed(action.seed);
    note_ = "#";
    note_.append(std::to_string(index)).append(" ").append(SoakActName(action.act)).append(":");
    expected_ = {};
    problem_.clear();
    loadedMarker_.reset();
    addedRecord_.reset();
    configMayChange_ = false;
    boxesBefore_ = w_.prompts.boxes.size();
    if (options_.printEachAction) {
        std::cerr << note_ << " seed " << action.seed << std::endl;
    }
    longestInputMs_.reset();
    QElapsedTimer clock;
    clock.start();
    Run(action);
    QApplication::processEvents();
    // A scroll runs to its end within the action: its ticks never depend on the wall clock.
    for (int i = 0; i < 1000 && Main().时钟画板列表条->isActive(); ++i) {
        AssembledWindow::Tick(Main().时钟画板列表条);
    }
    const qint64 elapsed = longestInputMs_.value_or(clock.elapsed());
    if (options_.printEachAction) {
        std::cerr << "  " << note_ << std::endl;
    }
    w_.prompts.answers.clear();
    w_.prompts.inputs.clear();
    w_.prompts.files.clear();
    w_.prompts.menuChoices.clear();
    if (elapsed > slowestMs) {
        slowestMs = elapsed;
        slowest = note_;
    }
    if (elapsed > options_.actionTimeLimitMs) {
        return std::string(longestInputMs_ ? "a key of the typing" : "the action") + " took " +
               std::to_string(elapsed) + " ms";
    }
    return problem_.empty() ? Check() : problem_;
}

std::string SoakRun::Check() {
    const AppState& s = w_.state;
    expected_.readOnly = readOnly_;
    if (!ListFolder(w_.services.folder.Staging(), EntryKind::Files).empty()) {
        return "a temporary file stayed in the staging folder";
    }
    Tree tree = ReadTree(w_.folder.path());
    if (std::string broken = CheckTree(tree_, tree, expected_, everMarkers_); !broken.empty()) {
        return broken;
    }
    if (const std::optional<std::string> to = RenamedTo(tree_, tree, expected_)) {
        // The editor belongs to the marker wherever it went.
        if (owner_ && MarkerKey(owner_->first, owner_->second) == *expected_.renamedFrom) {
            owner_->second = to->substr(to->rfind('/') + 1);
        }
    }
    auto shown = [&](const std::string& head) {
        for (std::size_t i = boxesBefore_; i < w_.prompts.boxes.size(); ++i) {
            if (StartsWith(w_.prompts.boxes[i].text, head)) {
                return true;
            }
        }
        return false;
    };
    if (expected_.addedMarker) {
        if (tree.count(*expected_.addedMarker) == 0 && !shown(kAddMarkerFailed)) {
            return "a named marker was neither added nor refused: " + *expected_.addedMarker;
        }
        if (tree.count(*expected_.addedMarker) != 0 && tree_.count(*expected_.addedMarker) == 0 &&
            !expected_.saveFailed) {
            owner_ = addedRecord_;
            if (!EditorText().empty()) {
                return "a new marker's introduction does not start empty";
            }
        }
    }
    const std::string config = ReadWholeFile(w_.services.folder.ConfigFile());
    if (config != config_ && !configMayChange_) {
        return "peizhi.ini changed without 保存 or 恢复出厂配置";
    }
    const std::string text = EditorText();
    const std::string edited = MarkerKey(s.editedImage, s.editedMarker);
    if (loadedMarker_ && Main().超级编辑框1->isEnabled()) {
        const auto file = tree.find(*loadedMarker_);
        if (text != (file == tree.end() ? "" : PlainText(file->second))) {
            return "a double-click did not load the marker's introduction: " + *loadedMarker_;
        }
    }
    if (!text.empty() && (!owner_ || MarkerKey(owner_->first, owner_->second) != edited)) {
        return "the editor holds the text of " +
               (owner_ ? MarkerKey(owner_->first, owner_->second) : std::string("nothing")) +
               " while a save writes " + edited;
    }
    const std::string label = Main().标签编辑框穴位名称提示->text().toStdString();
    if (!label.empty() && !EndsWith(label, kKept) &&
        label != s.editedImage + "：" + s.editedMarker) {
        return "the label names " + label + " while a save writes " + edited;
    }
    if (s.introChanged == 0 && Main().超级编辑框1->isEnabled() && !s.editedMarker.empty()) {
        const auto file = tree.find(edited);
        if (file != tree.end() && PlainText(file->second) != text) {
            return "nothing is pending, yet the editor differs from the stored " + edited;
        }
    }
    tree_ = std::move(tree);
    NoteMarkers(tree_, everMarkers_);
    config_ = config;
    return {};
}

std::string FormatSoakActions(const std::vector<SoakAction>& actions) {
    std::string text;
    for (const SoakAction& action : actions) {
        if (!text.empty()) {
            text += ' ';
        }
        text.append(SoakActName(action.act)).append(":").append(std::to_string(action.seed));
    }
    return text;
}

std::vector<SoakAction> ParseSoakActions(const std::string& text) {
    std::vector<SoakAction> actions;
    std::istringstream words(text);
    for (std::string word; words >> word;) {
        const std::size_t colon = word.find(':');
        const auto name = std::find(kActNames.begin(), kActNames.end(), word.substr(0, colon));
        if (colon == std::string::npos || name == kActNames.end()) {
            continue;
        }
        actions.push_back({static_cast<SoakAct>(name - kActNames.begin()),
                           static_cast<std::uint32_t>(std::stoul(word.substr(colon + 1)))});
    }
    return actions;
}

std::vector<SoakAction> MakeSoakActions(std::uint64_t seed, std::size_t count) {
    // How often a user does each, roughly.
    static const std::vector<std::pair<SoakAct, int>> weights = {
        {SoakAct::StripPress, 6}, {SoakAct::Scroll, 2},    {SoakAct::Slider, 4},
        {SoakAct::Drag, 4},       {SoakAct::Rest, 10},     {SoakAct::DoubleClick, 10},
        {SoakAct::PanelMenu, 6},  {SoakAct::StripMenu, 1}, {SoakAct::EditorMenu, 6},
        {SoakAct::Keys, 14},      {SoakAct::Type, 10},     {SoakAct::Compose, 6},
        {SoakAct::Save, 6},       {SoakAct::FileMenu, 5},  {SoakAct::Search, 3},
        {SoakAct::ListClick, 3},  {SoakAct::Help, 1},      {SoakAct::CloseReopen, 2},
        {SoakAct::ReadOnly, 1},
    };
    std::vector<int> w;
    for (const auto& [act, weight] : weights) {
        w.push_back(weight);
    }
    std::mt19937_64 rng(seed);
    std::discrete_distribution<int> pick(w.begin(), w.end());
    std::vector<SoakAction> actions;
    actions.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const SoakAct act = weights[static_cast<std::size_t>(pick(rng))].first;
        actions.push_back({act, static_cast<std::uint32_t>(rng())});
    }
    return actions;
}

std::optional<SoakFailure> RunSoak(const std::vector<SoakAction>& actions,
                                   const SoakOptions& options) {
    SoakRun soak(options);
    SoakFailure failure;
    QElapsedTimer clock;
    clock.start();
    for (std::size_t i = 0; i < actions.size(); ++i) {
        const std::string broken = soak.Step(i, actions[i]);
        failure.trace.push_back(soak.Note());
        if (!broken.empty()) {
            failure.action = i;
            failure.what = broken;
            return failure;
        }
        if (options.printProgress && (i + 1) % 10000 == 0) {
            std::cout << "soak: " << i + 1 << " actions in " << clock.elapsed() / 1000 << " s"
                      << std::endl;
        }
    }
    if (options.printProgress) {
        std::cout << "soak: slowest action " << soak.slowestMs << " ms: " << soak.slowest
                  << std::endl;
    }
    return std::nullopt;
}

std::vector<SoakAction> ShrinkSoak(std::vector<SoakAction> actions, double budgetSeconds) {
    const auto start = std::chrono::steady_clock::now();
    auto inBudget = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count() <
               budgetSeconds;
    };
    std::optional<SoakFailure> failure = RunSoak(actions);
    if (!failure) {
        return actions;
    }
    // The same invariant must break, not just any.
    const std::string kind = failure->what.substr(0, failure->what.find(':'));
    actions.resize(failure->action + 1);
    auto stillFails = [&](std::vector<SoakAction>& candidate) {
        const std::optional<SoakFailure> f = RunSoak(candidate);
        if (!f || f->what.substr(0, f->what.find(':')) != kind) {
            return false;
        }
        candidate.resize(f->action + 1);
        return true;
    };
    // Most faults need only the last few actions: the shortest tail that fails on its own.
    for (std::size_t tail = 4; tail < actions.size() && inBudget(); tail *= 2) {
        std::vector<SoakAction> candidate(actions.end() - static_cast<std::ptrdiff_t>(tail),
                                          actions.end());
        if (stillFails(candidate)) {
            actions = std::move(candidate);
            break;
        }
    }
    // Then leaves out ever smaller runs of actions, from the first on.
    for (std::size_t chunk = std::max<std::size_t>(actions.size() / 2, 1); inBudget(); chunk /= 2) {
        for (std::size_t at = 0; at < actions.size() && inBudget();) {
            std::vector<SoakAction> candidate(actions.begin(), actions.begin() + at);
            candidate.insert(candidate.end(),
                             actions.begin() + std::min(at + chunk, actions.size()), actions.end());
            if (!candidate.empty() && stillFails(candidate)) {
                actions = std::move(candidate);
            } else {
                at += chunk;
            }
        }
        if (chunk == 1) {
            break;
        }
    }
    return actions;
}
