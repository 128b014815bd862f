// The soak's actions on the assembled main window, and its invariants after each of them.
//
// Timers: the hover timer is stopped and ticked by the actions themselves (a resting mouse, and
// during every question, as its 600 ms period would tick in the box's own loop), and a strip
// scroll runs its ticks to the end inside the action. With no tick left to the wall clock, a
// seed replays the same way on every run.

#include "SoakDriver.h"

#include "AssembledWindow.h"
#include "SoakModel.h"
#include "app/StyleWindows.h"
#include "introductions/EditorContent.h"
#include "platform/core/TextCodec.h"
#include "platform/qt/Controls.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSlider>
#include <QTimer>
#include <QTreeWidget>

#include <chrono>
#include <iostream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;
using namespace penrica;

namespace {

const std::string kSaveQuestion = "穴位说明文本内容已被改变，是否保存？";
const std::string kCloseQuestion = "穴位说明文本已被改变，是否保存";
const std::string kDeleteMarkerTail = "确定删除吗 ？同时将穴位介绍一块删除";
const std::string kDeleteImageHead = "您将要删除：";
const std::string kDeleteImageTail =
    " 以及此图片下面所有的穴位介绍，删除后不可恢复，确定要删除吗？";
const std::string kKept = "（保留）";

const std::vector<std::string> kTexts = {
    "足三里",
    "在膝下三寸",
    "abc",
    " ",
    "穴位介绍",
    "😀",
    "𠀀字",
    "甲乙丙丁",
    "\t",
    "Ωé",
    "一二三四五六七八九十",
    std::string(600, 'x'),
};
const std::vector<std::string> kNames = {"新穴", "合 谷",  "a！b", "x/y",   "",    "😀穴",
                                         "印堂", "穴位一", "..",   "名:字", "新穴"};
const std::vector<std::string> kSearches = {"穴", "印", "合谷", "新", "！", "a", "😀", "不存在", ""};
const std::vector<const char*> kFileEntries = {
    "添加图片",     "穴位介绍文本另存为", "打开穴位介绍五彩文本",
    "打开普通文本", "配置快捷字符格式",   "恢复出厂配置"};
const std::vector<const char*> kHelpEntries = {
    "添加穴位图片", "在图片上添加穴位标志", "显示标志穴位介绍", "将穴位介绍改变五彩文字", "版本"};
const std::vector<const char*> kEditorEntries = {
    "改变选中字体", "粘贴", "复制", "全选", "字符格式1", "字符格式2", "字符格式3", "字符格式4", ""};
const char* kStripEntry = "是否要删除此图片以及此图片下面所有的标注穴位介绍";

struct KeyStroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* name;
};
const std::vector<KeyStroke> kKeys = {
    {Qt::Key_Return, {}, "Return"},
    {Qt::Key_Enter, Qt::KeypadModifier, "Enter"},
    {Qt::Key_Escape, {}, "Escape"},
    {Qt::Key_Backspace, {}, "Backspace"},
    {Qt::Key_Delete, {}, "Delete"},
    {Qt::Key_Tab, {}, "Tab"},
    {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
    {Qt::Key_Space, {}, "Space"},
    {Qt::Key_Left, {}, "Left"},
    {Qt::Key_Right, {}, "Right"},
    {Qt::Key_Up, {}, "Up"},
    {Qt::Key_Down, {}, "Down"},
    {Qt::Key_Home, {}, "Home"},
    {Qt::Key_End, Qt::ShiftModifier, "Shift+End"},
    {Qt::Key_PageUp, {}, "PageUp"},
    {Qt::Key_Left, Qt::ShiftModifier, "Shift+Left"},
    {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
    {Qt::Key_Z, Qt::ControlModifier, "Ctrl+Z"},
    {Qt::Key_Y, Qt::ControlModifier, "Ctrl+Y"},
    {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier, "Ctrl+Shift+Z"},
    {Qt::Key_A, Qt::ControlModifier, "Ctrl+A"},
    {Qt::Key_C, Qt::ControlModifier, "Ctrl+C"},
    {Qt::Key_X, Qt::ControlModifier, "Ctrl+X"},
    {Qt::Key_V, Qt::ControlModifier, "Ctrl+V"},
    {Qt::Key_F4, Qt::AltModifier, "Alt+F4"},
};

std::string SoakActName(SoakAct act);

bool StartsWith(const std::string& text, const std::string& head) {
    return text.compare(0, head.size(), head) == 0;
}
bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// Sends each character (a whole surrogate pair at once) as a key carrying its text.
void TypeText(QWidget* target, const QString& text) {
    for (int i = 0; i < text.size(); ++i) {
        const int length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString unit = text.mid(i, length);
        QTest::sendKeyEvent(QTest::Press, target, Qt::Key_unknown, unit, {});
        QTest::sendKeyEvent(QTest::Release, target, Qt::Key_unknown, unit, {});
        i += length - 1;
    }
}

void Move(QWidget* widget, QPoint p, Qt::MouseButtons held) {
    QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(widget->mapToGlobal(p)), Qt::NoButton,
                     held, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

std::string Describe(QPoint p) {
    return QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y()).toStdString();
}

class Soak {
public:
    explicit Soak(const SoakOptions& options);
    std::string Step(std::size_t index, const SoakAction& action);
    const std::string& Note() const { return note_; }
    // The longest an action took, and what it was.
    qint64 slowestMs = 0;
    std::string slowest;

private:
    // The world.
    void MakeSources();
    void SetUpWindow();
    MainWindow& Main() { return *w_.main; }

    // Randomness of the running action.
    int Pick(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(r_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(r_); }
    template <typename T> const T& OneOf(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Pick(static_cast<int>(items.size())))];
    }

    // What the user sees and does.
    void Say(const std::string& text) { note_ += text; }
    std::string EditorText() { return w_.EditorText(); }
    std::string EditorBytes();
    Answer OnQuestion(const ShownBox& box);
    void OnSavePressed();
    void HoverTick();
    QPoint PanelPoint(bool onMarker);
    void MoveTo(QPoint p);
    bool PanelShown() { return Main().画板1->width() > 0 && Main().画板1->height() > 0; }
    void PressKeys(int count);
    void ReplaceText(QLineEdit* box, const std::string& text);
    void PlayFontStyleWindow();
    void PlayQuickFormatWindow();
    void Run(const SoakAction& action);

    void StripPress();
    void Scroll();
    void Slider();
    void Drag();
    void Rest();
    void DoubleClick();
    void PanelMenu();
    void StripMenu();
    void EditorMenu();
    void Keys();
    void Type();
    void Save();
    void FileMenu();
    void Search();
    void ListClick();
    void Help();
    void CloseReopen();
    void ReadOnly();

    // The invariants after an action.
    std::string Check();

    SoakOptions options_;
    AssembledWindow w_;
    fs::path sources_;
    fs::path exports_;

    std::mt19937 r_;
    std::string note_;
    Expectations expected_;
    std::string problem_; // seen while the action ran
    std::optional<std::string> loadedMarker_;
    std::optional<std::pair<std::string, std::string>> addedRecord_; // image, record
    bool configMayChange_ = false;
    std::size_t boxesBefore_ = 0;

    Tree tree_;
    std::set<std::string> everMarkers_;
    std::string config_;
    std::optional<std::pair<std::string, std::string>> owner_; // whose text the editor holds
    std::set<std::string> readOnly_; // keys of the files and folders made read-only
};

Soak::Soak(const SoakOptions& options) : options_(options) {
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

void Soak::MakeSources() {
    sources_ = w_.folder.path() / "来源";
    exports_ = w_.folder.path() / "导出";
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
    WriteWholeFile(sources_ / "坏图.jpg", "not a picture at all");
    WriteWholeFile(sources_ / "坏.vorn", "\x01\x02junk<vorn>");
    WriteWholeFile(sources_ / "短.txt", EncodeGbk("足三里在膝下三寸\r\n第二行"));
    WriteWholeFile(sources_ / "满.txt", std::string(10000, 'a'));
    WriteWholeFile(sources_ / "超.txt", std::string(10001, 'a'));
    WriteWholeFile(sources_ / "零.txt", std::string("ab\0cd", 5));
}

void Soak::SetUpWindow() {
    QObject::connect(Main().按钮保存编辑框内容, &QAbstractButton::pressed,
                     Main().按钮保存编辑框内容, [this] { OnSavePressed(); });
    owner_.reset();
}

std::string Soak::EditorBytes() {
    return EncodeIntroduction(ReadEditorContent(*Main().超级编辑框1)).bytes;
}

// Every question is answered at random; what the answer asks of the files is noted.
Answer Soak::OnQuestion(const ShownBox& box) {
    AppState& s = w_.state;
    Answer answer = Answer::Ok;
    if (box.buttons == Buttons::OkCancel) {
        const bool deletesImage = StartsWith(box.text, kDeleteImageHead);
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
    } else if (EndsWith(box.text, kDeleteMarkerTail) && ok) {
        const std::string record = box.text.substr(0, box.text.size() - kDeleteMarkerTail.size());
        expected_.deletedMarkers.insert(MarkerKey(s.currentImage, record));
    } else if (StartsWith(box.text, kDeleteImageHead) && EndsWith(box.text, kDeleteImageTail) &&
               ok) {
        expected_.deletedImages.insert(
            box.text.substr(kDeleteImageHead.size(),
                            box.text.size() - kDeleteImageHead.size() - kDeleteImageTail.size()));
    } else if (box.text == "保存失败") {
        expected_.saveFailed = true;
    } else if (box.text == "软件出现一个小错误，已经自动修复") {
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
void Soak::OnSavePressed() {
    const AppState& s = w_.state;
    if (s.introChanged == 1 && !s.editedMarker.empty()) {
        expected_.saves[MarkerKey(s.editedImage, s.editedMarker)] = EditorBytes();
    }
}

void Soak::HoverTick() {
    if (w_.main) {
        w_.TickHoverTimer();
    }
}

QPoint Soak::PanelPoint(bool onMarker) {
    std::vector<MarkerRecord> markers;
    for (const std::string& record : w_.state.markerFiles) {
        if (auto marker = ParseRecord(record); marker && marker->x > 0) {
            markers.push_back(*marker);
        }
    }
    if (onMarker && !markers.empty()) {
        const MarkerRecord& m = OneOf(markers);
        return QPoint(m.x + Pick(23) - 11, m.y + Pick(23) - 11);
    }
    const QSize size = Main().画板1->size();
    return QPoint(Pick(size.width()), Pick(size.height()));
}

void Soak::MoveTo(QPoint p) {
    const int steps = 1 + Pick(3);
    for (int i = 0; i < steps; ++i) {
        Move(Main().画板1, i + 1 == steps ? p : PanelPoint(false), Qt::NoButton);
    }
    Say(" move " + Describe(p));
}

void Soak::StripPress() {
    const int x = Pick(Main().画板列表条->width() + 20);
    QTest::mousePress(Main().画板列表条, Qt::LeftButton, {}, QPoint(x, 20));
    QTest::mouseRelease(Main().画板列表条, Qt::LeftButton, {}, QPoint(x, 20));
    Say(" x=" + std::to_string(x) + " → " + w_.state.currentImage);
}

void Soak::Scroll() {
    const bool left = Chance(0.5);
    w_.Click(left ? Main().图形按钮1 : static_cast<QWidget*>(Main().图形按钮2));
    Say(left ? " 图形按钮1" : " 图形按钮2");
}

void Soak::Slider() {
    static const std::vector<KeyStroke> keys = {
        {Qt::Key_Up, {}, "Up"},         {Qt::Key_Down, {}, "Down"},
        {Qt::Key_PageUp, {}, "PageUp"}, {Qt::Key_PageDown, {}, "PageDown"},
        {Qt::Key_Home, {}, "Home"},     {Qt::Key_End, {}, "End"}};
    QSlider* slider = Main().滑块条1;
    if (Chance(0.2)) {
        const QPoint p(Pick(slider->width()), slider->height() / 2);
        QTest::mouseClick(slider, Qt::LeftButton, {}, p);
        Say(" click " + Describe(p));
    } else {
        const KeyStroke& k = OneOf(keys);
        QTest::keyClick(slider, k.key, k.modifiers);
        Say(std::string(" ") + k.name);
    }
    Say(" → " + std::to_string(slider->value()));
}

void Soak::Drag() {
    if (!PanelShown()) {
        return Say(" (no image)");
    }
    QPoint p = PanelPoint(false);
    MoveTo(p);
    QTest::mousePress(Main().画板1, Qt::LeftButton, {}, p);
    const int moves = 1 + Pick(4);
    for (int i = 0; i < moves; ++i) {
        p += QPoint(Pick(121) - 60, Pick(121) - 60);
        Move(Main().画板1, p, Qt::LeftButton);
    }
    if (Chance(0.3)) {
        QTest::mouseRelease(Main().controlArea, Qt::LeftButton, {}, QPoint(700, 600));
        Say(" release on the window");
    } else {
        QTest::mouseRelease(Main().画板1, Qt::LeftButton, {}, p);
    }
    Say(" drag to " + Describe(p));
}

void Soak::Rest() {
    if (!PanelShown()) {
        return Say(" (no image)");
    }
    MoveTo(PanelPoint(Chance(0.7)));
    const int ticks = Chance(0.85) ? 1 + Pick(2) : 0;
    for (int i = 0; i < ticks; ++i) {
        HoverTick();
    }
    Say(" ticks " + std::to_string(ticks) + " → [" + w_.state.acupointUnderMouse + "]");
}

void Soak::DoubleClick() {
    if (!PanelShown()) {
        return Say(" (no image)");
    }
    const QPoint p = PanelPoint(Chance(0.75));
    MoveTo(p);
    const int ticks = Chance(0.7) ? 1 + Pick(2) : 0;
    for (int i = 0; i < ticks; ++i) {
        HoverTick();
    }
    const std::string underMouse = w_.state.acupointUnderMouse;
    const std::string image = w_.state.currentImage;
    Say(" ticks " + std::to_string(ticks) + " under [" + underMouse + "] on " + image);
    QTest::mouseDClick(Main().画板1, Qt::LeftButton, {}, p);
    // Only a marker of the image on show opens, and never the size file.
    const std::string key = MarkerKey(image, underMouse);
    if (!underMouse.empty() && underMouse != kSizeFileName && tree_.count(key) != 0 &&
        !expected_.saveFailed) {
        owner_ = {image, underMouse};
        loadedMarker_ = key;
    }
}

void Soak::PanelMenu() {
    if (!PanelShown()) {
        return Say(" (no image)");
    }
    const QPoint p = PanelPoint(Chance(0.5));
    MoveTo(p);
    if (Chance(0.8)) {
        HoverTick();
    }
    static const std::vector<std::string> entries = {"在此添加穴位标志", "在此添加穴位标志",
                                                     "删除此穴位标志", "不操作", ""};
    const std::string entry = OneOf(entries);
    const std::string name = OneOf(kNames);
    w_.prompts.menuChoices = {entry};
    w_.prompts.inputs = {name};
    const std::size_t menus = w_.prompts.menus.size();
    Say(" under [" + w_.state.acupointUnderMouse + "] choose [" + entry + "] name [" + name + "]");
    const bool addOffered = w_.state.acupointUnderMouse.empty();
    QTest::mousePress(Main().画板1, Qt::RightButton, {}, p);
    QTest::mouseRelease(Main().画板1, Qt::RightButton, {}, p);
    if (w_.prompts.menus.size() > menus && entry == "在此添加穴位标志" && addOffered &&
        !name.empty()) {
        const std::string record = MakeRecord(p.x(), p.y(), name);
        expected_.addedMarker = MarkerKey(w_.state.currentImage, record);
        addedRecord_ = {w_.state.currentImage, record};
    }
}

void Soak::StripMenu() {
    const int x = Pick(Main().画板列表条->width() + 20);
    w_.prompts.menuChoices = {Chance(0.5) ? kStripEntry : ""};
    Say(" x=" + std::to_string(x) + " [" + w_.prompts.menuChoices.front() + "]");
    QTest::mousePress(Main().画板列表条, Qt::RightButton, {}, QPoint(x, 20));
    QTest::mouseRelease(Main().画板列表条, Qt::RightButton, {}, QPoint(x, 20));
}

void Soak::EditorMenu() {
    const std::string entry = OneOf(kEditorEntries);
    w_.prompts.menuChoices = {entry};
    if (entry == "改变选中字体") {
        PlayFontStyleWindow();
    }
    QWidget* viewport = Main().超级编辑框1->viewport();
    const QPoint p(Pick(viewport->width()), Pick(viewport->height()));
    Say(" [" + entry + "]");
    QTest::mousePress(viewport, Qt::RightButton, {}, p);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, p);
}

// Keys go where the keyboard sends them: to the focused control of the main window.
void Soak::PressKeys(int count) {
    for (int i = 0; i < count; ++i) {
        QWidget* focus = Main().focusWidget() ? Main().focusWidget() : w_.main.get();
        if (Chance(0.3)) {
            const std::string text = OneOf(kTexts).substr(0, 12);
            TypeText(focus, Q(text));
            Say(" \"" + text + "\"");
        } else {
            const KeyStroke& k = OneOf(kKeys);
            QTest::keyClick(focus, k.key, k.modifiers);
            Say(std::string(" ") + k.name);
        }
    }
}

void Soak::Keys() {
    MainWindow& m = Main();
    const std::vector<QWidget*> controls = {m.超级编辑框1,
                                            m.超级编辑框1,
                                            m.超级编辑框1,
                                            m.超级编辑框1,
                                            m.编辑框查找穴位,
                                            m.滑块条1,
                                            m.超级列表框1,
                                            m.按钮保存编辑框内容,
                                            m.按钮查找穴位,
                                            m.图形按钮1,
                                            m.图形按钮2,
                                            m.画板1,
                                            &m};
    QWidget* target = OneOf(controls);
    target->setFocus(Qt::TabFocusReason);
    Say(" in " + target->objectName().toStdString());
    if (target == m.超级编辑框1 && Chance(0.5)) {
        QWidget* viewport = m.超级编辑框1->viewport();
        const QPoint p(Pick(viewport->width()), Pick(60));
        const Qt::KeyboardModifiers modifiers = Chance(0.3) ? Qt::ShiftModifier : Qt::NoModifier;
        QTest::mouseClick(viewport, Qt::LeftButton, modifiers, p);
        Say(" click " + Describe(p));
    }
    PressKeys(1 + Pick(6));
}

void Soak::Type() {
    QWidget* target = Chance(0.85) ? static_cast<QWidget*>(Main().超级编辑框1)
                                   : static_cast<QWidget*>(Main().编辑框查找穴位);
    target->setFocus(Qt::TabFocusReason);
    const std::string text = OneOf(kTexts);
    Say(" into " + target->objectName().toStdString() + " \"" + text.substr(0, 20) + "\"");
    TypeText(target, Q(text));
}

void Soak::Save() {
    QPushButton* save = Main().按钮保存编辑框内容;
    if (Chance(0.7)) {
        w_.Click(save);
        Say(" click");
    } else {
        save->setFocus(Qt::TabFocusReason);
        static const std::vector<KeyStroke> presses = {
            {Qt::Key_Return, {}, "Return"},
            {Qt::Key_Space, {}, "Space"},
            {Qt::Key_Enter, Qt::KeypadModifier, "Enter"}};
        const KeyStroke& k = OneOf(presses);
        QTest::keyClick(Main().focusWidget() ? Main().focusWidget() : w_.main.get(), k.key,
                        k.modifiers);
        Say(std::string(" ") + k.name);
    }
}

void Soak::FileMenu() {
    const std::string entry = OneOf(kFileEntries);
    Say(" [" + entry + "]");
    std::optional<fs::path> file;
    if (entry == "添加图片") {
        static const std::vector<std::string> pictures = {
            "手臂.png", "足部.jpg", "腹部.bmp", "人体.png", "巨图.png", "坏图.jpg", "无.jpg"};
        file = sources_ / PathFromUtf8(OneOf(pictures));
        if (Exists(*file)) {
            expected_.addedImage = {PathToUtf8(file->filename()), ReadWholeFile(*file)};
        }
    } else if (entry == "穴位介绍文本另存为") {
        file = exports_ / PathFromUtf8(std::to_string(1 + Pick(3)) + ".vorn");
    } else if (entry == "打开穴位介绍五彩文本") {
        const int n = Pick(5);
        file = n < 3 ? exports_ / PathFromUtf8(std::to_string(n + 1) + ".vorn")
                     : sources_ / (n == 3 ? "坏.vorn" : "无.vorn");
    } else if (entry == "打开普通文本") {
        static const std::vector<std::string> texts = {"短.txt", "满.txt", "超.txt", "零.txt",
                                                       "无.txt"};
        file = sources_ / PathFromUtf8(OneOf(texts));
    } else if (entry == "配置快捷字符格式") {
        configMayChange_ = true;
        PlayQuickFormatWindow();
    } else {
        configMayChange_ = true;
    }
    if (file && Chance(0.85)) {
        w_.prompts.files = {PathToUtf8(*file)};
        Say(" file " + PathToUtf8(file->filename()));
    } else {
        w_.prompts.files = {std::nullopt};
    }
    Main().Entry(Main().文件, Q(entry))->trigger();
}

void Soak::ReplaceText(QLineEdit* box, const std::string& text) {
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(box, Qt::Key_Backspace);
    TypeText(box, Q(text));
}

void Soak::Search() {
    if (Chance(0.8)) {
        const std::string text = OneOf(kSearches);
        ReplaceText(Main().编辑框查找穴位, text);
        Say(" \"" + text + "\"");
    }
    w_.Click(Main().按钮查找穴位);
    Say(" → " + std::to_string(Main().超级列表框1->topLevelItemCount()) + " rows");
}

void Soak::ListClick() {
    QTreeWidget* list = Main().超级列表框1;
    QPoint p(Pick(list->viewport()->width()), Pick(list->viewport()->height()));
    if (list->topLevelItemCount() > 0 && Chance(0.85)) {
        QTreeWidgetItem* item = list->topLevelItem(Pick(list->topLevelItemCount()));
        list->scrollToItem(item);
        p = list->visualItemRect(item).center();
        Say(" row " + item->text(2).toStdString() + " of " + item->text(1).toStdString());
    }
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, p);
    Say(" → " + w_.state.currentImage);
}

void Soak::Help() {
    if (Chance(0.2)) {
        QTest::mousePress(Main().标签版本, Qt::LeftButton);
        return Say(" 标签版本");
    }
    const char* entry = OneOf(kHelpEntries);
    Say(std::string(" [") + entry + "]");
    Main().Entry(Main().帮助, QString::fromUtf8(entry))->trigger();
}

void Soak::CloseReopen() {
    if (!w_.CloseByWindowSystem()) {
        return Say(" refused");
    }
    w_.Open(AssembledWindow::HoverTimer::Ticked);
    SetUpWindow();
    Say(" closed, opened again");
}

// As the read-only attribute or a file open elsewhere does on Windows: saves, adds and deletes
// there fail, and must say so or change nothing.
void Soak::ReadOnly() {
    const AppState& s = w_.state;
    std::string key = MarkerKey(s.editedImage, s.editedMarker);
    if (Chance(0.4) || s.editedMarker.empty()) {
        key = "zhujie/" + s.currentImage + "/";
    }
    if (Chance(0.25)) {
        for (const std::string& locked : readOnly_) {
            std::error_code gone; // deleted since
            fs::permissions(w_.folder.path() / PathFromUtf8(locked), fs::perms::owner_write,
                            fs::perm_options::add, gone);
        }
        readOnly_.clear();
        return Say(" all writable again");
    }
    const fs::path path = w_.folder.path() / PathFromUtf8(key);
    if (!Exists(path)) {
        return Say(" (nothing at " + key + ")");
    }
    const bool lock = readOnly_.count(key) == 0;
    fs::permissions(path, fs::perms::owner_write,
                    lock ? fs::perm_options::remove : fs::perm_options::add);
    lock ? (void)readOnly_.insert(key) : (void)readOnly_.erase(key);
    Say((lock ? " read-only " : " writable ") + key);
}

void Soak::PlayFontStyleWindow() {
    QTimer::singleShot(0, [this] {
        auto* window = qobject_cast<FontStyleWindow*>(QApplication::activeModalWidget());
        if (window == nullptr) {
            return;
        }
        static const std::vector<std::string> sizes = {"9", "30", "0", "-5", "abc", "99999", ""};
        for (int steps = Pick(5); steps > 0; --steps) {
            switch (Pick(6)) {
            case 0:
                ReplaceText(window->编辑框字体大小, OneOf(sizes));
                break;
            case 1:
                window->组合框字符颜色->setCurrentIndex(Pick(window->组合框字符颜色->count()));
                break;
            case 2:
                window->组合框3->setCurrentIndex(Pick(window->组合框3->count()));
                break;
            case 3:
                window->组合框2->setCurrentIndex(Pick(std::min(window->组合框2->count(), 8)));
                break;
            case 4:
                w_.Click(OneOf(std::vector<QCheckBox*>{
                    window->effects.选择框是否加粗, window->effects.选择框是否倾斜,
                    window->effects.选择框是否下划线, window->effects.选择框是否删除线}));
                break;
            default:
                QTest::keyClick(window, Chance(0.5) ? Qt::Key_Return : Qt::Key_Escape);
            }
        }
        const int close = Pick(3);
        Say(close == 0 ? " 确定" : close == 1 ? " 取消" : " close box");
        if (close == 0) {
            w_.Click(window->按钮确定);
        } else if (close == 1) {
            w_.Click(window->按钮取消);
        }
        if (window->isVisible()) {
            window->windowHandle()->close();
        }
    });
}

void Soak::PlayQuickFormatWindow() {
    QTimer::singleShot(0, [this] {
        auto* window = qobject_cast<QuickFormatWindow*>(QApplication::activeModalWidget());
        if (window == nullptr) {
            return;
        }
        static const std::vector<std::string> sizes = {"12", "40", "0", "x", ""};
        for (int steps = 1 + Pick(5); steps > 0; --steps) {
            switch (Pick(6)) {
            case 0:
                w_.Click(OneOf(std::vector<QRadioButton*>{window->单选框1, window->单选框2,
                                                          window->单选框3, window->单选框4}));
                break;
            case 1:
                ReplaceText(window->编辑框字体大小, OneOf(sizes));
                break;
            case 2:
                window->组合框字符颜色->setCurrentIndex(Pick(window->组合框字符颜色->count()));
                break;
            case 3:
                w_.Click(window->effects.选择框是否加粗);
                break;
            case 4:
                w_.Click(window->按钮保存);
                Say(" 保存");
                break;
            default:
                QTest::keyClick(window, Chance(0.5) ? Qt::Key_Return : Qt::Key_Escape);
            }
        }
        window->windowHandle()->close();
    });
}

void Soak::Run(const SoakAction& action) {
    switch (action.act) {
    case SoakAct::StripPress:
        return StripPress();
    case SoakAct::Scroll:
        return Scroll();
    case SoakAct::Slider:
        return Slider();
    case SoakAct::Drag:
        return Drag();
    case SoakAct::Rest:
        return Rest();
    case SoakAct::DoubleClick:
        return DoubleClick();
    case SoakAct::PanelMenu:
        return PanelMenu();
    case SoakAct::StripMenu:
        return StripMenu();
    case SoakAct::EditorMenu:
        return EditorMenu();
    case SoakAct::Keys:
        return Keys();
    case SoakAct::Type:
        return Type();
    case SoakAct::Save:
        return Save();
    case SoakAct::FileMenu:
        return FileMenu();
    case SoakAct::Search:
        return Search();
    case SoakAct::ListClick:
        return ListClick();
    case SoakAct::Help:
        return Help();
    case SoakAct::CloseReopen:
        return CloseReopen();
    case SoakAct::ReadOnly:
        return ReadOnly();
    }
}

std::string Soak::Step(std::size_t index, const SoakAction& action) {
    r_.seed(action.seed);
    note_ = "#" + std::to_string(index) + " " + SoakActName(action.act) + ":";
    expected_ = {};
    problem_.clear();
    loadedMarker_.reset();
    addedRecord_.reset();
    configMayChange_ = false;
    boxesBefore_ = w_.prompts.boxes.size();
    if (options_.printEachAction) {
        std::cerr << note_ << " seed " << action.seed << std::endl;
    }
    QElapsedTimer clock;
    clock.start();
    Run(action);
    QApplication::processEvents();
    // A scroll runs to its end within the action: its ticks never depend on the wall clock.
    for (int i = 0; i < 1000 && Main().时钟画板列表条->isActive(); ++i) {
        AssembledWindow::Tick(Main().时钟画板列表条);
    }
    const qint64 elapsed = clock.elapsed();
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
        return "the action took " + std::to_string(elapsed) + " ms";
    }
    return problem_.empty() ? Check() : problem_;
}

std::string Soak::Check() {
    const AppState& s = w_.state;
    expected_.readOnly = readOnly_;
    if (!ListFolder(w_.services.folder.Staging(), EntryKind::Files).empty()) {
        return "a temporary file stayed in the staging folder";
    }
    Tree tree = ReadTree(w_.folder.path());
    if (std::string broken = CheckTree(tree_, tree, expected_, everMarkers_); !broken.empty()) {
        return broken;
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
        if (tree.count(*expected_.addedMarker) == 0 && !shown("添加失败")) {
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

} // namespace

namespace {
const std::vector<std::string> kActNames = {
    "StripPress", "Scroll",    "Slider",     "Drag", "Rest",        "DoubleClick",
    "PanelMenu",  "StripMenu", "EditorMenu", "Keys", "Type",        "Save",
    "FileMenu",   "Search",    "ListClick",  "Help", "CloseReopen", "ReadOnly"};
std::string SoakActName(SoakAct act) {
    return kActNames[static_cast<std::size_t>(act)];
}
} // namespace

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
        {SoakAct::StripPress, 6}, {SoakAct::Scroll, 2},      {SoakAct::Slider, 4},
        {SoakAct::Drag, 4},       {SoakAct::Rest, 10},       {SoakAct::DoubleClick, 10},
        {SoakAct::PanelMenu, 6},  {SoakAct::StripMenu, 1},   {SoakAct::EditorMenu, 6},
        {SoakAct::Keys, 14},      {SoakAct::Type, 10},       {SoakAct::Save, 6},
        {SoakAct::FileMenu, 5},   {SoakAct::Search, 3},      {SoakAct::ListClick, 3},
        {SoakAct::Help, 1},       {SoakAct::CloseReopen, 2}, {SoakAct::ReadOnly, 1},
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
    Soak soak(options);
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
