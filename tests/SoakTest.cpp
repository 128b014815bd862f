// Random sequences of a user's actions through the assembled main window, with nothing lost.
//
// PENRICA_SOAK_ACTIONS sets the number of actions of each run (default 3000);
// PENRICA_SOAK_SEED the seed of the second run (default: a new one, printed);
// PENRICA_SOAK_TRACE=1 prints each action before it runs, to find where a crash happened;
// PENRICA_SOAK_REPLAY replays the actions it names instead of the second run's.
// A failure is shrunk to the fewest actions found that still fail within
// PENRICA_SOAK_SHRINK_SECONDS (default 120), and those are printed.

#include "SoakDriver.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <random>

namespace {

constexpr std::uint64_t kFixedSeed = 20240611;

std::uint64_t EnvNumber(const char* name, std::uint64_t fallback) {
    const char* text = std::getenv(name);
    return text != nullptr && *text != '\0' ? std::strtoull(text, nullptr, 10) : fallback;
}

void Soak(std::uint64_t seed) {
    const std::size_t count = EnvNumber("PENRICA_SOAK_ACTIONS", 3000);
    std::cout << "soak: " << count << " actions, seed " << seed << " (replay: scripts/soak "
              << count << " " << seed << ")" << std::endl;
    SoakOptions options;
    options.printEachAction = EnvNumber("PENRICA_SOAK_TRACE", 0) != 0;
    options.printProgress = true;
    const char* replay = std::getenv("PENRICA_SOAK_REPLAY");
    const std::vector<SoakAction> actions = replay != nullptr && seed != kFixedSeed
                                                ? ParseSoakActions(replay)
                                                : MakeSoakActions(seed, count);
    const auto start = std::chrono::steady_clock::now();
    const std::optional<SoakFailure> failure = RunSoak(actions, options);
    const auto seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (!failure) {
        std::cout << "soak: passed in " << seconds << " s" << std::endl;
        return;
    }
    std::ostringstream report;
    report << "after action " << failure->action << ": " << failure->what << "\nlast actions:\n";
    const std::size_t from = failure->trace.size() > 30 ? failure->trace.size() - 30 : 0;
    for (std::size_t i = from; i < failure->trace.size(); ++i) {
        report << "  " << failure->trace[i] << "\n";
    }
    const std::vector<SoakAction> shrunk =
        ShrinkSoak(actions, static_cast<double>(EnvNumber("PENRICA_SOAK_SHRINK_SECONDS", 120)));
    if (const std::optional<SoakFailure> again = RunSoak(shrunk)) {
        report << "shrunk to " << shrunk.size() << " actions:\n";
        for (const std::string& line : again->trace) {
            report << "  " << line << "\n";
        }
        report << "  → " << again->what << "\n";
        report << "replay: PENRICA_SOAK_REPLAY='" << FormatSoakActions(shrunk) << "'\n";
    }
    ADD_FAILURE() << report.str();
}

TEST(Soak, FixedSeed) {
    Soak(kFixedSeed);
}

TEST(Soak, SeedOfThisRun) {
    Soak(EnvNumber("PENRICA_SOAK_SEED", std::random_device()()));
}

} // namespace
