// Renders the four windows to PNG files without a display: penrica_screenshots <folder>.
// The main window is opened in a fresh program folder inside <folder>, as a user would first see
// it.

#include "app/AppState.h"
#include "app/MainWindow.h"
#include "app/StartWindow.h"
#include "platform/core/Files.h"
#include "platform/core/ProgramFolder.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/Services.h"
#include "styling/StyleWindows.h"
#include "tests/support/ScriptedPrompts.h"

#include <QApplication>
#include <QDir>
#include <QTimer>

#include <cstdio>

namespace {

bool Save(QWidget& window, const QString& path) {
    window.show();
    QApplication::processEvents();
    const bool saved = window.grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", path.toUtf8().constData());
    return saved;
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: penrica_screenshots <folder>\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(out + QStringLiteral("/program"));
    penrica::InstallFontSubstitutions();
    penrica::AppState state;
    penrica::ScriptedPrompts prompts;
    penrica::ScriptedDesktop desktop;
    penrica::Services services{prompts, desktop,
                               penrica::ProgramFolder(penrica::PathFromUtf8(
                                   (out + QStringLiteral("/program")).toStdString()))};

    bool ok = true;
    penrica::StartWindow start(state, services);
    ok &= Save(start, out + QStringLiteral("/start.png"));
    {
        penrica::MainWindow main(state, services);
        ok &= Save(main, out + QStringLiteral("/main.png"));
    }
    {
        penrica::FontStyleWindow window;
        ok &= Save(window, out + QStringLiteral("/font-style.png"));
    }
    {
        penrica::QuickFormatWindow window;
        ok &= Save(window, out + QStringLiteral("/quick-format.png"));
    }
    return ok ? 0 : 1;
}
