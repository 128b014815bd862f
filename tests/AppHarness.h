#pragma once
// Everything a window needs, with scripted prompts and desktop and a fresh program folder.

#include "TempFolder.h"
#include "app/AppState.h"
#include "platform/core/ProgramFolder.h"
#include "platform/qt/Services.h"
#include "tests/support/ScriptedPrompts.h"

#include <QWidget>

struct AppHarness {
    TempFolder folder;
    penrica::AppState state;
    penrica::ScriptedPrompts prompts;
    penrica::ScriptedDesktop desktop;
    penrica::Services services{prompts, desktop, penrica::ProgramFolder(folder.path())};
};

// A harness whose program folder already holds the image folder and the marker root.
struct LibraryHarness : AppHarness {
    LibraryHarness() {
        std::filesystem::create_directories(folder.path() / "tupian");
        std::filesystem::create_directories(folder.path() / "zhujie");
    }
};

// The child widget with this object name, searched through the whole tree.
inline QWidget* Child(QWidget& window, const char* name) {
    return window.findChild<QWidget*>(QString::fromUtf8(name));
}
