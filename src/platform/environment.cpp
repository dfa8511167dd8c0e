#include "platform/environment.h"

#include "platform/case_fold.h"
#include "platform/console.h"
#include "platform/encoding.h"
#include "platform/files.h"
#include "platform/path_map.h"

#include <pwd.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string_view>
#include <thread>
#include <vector>

extern char** environ;

namespace {

std::optional<std::string> real_variable(const std::string& name) {
    if (const char* exact = std::getenv(name.c_str()); exact != nullptr) {
        return std::string(exact);
    }
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        const std::string_view text(*entry);
        const std::size_t equals = text.find('=');
        if (equals != std::string_view::npos && equal_ignoring_case_cp1252(text.substr(0, equals), name)) {
            return std::string(text.substr(equals + 1));
        }
    }
    return std::nullopt;
}

std::string login_name() {
    for (const char* name : {"USER", "LOGNAME"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') {
            return value;
        }
    }
    const passwd* pw = getpwuid(getuid());
    return pw != nullptr && pw->pw_name != nullptr ? pw->pw_name : "";
}

// The user's folder name under C:\users: $USER's own when it is there, else the
// only folder other than "Public".
std::optional<std::string> wine_user() {
    const std::string own = utf8_to_cp1252(login_name());
    const bool plain_name = !own.empty() && own != "." && own != ".." && own.find_first_of("\\/") == std::string::npos;
    if (plain_name && folder_exists("C:\\users\\" + own)) {
        return own;
    }
    std::vector<std::string> names;
    if (list_folder("C:\\users", names) != 0) {
        return std::nullopt;
    }
    std::optional<std::string> only;
    for (const std::string& name : names) {
        if (equal_ignoring_case_cp1252(name, "Public") || !folder_exists("C:\\users\\" + name)) {
            continue;
        }
        if (only) {
            return std::nullopt;
        }
        only = name;
    }
    return only;
}

std::optional<std::string> derived_variable(const std::string& name) {
    const auto is = [&name](std::string_view candidate) { return equal_ignoring_case_cp1252(name, candidate); };
    if (is("PUBLIC")) {
        return "C:\\users\\Public";
    }
    if (is("ALLUSERSPROFILE") || is("ProgramData")) {
        return "C:\\ProgramData";
    }
    if (is("SystemDrive") || is("HOMEDRIVE")) {
        return "C:";
    }
    if (is("SystemRoot") || is("windir")) {
        return "C:\\windows";
    }
    const bool per_user =
        is("USERPROFILE") || is("USERNAME") || is("HOMEPATH") || is("APPDATA") || is("LOCALAPPDATA");
    if (!per_user) {
        return std::nullopt;
    }
    const std::optional<std::string> user = wine_user();
    if (!user) {
        return std::nullopt;
    }
    const std::string profile = "C:\\users\\" + *user;
    if (is("USERPROFILE")) {
        return profile;
    }
    if (is("USERNAME")) {
        return *user;
    }
    if (is("HOMEPATH")) {
        return profile.substr(2);
    }
    if (is("APPDATA")) {
        return profile + "\\AppData\\Roaming";
    }
    return profile + "\\AppData\\Local";
}

bool starts_with_french_code(std::string_view value) {
    if (value.size() < 2 || std::tolower(static_cast<unsigned char>(value[0])) != 'f' ||
        std::tolower(static_cast<unsigned char>(value[1])) != 'r') {
        return false;
    }
    if (value.size() == 2) {
        return true;
    }
    const char next = value[2];
    return next == '_' || next == '-' || next == '.' || next == '@' || next == ':';
}

}  // namespace

int MyGetEnv(const std::string& name, std::string& value, int len) {
    if (name.empty() || name.find('=') != std::string::npos) {
        return 0;
    }
    std::optional<std::string> found;
    if (const std::optional<std::string> real = real_variable(name)) {
        found = utf8_to_cp1252(*real);
    } else {
        found = derived_variable(name);
    }
    if (!found) {
        return 0;
    }
    const auto length = static_cast<long long>(found->size());
    if (length + 1 > len) {
        return static_cast<int>(length + 1);
    }
    value = *found;
    return static_cast<int>(length);
}

std::string exe_host_path() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::string() : exe.string();
}

int GetExePath(std::string& path, int len) {
    const std::string exe = exe_host_path();
    if (exe.empty()) {
        return 0;
    }
    const std::string windows = map_from_host(exe);
    if (static_cast<long long>(windows.size()) + 1 > len) {
        return 0;
    }
    path = windows;
    return static_cast<int>(windows.size());
}

int IsLanguageFrench() {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && value[0] != '\0') {
            return starts_with_french_code(value) ? 1 : 0;
        }
    }
    return 0;
}

void HideConsole() {
    const int processes = isatty(STDOUT_FILENO) != 0 ? 2 : 1;
    console_line("nb proc " + std::to_string(processes));
    console_line(processes > 1 ? "I'm not the last one!" : "I'm the last one!");
}

void My_Sleep(int dwMilliseconds) {
    if (dwMilliseconds > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(dwMilliseconds));
    }
}
