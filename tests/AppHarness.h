#pragma once
// Everything a window needs, with scripted prompts and desktop and a fresh program folder.

#include "TempFolder.h"
#include "app/AppState.h"
#include "platform/core/ProgramFolder.h"
#include "platform/qt/Services.h"
#include "tests/support/ScriptedPrompts.h"

#include <QAction>
#include <QMenu>
#include <QWidget>

#include <gtest/gtest.h>

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

// The entry of `menu` that shows `caption`, as a user finds it; a missing one fails the test.
inline QAction* Entry(QMenu* menu, const std::string& caption) {
    for (QAction* action : menu->actions()) {
        if (action->text() == QString::fromStdString(caption)) {
            return action;
        }
    }
    ADD_FAILURE() << "no entry " << caption;
    return new QAction(menu); // bound to nothing, so the test goes on
}
