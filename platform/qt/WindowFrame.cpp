#include "platform/qt/WindowFrame.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cmath>
#include <list>
#include <string>
#include <vector>

namespace penrica {

namespace {

// The frame and title bar that the window sizes of the program count with.
constexpr QSize kNominalFrame(2 * kFrameWidth, 2 * kFrameWidth + kTitleHeight);

int ScreenPixelsOf(qreal logical, qreal scale) {
    return static_cast<int>(std::lround(logical * scale));
}

} // namespace

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
    const QWidget* opener = window.parentWidget();
    if (QScreen* screen = opener ? opener->screen() : QGuiApplication::primaryScreen()) {
        // The position is the frame's; a window larger than the area starts at its top left,
        // so its title bar stays where the mouse can take it.
        const QRect area = screen->availableGeometry();
        const QSize outer = client + kNominalFrame;
        window.move(area.x() + std::max(0, (area.width() - outer.width()) / 2),
                    area.y() + std::max(0, (area.height() - outer.height()) / 2));
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

DisplayFacts MeasurePrimaryScreen(QWidget& probe) {
    DisplayFacts facts;
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return facts;
    }
    const qreal scale = screen->devicePixelRatio();
    const QRect area = screen->availableGeometry();
    facts.systemScale = scale;
    facts.workArea = {ScreenPixelsOf(area.width(), scale), ScreenPixelsOf(area.height(), scale)};
    probe.winId(); // the native window, not shown
    QMargins margins;
    if (const QWindow* window = probe.windowHandle()) {
        margins = window->frameMargins();
    }
    const QSize frame = margins.isNull() ? kNominalFrame
                                         : QSize(margins.left() + margins.right(),
                                                 margins.top() + margins.bottom());
    facts.frame = {ScreenPixelsOf(frame.width(), scale), ScreenPixelsOf(frame.height(), scale)};
    return facts;
}

std::unique_ptr<QApplication> StartAtFittingScale(int argc, char** argv,
                                                  const std::function<QSize(QWidget&)>& setUp) {
    // Each application keeps its own copy of the arguments for its whole life: Qt takes out the
    // ones it knows, and holds on to the count and the array.
    struct Arguments {
        std::vector<std::string> texts;
        std::vector<char*> pointers;
        int count = 0;
    };
    static std::list<Arguments> kept;
    const auto start = [&] {
        Arguments& arguments = kept.emplace_back();
        arguments.texts.assign(argv, argv + argc);
        for (std::string& text : arguments.texts) {
            arguments.pointers.push_back(text.data());
        }
        arguments.pointers.push_back(nullptr);
        arguments.count = argc;
        return std::make_unique<QApplication>(arguments.count, arguments.pointers.data());
    };
    std::unique_ptr<QApplication> application = start();
    double system = 1.0;
    double chosen = 1.0;
    {
        QDialog probe;
        const QSize client = setUp(probe);
        const DisplayFacts facts = MeasurePrimaryScreen(probe);
        system = facts.systemScale;
        chosen = FittingScale(facts, {client.width(), client.height()});
    }
    if (std::abs(chosen - system) < 1e-6) {
        return application;
    }
    // Qt multiplies the desktop's scale by this factor, read as an application starts.
    const char* variable = "QT_SCALE_FACTOR";
    const bool wasSet = qEnvironmentVariableIsSet(variable);
    const QByteArray before = qgetenv(variable);
    bool isNumber = false;
    double userFactor = before.toDouble(&isNumber);
    if (!isNumber || userFactor <= 0.0) {
        userFactor = 1.0;
    }
    application.reset();
    qputenv(variable, QByteArray::number(userFactor * chosen / system, 'g', 17));
    application = start();
    if (wasSet) {
        qputenv(variable, before);
    } else {
        qunsetenv(variable);
    }
    return application;
}

QFont ControlFont(const QString& face, int pixelHeight) {
    QFont font(face);
    font.setPixelSize(pixelHeight);
    return font;
}

} // namespace penrica
