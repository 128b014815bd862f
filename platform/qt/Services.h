#pragma once
// What the windows are handed from outside: the dialogs, the desktop and the program folder.

#include "platform/core/ProgramFolder.h"
#include "platform/qt/Prompts.h"

namespace penrica {

struct Services {
    Prompts& prompts;
    Desktop& desktop;
    ProgramFolder folder;
};

// Opens the address in the browser, and only while the machine is online.
inline void OpenAddressWhenOnline(Desktop& desktop, const std::string& address) {
    if (desktop.IsOnline()) {
        desktop.OpenAddress(address);
    }
}

// Popup menus open 3 pixels right of and below the pointer, so the pointer is not over an entry.
inline void PopupAtPointer(Services& services, QMenu& menu) {
    services.prompts.PopupMenu(menu, services.desktop.PointerPosition() + QPoint(3, 3));
}

} // namespace penrica
