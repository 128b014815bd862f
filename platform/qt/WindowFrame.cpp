#include "platform/qt/WindowFrame.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace penrica {

void SetUpFixedWindow(QWidget& window, QSize client, MinimiseBox minimise) {
    // The fixed-size hint gives a Windows window a frame that cannot be dragged to resize.
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                            Qt::MSWindowsFixedSizeDialogHint;
    if (minimise == MinimiseBox::Yes) {
        flags |= Qt::WindowMinimizeButtonHint;
    }
    window.setWindowFlags(flags);
    window.setFixedSize(client);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        window.move(area.x() + (area.width() - client.width()) / 2,
                    area.y() + (area.height() - client.height()) / 2);
    }
}

void SetNoIcon([[maybe_unused]] QWidget& window) {
#ifdef Q_OS_WIN
    // Without this, Windows shows the executable's icon. A dialog whose close box comes without
    // the system-menu hint gets the dialog frame, which draws no icon; the close box, the
    // minimise box and the system menu (Alt+Space) stay.
    const Qt::WindowFlags flags = window.windowFlags();
    window.setWindowFlags((flags & ~Qt::WindowType_Mask & ~Qt::WindowSystemMenuHint) | Qt::Dialog);
#endif
}

void SetNoTitle(QWidget& window) {
    window.setWindowTitle(QStringLiteral(" "));
}

QFont ControlFont(const QString& face, int pixelHeight) {
    QFont font(face);
    font.setPixelSize(pixelHeight);
    return font;
}

} // namespace penrica
