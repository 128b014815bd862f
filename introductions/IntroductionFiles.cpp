// Opening a multicolour text (.vorn) or a plain text (.txt) into the editor and saving the
// editor's text as a .vorn file. An unreadable file reads as empty. Nothing too long for the
// editor is ever half loaded: the editor then keeps what it had.

#include "introductions/IntroductionEditor.h"

#include "introductions/EditorContent.h"
#include "platform/core/Files.h"
#include "platform/core/TextCodec.h"
#include "platform/qt/RichEdit.h"

namespace penrica {

namespace {
const FileDialogRequest kVornDialog{"vorn(vorn)|*.vorn", "vorn"};
const FileDialogRequest kTextDialog{"txt(*.txt)|*.txt", "txt"};
} // namespace

bool IntroductionEditor::MayReplaceContent() {
    if (!c_.editor->isEnabled()) {
        services_.prompts.MessageBox(kPickImageAndAcupointFirst);
        return false;
    }
    return c_.editor->IsEmpty() ||
           services_.prompts.MessageBox(ReplaceQuestion(state_.currentAcupoint),
                                        Buttons::OkCancel) == Answer::Ok;
}

void IntroductionEditor::OpenMulticolourText() {
    if (!MayReplaceContent()) {
        return;
    }
    const std::optional<std::string> chosen = services_.prompts.OpenFile(kVornDialog);
    if (!chosen) {
        return;
    }
    LoadContent(DecodeIntroduction(ReadWholeFile(PathFromUtf8(*chosen))), WhenTooLong::KeepContent);
}

void IntroductionEditor::SaveAsMulticolourText() {
    if (!c_.editor->isEnabled()) {
        services_.prompts.MessageBox(kPickImageAndAcupointFirst);
        return;
    }
    if (c_.editor->IsEmpty()) {
        services_.prompts.MessageBox(kNoContent);
        return;
    }
    const std::optional<std::string> chosen = services_.prompts.SaveFile(kVornDialog);
    if (!chosen) {
        return;
    }
    if (!WriteWholeFile(PathFromUtf8(*chosen), EncodeForSave())) {
        services_.prompts.MessageBox(kSaveFailed);
    }
}

void IntroductionEditor::OpenPlainText() {
    if (!MayReplaceContent()) {
        return;
    }
    const std::optional<std::string> chosen = services_.prompts.OpenFile(kTextDialog);
    if (!chosen) {
        return;
    }
    const std::string file = ReadWholeFile(PathFromUtf8(*chosen));
    const std::string_view bytes = StoredBytes(file);
    if (bytes.size() > kIntroductionByteLimit) {
        services_.prompts.MessageBox(kPlainTextTooLong);
        return;
    }
    const QString text = QString::fromStdString(DecodeGbk(bytes));
    // A bare LF takes two bytes in the editor, so the editor's own count decides too.
    if (RichEdit::ByteLengthOf(text) > kIntroductionByteLimit) {
        TellTooLong();
        return;
    }
    c_.editor->SetPlainContent(text);
}

} // namespace penrica
