// The real program through its forms: the conversion form and the setup form
// on the tests' own X server, the user played with XTest, every run under a
// timeout. Checked by the files written and the exit code; a screenshot of
// each of the four forms goes to the build folder's "screenshots".

// GoogleTest first: Xlib's macros would break its headers (form_screen.h has none).
#include <gtest/gtest.h>

#include "e2e/harness/checks.h"
#include "e2e/harness/gui_fixture.h"
#include "support/temp_dir.h"

#include <future>
#include <string>
#include <vector>

using namespace tarvex_test;

namespace {

constexpr int kConvert = 1;
constexpr int kCancel = -1;
constexpr int kSetup = -100;
constexpr const char* kConversionTitle = "Tarvex - Task conversion - V4.4.0.0";
constexpr const char* kSetupTitle = "Tarvex - Setup - V4.4.0.0";
constexpr const char* kFrenchConversionTitle = "Tarvex - Conversion du circuit - V4.4.0.0";
constexpr const char* kFrenchSetupTitle = "Tarvex - Configuration - V4.4.0.0";
// The form kit's colours: the form, an editable box, a greyed box.
constexpr ScreenPixel kFormGrey{240, 240, 240};
constexpr ScreenPixel kBoxWhite{255, 255, 255};
constexpr ScreenPixel kGreyedBox{170, 170, 170};

class Gui : public GuiTest {
protected:
    // The layout of a form file of the program's folder (empty when it cannot be had).
    FormLayout layout_of(const TarvexInstall& install, const std::string& name) const {
        FormLayout layout;
        if (!layout.read(install.host(install.demo().program_folder + "\\" + name), display)) {
            ADD_FAILURE() << "no layout of " << name;
            layout = {};
        }
        return layout;
    }
    // Waits for the form titled `title`; it must have the size of `layout`.
    bool shows(const std::string& title, const FormLayout& layout) {
        std::string seen;
        if (!screen->wait_for(title, seen)) {
            ADD_FAILURE() << "no window \"" << title << "\" (last seen: \"" << seen << "\")";
            return false;
        }
        EXPECT_EQ(screen->width(), layout.width);
        EXPECT_EQ(screen->height(), layout.height);
        return true;
    }
    void screenshot(const std::string& name) {
        EXPECT_TRUE(screen->screenshot(screenshot_folder() / (name + ".png"))) << name;
    }
    // The colour at a point or inside a box, waited for while the program
    // may still be redrawing: the colour `expected`, or any colour but it.
    ScreenPixel pixel_at(int x, int y, const ScreenPixel& expected) {
        return screen->pixel_when(x, y, [&expected](const ScreenPixel& p) { return p == expected; });
    }
    ScreenPixel inside_other_than(const FormRect& r, const ScreenPixel& unwanted) {
        const auto [x, y] = inside(r);
        return screen->pixel_when(x, y, [&unwanted](const ScreenPixel& p) { return p != unwanted; });
    }
};

std::future<RunOutcome> start(const TarvexInstall& install, const std::vector<std::string>& args,
                              const std::string& input = "") {
    return std::async(std::launch::async, [&install, args, input] { return install.run(args, input); });
}

// The form ended the program: its outcome, within the run's timeout.
RunOutcome ended(std::future<RunOutcome>& run) { return run.get(); }

TEST_F(Gui, TheConvertButtonWritesWhatTheCommandLineWrites) {
    // The form proposes "<plan>-PZ.txt" for the airspace, the command line
    // "CondorAirspace.txt": the settings file names it for both. Both tell
    // the same result, headed by the plan's name.
    const std::string result =
        "\nDemoRace3.fpl\nDemoProvence\nTask written to :\n C:\\XCSoarData\\Tasks\\DemoRace3.tsk\n";
    auto gui = installed();
    auto line = installed();
    for (TarvexInstall* install : {gui.get(), line.get()}) {
        install->set_setting("Airspace file", "CondorAirspace.txt");
    }
    const std::string plan = gui->host(gui->demo().condor3_plan).string();
    const FormLayout form = layout_of(*gui, "Tarvex_form.frm");
    ASSERT_GT(form.width, 0);

    auto run = start(*gui, {"-line", plan});
    if (shows(kConversionTitle, form)) {
        screenshot("conversion_form");
        EXPECT_EQ(pixel_at(3, 3, kFormGrey), kFormGrey);
        EXPECT_EQ(inside_of(form.boxes.at("Dest"), kBoxWhite), kBoxWhite);
        EXPECT_EQ(inside_of(form.boxes.at("TerrainName"), kGreyedBox), kGreyedBox);  // XCSoar has no terrain file
        EXPECT_EQ(inside_of(form.boxes.at("AAT Time"), kGreyedBox), kGreyedBox);     // a Condor 3 plan decides
        screen->click(form.buttons.at(kConvert));
    }
    const RunOutcome outcome = ended(run);
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_NE(outcome.out.find(result), std::string::npos) << "the form's result message";

    const std::string same_plan = line->host(line->demo().condor3_plan).string();
    const RunOutcome line_outcome = line->run({"-nogui", "-line", same_plan});
    ASSERT_TRUE(ExitedWith(line_outcome, exit_code::success));
    EXPECT_NE(line_outcome.out.find(result), std::string::npos) << "the command line's result message";
    for (const std::string file : {"C:\\XCSoarData\\Tasks\\DemoRace3.tsk", "C:\\XCSoarData\\Tasks\\Condor.tsk",
                                   "C:\\XCSoarData\\CondorAirspace.txt", "C:\\XCSoarData\\Condor-PZ.txt",
                                   "C:\\XCSoarData\\Condor.prf"}) {
        EXPECT_TRUE(FileHasBytes(gui->host(file), TempDir::read(line->host(file)))) << file;
    }
}

TEST_F(Gui, CancelAndTheCloseBoxEndTheRunAndWriteNothing) {
    auto install = installed();
    const std::string plan = install->host(install->demo().condor3_plan).string();
    const std::string settings = install->settings();
    const FormLayout form = layout_of(*install, "Tarvex_form.frm");
    ASSERT_GT(form.width, 0);
    for (const bool close_box : {false, true}) {
        SCOPED_TRACE(close_box ? "close box" : "Cancel");
        auto run = start(*install, {"-line", plan});
        if (shows(kConversionTitle, form)) {
            if (close_box) {
                screen->close();
            } else {
                screen->click(form.buttons.at(kCancel));
            }
        }
        EXPECT_TRUE(ExitedWith(ended(run), exit_code::success));
        EXPECT_TRUE(FileIsMissing(install->host("C:\\XCSoarData\\Tasks\\DemoRace3.tsk")));
        EXPECT_TRUE(FileIsMissing(install->host("C:\\XCSoarData\\Condor.prf")));
        EXPECT_TRUE(FileHasBytes(install->host(install->demo().settings_file), settings));
    }
}

TEST_F(Gui, TheSetupButtonBringsTheFormBackInFrench) {
    auto install = installed();
    const std::string plan = install->host(install->demo().condor3_plan).string();
    const std::string settings = install->settings();
    const FormLayout form = layout_of(*install, "Tarvex_form.frm");
    const FormLayout setup = layout_of(*install, "Tarvex_Setup_form.frm");
    const FormLayout french_form = layout_of(*install, "Tarvex_form_FR.frm");
    const FormLayout french_setup = layout_of(*install, "Tarvex_Setup_form_FR.frm");
    ASSERT_TRUE(form.width > 0 && setup.width > 0 && french_form.width > 0 && french_setup.width > 0);

    auto run = start(*install, {"-line", plan});
    if (shows(kConversionTitle, form)) {
        screen->click(form.buttons.at(kSetup));
    }
    if (shows(kSetupTitle, setup)) {
        screenshot("setup_form");
        EXPECT_EQ(inside_of(setup.boxes.at("Xcsoar_tasks"), kBoxWhite), kBoxWhite);
        // The language list opens below its box: French is its third entry.
        const FormRect lang = setup.boxes.at("Lang");
        screen->click(lang);
        const int row = lang[3] - lang[1];
        screen->click((lang[0] + lang[2]) / 2, lang[1] - 2 * row - row / 2);
        screen->click(setup.buttons.at(kConvert));
    }
    if (shows(kFrenchConversionTitle, french_form)) {
        screenshot("conversion_form_fr");
        EXPECT_EQ(inside_of(french_form.boxes.at("Dest"), kBoxWhite), kBoxWhite);
        screen->click(french_form.buttons.at(kSetup));
    }
    if (shows(kFrenchSetupTitle, french_setup)) {
        screenshot("setup_form_fr");
        EXPECT_EQ(pixel_at(3, 3, kFormGrey), kFormGrey);
        screen->click(french_setup.buttons.at(kCancel));
    }
    if (shows(kFrenchConversionTitle, french_form)) {
        screen->click(french_form.buttons.at(kCancel));
    }
    EXPECT_TRUE(ExitedWith(ended(run), exit_code::success));
    // The setup form's OK sets the options; only its save buttons write them.
    EXPECT_TRUE(FileHasBytes(install->host(install->demo().settings_file), settings));
}

TEST_F(Gui, AFirstRunsSetupFormConfirmedAsShownWritesTheDefaults) {
    auto install = installed(without_settings_file());
    const DemoSetup& demo = install->demo();
    const FormLayout setup = layout_of(*install, "Tarvex_Setup_form.frm");
    const FormLayout form = layout_of(*install, "Tarvex_form.frm");
    ASSERT_TRUE(setup.width > 0 && form.width > 0);
    // The folder dialog of the XCSoar tasks reads the console.
    auto run = start(*install, {"-line"}, demo.xcsoar_tasks + "\n");
    if (shows(kSetupTitle, setup)) {
        // No task folder yet: OK is refused for that alone, the flight plans
        // showing their default.
        screen->click(setup.buttons.at(kConvert));
        EXPECT_EQ(pixel_at(3, 3, kFormGrey), kFormGrey);
        EXPECT_NE(inside_other_than(setup.boxes.at("Xcsoar_tasks"), kBoxWhite), kBoxWhite);  // marked
        EXPECT_EQ(inside_of(setup.boxes.at("defpath"), kBoxWhite), kBoxWhite);
        choose_path(setup.boxes.at("Xcsoar_tasks"));
        screen->click(setup.buttons.at(kConvert));
    }
    if (shows(kConversionTitle, form)) {
        screen->click(form.buttons.at(kCancel));
    }
    EXPECT_TRUE(ExitedWith(ended(run), exit_code::success));
    // Every setting as the defaults have it ("Flightplans path=AUTO",
    // "Airspace_margin=37", ...), the one task folder given.
    EXPECT_TRUE(FileHasBytes(install->host(demo.settings_file),
                             first_run_settings("XCSoar", {demo.xcsoar_tasks, "", ""})));
}

TEST(GuiWithoutDisplay, EndsWithAMessageAndExitCode3) {
    TarvexInstall install;
    const std::string plan = install.host(install.demo().condor3_plan).string();
    install.timeout = std::chrono::seconds(60);
    RunOutcome outcome = install.run({"-line", plan});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::configuration));
    EXPECT_TRUE(HasLine(outcome.out, "The form window cannot be opened; run Tarvex with -nogui"));
    EXPECT_TRUE(HasLine(outcome.err, "The form window cannot be opened; run Tarvex with -nogui"));
    EXPECT_TRUE(HasLine(install.log(), "The form window cannot be opened; run Tarvex with -nogui"));
    outcome = install.run({"-line", "-fr", plan});
    EXPECT_TRUE(ExitedWith(outcome, exit_code::configuration));
    EXPECT_TRUE(HasLine(outcome.out,
                        "La fen\xC3\xAAtre du formulaire ne peut pas \xC3\xAAtre ouverte ; lancez Tarvex avec -nogui"));
}

}  // namespace
