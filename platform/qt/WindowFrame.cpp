#include "platform/qt/WindowFrame.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace penrica {

void SetUpFixedWindow(QWidget& window, QSize client, MinimiseBox minimise) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                            Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
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

void SetNoTitle(QWidget& window) {
    window.setWindowTitle(QStringLiteral(" "));
}

QFont ControlFont(const QString& face, int pixelHeight) {
    QFont font(face);
    font.setPixelSize(pixelHeight);
    return font;
}

} // namespace penrica
