#pragma once
// The introduction editor: loading an acupoint's introduction from its marker file, saving it
// back, the changed state, and the 10000-byte limit. A save the user asked for that fails keeps
// the unsaved text where it is: the flow that asked stops, and closing is refused.

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

class IntroductionEditor {
public:
    IntroductionEditor(EditorState& state, MarkerState& markers, Services& services,
                       EditorControls controls);

    // Double-click on the image: offers to save, then loads the acupoint under the mouse.
    void ChooseAcupoint();
    void SaveButton();
    // A marker with this record was just added: its empty introduction goes into the editor.
    void StartNewIntroduction(const std::string& record);
    void ContentChanged();
    CloseDecision SaveOnClose();

    // Writes the editor's content to the marker file of (editedImage, editedMarker).
    bool SaveIntroduction();
    // Puts content into the editor unless it is longer than the limit, which is told once and
    // leaves the editor empty and disabled. True when loaded.
    bool LoadContent(const StyledText& content);
    // Tells the user once that some content is too long.
    void TellTooLong();

private:
    void LoadIntroduction();
    // Asks whether to save the changed text; false when the user wanted it saved and it failed.
    bool OfferToSave();
    void ShowSaved();

    EditorState& state_;
    MarkerState& markers_;
    Services& services_;
    EditorControls c_;
};

} // namespace penrica
