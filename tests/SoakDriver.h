#pragma once
// The soak: long random sequences of a user's actions through the assembled main window, with
// the data invariants checked after every action.
//
// An action is a kind and a seed. Everything else it does (where it clicks, what it types, how
// it answers each question) comes from its own seed when it runs, so a sequence replays exactly,
// and leaving actions out of it still gives a sequence that runs: that is how a failure shrinks.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class SoakAct {
    StripPress,  // left press on the thumbnail strip
    Scroll,      // one of the two scroll buttons, until the strip stops
    Slider,      // a key or a click on the zoom slider
    Drag,        // press, move and release on the image
    Rest,        // the mouse moves over the image and rests there
    DoubleClick, // on a marker or on empty space
    PanelMenu,   // right press on the image and an entry of its popup menu
    StripMenu,   // right press on the strip and its delete entry
    EditorMenu,  // right press in the editor and an entry of its popup menu
    Keys,        // keys in a control: editing keys, Ctrl+Z, Return, Escape, Tab, Space ...
    Type,        // text typed into the editor or the search box
    Compose,     // an input method's composition there, committed, cancelled or left open
    Save,        // 保存, by the mouse or by a key while it has the focus
    FileMenu,    // an entry of 文件, with a chosen file or a cancelled dialog
    Search,      // a search text and 查找穴位
    ListClick,   // a click in the acupoint list
    Help,        // an entry of 帮助, or the version label
    CloseReopen, // the window system closes the main window; a new one opens
    ReadOnly,    // a marker file or folder becomes read-only, or writable again
};

struct SoakAction {
    SoakAct act;
    std::uint32_t seed;
};

std::vector<SoakAction> MakeSoakActions(std::uint64_t seed, std::size_t count);

struct SoakFailure {
    std::size_t action = 0;         // index of the action after which an invariant broke
    std::string what;               // the invariant
    std::vector<std::string> trace; // what each action did, up to the failing one
};

struct SoakOptions {
    bool printEachAction = false; // to see where a crash happened
    bool printProgress = false;   // every 10000 actions, and the slowest action at the end
    int actionTimeLimitMs = 1000;
};

// Runs the actions on a fresh library in a new main window; the first broken invariant, if any.
std::optional<SoakFailure> RunSoak(const std::vector<SoakAction>& actions,
                                   const SoakOptions& options = {});

// A shorter sequence that breaks the same invariant, found by leaving actions out while replays
// still fail, for at most about `budgetSeconds`.
std::vector<SoakAction> ShrinkSoak(std::vector<SoakAction> actions, double budgetSeconds);

// "DoubleClick:123 Type:456": a sequence as text, to replay it through PENRICA_SOAK_REPLAY.
std::string FormatSoakActions(const std::vector<SoakAction>& actions);
std::vector<SoakAction> ParseSoakActions(const std::string& text);
