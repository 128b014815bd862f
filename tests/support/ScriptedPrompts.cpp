#include "tests/support/ScriptedPrompts.h"

#include <QAction>
#include <QMenu>

namespace penrica {

std::vector<std::string> ScriptedPrompts::Texts() const {
    std::vector<std::string> texts;
    for (const ShownBox& box : boxes) {
        texts.push_back(box.text);
    }
    return texts;
}

Answer ScriptedPrompts::MessageBox(const std::string& text, Buttons buttons,
                                   const std::string& caption) {
    ShownBox box{text, caption, buttons};
    if (!answers.empty()) {
        box.answer = answers.front();
        answers.pop_front();
    } else if (decide) {
        box.answer = decide(box);
    }
    boxes.push_back(box);
    return box.answer;
}

std::string ScriptedPrompts::InputBox(const std::string& title, const std::string& prompt,
                                      const Suggestions& suggest, const std::string& initial) {
    inputBoxes.emplace_back(title, prompt);
    inputInitials.push_back(initial);
    if (realInputBoxes) {
        return QtPrompts().InputBox(title, prompt, suggest, initial);
    }
    if (inputs.empty()) {
        return {};
    }
    std::string text = inputs.front();
    inputs.pop_front();
    return text;
}

namespace {
// The next scripted answer of a dialog; nothing left means cancelled.
std::optional<std::string> TakeNext(std::deque<std::optional<std::string>>& answers) {
    if (answers.empty()) {
        return std::nullopt;
    }
    std::optional<std::string> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
}
} // namespace

std::optional<std::string> ScriptedPrompts::OpenFile(const FileDialogRequest& request) {
    fileDialogs.push_back(request);
    return TakeNext(files);
}

std::vector<std::string> ScriptedPrompts::OpenFiles(const FileDialogRequest& request) {
    if (fileLists.empty()) {
        std::optional<std::string> one = OpenFile(request);
        return one ? std::vector<std::string>{*one} : std::vector<std::string>{};
    }
    fileDialogs.push_back(request);
    std::vector<std::string> chosen = std::move(fileLists.front());
    fileLists.pop_front();
    return chosen;
}

std::optional<std::string> ScriptedPrompts::SaveFile(const FileDialogRequest& request) {
    return OpenFile(request);
}

std::optional<std::string> ScriptedPrompts::ChooseFolder(const std::string& proposed) {
    proposedFolders.push_back(proposed);
    return TakeNext(folders);
}

void ScriptedPrompts::PopupMenu(QMenu& menu, QPoint position) {
    std::vector<ShownMenuEntry> entries;
    for (QAction* action : menu.actions()) {
        entries.push_back(
            {action->isSeparator() ? "-" : action->text().toStdString(), action->isEnabled()});
    }
    menus.push_back(entries);
    menuPositions.push_back(position);
    if (menuChoices.empty()) {
        return;
    }
    std::string choice = menuChoices.front();
    menuChoices.pop_front();
    for (QAction* action : menu.actions()) {
        if (!action->isSeparator() && action->isEnabled() &&
            action->text().toStdString() == choice) {
            action->trigger();
            return;
        }
    }
}

} // namespace penrica
