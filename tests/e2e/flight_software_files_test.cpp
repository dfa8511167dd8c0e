// Files the flight software reads as it reads them: LK8000's task names and
// window lines, and the values the XCSoar and LK8000 profiles are given.

#include "e2e/harness/checks.h"
#include "e2e/harness/tarvex_install.h"
#include "support/demo_setup.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

using namespace tarvex_test;

namespace {

class FlightSoftwareFiles : public ::testing::Test {
protected:
    // The Condor 3 demo plan with some keys changed, in the program's folder.
    std::string plan_with(const std::vector<std::pair<std::string, std::string>>& keys) {
        std::string text = demo_text(demo_source_folder(), "flightplans/DemoRace3.fpl");
        for (const auto& [key, value] : keys) {
            text = with_setting(text, key, value);
        }
        const std::string path = demo.program_folder + "\\DemoRace3.fpl";
        install.prefix().add_file(path, text);
        return path;
    }
    std::string read(const std::string& windows_path) const { return TempDir::read(install.host(windows_path)); }

    TarvexInstall install;
    const DemoSetup& demo = install.demo();
};

// A Condor 3 window 2000 m wide is an LK8000 line 2000 m long: radius 1000 m.
TEST_F(FlightSoftwareFiles, AWindowIsAnLk8000LineOfItsWidth) {
    const std::string plan = plan_with(
        {{"TPSectorType2", "1"}, {"TPWidth2", "2000"}, {"TPHeight2", "1000"}, {"TPAltitude2", "2500"}});
    const RunOutcome outcome = install.run({"-nogui", "-line", "-lk8", plan});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    const std::string task = read("C:\\LK8000\\_Tasks\\DemoRace3.lkt");
    EXPECT_TRUE(HasLineContaining(task, "<point idx=\"1\" name=\"Lure\" type=\"line\" radius=\"1000.00\""));
    EXPECT_TRUE(HasLineContaining(task, "<point idx=\"2\" name=\"Digne\" type=\"circle\" radius=\"3000.00\""));
}

// Two turnpoints 35 km apart of one 30-character name become "...1" and
// "...2"; LK8000's 29 bytes keep the numbers, so the task has two places.
TEST_F(FlightSoftwareFiles, Lk8000NamesStayApartWhenCut) {
    const std::string name = "Montagne de Lure, sommet ouest";
    const std::string plan = plan_with({{"TPName2", name}, {"TPName3", name}});
    const RunOutcome outcome = install.run({"-nogui", "-line", "-lk8", plan});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    const std::string task = read("C:\\LK8000\\_Tasks\\DemoRace3.lkt");
    for (const std::string_view cut : {"Montagne de Lure, sommet oue1", "Montagne de Lure, sommet oue2"}) {
        SCOPED_TRACE(cut);
        EXPECT_TRUE(HasLineContaining(task, "name=\"" + std::string(cut) + "\" type="));
        EXPECT_TRUE(HasLineContaining(task, "name=\"" + std::string(cut) + "\" latitude="));
    }
    EXPECT_TRUE(HasNoLineContaining(task, "name=\"Montagne de Lure, sommet oues\""));
}

// "Airspace file=Aérien.txt": the file is named in UTF-8 on the disk, and
// both profiles name it in UTF-8, as XCSoar and LK8000 read them.
TEST_F(FlightSoftwareFiles, AnAccentedAirspaceNameInTheProfilesInUtf8) {
    install.set_setting("Airspace file", "A\xE9rien.txt");  // the settings file is cp1252
    const std::string plan = plan_with({});

    RunOutcome outcome = install.run({"-nogui", "-line", "-xcs", plan});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(std::filesystem::exists(install.host("C:\\XCSoarData") / "A\xC3\xA9rien.txt"));
    const std::string xcsoar = read("C:\\XCSoarData\\Condor.prf");
    EXPECT_TRUE(HasLine(xcsoar, "AirspaceFile=\"%LOCAL_PATH%\\A\xC3\xA9rien.txt\""));
    EXPECT_TRUE(HasNoLineContaining(xcsoar, "A\xE9rien"));

    outcome = install.run({"-nogui", "-line", "-lk8", plan});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(std::filesystem::exists(install.host("C:\\LK8000\\_Airspaces") / "A\xC3\xA9rien.txt"));
    const std::string lk8000 = read("C:\\LK8000\\_Configuration\\Condor.prf");
    EXPECT_TRUE(HasLine(lk8000, "AirspaceFile=\"A\xC3\xA9rien.txt\""));
    // The default profile's own lines are as they were.
    EXPECT_TRUE(HasLine(lk8000, "AltitudeUnits=1"));
}

}  // namespace
