#include "app/MainWindow.h"

#include "app/AtlasMaking.h"
#include "app/HelpTexts.h"
#include "images/ImageLibrary.h"
#include "images/ImageView.h"
#include "introductions/IntroductionEditor.h"
#include "markers/AcupointList.h"
#include "markers/HoverTest.h"
#include "markers/MarkerMenu.h"
#include "platform/core/Files.h"
#include "platform/qt/CompositionGuard.h"
#include "platform/qt/Controls.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/RichEdit.h"
#include "platform/qt/WindowFrame.h"
#include "styling/StyleFlows.h"
#include "styling/core/ConfigFile.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>

namespace penrica {

// The subsystems' behaviour objects, composed here.
struct MainWindow::Parts {
    Parts(AppState& state, Services& services, ImageControls imageControls,
          ViewControls viewControls, MarkerControls markerControls, EditorControls editorControls,
          ListControls listControls)
        : config(services.folder.ConfigFile()), images(state, state, services, imageControls),
          view(state, state, services, viewControls), markers(state, services, markerControls),
          editor(state, state, services, editorControls), list(state, services, listControls) {}
    ConfigFile config;
    ImageLibrary images;
    ImageView view;
    MarkerMenu markers;
    IntroductionEditor editor;
    AcupointList list;
};

MainWindow::MainWindow(AppState& state, Services& services) : state_(state), services_(services) {
    setObjectName(QStringLiteral("主窗口"));
    const QSize client = SetUpFrame(*this);
    controlArea = new QWidget(this);
    controlArea->setObjectName(QStringLiteral("控件区"));
    controlArea->setGeometry(0, kMenuBarHeight, client.width(), client.height() - kMenuBarHeight);
    controlArea->installEventFilter(this);
    // An input method's open composition never reaches a box's text, here or in the dialogs.
    new CompositionGuard(this);
    CreateControls();
    CreateMenus();
    setAcceptDrops(true);
    超级编辑框1->installEventFilter(this);
    超级编辑框1->viewport()->installEventFilter(this);
    编辑框查找穴位->installEventFilter(this);
    parts_ = std::make_unique<Parts>(
        state_, services_,
        ImageControls{画板1, 分组框1, 滑块条1, 标签1, 画板列表条, 时钟画板列表条, 画板列表条右键},
        ViewControls{画板1, 分组框1, 滑块条1, 标签1, 时钟监视鼠标移出, this, 超级编辑框1},
        MarkerControls{画板1, 滑块条1, 画板右键, 在此添加穴位标志, 删除此穴位标志, 移动此穴位标志,
                       重命名此穴位标志, 标签1},
        EditorControls{超级编辑框1, 标签编辑框穴位名称提示, 标签右边, 按钮保存编辑框内容},
        ListControls{编辑框查找穴位, 超级列表框1, 标签右边});
    Bind();
    OnCreated();
}

namespace {
// Hears every mouse press of the program, in any of its windows, before it is delivered.
class PressWatcher : public QObject {
public:
    PressWatcher(QObject* parent, std::function<void(QObject*)> onPress)
        : QObject(parent), onPress_(std::move(onPress)) {
        QApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
            onPress_(watched);
        }
        return false;
    }

private:
    std::function<void(QObject*)> onPress_;
};
} // namespace

QSize MainWindow::SetUpFrame(QWidget& window) {
    SetNoTitle(window);
    const QSize client = ClientSize(982, 704);
    SetUpFixedWindow(window, client, MinimiseBox::Yes);
    SetNoIcon(window);
    return client;
}

// The controls go first: while they are destroyed they may still signal the behaviour objects,
// which must outlive them.
MainWindow::~MainWindow() {
    delete controlArea;
}

void MainWindow::Bind() {
    // window: left button released -> stop panning (mouseReleaseEvent, eventFilter)
    // window: files dropped -> add them as 添加图片 does (TakeFileDrag)
    ImageView& view = parts_->view;
    MarkerMenu& markers = parts_->markers;
    IntroductionEditor& editor = parts_->editor;
    // A marker waiting to be moved takes the press; else it starts panning.
    画板1->onLeftPress = [&view, &markers](int x, int y) {
        if (!markers.FinishMove(x, y)) {
            view.StartPanning(x, y);
        }
    };
    画板1->onLeftRelease = [&view](int, int) { view.StopPanning(); };
    画板1->onMouseMove = [&view](int x, int y) { view.MoveOverImage(x, y); };
    画板1->onRightPress = [&markers](int x, int y) { markers.ShowMarkerMenu(x, y); };
    画板1->onDoubleClick = [&editor](int, int) { editor.ChooseAcupoint(); };
    connect(时钟定时获取鼠标在画板中的位置, &QTimer::timeout, this,
            [this] { HoverTick(state_, *画板1); });
    connect(时钟监视鼠标移出, &QTimer::timeout, this, [&view] { view.OnPanMonitorTick(); });
    connect(滑块条1, &QSlider::valueChanged, this, [&view, &markers](int position) {
        markers.CancelMove();
        view.ZoomImage(position);
    });
    ImageLibrary& images = parts_->images;
    画板列表条->onLeftPress = [&images](int x, int) { images.SelectImageAt(x); };
    画板列表条->onRightPress = [&images](int x, int) { images.OnStripRightPress(x); };
    connect(图形按钮2, &QAbstractButton::clicked, this, [&images] { images.ScrollTowardsRight(); });
    connect(图形按钮1, &QAbstractButton::clicked, this, [&images] { images.ScrollTowardsLeft(); });
    connect(时钟画板列表条, &QTimer::timeout, this, [&images] { images.OnScrollTick(); });
    connect(超级编辑框1, &RichEdit::ContentChanged, this, [&editor] { editor.ContentChanged(); });
    超级编辑框1->onRightPress = [this](int, int) { PopupAtPointer(services_, *编辑框右键); };
    connect(按钮保存编辑框内容, &QPushButton::clicked, this, [&editor] { editor.SaveChanges(); });
    // 超级列表框1's click reaches parts_->list through its own event filter.
    AcupointList& list = parts_->list;
    list.onShowAcupoint = [&images](const std::string& image, const std::string& record) {
        images.ShowImageAtAcupoint(image, record);
    };
    connect(按钮查找穴位, &QPushButton::clicked, this, [&list] { list.Search(); });
    connect(标签版本, &ClickLabel::LeftPressed, this, &MainWindow::OpenAuthorAddress);

    auto on = [this](QAction* entry, auto handler) {
        connect(entry, &QAction::triggered, this, handler);
    };
    on(添加图片, [&images] { images.AddImageFromMenu(); });
    on(穴位介绍文本另存为, [&editor] { editor.SaveAsMulticolourText(); });
    on(打开穴位介绍五彩文本, [&editor] { editor.OpenMulticolourText(); });
    on(打开普通文本, [&editor] { editor.OpenPlainText(); });
    on(配置快捷字符格式,
       [this] { ConfigureQuickFormats(parts_->config, services_.prompts, this); });
    on(恢复出厂配置, [this] { RestoreFactoryConfig(); });
    on(生成学习图谱, [this] { MakeStudyAtlas(services_, *this, *标签1); });
    on(在此添加穴位标志, [&markers] { markers.AddMarker(); });
    on(删除此穴位标志, [&markers] { markers.DeleteMarker(); });
    on(移动此穴位标志, [&markers] { markers.StartMove(); });
    // A marker waiting to be moved goes only where the image is clicked: a press on any other
    // control, the strip or the list included, lets it stay where it is.
    new PressWatcher(this, [this, &markers](QObject* pressed) {
        if (pressed != 画板1) {
            markers.CancelMove();
        }
    });
    on(重命名此穴位标志, [&markers] { markers.RenameMarker(); });
    markers.onMarkerRenamed = [&editor](const std::string& from, const std::string& to) {
        editor.MarkerRenamed(from, to);
    };
    markers.onMarkerAdded = [&editor](const std::string& record) {
        editor.StartNewIntroduction(record);
    };
    on(改变选中字体, [this] { ChangeSelectedFont(state_, *超级编辑框1); });
    on(粘贴, [this] { 超级编辑框1->paste(); });
    on(复制, [this] { 超级编辑框1->copy(); });
    on(全选, [this] { 超级编辑框1->selectAll(); });
    on(字符格式1, [this] { ApplyQuickFormat(*超级编辑框1, parts_->config, "字符格式1"); });
    on(字符格式2, [this] { ApplyQuickFormat(*超级编辑框1, parts_->config, "字符格式2"); });
    on(字符格式3, [this] { ApplyQuickFormat(*超级编辑框1, parts_->config, "字符格式3"); });
    on(字符格式4, [this] { ApplyQuickFormat(*超级编辑框1, parts_->config, "字符格式4"); });
    // Whatever the answer, the editor is disabled after it: its text may belong to that image.
    on(是否要删除此图片以及此图片下面所有的标注穴位介绍, [this, &images] {
        images.DeleteImage();
        超级编辑框1->setEnabled(false);
    });
    on(添加穴位图片, [this] { ShowHelp(kHelpAddImage); });
    on(在图片上添加穴位标志, [this] { ShowHelp(kHelpAddMarker); });
    on(显示标志穴位介绍, [this] { ShowHelp(kHelpShowIntroduction); });
    on(将穴位介绍改变五彩文字, [this] { ShowHelp(kHelpStyling); });
    on(版本, [this] { ShowHelp(kAboutText); });
}

void MainWindow::OnCreated() {
    const ProgramFolder& folder = services_.folder;
    if (!Exists(folder.ImageFolder())) {
        CreateFolder(folder.ImageFolder());
    }
    if (!Exists(folder.MarkerRoot())) {
        CreateFolder(folder.MarkerRoot());
    }
    state_.zoomFactor = 1.0f;
    // The new window's editor is empty and disabled, so nothing in it is pending; a flag left
    // from the last opening would let 保存 write the empty editor over that marker.
    state_.introChanged = 0;
    state_.movingMarker.clear();
    parts_->images.ShowNoImage();
    画板列表条->resize(0, 画板列表条->height());
    parts_->images.FillThumbnailStrip();
    parts_->config.EnsureConfigFile();
}

bool MainWindow::OnAboutToClose() {
    return parts_->editor.SaveOnClose() == CloseDecision::Close;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    parts_->markers.CancelMove();
    if (OnAboutToClose()) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        parts_->view.StopPanning();
    }
    PlainDialog::mouseReleaseEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == controlArea && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        parts_->view.StopPanning();
    }
    const QEvent::Type type = event->type();
    if ((type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) &&
        (watched == 超级编辑框1 || watched->parent() == 超级编辑框1 || watched == 编辑框查找穴位) &&
        TakeFileDrag(event)) {
        return true;
    }
    return PlainDialog::eventFilter(watched, event);
}

namespace {

// The local files a drag carries, as UTF-8 paths in its order; none for any other drag, such as
// text or a web address.
std::vector<std::string> DraggedFiles(const QMimeData* data) {
    std::vector<std::string> files;
    if (data == nullptr || !data->hasUrls()) {
        return files;
    }
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile()) {
            files.push_back(url.toLocalFile().toStdString());
        }
    }
    return files;
}

} // namespace

bool MainWindow::TakeFileDrag(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return false;
    }
    auto* drag = static_cast<QDropEvent*>(event);
    // Always a copy: a file manager removes what was moved, and the original must stay.
    if (!drag->possibleActions().testFlag(Qt::CopyAction)) {
        return false;
    }
    std::vector<std::string> files = DraggedFiles(drag->mimeData());
    if (files.empty()) {
        return false;
    }
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    if (type == QEvent::Drop) {
        // Once the drop is over: the file manager waits for it, and the adding asks questions.
        QTimer::singleShot(0, this, [this, files] { parts_->images.AddImages(files); });
    }
    return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    TakeFileDrag(event);
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    TakeFileDrag(event);
}

void MainWindow::dropEvent(QDropEvent* event) {
    TakeFileDrag(event);
}

void MainWindow::RestoreFactoryConfig() {
    if (parts_->config.RestoreFactoryConfig() == ConfigStatus::Failed) {
        services_.prompts.MessageBox(kConfigSaveFailed);
    }
}

void MainWindow::ShowHelp(const char* text) {
    services_.prompts.MessageBox(text);
}

void MainWindow::OpenAuthorAddress() {
    OpenAddressWhenOnline(services_.desktop, kAuthorAddress);
}

} // namespace penrica
