#include "introductions/IntroductionEditor.h"

#include "introductions/EditorContent.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/qt/RichEdit.h"

#include <QLabel>
#include <QPushButton>

namespace penrica {

namespace {

QString Text(const std::string& s) {
    return QString::fromStdString(s);
}
} // namespace

IntroductionEditor::IntroductionEditor(EditorState& state, MarkerState& markers, Services& services,
                                       EditorControls controls)
    : state_(state), markers_(markers), services_(services), c_(controls) {
    c_.editor->SetByteLimit(kIntroductionByteLimit);
    c_.editor->onLimitRefused = [this] { TellTooLong(); };
}

void IntroductionEditor::TellTooLong() {
    services_.prompts.MessageBox(kTooLong);
}

std::string IntroductionEditor::EncodeForSave() {
    EncodedIntroduction encoded = EncodeIntroduction(ReadEditorContent(*c_.editor));
    if (encoded.loneCr == LoneCarriageReturn::Present) {
        services_.prompts.MessageBox(kLoneCarriageReturn);
    }
    return std::move(encoded.bytes);
}

bool IntroductionEditor::SaveIntroduction() {
    const std::string bytes = EncodeForSave();
    if (state_.editedImage.empty() || state_.editedMarker.empty()) {
        return false;
    }
    return WriteWholeFile(MarkerFilePath(services_.folder, state_.editedImage, state_.editedMarker),
                          bytes, services_.folder.Staging());
}

bool IntroductionEditor::LoadContent(const StyledText& content, WhenTooLong policy) {
    if (ContentByteLength(content) > kIntroductionByteLimit) {
        TellTooLong();
        if (policy == WhenTooLong::EmptyAndDisable) {
            c_.editor->ClearContent();
            c_.editor->ForgetUndoHistory();
            c_.editor->setEnabled(false);
        }
        return false;
    }
    LoadEditorContent(*c_.editor, content);
    return true;
}

void IntroductionEditor::LoadIntroduction(const std::string& record) {
    const std::string bytes =
        ReadWholeFile(MarkerFilePath(services_.folder, markers_.currentImage, record));
    LoadContent(DecodeIntroduction(bytes));
    // A program load is no edit of the user's: Ctrl+Z must not take it back.
    c_.editor->ForgetUndoHistory();
}

void IntroductionEditor::ShowSaved() {
    c_.messageLine->setText(
        Text("保存：" + state_.editedImage + "：" + state_.editedMarker + "  成功"));
}

bool IntroductionEditor::SaveEditedText() {
    if (!SaveIntroduction()) {
        services_.prompts.MessageBox(kSaveFailed);
        return false;
    }
    ShowSaved();
    state_.introChanged = 0;
    return true;
}

SaveOutcome IntroductionEditor::AskToSave(const std::string& question) {
    if (services_.prompts.MessageBox(question, Buttons::OkCancel) != Answer::Ok) {
        state_.introChanged = 0; // the user let the changes go
        return SaveOutcome::Declined;
    }
    return SaveEditedText() ? SaveOutcome::Saved : SaveOutcome::Failed;
}

bool IntroductionEditor::OfferToSave(AfterSaving then) {
    const SaveOutcome outcome = AskToSave(std::string(kSaveQuestion) + state_.editedMarker);
    if (outcome == SaveOutcome::Saved && then == AfterSaving::EmptyEditor) {
        c_.editor->ClearContent();
        state_.introChanged = 0; // emptying the editor is no change of the user's
    }
    return outcome != SaveOutcome::Failed;
}

void IntroductionEditor::ChooseAcupoint() {
    // The marker double-clicked: the hover timer ticks on while the question below waits for
    // an answer, and may change what is under the mouse by then.
    const std::string underMouse = markers_.acupointUnderMouse;
    // Only a marker of the image on show opens; anything else acts as empty space.
    const bool onMarker = IsMarkerOfImage(services_.folder, markers_.currentImage, underMouse);
    if (onMarker) {
        if (state_.introChanged == 1) {
            if (!state_.editedMarker.empty()) {
                c_.editor->setEnabled(true);
                if (!c_.editor->IsEmpty() && !OfferToSave()) {
                    return;
                }
            } else {
                services_.prompts.MessageBox(kDoubleClickAnAcupoint);
            }
        }
        c_.editor->setEnabled(true);
        LoadIntroduction(underMouse);
        state_.editedImage = markers_.currentImage;
        state_.editedMarker = underMouse;
        state_.introChanged = 0;
        c_.saveButton->setEnabled(false);
    }
    c_.nameLabel->setText(Text(markers_.currentImage + "：" + underMouse));
    if (onMarker) {
        state_.currentAcupoint = underMouse;
    } else {
        c_.nameLabel->setText(
            Text(markers_.currentImage + "：" + state_.currentAcupoint + std::string(kKept)));
    }
}

void IntroductionEditor::SaveChanges() {
    if (state_.introChanged != 1) {
        return;
    }
    if (state_.editedMarker.empty()) {
        services_.prompts.MessageBox(kDoubleClickAnAcupoint);
        return;
    }
    c_.editor->setEnabled(true);
    if (SaveEditedText()) {
        c_.saveButton->setEnabled(false);
    }
}

void IntroductionEditor::MarkerRenamed(const std::string& from, const std::string& to) {
    if (state_.currentAcupoint == from) {
        state_.currentAcupoint = to;
    }
    if (state_.editedImage != markers_.currentImage || state_.editedMarker != from) {
        return;
    }
    state_.editedMarker = to;
    c_.nameLabel->setText(Text(state_.editedImage + "：" + to));
}

void IntroductionEditor::StartNewIntroduction(const std::string& record) {
    if (state_.introChanged == 1) {
        c_.editor->setEnabled(true);
        // A failed save: the new marker exists, and the unsaved text stays for another try.
        if (!OfferToSave(AfterSaving::EmptyEditor)) {
            return;
        }
    }
    state_.editedImage = markers_.currentImage;
    state_.editedMarker = record;
    c_.saveButton->setEnabled(false);
    c_.nameLabel->setText(Text(state_.editedImage + "：" + record));
    c_.editor->setEnabled(true);
    c_.editor->ClearContent();
    c_.editor->ForgetUndoHistory();
}

void IntroductionEditor::ContentChanged() {
    if (c_.editor->ByteLength() > kIntroductionByteLimit) {
        // Only a change the editor could not check in advance gets here: take it back whole.
        TellTooLong();
        if (c_.editor->document()->isUndoAvailable()) {
            c_.editor->document()->undo();
        } else {
            c_.editor->ClearContent();
            c_.editor->setEnabled(false);
        }
    }
    state_.introChanged = 1;
    c_.saveButton->setEnabled(true);
    c_.messageLine->setText(QStringLiteral("请您欣赏内容"));
}

CloseDecision IntroductionEditor::SaveOnClose() {
    if (state_.editedMarker.empty() || state_.introChanged != 1) {
        return CloseDecision::Close;
    }
    return AskToSave(kCloseQuestion) == SaveOutcome::Failed ? CloseDecision::StayOpen
                                                            : CloseDecision::Close;
}

} // namespace penrica
