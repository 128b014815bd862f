#pragma once
// The introduction editor: loading an acupoint's introduction from its marker file, saving it
// back, the changed state, and the 10000-byte limit. A save the user asked for that fails keeps
// the unsaved text where it is: the flow that asked stops, and closing is refused.

#include "introductions/EditorMessages.h"
#include "introductions/EditorState.h"
#include "markers/MarkerState.h"
#include "platform/qt/Services.h"

#include <string>

class QLabel;
class QPushButton;

namespace penrica {

class RichEdit;
struct StyledText;

inline constexpr std::size_t kIntroductionByteLimit = 10000;

struct EditorControls {
    RichEdit* editor;        // 超级编辑框1
    QLabel* nameLabel;       // 标签编辑框穴位名称提示
    QLabel* messageLine;     // 标签右边
    QPushButton* saveButton; // 按钮保存编辑框内容
};

enum class CloseDecision { Close, StayOpen };

enum class SaveOutcome { Declined, Saved, Failed };

// What an offer to save does with the editor once the text is saved.
enum class AfterSaving { KeepContent, EmptyEditor };

// What a load does with content over the limit: a marker file's own text leaves an empty,
// disabled editor; a file the user opens leaves the editor as it was.
enum class WhenTooLong { EmptyAndDisable, KeepContent };

class IntroductionEditor {
public:
    IntroductionEditor(EditorState& state, MarkerState& markers, Services& services,
                       EditorControls controls);

    // Double-click on the image: offers to save, then loads the acupoint under the mouse.
    void ChooseAcupoint();
    // 保存: writes the changed text to the edited marker's file.
    void SaveChanges();
    // A marker with this record was just added: its empty introduction goes into the editor.
    void StartNewIntroduction(const std::string& record);
    // A marker of the image on show took a new record. When it is the one in the editor, the
    // editor now belongs to the new record: unsaved edits stay unsaved, and a save writes them
    // there.
    void MarkerRenamed(const std::string& from, const std::string& to);
    void ContentChanged();
    CloseDecision SaveOnClose();

    // The menu entries that exchange the editor's text with files the user picks
    // (IntroductionFiles.cpp).
    void OpenMulticolourText();
    void SaveAsMulticolourText();
    void OpenPlainText();

    // Writes the editor's content to the marker file of (editedImage, editedMarker).
    bool SaveIntroduction();
    // Puts content into the editor unless it is longer than the limit, which is told once.
    // True when loaded.
    bool LoadContent(const StyledText& content, WhenTooLong policy = WhenTooLong::EmptyAndDisable);
    // Tells the user once that some content is too long.
    void TellTooLong();

private:
    void LoadIntroduction(const std::string& record);
    // The editor's content as file bytes; tells of lone carriage returns once.
    std::string EncodeForSave();
    // The checks before an open: an enabled editor, and consent to replace its text.
    bool MayReplaceContent();
    // Every save of the edited text goes through here: on failure it says "保存失败" and the
    // text stays changed; on success the message line tells so and the text is unchanged.
    bool SaveEditedText();
    // Asks `question` with OK and Cancel; OK saves, Cancel lets the changes go.
    SaveOutcome AskToSave(const std::string& question);
    // Asks whether to save the changed text; false when the user wanted it saved and it failed.
    bool OfferToSave(AfterSaving then = AfterSaving::KeepContent);
    void ShowSaved();

    EditorState& state_;
    MarkerState& markers_;
    Services& services_;
    EditorControls c_;
};

} // namespace penrica
