#include "support/fake_wine_prefix.h"

#include "platform/encoding.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <stdexcept>

namespace fs = std::filesystem;

namespace tarvex_test {

FakePrefixOptions without_condor() {
    FakePrefixOptions options;
    options.condor2.reset();
    options.condor3.reset();
    return options;
}

namespace {

constexpr const char* kShellFolders = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr const char* kUserShellFolders =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

bool same_ignoring_ascii_case(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The Unicode code point of a cp1252 byte.
char32_t code_point_of(char c) {
    const std::string utf8 = cp1252_to_utf8(std::string(1, c));
    const auto b = [&utf8](std::size_t i) { return static_cast<char32_t>(static_cast<unsigned char>(utf8[i])); };
    if (utf8.size() == 1) {
        return b(0);
    }
    if (utf8.size() == 2) {
        return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
    }
    return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
}

bool is_hex_digit(char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; }

// The hive's escaped form of a key or string, without quotes.
std::string hive_escaped(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char32_t cp = code_point_of(c);
        if (c == '\\' || c == '"') {
            out += '\\';
            out += c;
        } else if (cp >= 0x20 && cp < 0x7F) {
            out += c;
        } else {
            // Short form unless a hex digit follows, which would be read as part of it.
            const bool pad = i + 1 < text.size() && is_hex_digit(text[i + 1]);
            char buf[16];
            std::snprintf(buf, sizeof buf, pad ? "\\x%04x" : "\\x%x", static_cast<unsigned>(cp));
            out += buf;
        }
    }
    return out;
}

void write_bytes(const fs::path& file, const std::string& bytes) {
    fs::create_directories(file.parent_path());
    std::FILE* out = std::fopen(file.c_str(), "wb");
    if (out == nullptr) {
        throw std::runtime_error("cannot write " + file.string());
    }
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    if (std::fclose(out) != 0 || !ok) {
        throw std::runtime_error("cannot write " + file.string());
    }
}

std::string key_name(int version) {
    if (version != 2 && version != 3) {
        throw std::invalid_argument("Condor version must be 2 or 3");
    }
    return version == 2 ? "Software\\Condor2" : "Software\\Condor3";
}

}  // namespace

std::string hive_quoted(const std::string& cp1252_text) { return "\"" + hive_escaped(cp1252_text) + "\""; }

FakeWinePrefix::FakeWinePrefix(const FakePrefixOptions& options)
    : temp_(options.folder.empty() ? std::optional<TempDir>(std::in_place, "tarvex-wine") : std::nullopt),
      root_(temp_ ? temp_->path() : fs::absolute(options.folder)),
      user_(options.user),
      wineprefix_env_("WINEPREFIX", root_.c_str()),
      user_env_("USER", cp1252_to_utf8(options.user).c_str()),
      userprofile_env_("USERPROFILE", nullptr) {
    if (fs::exists(root_ / "user.reg") || fs::exists(root_ / "drive_c")) {
        throw std::invalid_argument("a Wine prefix is already there: " + root_.string());
    }
    fs::create_directories(drive_c() / "users" / "Public");
    fs::create_directories(host(documents()));
    fs::create_directories(drive_c() / "windows" / "system32");
    if (options.dosdevices) {
        fs::create_directories(root() / "dosdevices");
        fs::create_directory_symlink("../drive_c", root() / "dosdevices" / "c:");
        fs::create_directory_symlink("/", root() / "dosdevices" / "z:");
    }
    // Keys every Wine prefix has, so that lookups run past unrelated sections.
    set_registry_string("Control Panel\\Desktop", "DragFullWindows", "0");
    set_registry_dword("Control Panel\\Desktop", "CaretWidth", 1);
    set_registry_string(kShellFolders, "Personal", documents());
    set_registry_string(kUserShellFolders, "Personal", "%USERPROFILE%\\Documents", true);
    set_registry_string(kUserShellFolders, "Desktop", "%USERPROFILE%\\Desktop", true);
    if (options.condor2) {
        install_condor(2, *options.condor2);
    }
    if (options.condor3) {
        install_condor(3, *options.condor3);
    }
}

fs::path FakeWinePrefix::host(const std::string& windows_path) const {
    if (windows_path.size() < 2 || std::toupper(static_cast<unsigned char>(windows_path[0])) != 'C' ||
        windows_path[1] != ':') {
        throw std::invalid_argument("not a path on C: " + windows_path);
    }
    fs::path out = drive_c();
    std::size_t pos = 2;
    while (pos < windows_path.size()) {
        std::size_t end = windows_path.find('\\', pos);
        if (end == std::string::npos) {
            end = windows_path.size();
        }
        if (end > pos) {
            out /= cp1252_to_utf8(windows_path.substr(pos, end - pos));
        }
        pos = end + 1;
    }
    return out;
}

std::vector<std::pair<std::string, std::string>> FakeWinePrefix::environment() const {
    return {{"WINEPREFIX", root().string()}, {"USER", cp1252_to_utf8(user_)}};
}

std::string FakeWinePrefix::install_dir(int version) { return version == 2 ? "C:\\Condor2" : "C:\\Condor3"; }

std::string FakeWinePrefix::documents() const { return "C:\\users\\" + user_ + "\\Documents"; }

std::string FakeWinePrefix::user_root(int version) const {
    return documents() + (version == 2 ? "\\Condor\\" : "\\Condor3\\");
}

std::string FakeWinePrefix::player(int version) const {
    const auto it = players_.find(version);
    return it == players_.end() ? std::string() : it->second;
}

std::string FakeWinePrefix::pilot_dir(int version) const { return user_root(version) + "Pilots\\" + player(version); }

std::string FakeWinePrefix::flight_plan(int version) const { return pilot_dir(version) + "\\FlightPlan.fpl"; }

std::string FakeWinePrefix::condor_log(int version) { return install_dir(version) + "\\Logs\\Logfile.txt"; }

std::string FakeWinePrefix::landscape_dir(int version, const std::string& name) {
    return install_dir(version) + "\\Landscapes\\" + name;
}

void FakeWinePrefix::install_condor(int version, const CondorInstall& install) {
    const std::string key = key_name(version);
    remove_registry_key(key);
    players_[version] = install.player;
    add_file(install_dir(version) + "\\Condor.exe", "MZ");
    add_folder(install_dir(version) + "\\Landscapes");
    set_condor_log(version, "Logfile opened\r\nCondor version: " + std::to_string(install.version_number) +
                                "\r\nOS: Wine\r\n");
    add_folder(user_root(version) + "FlightPlans");
    add_folder(pilot_dir(version));
    set_registry_string(key, "InstallDir", install_dir(version));
    set_registry_string(key, "LastPlayer", install.player);
}

void FakeWinePrefix::uninstall_condor(int version) {
    const std::string key = key_name(version);
    fs::remove_all(host(install_dir(version)));
    remove_registry_key(key);
}

void FakeWinePrefix::set_condor_log(int version, const std::string& bytes) { add_file(condor_log(version), bytes); }

fs::path FakeWinePrefix::add_file(const std::string& windows_path, const std::string& bytes) {
    const fs::path file = host(windows_path);
    write_bytes(file, bytes);
    return file;
}

fs::path FakeWinePrefix::add_folder(const std::string& windows_path) {
    const fs::path folder = host(windows_path);
    fs::create_directories(folder);
    return folder;
}

void FakeWinePrefix::remove(const std::string& windows_path) { fs::remove_all(host(windows_path)); }

void FakeWinePrefix::set_modification_time(const std::string& windows_path, std::int64_t epoch_seconds) {
    const timespec times[2] = {{static_cast<time_t>(epoch_seconds), 0}, {static_cast<time_t>(epoch_seconds), 0}};
    if (utimensat(AT_FDCWD, host(windows_path).c_str(), times, 0) != 0) {
        throw std::runtime_error("cannot set the time of " + windows_path);
    }
}

std::string FakeWinePrefix::add_landscape(int version, const std::string& name,
                                          const std::map<std::string, std::string>& files) {
    const std::string folder = landscape_dir(version, name);
    add_folder(folder);
    for (const auto& [extension, bytes] : files) {
        add_file(folder + "\\" + name + extension, bytes);
    }
    return folder;
}

void FakeWinePrefix::set_registry_data(const std::string& key, const std::string& name, const std::string& data) {
    auto section = std::find_if(registry_.begin(), registry_.end(),
                                [&key](const RegistryKey& k) { return same_ignoring_ascii_case(k.name, key); });
    if (section == registry_.end()) {
        registry_.push_back({key, {}});
        section = registry_.end() - 1;
    }
    auto value = std::find_if(section->values.begin(), section->values.end(),
                              [&name](const RegistryValue& v) { return same_ignoring_ascii_case(v.name, name); });
    if (value == section->values.end()) {
        section->values.push_back({name, data});
    } else {
        value->data = data;
    }
    write_user_reg();
}

void FakeWinePrefix::set_registry_string(const std::string& key, const std::string& name, const std::string& value,
                                         bool expandable) {
    set_registry_data(key, name, (expandable ? "str(2):" : "") + hive_quoted(value));
}

void FakeWinePrefix::set_registry_dword(const std::string& key, const std::string& name, std::uint32_t value) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "dword:%08x", value);
    set_registry_data(key, name, buf);
}

void FakeWinePrefix::remove_registry_value(const std::string& key, const std::string& name) {
    for (RegistryKey& k : registry_) {
        if (same_ignoring_ascii_case(k.name, key)) {
            std::erase_if(k.values, [&name](const RegistryValue& v) { return same_ignoring_ascii_case(v.name, name); });
        }
    }
    write_user_reg();
}

void FakeWinePrefix::remove_registry_key(const std::string& key) {
    std::erase_if(registry_, [&key](const RegistryKey& k) {
        return same_ignoring_ascii_case(k.name, key) ||
               (k.name.size() > key.size() && same_ignoring_ascii_case(k.name.substr(0, key.size()), key) &&
                k.name[key.size()] == '\\');
    });
    write_user_reg();
}

std::string FakeWinePrefix::user_reg_text() const { return TempDir::read(root() / "user.reg"); }

void FakeWinePrefix::write_user_reg() const {
    std::string text =
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=win64\n";
    for (const RegistryKey& key : registry_) {
        text += "\n[" + hive_escaped(key.name) + "] 1733600000\n#time=1db49a1b2c3d4e5\n";
        for (const RegistryValue& value : key.values) {
            text += (value.name.empty() ? std::string("@") : hive_quoted(value.name)) + "=" + value.data + "\n";
        }
    }
    write_bytes(root() / "user.reg", text);
}

}  // namespace tarvex_test
