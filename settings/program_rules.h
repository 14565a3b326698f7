#pragma once
#include <QString>
#include <QVector>

class ConfigStore;

// Which profile the program in front gets. A rule names a program, either by
// its executable's file name or by its window class, and the profile it
// gets; the default profile applies when no rule matches. Profiles are
// numbered as the user sees them, 1 to 10 (slot + 1).
//
// The rules live in the global configuration, group [programRules]:
//   autoSwitch=true|false      whether the profile follows the window in front
//   notice=true|false          a tray notice on each automatic switch
//   defaultProfile=N           the profile when no rule matches
//   count=K                    rules 1..K follow
//   program1=supertuxkart      what the rule matches
//   match1=executable|class    how it matches
//   profile1=2                 the profile it applies
// A file without the group (every file written before) means: off, with
// notices, default profile 1, no rules.
struct ProgramRule {
    enum class Match { Executable, WindowClass };
    QString program;
    Match match = Match::Executable;
    int profile = 1;

    bool operator==(const ProgramRule& other) const
    {
        return program == other.program && match == other.match && profile == other.profile;
    }
};

struct ProgramRules {
    static constexpr int MaxRules = 100;
    // An executable's file name is at most 255 bytes on every file system
    // the program meets; a window class is held to the same limit.
    static constexpr int MaxProgramBytes = 255;
    static constexpr int ProfileCount = 10;

    bool autoSwitch = false;
    bool notice = true;
    int defaultProfile = 1;
    QVector<ProgramRule> rules;

    static bool validProfile(int profile) { return profile >= 1 && profile <= ProfileCount; }

    // The rule for a program: an executable rule matches the file name
    // exactly, a class rule either part of the window class (instance or
    // class name) without regard to case. The first matching rule wins;
    // null when none does.
    const ProgramRule* find(const QString& executable, const QString& windowClassInstance,
                            const QString& windowClassName) const;
    // Index of the rule for this program and kind, or -1 (a class rule's
    // program compared without regard to case, as it matches).
    int indexOf(const QString& program, ProgramRule::Match match) const;
};

// What is wrong with a name as a rule's program, if anything.
enum class ProgramNameFault { None, Empty, Slash, ControlCharacter, TooLong };
ProgramNameFault programNameFault(const QString& program);
// Empty when `program` may be a rule's program; otherwise the reason, one
// line for the user: empty, a slash, control characters, over 255 bytes.
QString programNameRefusal(const QString& program);

// "executable" / "class", as stored and as halcyonctl prints them.
QString matchName(ProgramRule::Match match);
bool parseMatch(const QString& text, ProgramRule::Match* match);

// Reads the rules from the global configuration. Entries that are not valid
// (a refused program name, an unknown match, a profile outside 1..10) are
// skipped, and at most MaxRules are read.
ProgramRules readProgramRules(const ConfigStore& config);
// Replaces the group in the global configuration (the write reaches the disk
// with the store's next flush).
void writeProgramRules(ConfigStore& config, const ProgramRules& rules);
