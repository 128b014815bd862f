#include "markers/MarkerMenu.h"

#include "images/core/Zoom.h"
#include "markers/MarkerMessages.h"
#include "markers/core/MarkerRecord.h"
#include "markers/core/StandardAcupoints.h"
#include "platform/core/Files.h"
#include "platform/qt/Controls.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/Trash.h"

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
    if (!state_.movingMarker.empty()) {
        CancelMove(); // the right click the hint offers
        return;
    }
    if (!IsFullSize(c_.zoomSlider->value())) {
        return;
    }
    c_.imagePanel->Ellipse(x - kMarkRadius, y - kMarkRadius, x + kMarkRadius, y + kMarkRadius);
    const bool onMarker =
        IsMarkerOfImage(services_.folder, state_.currentImage, state_.acupointUnderMouse);
    c_.addEntry->setEnabled(!onMarker);
    c_.deleteEntry->setEnabled(onMarker);
    c_.moveEntry->setEnabled(onMarker);
    c_.renameEntry->setEnabled(onMarker);
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
        services_.prompts.MessageBox(std::string(kAddMarkerFailed) + "\r\n" + PathText(record));
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
    if (RemoveFile(MarkerFilePath(services_.folder, state_.currentImage, record)) !=
        Removal::Failed) {
        c_.statusLine->setText(QString::fromStdString(record + " 删除成功"));
        state_.markerFiles = ListMarkerFiles(services_.folder, state_.currentImage);
    }
}

void MarkerMenu::StartMove() {
    if (!IsMarkerOfImage(services_.folder, state_.currentImage, state_.acupointUnderMouse)) {
        return;
    }
    state_.movingMarker = state_.acupointUnderMouse;
    c_.statusLine->setText(QString::fromUtf8(kMoveMarkerHint));
}

bool MarkerMenu::FinishMove(int x, int y) {
    if (state_.movingMarker.empty()) {
        return false;
    }
    const std::string from = state_.movingMarker;
    state_.movingMarker.clear();
    c_.statusLine->clear();
    // The zoom cancels a waiting move, so the click is in image pixels; outside the picture it
    // places nothing.
    const std::optional<MarkerRecord> marker = ParseRecord(from);
    if (!marker || !IsFullSize(c_.zoomSlider->value()) || x < 0 || y < 0 ||
        x >= c_.imagePanel->width() || y >= c_.imagePanel->height()) {
        return true;
    }
    const std::string to = MakeRecord(x, y, marker->name);
    if (to != from) {
        Rename(from, to, kMoveMarkerFailed);
    }
    return true;
}

void MarkerMenu::CancelMove() {
    if (!state_.movingMarker.empty()) {
        state_.movingMarker.clear();
        c_.statusLine->clear();
    }
}

void MarkerMenu::RenameMarker() {
    const std::string from = state_.acupointUnderMouse;
    const std::optional<MarkerRecord> marker = ParseRecord(from);
    if (!marker || !IsMarkerOfImage(services_.folder, state_.currentImage, from)) {
        return;
    }
    const std::string name = services_.prompts.InputBox(kNewMarkerNamePrompt, kMarkerNameHint,
                                                        SuggestStandardPoints, marker->name);
    if (name.empty() || name == marker->name) {
        return;
    }
    Rename(from, MakeRecord(marker->x, marker->y, name), kRenameMarkerFailed);
}

void MarkerMenu::Rename(const std::string& from, const std::string& to, const char* failure) {
    const std::filesystem::path folder = MarkerFolder(services_.folder, state_.currentImage);
    // The same checks as adding: a plain file name, never over another record. And a marker
    // still: a name holding "！" makes a record the program no longer sees as one, out of every
    // menu's reach with its introduction.
    if (!IsSafeFileName(to) || ClassifyMarkerFile(to).kind != MarkerFileKind::Acupoint ||
        !RenameFile(folder / PathFromUtf8(from), folder / PathFromUtf8(to))) {
        services_.prompts.MessageBox(std::string(failure) + "\r\n" + PathText(to));
        return;
    }
    state_.markerFiles = ListMarkerFiles(services_.folder, state_.currentImage);
    state_.acupointUnderMouse = to; // under the mouse still
    if (onMarkerRenamed) {
        onMarkerRenamed(from, to);
    }
}

std::string MarkerMenu::PathText(const std::string& record) const {
    return PathToUtf8(MarkerFolder(services_.folder, state_.currentImage)) +
           static_cast<char>(std::filesystem::path::preferred_separator) + record;
}

} // namespace penrica
