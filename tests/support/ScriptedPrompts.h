#pragma once
// Test doubles for Prompts and Desktop: answers come from queues, and everything shown is
// recorded in order so tests can assert the exact messages.

#include "platform/qt/Prompts.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace penrica {

struct ShownBox {
    std::string text;
    std::string caption;
    Buttons buttons;
    Answer answer = Answer::Ok; // what the script answered
};

struct ShownMenuEntry {
    std::string text;
    bool enabled;
};

class ScriptedPrompts : public Prompts {
public:
    // Message boxes take the next queued answer; with none left, `decide` answers, or else OK.
    std::deque<Answer> answers;
    std::function<Answer(const ShownBox&)> decide;
    std::deque<std::string> inputs;
    // When set, input boxes are the real ones, for a test that types into them.
    bool realInputBoxes = false;
    // Each file dialog takes the next entry; nothing left or nullopt means cancelled.
    std::deque<std::optional<std::string>> files;
    // Each dialog of several files takes the next entry (empty: cancelled); with none left, it
    // takes the next entry of `files` as one file.
    std::deque<std::vector<std::string>> fileLists;
    // Each popup takes the next entry text to choose; empty or nothing left closes the menu.
    std::deque<std::string> menuChoices;

    std::vector<ShownBox> boxes;
    std::vector<std::pair<std::string, std::string>> inputBoxes; // title, prompt
    std::vector<std::string> inputInitials;                      // what each box held first
    std::vector<FileDialogRequest> fileDialogs;
    // Each folder dialog takes the next entry, as file dialogs do, and records its proposal.
    std::deque<std::optional<std::string>> folders;
    std::vector<std::string> proposedFolders;
    std::vector<std::vector<ShownMenuEntry>> menus;
    std::vector<QPoint> menuPositions;

    std::vector<std::string> Texts() const;

    Answer MessageBox(const std::string& text, Buttons buttons,
                      const std::string& caption) override;
    std::string InputBox(const std::string& title, const std::string& prompt,
                         const Suggestions& suggest, const std::string& initial) override;
    std::optional<std::string> OpenFile(const FileDialogRequest& request) override;
    std::vector<std::string> OpenFiles(const FileDialogRequest& request) override;
    std::optional<std::string> SaveFile(const FileDialogRequest& request) override;
    std::optional<std::string> ChooseFolder(const std::string& proposed) override;
    void PopupMenu(QMenu& menu, QPoint position) override;
};

class ScriptedDesktop : public Desktop {
public:
    int screenWidth = 1024;
    QPoint pointer;
    bool online = false;
    std::vector<std::string> openedAddresses;

    int ScreenWidth() override { return screenWidth; }
    QPoint PointerPosition() override { return pointer; }
    bool IsOnline() override { return online; }
    bool opens = true; // whether the system has a browser
    bool OpenAddress(const std::string& address) override {
        openedAddresses.push_back(address);
        return opens;
    }
};

} // namespace penrica
