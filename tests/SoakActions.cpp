// The soak's actions on the image, the strip, the slider and the popup menus. Each draws all it
// does from the action's own random numbers and tells what it did through Say.

#include "SoakRun.h"

#include "platform/qt/Controls.h"

#include <QSlider>

namespace {

const std::vector<std::string> kNames = {"新穴", "合 谷",  "a！b", "x/y",   "",    "😀穴",
                                         "印堂", "穴位一", "..",   "名:字", "新穴"};
const std::vector<const char*> kEditorEntries = {
    "改变选中字体", "粘贴", "复制", "全选", "字符格式1", "字符格式2", "字符格式3", "字符格式4", ""};
const char* kStripEntry = "是否要删除此图片以及此图片下面所有的标注穴位介绍";

void Move(QWidget* widget, QPoint p, Qt::MouseButtons held) {
    QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(widget->mapToGlobal(p)), Qt::NoButton,
                     held, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

} // namespace

QPoint SoakRun::PanelPoint(bool onMarker) {
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

void SoakRun::MoveTo(QPoint p) {
    const int steps = 1 + Pick(3);
    for (int i = 0; i < steps; ++i) {
        Move(Main().画板1, i + 1 == steps ? p : PanelPoint(false), Qt::NoButton);
    }
    Say(" move " + Describe(p));
}

void SoakRun::StripPress() {
    const int x = Pick(Main().画板列表条->width() + 20);
    QTest::mousePress(Main().画板列表条, Qt::LeftButton, {}, QPoint(x, 20));
    QTest::mouseRelease(Main().画板列表条, Qt::LeftButton, {}, QPoint(x, 20));
    Say(" x=" + std::to_string(x) + " → " + w_.state.currentImage);
}

void SoakRun::Scroll() {
    const bool left = Chance(0.5);
    w_.Click(left ? Main().图形按钮1 : static_cast<QWidget*>(Main().图形按钮2));
    Say(left ? " 图形按钮1" : " 图形按钮2");
}

void SoakRun::Slider() {
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

void SoakRun::Drag() {
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

void SoakRun::Rest() {
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

void SoakRun::DoubleClick() {
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

void SoakRun::PanelMenu() {
    if (!PanelShown()) {
        return Say(" (no image)");
    }
    const QPoint p = PanelPoint(Chance(0.5));
    MoveTo(p);
    if (Chance(0.8)) {
        HoverTick();
    }
    static const std::vector<std::string> entries = {
        "在此添加穴位标志", "在此添加穴位标志", "删除此穴位标志", "不操作",
        "",                 "移动此穴位标志",   "重命名此穴位标志"};
    const std::string entry = OneOf(entries);
    const std::string name = OneOf(kNames);
    w_.prompts.menuChoices = {entry};
    w_.prompts.inputs = {name};
    const std::size_t menus = w_.prompts.menus.size();
    const std::string underMouse = w_.state.acupointUnderMouse;
    const std::string image = w_.state.currentImage;
    Say(" under [" + underMouse + "] choose [" + entry + "] name [" + name + "]");
    QTest::mousePress(Main().画板1, Qt::RightButton, {}, p);
    QTest::mouseRelease(Main().画板1, Qt::RightButton, {}, p);
    const bool onMarker = w_.prompts.menus.size() > menus && w_.prompts.menus.back()[1].enabled;
    if (onMarker && entry == "重命名此穴位标志") {
        const std::optional<MarkerRecord> marker = ParseRecord(underMouse);
        expected_.renamedFrom = MarkerKey(image, underMouse);
        expected_.renamedTo = MarkerKey(image, MakeRecord(marker->x, marker->y, name));
    }
    if (!w_.state.movingMarker.empty()) {
        // The move ends within the action: a click where it goes, or one of the ways out.
        const QPoint to = PanelPoint(Chance(0.2));
        switch (Pick(4)) {
        case 0:
        case 1:
            expected_.renamedFrom = MarkerKey(image, w_.state.movingMarker);
            Say(" move to " + Describe(to));
            QTest::mousePress(Main().画板1, Qt::LeftButton, {}, to);
            QTest::mouseRelease(Main().画板1, Qt::LeftButton, {}, to);
            break;
        case 2:
            Say(" right click");
            QTest::mousePress(Main().画板1, Qt::RightButton, {}, to);
            QTest::mouseRelease(Main().画板1, Qt::RightButton, {}, to);
            break;
        default:
            Say(" press the strip");
            StripPress();
            break;
        }
    }
    // The user adds what the menu offered: its first entry, enabled.
    if (w_.prompts.menus.size() > menus && w_.prompts.menus.back()[0].enabled &&
        entry == "在此添加穴位标志" && !name.empty()) {
        const std::string record = MakeRecord(p.x(), p.y(), name);
        expected_.addedMarker = MarkerKey(w_.state.currentImage, record);
        addedRecord_ = {w_.state.currentImage, record};
    }
}

void SoakRun::StripMenu() {
    const int x = Pick(Main().画板列表条->width() + 20);
    w_.prompts.menuChoices = {Chance(0.5) ? kStripEntry : ""};
    Say(" x=" + std::to_string(x) + " [" + w_.prompts.menuChoices.front() + "]");
    QTest::mousePress(Main().画板列表条, Qt::RightButton, {}, QPoint(x, 20));
    QTest::mouseRelease(Main().画板列表条, Qt::RightButton, {}, QPoint(x, 20));
}

void SoakRun::EditorMenu() {
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
void SoakRun::Run(const SoakAction& action) {
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
    case SoakAct::Compose:
        return Compose();
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
