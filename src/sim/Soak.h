// The random-play checker: plays the game headless on the virtual clock
// with a player's inputs drawn from a seed, and reports the first crash,
// exception, broken rule of the state, lock-up or failed continue with a
// simulator script that reproduces it.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace q::soak {

// `Click`: a player clicking and typing at random. `Auto`: auto mode left
// alone for long stretches, with a rare input now and then.
enum class Mode { Click, Auto };

const char* ModeName(Mode m);

struct Options {
    Mode mode = Mode::Click;
    std::uint64_t seed = 1;
    long inputs = 2000;          // the run ends after this many inputs (waits not counted)
    std::int64_t virtualMs = 0;  // or once this much virtual time has passed (0: no bound)
    std::string folder;          // the game's current folder, emptied first
    bool shorten = true;         // shorten the script of a finding
    double shortenSeconds = 20;  // wall time the shortening may take
    std::string start;           // the starting point (SoakStarts.h) the run plays from; empty: the title
    std::vector<std::string> setUp;  // lines played once the road is over, before the player (tests)
};

struct Finding {
    std::string kind;    // "stuck", "invariant", "error", "save", "continue", "start"
    std::string detail;  // what was wrong, for a person
    std::vector<std::string> script;  // simulator lines that reproduce it
};

struct Outcome {
    long inputs = 0;  // with those played past the bound to tell a lock-up that stood at its end
    std::int64_t virtualMs = 0;
    int sessions = 0;  // program starts
    std::optional<Finding> finding;
    std::vector<std::string> script;  // every line the run played
    bool started = false;             // the road to the starting point was played to its end
    std::int64_t idleMs = 0;          // virtual time in stretches of ten minutes or more with nothing new
    std::map<std::string, long> reached;  // what the run reached (SoakCoverage.h), how often
};

Outcome Play(const Options& options);

// Plays the given script lines with every check on; with `tryForLockUp`,
// then tries every input as a run does, for a lock-up. The first finding.
std::optional<Finding> Check(const Options& options, const std::vector<std::string>& lines, bool tryForLockUp);

// Tells when the save files in the current folder are written. By their
// bytes, not their time and size: the file system keeps a write's time only
// to the tick of its clock, and a game saved twice within one tick keeps
// its size.
class SaveWatch {
public:
    // Whether file `slot` (1 or 2) was written, made or removed since the
    // last call.
    bool Written(int slot);
    bool Exists(int slot) const { return files_[slot].has_value(); }

private:
    std::optional<std::string> files_[3];
};

// The finding as a simulator script, its game files in `folder`.
std::string ScriptText(const Finding& f, const Options& options, const std::string& folder);

// Before a crash the lines played so far are written to this file (a
// sanitizer report or a fatal signal ends the program).
void SetCrashFile(const std::string& path);

}  // namespace q::soak
