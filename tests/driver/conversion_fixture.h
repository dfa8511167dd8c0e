#pragma once

#include "driver/conversion.h"
#include "driver/fpl_preread.h"
#include "driver/run_state.h"
#include "driver_fixture.h"
#include "foundation/condor_install.h"
#include "foundation/log.h"
#include "foundation/option_records.h"
#include "support/demo_options.h"
#include "support/demo_setup.h"
#include "support/fake_wine_prefix.h"
#include "support/temp_dir.h"

#include <filesystem>
#include <string>
#include <vector>

namespace tarvex_test {

// The steps of a conversion on the demo's Condor setup: a fake Wine prefix
// with Condor 2 and 3, the demo landscape and plans, the XCSoar, LK8000 and
// SeeYou folders; the current folder is Tarvex's own folder of the prefix
// (with the map lists), where the log goes.
class ConversionTest : public DriverTest {
protected:
    ConversionTest() : demo(lay_out_demo(prefix)), here_(prefix.host(demo.program_folder)) {
        log_message_f("CREATETarvex.log");
        take_demo_options(demo);
        tarvex01.qgui = false;
        tarvex01.nunit = 2;
        tarvex01.ndeftsk = 0;
    }

    // Steps 1 to 10 for an input.
    void prepare(const std::string& input) {
        tarvex_c.infile = input;
        choose_target();
        name_output();
        mark_output_tree_and_aat();
        read_input();
        check_plan_version(run);
        settle_aat_and_map();
        define_units();
    }
    // Steps 1 to 22.
    void prepare_all(const std::string& input) {
        prepare(input);
        set_output_names(conversion);
        set_up_landscape(conversion);
        match_landscape(conversion, run);
        check_finish_altitude();
    }

    // A file of the prefix by its Windows path.
    std::string file(const std::string& windows_path) const { return TempDir::read(prefix.host(windows_path)); }
    bool has(const std::string& windows_path) const { return std::filesystem::exists(prefix.host(windows_path)); }
    std::string log() const { return file(demo.program_folder + "\\Tarvex.log"); }
    // The temporary files of whole writes left in a folder of the prefix.
    std::vector<std::string> temporary_files(const std::string& windows_folder) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(prefix.host(windows_folder))) {
            if (entry.path().extension() == ".tmp") {
                names.push_back(entry.path().filename().string());
            }
        }
        return names;
    }

    FakeWinePrefix prefix;
    DemoSetup demo;
    ScopedCwd here_;
    RunState run;
    Conversion conversion;
};

}  // namespace tarvex_test
