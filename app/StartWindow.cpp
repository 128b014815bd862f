#include "app/StartWindow.h"

#include "app/HelpTexts.h"
#include "app/MainWindow.h"
#include "platform/qt/Colours.h"
#include "platform/qt/Controls.h"
#include "platform/qt/WindowFrame.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace penrica {

namespace {

QIcon DrawWindowIcon() {
    QImage image(32, 32, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(255, 236, 170));
    painter.setPen(QPen(QColor(150, 90, 30), 2));
    painter.drawEllipse(QRectF(3, 3, 26, 26));
    painter.setBrush(QColor(220, 30, 30));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(12, 12, 8, 8));
    painter.end();
    return QIcon(QPixmap::fromImage(image));
}

} // namespace

StartWindow::StartWindow(AppState& state, Services& services) : state_(state), services_(services) {
    setObjectName(QStringLiteral("启动窗口"));
    setWindowTitle(QStringLiteral("Penrica"));
    setWindowIcon(DrawWindowIcon());
    SetColour(*this, ColourRole::Background, 0x0000FFFF);

    按钮1 = new QPushButton(QStringLiteral("Penrica"), this);
    按钮1->setObjectName(QStringLiteral("按钮1"));
    按钮1->setGeometry(48, 8, 152, 24);

    标签1 = new ClickLabel(QStringLiteral("可打开") + QString::fromUtf8(kAuthorAddress) +
                               QStringLiteral(" 查找更多穴位"),
                           this);
    标签1->setObjectName(QStringLiteral("标签1"));
    标签1->setGeometry(16, 48, 240, 32);
    标签1->setWordWrap(true);
    SetColour(*标签1, ColourRole::Text, 0x000080FF);
    SetColour(*标签1, ColourRole::Background, 0x0000FFFF);

    标签2 = new QLabel(QStringLiteral("内部学习使用"), this);
    标签2->setObjectName(QStringLiteral("标签2"));
    标签2->setGeometry(88, 88, 80, 16);
    标签2->setFont(ControlFont(QStringLiteral("楷体_GB2312"), 12));
    SetColour(*标签2, ColourRole::Text, 0x00FFFF00);
    SetColour(*标签2, ColourRole::Background, 0x0000FFFF);

    SetUpFixedWindow(*this, ClientSize(266, 146), MinimiseBox::No);
    Bind();
}

void StartWindow::Bind() {
    connect(按钮1, &QPushButton::clicked, this, &StartWindow::OpenMainWindow);
    connect(标签1, &ClickLabel::DoubleClicked, this, &StartWindow::OpenAuthorAddress);
}

void StartWindow::OpenMainWindow() {
    // There is only ever one main window: the open one blocks this window's input, and a click
    // that reaches the button anyway (queued, or sent by the program) opens none.
    if (mainWindow_ != nullptr) {
        return;
    }
    move(services_.desktop.ScreenWidth() - 200, y());
    MainWindow window(state_, services_);
    mainWindow_ = &window;
    if (onMainWindowShown) {
        QTimer::singleShot(0, &window, [this, &window] { onMainWindowShown(window); });
    }
    // exec() shows the window itself, which is what makes it modal over this one.
    window.exec();
    mainWindow_ = nullptr;
}

void StartWindow::closeEvent(QCloseEvent* event) {
    if (mainWindow_ != nullptr) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void StartWindow::OpenAuthorAddress() {
    OpenAddressWhenOnline(services_.desktop, kAuthorAddress);
}

} // namespace penrica
