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

} // namespace penrica
