#include "markers/MarkerMenu.h"

#include "images/core/Zoom.h"
#include "markers/MarkerMessages.h"
#include "markers/core/MarkerRecord.h"
#include "markers/core/StandardAcupoints.h"
#include "platform/core/Files.h"
#include "platform/qt/Controls.h"
#include "platform/qt/DrawPanel.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSlider>

namespace penrica {

namespace {
constexpr int kMarkRadius = 5;

// The standard points that match what is typed; a choice puts the point's name in the box.
std::vector<Suggestion> SuggestStandardPoints(const std::string& typed) {
    std::vector<Suggestion> suggestions;
    for (const StandardPoint* point : SuggestPoints(typed)) {
        suggestions.push_back({SuggestionText(*point), point->name});
    }
    return suggestions;
}
} // namespace

MarkerMenu::MarkerMenu(MarkerState& state, Services& services, MarkerControls controls)
    : state_(state), services_(services), c_(controls) {}

void MarkerMenu::ShowMarkerMenu(int x, int y) {
    if (!IsFullSize(c_.zoomSlider->value())) {
        return;
    }
    c_.imagePanel->Ellipse(x - kMarkRadius, y - kMarkRadius, x + kMarkRadius, y + kMarkRadius);
    const bool onMarker =
        IsMarkerOfImage(services_.folder, state_.currentImage, state_.acupointUnderMouse);
    c_.addEntry->setEnabled(!onMarker);
    c_.deleteEntry->setEnabled(onMarker);
    state_.rightClickX = x;
    state_.rightClickY = y;
    PopupAtPointer(services_, *c_.panelMenu);
}

void MarkerMenu::AddMarker() {
    const std::string name =
        services_.prompts.InputBox(kMarkerNamePrompt, kMarkerNameHint, SuggestStandardPoints);
    if (name.empty()) {
        return;
    }
    const std::string record = MakeRecord(state_.rightClickX, state_.rightClickY, name);
    const std::filesystem::path folder = MarkerFolder(services_.folder, state_.currentImage);
    // A name that is no plain file name, or an existing marker's record, writes nothing.
    const bool created = IsSafeFileName(record) && CreateNewFile(folder / PathFromUtf8(record));
    if (!created) {
        services_.prompts.MessageBox(std::string(kAddMarkerFailed) + "\r\n" + PathToUtf8(folder) +
                                     static_cast<char>(std::filesystem::path::preferred_separator) +
                                     record);
        return;
    }
    state_.markerFiles = ListMarkerFiles(services_.folder, state_.currentImage);
    if (onMarkerAdded) {
        onMarkerAdded(record);
    }
}

void MarkerMenu::DeleteMarker() {
    const std::string record = state_.acupointUnderMouse;
    if (!IsMarkerOfImage(services_.folder, state_.currentImage, record)) {
        return;
    }
    if (services_.prompts.MessageBox(DeleteMarkerQuestion(record), Buttons::OkCancel) !=
        Answer::Ok) {
        return;
    }
    if (DeleteFile(MarkerFilePath(services_.folder, state_.currentImage, record))) {
        c_.statusLine->setText(QString::fromStdString(record + " 删除成功"));
        state_.markerFiles = ListMarkerFiles(services_.folder, state_.currentImage);
    }
}

} // namespace penrica
