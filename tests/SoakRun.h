#pragma once
// The soak's run: one library, one main window at a time, and the user's actions on it, with the
// invariants checked after each (SoakDriver.cpp); the actions are in SoakActions.cpp and
// SoakEditing.cpp.
//
// Timers: the hover timer is stopped and ticked by the actions themselves (a resting mouse, and
// during every question, as its 600 ms period would tick in the box's own loop), and a strip
// scroll runs its ticks to the end inside the action. With no tick left to the wall clock, a
// seed replays the same way on every run.

#include "AssembledWindow.h"
#include "SoakDriver.h"
#include "SoakModel.h"

#include <random>
#include <set>
#include <string>

class QLineEdit;

namespace fs = std::filesystem;
using namespace penrica;

bool StartsWith(std::string_view text, std::string_view head);
bool EndsWith(std::string_view text, std::string_view tail);

inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}
inline std::string Describe(QPoint p) {
    return QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y()).toStdString();
}

struct KeyStroke {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* name;
};

class SoakRun {
public:
    explicit SoakRun(const SoakOptions& options);
    std::string Step(std::size_t index, const SoakAction& action);
    const std::string& Note() const { return note_; }
    // The longest an action took, and what it was.
    qint64 slowestMs = 0;
    std::string slowest;

private:
    // The world.
    void MakeSources();
    void SetUpWindow();
    MainWindow& Main() { return *w_.main; }

    // Randomness of the running action.
    int Pick(int n) { return n <= 1 ? 0 : std::uniform_int_distribution<int>(0, n - 1)(r_); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(r_); }
    template <typename T> const T& OneOf(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Pick(static_cast<int>(items.size())))];
    }

    // What the user sees and does.
    void Say(const std::string& text) { note_ += text; }
    std::string EditorText() { return w_.EditorText(); }
    std::string EditorBytes();
    Answer OnQuestion(const ShownBox& box);
    void OnSavePressed();
    void HoverTick();
    QPoint PanelPoint(bool onMarker);
    void MoveTo(QPoint p);
    bool PanelShown() { return Main().画板1->width() > 0 && Main().画板1->height() > 0; }
    void PressKeys(int count);
    void ReplaceText(QLineEdit* box, const std::string& text);
    void PlayFontStyleWindow();
    void PlayQuickFormatWindow();
    void Run(const SoakAction& action);

    void StripPress();
    void Scroll();
    void Slider();
    void Drag();
    void Rest();
    void DoubleClick();
    void PanelMenu();
    void StripMenu();
    void EditorMenu();
    void Keys();
    void Type();
    void Compose();
    void Save();
    void FileMenu();
    void Search();
    void ListClick();
    void Help();
    void CloseReopen();
    void ReadOnly();

    // The invariants after an action.
    std::string Check();

    SoakOptions options_;
    AssembledWindow w_;
    fs::path sources_;
    fs::path exports_;

    std::mt19937 r_;
    std::string note_;
    Expectations expected_;
    std::string problem_; // seen while the action ran
    // Set by an action of many inputs (typing): the longest of them, which the time limit checks
    // instead of the whole action.
    std::optional<qint64> longestInputMs_;
    std::optional<std::string> loadedMarker_;
    std::optional<std::pair<std::string, std::string>> addedRecord_; // image, record
    bool configMayChange_ = false;
    std::size_t boxesBefore_ = 0;

    Tree tree_;
    std::set<std::string> everMarkers_;
    std::string config_;
    std::optional<std::pair<std::string, std::string>> owner_; // whose text the editor holds
    std::set<std::string> readOnly_; // keys of the files and folders made read-only
};
