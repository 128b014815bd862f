#pragma once
// The program's questions and dialogs, and what it asks of the desktop. Handlers reach them only
// through these seams, so tests can answer from a script and read back what was shown.

#include <QPoint>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QMenu;

namespace penrica {

enum class Buttons { Ok, OkCancel };
enum class Answer { Ok, Cancel };

inline constexpr const char* kDefaultCaption = "信息：";

// Filters are written as the program's dialogs name them: "text|pattern|text|pattern".
struct FileDialogRequest {
    std::string filter;
    std::string defaultExtension;
};

// What an input box offers while the user types: the line shown, and the text a choice puts in
// the box.
struct Suggestion {
    std::string shown;
    std::string text;
};
using Suggestions = std::function<std::vector<Suggestion>(const std::string& typed)>;

class Prompts {
public:
    virtual ~Prompts() = default;

    // Modal. Closing the box counts as Cancel.
    virtual Answer MessageBox(const std::string& text, Buttons buttons = Buttons::Ok,
                              const std::string& caption = kDefaultCaption) = 0;
    // The typed text; empty on Cancel. With `suggest`, the box offers what it gives for the text
    // typed so far. The box opens holding `initial`, selected.
    virtual std::string InputBox(const std::string& title, const std::string& prompt,
                                 const Suggestions& suggest = {},
                                 const std::string& initial = {}) = 0;
    // The chosen path (UTF-8), or nothing when cancelled.
    virtual std::optional<std::string> OpenFile(const FileDialogRequest& request) = 0;
    // An open dialog that takes several files: the chosen paths (UTF-8) in the dialog's order,
    // none when cancelled.
    virtual std::vector<std::string> OpenFiles(const FileDialogRequest& request) = 0;
    virtual std::optional<std::string> SaveFile(const FileDialogRequest& request) = 0;
    // A folder dialog that proposes the folder `proposed`, which need not exist yet; the chosen
    // folder (UTF-8), or nothing when cancelled.
    virtual std::optional<std::string> ChooseFolder(const std::string& proposed) = 0;
    // Shows the menu at `position` (screen coordinates); a chosen entry triggers its action.
    virtual void PopupMenu(QMenu& menu, QPoint position) = 0;
};

class Desktop {
public:
    virtual ~Desktop() = default;

    virtual int ScreenWidth() = 0;
    virtual QPoint PointerPosition() = 0;
    virtual bool IsOnline() = 0;
    // False when the system has no program to open it with.
    virtual bool OpenAddress(const std::string& address) = 0;
};

// The real dialogs of the window system.
class QtPrompts : public Prompts {
public:
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

// The real screen, pointer, network state and browser. The online check asks only the local
// network interfaces and sends nothing.
class QtDesktop : public Desktop {
public:
    int ScreenWidth() override;
    QPoint PointerPosition() override;
    bool IsOnline() override;
    bool OpenAddress(const std::string& address) override;
};

// "jpg(jpg)|*.jpg|bmp(bmp)|*.bmp" becomes Qt's "jpg(jpg) (*.jpg);;bmp(bmp) (*.bmp)".
std::string ToQtFilter(const std::string& filter);

} // namespace penrica
