#include "platform/path_map.h"

#include "platform/case_fold.h"
#include "platform/encoding.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string home_folder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] != '\0') {
        return home;
    }
    const passwd* pw = getpwuid(getuid());
    if (pw != nullptr && pw->pw_dir != nullptr) {
        return pw->pw_dir;
    }
    return "/";
}

bool is_separator(char c) { return c == '\\' || c == '/'; }

bool is_drive_prefix(std::string_view path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) != 0 && path[1] == ':';
}

// A Windows path taken apart: an optional drive, whether it starts at a root, and
// its components with "." and ".." resolved as text.
struct WindowsPathParts {
    char drive = '\0';
    bool absolute = false;
    std::vector<std::string> components;
};

WindowsPathParts split_windows_path(std::string_view path) {
    WindowsPathParts parts;
    std::size_t pos = 0;
    if (is_drive_prefix(path)) {
        parts.drive = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
        parts.absolute = true;
        pos = 2;
    } else if (!path.empty() && is_separator(path[0])) {
        parts.absolute = true;
    }
    while (pos < path.size()) {
        while (pos < path.size() && is_separator(path[pos])) {
            ++pos;
        }
        std::size_t end = pos;
        while (end < path.size() && !is_separator(path[end])) {
            ++end;
        }
        const std::string_view component = path.substr(pos, end - pos);
        pos = end;
        if (component.empty() || component == ".") {
            continue;
        }
        if (component == "..") {
            if (!parts.components.empty() && parts.components.back() != "..") {
                parts.components.pop_back();
            } else if (!parts.absolute) {
                parts.components.emplace_back("..");
            }
            continue;
        }
        parts.components.emplace_back(component);
    }
    return parts;
}

std::optional<fs::path> drive_root(char letter) {
    for (const WineDrive& drive : wine_drives()) {
        if (drive.letter == letter) {
            return fs::path(drive.root);
        }
    }
    return std::nullopt;
}

// The entry of `folder` whose name equals `name` without regard to case (cp1252
// comparison of the host's UTF-8 names); the first in name order when several do.
std::optional<std::string> find_ignoring_case(const fs::path& folder, const std::string& name_cp1252) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
        return std::nullopt;
    }
    std::optional<std::string> found;
    for (const fs::directory_entry& entry : it) {
        const std::string host_name = entry.path().filename().string();
        if (equal_ignoring_case_cp1252(utf8_to_cp1252(host_name), name_cp1252) &&
            (!found || host_name < *found)) {
            found = host_name;
        }
    }
    return found;
}

std::vector<std::string> components_of(const fs::path& path) {
    std::vector<std::string> out;
    for (const fs::path& part : path) {
        const std::string text = part.string();
        if (!text.empty()) {
            out.push_back(text);
        }
    }
    return out;
}

// Number of leading components `path` shares with `prefix` when `prefix` is a
// leading part of it, else 0.
std::size_t prefix_length(const std::vector<std::string>& path, const std::vector<std::string>& prefix) {
    if (prefix.empty() || prefix.size() > path.size()) {
        return 0;
    }
    return std::equal(prefix.begin(), prefix.end(), path.begin()) ? prefix.size() : 0;
}

struct DriveMatch {
    char letter = '\0';
    std::size_t length = 0;
};

// The drive whose root (as written, or with its links resolved) is the longest
// leading part of `path`; C: wins a tie, then the lower letter.
DriveMatch best_drive(const std::vector<std::string>& path, const std::vector<WineDrive>& drives) {
    DriveMatch best;
    for (const WineDrive& drive : drives) {
        const fs::path root = fs::path(drive.root).lexically_normal();
        std::error_code ec;
        const fs::path resolved = fs::weakly_canonical(root, ec);
        std::size_t length = prefix_length(path, components_of(root));
        if (!ec) {
            length = std::max(length, prefix_length(path, components_of(resolved)));
        }
        if (length == 0) {
            continue;
        }
        const bool better = length > best.length ||
                            (length == best.length && drive.letter == 'C' && best.letter != 'C');
        if (better) {
            best = {drive.letter, length};
        }
    }
    return best;
}

std::string join_windows(char letter, const std::vector<std::string>& components, std::size_t from) {
    std::string out{letter, ':'};
    if (from >= components.size()) {
        return out + '\\';
    }
    for (std::size_t i = from; i < components.size(); ++i) {
        out += '\\';
        out += utf8_to_cp1252(components[i]);
    }
    return out;
}

}  // namespace

std::string wine_prefix() {
    const char* prefix = std::getenv("WINEPREFIX");
    if (prefix != nullptr && prefix[0] != '\0') {
        return prefix;
    }
    return (fs::path(home_folder()) / ".wine").string();
}

namespace {

// The drives of the last prefix listed: the program maps every absolute path
// through them, and a prefix's drives do not change during a run.
struct DriveCache {
    std::mutex mutex;
    bool valid = false;
    std::string prefix;
    std::vector<WineDrive> drives;
};

DriveCache& drive_cache() {
    static DriveCache cache;
    return cache;
}

std::vector<WineDrive> list_wine_drives(const fs::path& prefix) {
    const fs::path devices = prefix / "dosdevices";
    std::vector<WineDrive> drives;
    std::error_code ec;
    fs::directory_iterator it(devices, ec);
    if (!ec) {
        for (const fs::directory_entry& entry : it) {
            const std::string name = entry.path().filename().string();
            if (name.size() != 2 || name[1] != ':' || std::islower(static_cast<unsigned char>(name[0])) == 0) {
                continue;
            }
            std::error_code link_ec;
            fs::path target = fs::read_symlink(entry.path(), link_ec);
            if (link_ec) {
                target = entry.path();
            } else if (target.is_relative()) {
                target = devices / target;
            }
            drives.push_back({static_cast<char>(std::toupper(static_cast<unsigned char>(name[0]))),
                              target.lexically_normal().string()});
        }
    }
    const auto has = [&drives](char letter) {
        return std::any_of(drives.begin(), drives.end(), [letter](const WineDrive& d) { return d.letter == letter; });
    };
    if (!has('C')) {
        drives.push_back({'C', (prefix / "drive_c").lexically_normal().string()});
    }
    if (!has('Z')) {
        drives.push_back({'Z', "/"});
    }
    std::sort(drives.begin(), drives.end(), [](const WineDrive& a, const WineDrive& b) { return a.letter < b.letter; });
    return drives;
}

}  // namespace

std::vector<WineDrive> wine_drives() {
    std::error_code absolute_ec;
    fs::path prefix = fs::absolute(fs::path(wine_prefix()), absolute_ec);
    if (absolute_ec) {
        prefix = wine_prefix();
    }
    DriveCache& cache = drive_cache();
    const std::lock_guard<std::mutex> lock(cache.mutex);
    if (!cache.valid || cache.prefix != prefix.string()) {
        cache.drives = list_wine_drives(prefix);
        cache.prefix = prefix.string();
        cache.valid = true;
    }
    return cache.drives;
}

void forget_wine_drives() {
    DriveCache& cache = drive_cache();
    const std::lock_guard<std::mutex> lock(cache.mutex);
    cache.valid = false;
}

std::optional<std::string> map_to_host(std::string_view windows_path) {
    while (!windows_path.empty() && windows_path.back() == ' ') {
        windows_path.remove_suffix(1);
    }
    if (windows_path.empty()) {
        return std::nullopt;
    }
    WindowsPathParts parts = split_windows_path(windows_path);
    fs::path base;
    if (parts.absolute) {
        char letter = parts.drive;
        if (letter == '\0') {
            letter = current_folder_windows()[0];
        }
        const std::optional<fs::path> root = drive_root(letter);
        if (!root) {
            return std::nullopt;
        }
        base = *root;
    } else {
        std::error_code ec;
        base = fs::current_path(ec);
        if (ec) {
            return std::nullopt;
        }
    }
    bool searching = true;
    for (const std::string& component : parts.components) {
        const std::string host_name = cp1252_to_utf8(component);
        if (searching && component != "..") {
            std::error_code ec;
            const bool exact = fs::exists(fs::symlink_status(base / host_name, ec));
            if (!exact) {
                const std::optional<std::string> match = find_ignoring_case(base, component);
                if (match) {
                    base /= *match;
                    continue;
                }
                searching = false;
            }
        }
        base /= host_name;
    }
    return base.string();
}

std::string map_from_host(std::string_view host_path) {
    fs::path path{std::string(host_path)};
    if (path.is_relative()) {
        std::error_code ec;
        path = fs::current_path(ec) / path;
    }
    path = path.lexically_normal();
    const std::vector<WineDrive> drives = wine_drives();
    std::vector<std::string> components = components_of(path);
    if (!components.empty() && components.back() == ".") {
        components.pop_back();
    }
    DriveMatch match = best_drive(components, drives);
    if (match.length <= 1) {
        // Held by no drive other than the whole file system: try the path with its
        // links resolved (a prefix reached through a linked folder, say).
        std::error_code ec;
        const fs::path resolved = fs::weakly_canonical(path, ec);
        if (!ec) {
            const std::vector<std::string> resolved_components = components_of(resolved);
            const DriveMatch resolved_match = best_drive(resolved_components, drives);
            if (resolved_match.length > match.length) {
                match = resolved_match;
                components = resolved_components;
            }
        }
    }
    if (match.length == 0) {
        return join_windows('Z', components, 1);
    }
    return join_windows(match.letter, components, match.length);
}

std::string current_folder_windows() {
    std::error_code ec;
    const fs::path cwd = fs::current_path(ec);
    if (ec) {
        return "Z:\\";
    }
    return map_from_host(cwd.string());
}

namespace {

// A path the user wrote that is a host path: "/" and no "\", no drive.
bool is_host_path(std::string_view path) {
    return !is_drive_prefix(path) && path.find('/') != std::string_view::npos &&
           path.find('\\') == std::string_view::npos;
}

// A Windows path written with "/" as well as "\", with "\" only.
std::string with_backslashes(std::string path) {
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

}  // namespace

std::string windows_path_from_argument(std::string_view argument) {
    if (is_host_path(argument)) {
        return map_from_host(argument);
    }
    return with_backslashes(utf8_to_cp1252(argument));
}

std::string windows_path_from_setting(std::string_view value) {
    return windows_path_from_argument(cp1252_to_utf8(value));
}
