#include "support/demo_setup.h"

#include "driver/forms_gui.h"
#include "support/temp_dir.h"

#include <stdexcept>
#include <string_view>
#include <system_error>

namespace fs = std::filesystem;

namespace tarvex_test {

namespace {

// Text with every line ending in CR LF (LF and CR LF accepted).
std::string crlf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) {
            out += '\r';
        }
        out += text[i];
    }
    return out;
}

std::string landscape_file(const std::string& extension) { return std::string(kDemoLandscape) + extension; }

// Hard link when the program and the prefix share a file system (cheap), else a copy.
void place_program(const fs::path& program, const fs::path& target) {
    fs::create_directories(target.parent_path());
    std::error_code ec;
    fs::create_hard_link(program, target, ec);
    if (ec) {
        fs::copy_file(program, target, fs::copy_options::overwrite_existing);
        fs::permissions(target, fs::status(program).permissions());
    }
}

class DemoPlacer {
public:
    DemoPlacer(FakeWinePrefix& prefix, const fs::path& demo) : prefix_(prefix), demo_(demo) {}

    void text(const std::string& relative, const std::string& windows_path) const {
        prefix_.add_file(windows_path, demo_text(demo_, relative));
    }
    void bytes(const std::string& relative, const std::string& windows_path) const {
        prefix_.add_file(windows_path, TempDir::read(demo_ / relative));
    }

private:
    FakeWinePrefix& prefix_;
    fs::path demo_;
};

bool has_condor(const FakeWinePrefix& prefix, int version) {
    return fs::exists(prefix.host(FakeWinePrefix::install_dir(version) + "\\Condor.exe"));
}

}  // namespace

fs::path demo_source_folder() { return fs::path(TARVEX_SOURCE_DIR) / "demo"; }

fs::path data_source_folder() { return fs::path(TARVEX_SOURCE_DIR) / "data"; }

std::string demo_text(const fs::path& demo_folder, const std::string& relative) {
    return crlf(TempDir::read(demo_folder / relative));
}

DemoSetup lay_out_demo(FakeWinePrefix& prefix, const DemoOptions& options) {
    if (!fs::is_directory(options.demo_folder)) {
        throw std::invalid_argument("no demo folder: " + options.demo_folder.string());
    }
    const DemoPlacer place(prefix, options.demo_folder);
    DemoSetup setup;

    for (const int version : {3, 2}) {
        if (!has_condor(prefix, version)) {
            continue;
        }
        const std::string landscape =
            FakeWinePrefix::landscape_dir(version, kDemoLandscape) + "\\" + kDemoLandscape;
        place.bytes("landscape/" + landscape_file(".trn"), landscape + ".trn");
        place.bytes("landscape/" + landscape_file(".apt"), landscape + ".apt");
        place.text("landscape/" + landscape_file(".cup"), landscape + ".cup");
        if (version == 3) {
            place.text("landscape/" + landscape_file(".air"), landscape + ".air");
        }
        const std::string root = prefix.user_root(version);
        place.text("landscape/" + landscape_file(".cup"), root + "Turnpoints\\" + landscape_file(".cup"));

        const std::string plan = version == 3 ? kDemoCondor3Plan : kDemoCondor2Plan;
        std::string& plan_path = version == 3 ? setup.condor3_plan : setup.condor2_plan;
        plan_path = root + "FlightPlans\\" + plan;
        place.text("flightplans/" + plan, plan_path);
        place.text("flightplans/" + plan, prefix.flight_plan(version));
        place.text("condor/Setup.ini", prefix.pilot_dir(version) + "\\Setup.ini");
        if (setup.seeyou_task.empty()) {
            setup.seeyou_task = root + "FlightPlans\\" + kDemoSeeYouTask;
            place.text(std::string("flightplans/") + kDemoSeeYouTask, setup.seeyou_task);
        }

        // Condor 3 newest, so that it is the active version when both are there.
        const std::int64_t time = kDemoFileTime + (version == 3 ? 60 : 0);
        prefix.set_modification_time(FakeWinePrefix::condor_log(version), kDemoFileTime);
        prefix.set_modification_time(prefix.flight_plan(version), time);
    }

    setup.xcsoar_tasks = std::string(kDemoXcsoarRoot) + "\\Tasks";
    setup.lk8000_tasks = std::string(kDemoLk8000Root) + "\\_Tasks";
    setup.seeyou_tasks = std::string(kDemoSeeYouRoot) + "\\Tasks";
    prefix.add_folder(setup.xcsoar_tasks);
    place.text("xcsoar/default.prf", std::string(kDemoXcsoarRoot) + "\\default.prf");
    prefix.add_folder(setup.lk8000_tasks);
    for (const char* folder : {"\\_Airspaces", "\\_Maps", "\\_Polars"}) {
        prefix.add_folder(kDemoLk8000Root + std::string(folder));
    }
    place.text("lk8000/DEFAULT_PROFILE.prf", std::string(kDemoLk8000Root) + "\\_Configuration\\DEFAULT_PROFILE.prf");
    prefix.add_folder(setup.seeyou_tasks);

    setup.program_folder = kDemoProgramFolder;
    setup.settings_file = setup.program_folder + "\\Tarvex.ini";
    prefix.add_folder(setup.program_folder);
    if (!options.program.empty()) {
        setup.program = setup.program_folder + "\\" + options.program.filename().string();
        const fs::path target = prefix.host(setup.program);
        place_program(options.program, target);
        const fs::path module = options.program.parent_path() / kFormsModuleFile;
        if (options.forms_module && fs::exists(module)) {
            place_program(module, target.parent_path() / kFormsModuleFile);
        }
    }
    if (fs::is_directory(options.data_folder)) {
        for (const fs::directory_entry& entry : fs::directory_iterator(options.data_folder)) {
            if (entry.is_regular_file()) {
                prefix.add_file(setup.program_folder + "\\" + entry.path().filename().string(),
                                TempDir::read(entry.path()));
            }
        }
    }
    place.text("tarvex/Tarvex_maps.txt", setup.program_folder + "\\Tarvex_maps.txt");
    place.text("tarvex/Tarvex_LK8000_maps.txt", setup.program_folder + "\\Tarvex_LK8000_maps.txt");
    if (options.settings_file) {
        place.text("tarvex/Tarvex.ini", setup.settings_file);
    }
    return setup;
}

std::string with_setting(const std::string& settings, const std::string& key, const std::string& value) {
    const std::string head = key + "=";
    std::size_t start = 0;
    while (start < settings.size()) {
        std::size_t end = settings.find('\n', start);
        const std::size_t next = end == std::string::npos ? settings.size() : end + 1;
        if (settings.compare(start, head.size(), head) == 0) {
            std::size_t value_end = end == std::string::npos ? settings.size() : end;
            if (value_end > start && settings[value_end - 1] == '\r') {
                --value_end;
            }
            return settings.substr(0, start) + head + value + settings.substr(value_end);
        }
        start = next;
    }
    const bool crlf_ends = settings.find("\r\n") != std::string::npos;
    std::string out = settings;
    if (!out.empty() && out.back() != '\n') {
        out += crlf_ends ? "\r\n" : "\n";
    }
    return out + head + value + (crlf_ends ? "\r\n" : "\n");
}

std::string without_task_rules(const std::string& plan) {
    std::string out;
    std::size_t start = 0;
    while (start < plan.size()) {
        const std::size_t end = plan.find('\n', start);
        const std::size_t next = end == std::string::npos ? plan.size() : end + 1;
        const std::string_view line = std::string_view(plan).substr(start, next - start);
        if (!line.starts_with("AAT=") && !line.starts_with("AATTime=") && !line.starts_with("MaxStartGroundSpeed=")) {
            out += line;
        }
        start = next;
    }
    return out;
}

}  // namespace tarvex_test
