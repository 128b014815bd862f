#pragma once
// The small first window. Its button opens the main window modally; closing it ends the program.

#include "app/AppState.h"
#include "platform/qt/Services.h"

#include <QWidget>

#include <functional>

class QPushButton;
class QLabel;

namespace penrica {

class ClickLabel;
class MainWindow;

class StartWindow : public QWidget {
    Q_OBJECT
public:
    StartWindow(AppState& state, Services& services);

    // 按钮1: moves this window to the right edge of the screen and runs the main window.
    void OpenMainWindow();
    // 标签1 double-clicked: the author's address, when online.
    void OpenAuthorAddress();

    // Called with the main window once it is shown and modal, from inside its loop; tests use it.
    std::function<void(MainWindow&)> onMainWindowShown;

    QPushButton* 按钮1 = nullptr;
    ClickLabel* 标签1 = nullptr;
    QLabel* 标签2 = nullptr;

protected:
    // While the main window is open the start window cannot be closed.
    void closeEvent(QCloseEvent* event) override;

private:
    void Bind();

    MainWindow* mainWindow_ = nullptr;

    AppState& state_;
    Services& services_;
};

} // namespace penrica
