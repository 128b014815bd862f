#include "platform/qt/Prompts.h"

#include "platform/core/Files.h"
#include "platform/core/TextRules.h"
#include "platform/qt/InputDialog.h"
#include "platform/qt/ToolkitTexts.h"

#include <QApplication>
#include <QCursor>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QNetworkInterface>
#include <QPushButton>
#include <QScreen>
#include <QUrl>

namespace penrica {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

// The window a box belongs to: the modal window the user works in, else the active one. The box
// then stays above it, opens centred on it, and has no taskbar button of its own.
QWidget* Opener() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    return QApplication::activeWindow();
}

// What the dialog gives, in its order; nothing when cancelled.
std::vector<std::string> ChosenFiles(QFileDialog& dialog) {
    ShowFileColumnsInChinese(dialog);
    if (dialog.exec() != QDialog::Accepted) {
        return {};
    }
    std::vector<std::string> chosen;
    for (const QString& file : dialog.selectedFiles()) {
        chosen.push_back(file.toStdString());
    }
    return chosen;
}

std::optional<std::string> First(const std::vector<std::string>& chosen) {
    return chosen.empty() ? std::nullopt : std::optional<std::string>(chosen.front());
}

std::optional<std::string> Chosen(QFileDialog& dialog) {
    return First(ChosenFiles(dialog));
}

std::vector<std::string> RunFileDialog(const FileDialogRequest& request,
                                       QFileDialog::AcceptMode mode,
                                       QFileDialog::FileMode fileMode) {
    QFileDialog dialog(Opener());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(fileMode);
    dialog.setNameFilter(Q(ToQtFilter(request.filter)));
    dialog.setDefaultSuffix(Q(request.defaultExtension));
    return ChosenFiles(dialog);
}

} // namespace

std::string ToQtFilter(const std::string& filter) {
    std::vector<std::string> pieces = SplitText(filter, "|");
    std::string out;
    for (std::size_t i = 0; i + 1 < pieces.size(); i += 2) {
        if (!out.empty()) {
            out += ";;";
        }
        std::string patterns = pieces[i + 1];
        for (char& c : patterns) {
            if (c == ';') {
                c = ' ';
            }
        }
        out += pieces[i] + " (" + patterns + ")";
    }
    return out;
}

Answer QtPrompts::MessageBox(const std::string& text, Buttons buttons, const std::string& caption) {
    QMessageBox box(Opener());
    box.setIcon(QMessageBox::NoIcon);
    box.setWindowTitle(Q(caption));
    box.setText(Q(text));
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    if (buttons == Buttons::OkCancel) {
        box.addButton(QMessageBox::Cancel);
    }
    box.exec();
    return box.clickedButton() == ok ? Answer::Ok : Answer::Cancel;
}

std::string QtPrompts::InputBox(const std::string& title, const std::string& prompt,
                                const Suggestions& suggest, const std::string& initial) {
    InputDialog box(title, prompt, suggest, Opener());
    box.Line()->setText(QString::fromStdString(initial));
    box.Line()->selectAll();
    return box.exec() == QDialog::Accepted ? box.Line()->text().toStdString() : std::string();
}

std::optional<std::string> QtPrompts::OpenFile(const FileDialogRequest& request) {
    return First(RunFileDialog(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFile));
}

std::vector<std::string> QtPrompts::OpenFiles(const FileDialogRequest& request) {
    return RunFileDialog(request, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
}

std::optional<std::string> QtPrompts::SaveFile(const FileDialogRequest& request) {
    return First(RunFileDialog(request, QFileDialog::AcceptSave, QFileDialog::AnyFile));
}

std::optional<std::string> QtPrompts::ChooseFolder(const std::string& proposed) {
    // The dialog takes only a folder that exists: a proposed one is made for it, and goes again
    // when the user takes another while it is still empty. Where it cannot be made, the dialog
    // opens in the folder that would hold it.
    const std::filesystem::path folder = PathFromUtf8(proposed);
    const bool made = !Exists(folder) && CreateFolder(folder);
    const std::filesystem::path start = IsFolder(folder) ? folder : folder.parent_path();
    QFileDialog dialog(Opener(), QString(), Q(PathToUtf8(start)));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    std::optional<std::string> chosen = Chosen(dialog);
    if (chosen) {
        // Qt's dialogs give "/" on every system; the paths shown to the user are the system's.
        chosen = QDir::toNativeSeparators(Q(*chosen)).toStdString();
    }
    std::error_code ec;
    if (made && (!chosen || !std::filesystem::equivalent(PathFromUtf8(*chosen), folder, ec))) {
        std::filesystem::remove(folder, ec); // removes only an empty folder
    }
    return chosen;
}

void QtPrompts::PopupMenu(QMenu& menu, QPoint position) {
    menu.exec(position);
}

int QtDesktop::ScreenWidth() {
    QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().width() : 0;
}

QPoint QtDesktop::PointerPosition() {
    return QCursor::pos();
}

bool QtDesktop::IsOnline() {
    for (const QNetworkInterface& iface : QNetworkInterface::allInterfaces()) {
        const auto flags = iface.flags();
        if (!flags.testFlag(QNetworkInterface::IsUp) ||
            !flags.testFlag(QNetworkInterface::IsRunning) ||
            flags.testFlag(QNetworkInterface::IsLoopBack)) {
            continue;
        }
        for (const QNetworkAddressEntry& entry : iface.addressEntries()) {
            if (!entry.ip().isLoopback() && !entry.ip().isLinkLocal()) {
                return true;
            }
        }
    }
    return false;
}

bool QtDesktop::OpenAddress(const std::string& address) {
    return QDesktopServices::openUrl(QUrl::fromUserInput(Q(address)));
}

} // namespace penrica
