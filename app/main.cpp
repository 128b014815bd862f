// Penrica: shows the start window and runs until it is closed. Takes no arguments.

#include "app/AppState.h"
#include "app/MainWindow.h"
#include "app/StartWindow.h"
#include "platform/core/Files.h"
#include "platform/core/ProgramFolder.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/Prompts.h"
#include "platform/qt/Services.h"
#include "platform/qt/ToolkitTexts.h"
#include "platform/qt/WindowFrame.h"

#include <QApplication>

int main(int argc, char** argv) {
    // The display scale is chosen once, here, so that the main window fits its screen.
    const std::unique_ptr<QApplication> application =
        penrica::StartAtFittingScale(argc, argv, &penrica::MainWindow::SetUpFrame);
    const penrica::ChineseToolkitTexts toolkitTexts;
    penrica::InstallFontSubstitutions();
    penrica::AppState state;
    penrica::QtPrompts prompts;
    penrica::QtDesktop desktop;
    penrica::Services services{prompts, desktop,
                               penrica::ProgramFolder(penrica::ProgramFolder::OfExecutable())};
    // Temporary files of writes that a killed run left behind.
    services.folder.ClearStaging();
    penrica::StartWindow start(state, services);
    start.show();
    application->exec();
    return 0;
}
