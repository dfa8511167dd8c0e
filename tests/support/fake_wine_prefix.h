#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_dir.h"

namespace tarvex_test {

// One Condor installation of a fake prefix.
struct CondorInstall {
    int version_number = 3000;  // written as "Condor version: <n>" into Logs\Logfile.txt
    std::string player;         // the registry's "LastPlayer"; its Pilots folder is made
};

struct FakePrefixOptions {
    std::string user = "tester";  // cp1252: the folder under C:\users; $USER gets it in UTF-8
    std::optional<CondorInstall> condor2 = CondorInstall{2200, "Pilot2"};
    std::optional<CondorInstall> condor3 = CondorInstall{3000, "Pilot3"};
    bool dosdevices = true;  // dosdevices/c: -> ../drive_c and z: -> / as Wine makes them
    // Empty: the prefix lives in a fresh temporary folder removed with the object.
    // Otherwise the prefix is made in this folder (created when missing, it
    // must not hold a prefix yet) and outlives the object.
    std::filesystem::path folder;
};

// A prefix without any Condor installation.
FakePrefixOptions without_condor();

// A Wine prefix as Condor leaves it, in a temporary folder (or the options'
// folder), with WINEPREFIX and
// USER pointing at it (and USERPROFILE unset) for the object's lifetime:
// - user.reg ("WINE REGISTRY Version 2") with the Documents folder ("Personal",
//   "%USERPROFILE%\Documents" under "User Shell Folders") and, per installed Condor,
//   the key "Software\Condor2" or "Software\Condor3" with "InstallDir" and "LastPlayer";
// - drive_c/users/<user>/Documents and drive_c/users/Public;
// - per installed Condor: C:\Condor2 or C:\Condor3 with Condor.exe, Logs\Logfile.txt
//   (CR LF lines, "Condor version: <n>" among the first) and an empty Landscapes
//   folder; Documents\Condor or Documents\Condor3 with FlightPlans and
//   Pilots\<player>.
// Paths given to the hooks are Windows paths on C: ("C:\Condor3\x.txt"); they
// are mapped into drive_c as written (no case lookup).
class FakeWinePrefix {
public:
    explicit FakeWinePrefix(const FakePrefixOptions& options = {});
    FakeWinePrefix(const FakeWinePrefix&) = delete;
    FakeWinePrefix& operator=(const FakeWinePrefix&) = delete;

    // The prefix folder ($WINEPREFIX) and its drive C:.
    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path drive_c() const { return root_ / "drive_c"; }
    const std::string& user() const { return user_; }
    // The host path of a Windows path on C: (cp1252 in, UTF-8 out).
    std::filesystem::path host(const std::string& windows_path) const;
    // The variables a child process needs to see this prefix.
    std::vector<std::pair<std::string, std::string>> environment() const;

    // Windows paths of Condor's places (version 2 or 3).
    static std::string install_dir(int version);               // "C:\Condor3"
    std::string documents() const;                             // "C:\users\<user>\Documents"
    std::string user_root(int version) const;                  // Documents + "\Condor3\" (final "\")
    std::string pilot_dir(int version) const;                  // user root + "Pilots\<player>"
    std::string flight_plan(int version) const;                // pilot_dir + "\FlightPlan.fpl"
    static std::string condor_log(int version);                // install_dir + "\Logs\Logfile.txt"
    static std::string landscape_dir(int version, const std::string& name);  // install_dir + "\Landscapes\<name>"

    // Installs a Condor version (files and registry key), replacing what was there.
    void install_condor(int version, const CondorInstall& install);
    // Removes a version's install folder and its registry key (its user folders stay).
    void uninstall_condor(int version);
    // Replaces a version's Logs\Logfile.txt.
    void set_condor_log(int version, const std::string& bytes);

    // Files and folders.
    std::filesystem::path add_file(const std::string& windows_path, const std::string& bytes);
    std::filesystem::path add_folder(const std::string& windows_path);
    void remove(const std::string& windows_path);
    void set_modification_time(const std::string& windows_path, std::int64_t epoch_seconds);
    // A landscape folder with one file per entry of `files` (extension such as
    // ".trn" -> bytes), named after the landscape. Returns the folder's Windows path.
    std::string add_landscape(int version, const std::string& name,
                              const std::map<std::string, std::string>& files = {});

    // Registry of the current user (keys and texts cp1252; user.reg is rewritten).
    void set_registry_string(const std::string& key, const std::string& name, const std::string& value,
                             bool expandable = false);
    void set_registry_dword(const std::string& key, const std::string& name, std::uint32_t value);
    void remove_registry_value(const std::string& key, const std::string& name);
    void remove_registry_key(const std::string& key);
    // The text of user.reg as last written.
    std::string user_reg_text() const;

private:
    struct RegistryValue {
        std::string name;
        std::string data;  // already in the hive's notation: "\"text\"", "str(2):\"...\"", "dword:..."
    };
    struct RegistryKey {
        std::string name;
        std::vector<RegistryValue> values;
    };

    void set_registry_data(const std::string& key, const std::string& name, const std::string& data);
    void write_user_reg() const;
    std::string player(int version) const;

    std::optional<TempDir> temp_;  // the temporary folder, when no folder was given
    std::filesystem::path root_;
    std::string user_;
    ScopedEnv wineprefix_env_;
    ScopedEnv user_env_;
    ScopedEnv userprofile_env_;
    std::map<int, std::string> players_;
    std::vector<RegistryKey> registry_;
};

// A registry text in the hive's quoted notation: "\" and the quote escaped, every
// character outside printable ASCII as "\x" and its UTF-16 unit in hex.
std::string hive_quoted(const std::string& cp1252_text);

}  // namespace tarvex_test
