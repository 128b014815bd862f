#pragma once
// The toolkit's own texts in Simplified Chinese, as the user's Chinese Windows shows them in
// message boxes, the input box and the file dialogs: Qt's translation qtbase_zh_CN (Debian
// package qt6-translations-l10n; built into the Windows program), the few texts that it leaves in
// English, and the Chinese locale for the file types that the file dialog names.
//
// A missing translation file is not an error: the program then runs with the toolkit's English
// texts, except for the ones set here.

#include <memory>

class QFileDialog;
class QLocale;
class QTranslator;

namespace penrica {

// Installs the texts while it lives; create it after the QApplication.
class ChineseToolkitTexts {
public:
    ChineseToolkitTexts();
    ~ChineseToolkitTexts();
    ChineseToolkitTexts(const ChineseToolkitTexts&) = delete;
    ChineseToolkitTexts& operator=(const ChineseToolkitTexts&) = delete;

    // Whether Qt's own translation was found.
    bool QtTranslationLoaded() const { return qtLoaded_; }

private:
    std::unique_ptr<QTranslator> qt_;
    std::unique_ptr<QTranslator> own_;
    std::unique_ptr<QLocale> previousLocale_;
    bool qtLoaded_ = false;
};

// The file dialog's size and date columns follow the system's locale, not the program's; this
// shows them in Chinese too. Call it before the dialog is shown.
void ShowFileColumnsInChinese(QFileDialog& dialog);

} // namespace penrica
