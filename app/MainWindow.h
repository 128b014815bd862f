#pragma once
// The main window: the image panel in its frame, the thumbnail strip, the zoom slider, the status
// line, the introduction editor and the acupoint list. Controls carry their names as members and
// as object names. Bind() is the binding table: each event goes to one handler, in table order.
//
// Index: MainWindow.cpp (creation, binding table, close), MainWindowControls.cpp (the controls
// and menus).

#include "app/AppState.h"
#include "platform/qt/Services.h"

#include "platform/qt/PlainDialog.h"

#include <memory>
#include <string>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QSlider;
class QTimer;
class QTreeWidget;

namespace penrica {

class ClickLabel;
class DrawPanel;
class PicButton;
class RichEdit;

class MainWindow : public PlainDialog {
    Q_OBJECT
public:
    MainWindow(AppState& state, Services& services);
    ~MainWindow() override;

    // The frame: no title text, no icon, a minimise box, 982 × 704 with frame and title bar.
    // Gives the client size. The program's start measures the screen with a window made so.
    static QSize SetUpFrame(QWidget& window);

    // Creation: data folders, zoom 1.0, empty panels, the strip and the configuration file.
    void OnCreated();
    // About to be destroyed: offers to save a changed introduction. Every way of closing comes
    // here; false (a save the user wanted failed) keeps the window open.
    bool OnAboutToClose();

    // "恢复出厂配置": the factory formats in one rewrite; a failed one says "保存失败".
    void RestoreFactoryConfig();
    // The help menu.
    void ShowHelp(const char* text);
    void OpenAuthorAddress();

    QMenuBar* menuBar = nullptr;
    QWidget* controlArea = nullptr;
    QMenu* 文件 = nullptr;
    QMenu* 帮助 = nullptr;
    QMenu* 画板右键 = nullptr;
    QMenu* 编辑框右键 = nullptr;
    QMenu* 画板列表条右键 = nullptr;
    // The menus' entries, held as the controls are; each has its caption as its object name.
    QAction* 添加图片 = nullptr;
    QAction* 穴位介绍文本另存为 = nullptr;
    QAction* 打开穴位介绍五彩文本 = nullptr;
    QAction* 打开普通文本 = nullptr;
    QAction* 配置快捷字符格式 = nullptr;
    QAction* 恢复出厂配置 = nullptr;
    QAction* 生成学习图谱 = nullptr;
    QAction* 在此添加穴位标志 = nullptr;
    QAction* 删除此穴位标志 = nullptr;
    QAction* 不操作 = nullptr;
    QAction* 移动此穴位标志 = nullptr;
    QAction* 重命名此穴位标志 = nullptr;
    QAction* 改变选中字体 = nullptr;
    QAction* 粘贴 = nullptr;
    QAction* 复制 = nullptr;
    QAction* 全选 = nullptr;
    QAction* 字符格式1 = nullptr;
    QAction* 字符格式2 = nullptr;
    QAction* 字符格式3 = nullptr;
    QAction* 字符格式4 = nullptr;
    QAction* 是否要删除此图片以及此图片下面所有的标注穴位介绍 = nullptr;
    QAction* 添加穴位图片 = nullptr;
    QAction* 在图片上添加穴位标志 = nullptr;
    QAction* 显示标志穴位介绍 = nullptr;
    QAction* 将穴位介绍改变五彩文字 = nullptr;
    QAction* 版本 = nullptr;

    QGroupBox* 分组框1 = nullptr;
    DrawPanel* 画板1 = nullptr;
    QSlider* 滑块条1 = nullptr;
    QLabel* 标签1 = nullptr;
    QGroupBox* 分组框2 = nullptr;
    DrawPanel* 画板列表条 = nullptr;
    PicButton* 图形按钮2 = nullptr;
    PicButton* 图形按钮1 = nullptr;
    QPushButton* 按钮保存编辑框内容 = nullptr;
    QLabel* 标签编辑框穴位名称提示 = nullptr;
    RichEdit* 超级编辑框1 = nullptr;
    QLabel* 标签右边 = nullptr;
    QTreeWidget* 超级列表框1 = nullptr;
    QLineEdit* 编辑框查找穴位 = nullptr;
    QPushButton* 按钮查找穴位 = nullptr;
    ClickLabel* 标签版本 = nullptr;
    QTimer* 时钟定时获取鼠标在画板中的位置 = nullptr;
    QTimer* 时钟画板列表条 = nullptr;
    QTimer* 时钟监视鼠标移出 = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    // Only the close box ends the window; nothing else rejects it.
    void reject() override {}
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // Files dragged from the file manager are added wherever they are dropped on the window,
    // also on the text boxes, which would take their paths as text. True when it took the event.
    bool TakeFileDrag(QEvent* event);
    void CreateControls();
    void CreateMenus();
    void Bind();

    AppState& state_;
    Services& services_;
    struct Parts;
    std::unique_ptr<Parts> parts_;
};

} // namespace penrica
