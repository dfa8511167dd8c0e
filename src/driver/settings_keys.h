#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

// The settings of the settings file "Tarvex.ini", in one table: read_ini reads
// each key=value line by it, create_ini writes the file from it in the table's
// order, and the setup form reads and writes the settings through it. Each
// setting has its key, the comment lines written above it, its type, the
// option member it holds and, where the member alone does not say it, its own
// way of reading and writing the value.

// The file's own switches: they go back to read_ini's and come from
// create_ini's caller instead of living in an option record.
struct SettingsFileSwitches {
    bool verbose = false;           // "verbose" (qverb)
    bool aat = false;               // "AAT=1" (qaat_0)
    bool condor1_warnings = false;  // "Condor 1 warnings" (qwrnc1); read, never written
    int version = 0;                // "Tarvex Version" (nv1)
};

enum class SettingType {
    text,     // a path or a name; a path in any form the command line takes (read_ini
              // gives it in Windows form)
    flag,     // "1" or "0", as its comment says, or a word beginning with Y or N; any
              // other value is refused
    integer,  // a whole number within the setting's range
    choice,   // a word or number with a meaning of its own (target, language, modes),
              // one of those its comment lists
};

// The option member a setting holds; none where it sets several or a switch
// of SettingsFileSwitches.
using SettingMember = std::variant<std::monostate, std::string*, bool*, int*>;

struct Setting {
    std::string_view key;
    // The lines written above "key=value", "\n" between them; empty for a
    // key that is read but never written (an older name, a read-only switch).
    std::string_view comment;
    SettingType type;
    SettingMember member;
    // A blank value is applied too; otherwise a blank value leaves everything
    // as it was.
    bool blank_applies = false;
    // Own rules, where the member and the type do not say it all: read stores
    // a value, write gives the value written.
    void (*read)(const std::string& value, SettingsFileSwitches& file) = nullptr;
    std::string (*write)(const SettingsFileSwitches& file) = nullptr;
    // Own rule of the values the program cannot use (see setting_refusal).
    std::string (*refusal)(std::string_view key, const std::string& value) = nullptr;
};

// Every setting: those written, in the file's order, then those only read.
std::span<const Setting> settings_table();

// The setting of a key (exact match), nullptr when the key has none.
const Setting* find_setting(std::string_view key);

// Why the program cannot use `value` for the setting, in the run's language:
// "<key>=<value> : <reason>", empty when it can. A setting takes what its
// comment in the file documents and nothing else: a number setting a whole
// number ("12abc", "50.7" are none) within its range (the airspace margin
// never negative, the start margin and speed within the ranges of
// foundation/task_rule_limits.h, a mode one of the numbers its comment lists),
// a switch "0" or "1" (or a word beginning with Y or N), the target and the language one of their words (any
// letter case); a text setting's value (a path or a name) must fit a path
// field: "<key>=<value> : path too long (at most 256 characters)"
// (foundation/path_length.h). A blank value that counts as none is no
// refusal. Such a value is refused, never applied nor cut.
std::string setting_refusal(const Setting& setting, const std::string& value);

// Applies a value to what the setting holds: its own rule, else by its type
// into its member. A blank value counts only where blank_applies.
void read_setting(const Setting& setting, const std::string& value, SettingsFileSwitches& file);

// The value written for the setting: its own rule, else its member by type.
std::string written_value(const Setting& setting, const SettingsFileSwitches& file);
