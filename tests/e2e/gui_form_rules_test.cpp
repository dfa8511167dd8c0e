// The conversion form's rules as a user meets them, through the real program
// on the tests' own X server: another input after a Condor 3 plan, the output
// named on the command line, a click in the input box after an edit, a
// SeeYou task. Checked by the files the program writes (and leaves alone),
// against those the command line writes for the same input. The dialogs
// read their answers from standard input.

// GoogleTest first: Xlib's macros would break its headers (form_screen.h has none).
#include <gtest/gtest.h>

#include "e2e/harness/checks.h"
#include "e2e/harness/gui_fixture.h"
#include "support/temp_dir.h"
#include "support/x11_clipboard_holder.h"

#include <algorithm>
#include <functional>
#include <future>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

using namespace tarvex_test;
namespace fs = std::filesystem;

namespace {

constexpr int kConvert = 1;
constexpr int kOk = 1;
constexpr int kSaveSettings = 102;
constexpr int kCancel = -1;
constexpr int kSetupButton = -100;
constexpr const char* kConversionTitle = "Tarvex - Task conversion - V4.4.0.0";
constexpr const char* kSetupTitle = "Tarvex - Setup - V4.4.0.0";
constexpr ScreenPixel kBoxWhite{255, 255, 255};
constexpr ScreenPixel kGreyedBox{170, 170, 170};
// What every run leaves in the program's folder, its current folder.
const std::set<std::string> kRunFiles = {"Tarvex.log", "Tarvex.lock", "frm_forms.log"};

// The files of a prefix with their times.
using FileTimes = std::map<fs::path, fs::file_time_type>;

FileTimes files_of(const fs::path& root) {
    FileTimes files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            files[entry.path()] = entry.last_write_time();
        }
    }
    return files;
}

// The files written since `before` (new or changed), but the run's own files.
std::set<fs::path> written_since(const FileTimes& before, const fs::path& root) {
    std::set<fs::path> written;
    for (const auto& [file, time] : files_of(root)) {
        const auto was = before.find(file);
        if ((was == before.end() || was->second != time) && !kRunFiles.contains(file.filename().string())) {
            written.insert(file);
        }
    }
    return written;
}

class GuiRules : public GuiTest {
protected:
    // Tarvex installed with `settings` (key, value), shown on the tests' display.
    std::unique_ptr<TarvexInstall> installed_with(const std::vector<std::pair<std::string, std::string>>& settings) {
        auto install = installed();
        for (const auto& [key, value] : settings) {
            install->set_setting(key, value);
        }
        return install;
    }

    // True once box `r` shows the red mark of a refused value (looked at
    // left of its text, where no character is drawn).
    bool marked_refused(const FormRect& r) {
        const auto red = [](const ScreenPixel& p) { return p.r > 200 && p.g < 170 && p.b < 170; };
        return red(screen->pixel_when(r[0] + 3, (r[1] + r[3]) / 2, red));
    }

    // The demo plan's task was written to `file`, not where it is proposed.
    static void expect_task_only_at(const TarvexInstall& install, const std::string& file) {
        ASSERT_TRUE(fs::exists(install.host(file))) << file;
        EXPECT_TRUE(HasLineContaining(TempDir::read(install.host(file)), "<Task "));
        EXPECT_TRUE(FileIsMissing(install.host(install.demo().xcsoar_tasks + "\\DemoRace3.tsk")));
    }

    // Runs `install` with `args` and the dialogs' `answers`; `user` plays the
    // conversion form once it is shown, laid out as `form`. The run's outcome.
    RunOutcome run_form(const TarvexInstall& install, const std::vector<std::string>& args, const std::string& answers,
                        const std::function<void(const FormLayout& form)>& user) {
        FormLayout form;
        if (!form.read(install.host(install.demo().program_folder + "\\Tarvex_form.frm"), display)) {
            ADD_FAILURE() << "no layout of the conversion form";
            return {};
        }
        auto run = std::async(std::launch::async, [&install, &args, &answers] { return install.run(args, answers); });
        std::string seen;
        if (screen->wait_for(kConversionTitle, seen)) {
            user(form);
        } else {
            ADD_FAILURE() << "no conversion form (last seen: \"" << seen << "\")";
        }
        return run.get();
    }

};

TEST_F(GuiRules, AnotherPlanAfterACondor3PlanIsConvertedWithItsOwnRules) {
    // A Condor 2 plan that gives no task rules takes the settings' start speed.
    const std::vector<std::pair<std::string, std::string>> settings = {{"Start max speed", "150"},
                                                                      {"Airspace file", "CondorAirspace.txt"}};
    auto gui = installed_with(settings);
    auto line = installed_with(settings);
    const std::string plain = gui->prefix().user_root(2) + "FlightPlans\\Plain.fpl";
    for (TarvexInstall* install : {gui.get(), line.get()}) {
        install->prefix().add_file(plain, without_task_rules(TempDir::read(install->host(install->demo().condor2_plan))));
    }
    const std::string condor3 = gui->host(gui->demo().condor3_plan).string();
    const RunOutcome outcome = run_form(*gui, {"-line", condor3}, plain + "\n", [this](const FormLayout& form) {
        choose_path(form.boxes.at("Infile"));
        // The Condor 3 plan's lock lifts.
        EXPECT_EQ(inside_of(form.boxes.at("start_max_speed"), kBoxWhite), kBoxWhite);
        EXPECT_EQ(inside_of(form.boxes.at("AAT Time"), kBoxWhite), kBoxWhite);
        screen->click(form.buttons.at(kConvert));
    });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));

    ASSERT_TRUE(ExitedWith(line->run({"-nogui", "-line", line->host(plain).string()}), exit_code::success));
    for (const std::string file : {"C:\\XCSoarData\\Tasks\\Plain.tsk", "C:\\XCSoarData\\Condor.prf"}) {
        EXPECT_TRUE(FileHasBytes(gui->host(file), TempDir::read(line->host(file)))) << file;
    }
}

TEST_F(GuiRules, TheRulesTypedForACondor2PlanAreConvertedAsTheCommandLineGivesThem) {
    // DemoRace2 gives a start speed of 0 and no AAT: the form's rules win, as
    // the same rules on the command line do (the margin has no option there).
    auto gui = installed_with({{"Airspace file", "CondorAirspace.txt"}});
    auto line = installed_with({{"Airspace file", "CondorAirspace.txt"}, {"Start height margin", "150"}});
    const std::string plan = gui->host(gui->demo().condor2_plan).string();
    const std::string clear(12, '\b');
    const RunOutcome outcome = run_form(*gui, {"-line", plan}, "", [&](const FormLayout& form) {
        screen->click(form.boxes.at("AAT"));
        for (const auto& [box, value] : {std::pair{"AAT Time", "120"}, std::pair{"StrtMgn", "150"},
                                         std::pair{"FinishMinAlt", "300"}, std::pair{"start_max_speed", "120"}}) {
            const auto [x, y] = inside(form.boxes.at(box));
            screen->click(x, y);
            screen->type(clear + value);
        }
        screen->click(form.buttons.at(kConvert));
    });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));

    const std::string line_plan = line->host(line->demo().condor2_plan).string();
    ASSERT_TRUE(ExitedWith(line->run({"-nogui", "-line", "-aat:120", "-fma:300", "-mxspd:120", line_plan}),
                           exit_code::success));
    // Both name the AAT alike; the form names the airspace after the task.
    EXPECT_TRUE(FileHasBytes(gui->host("C:\\XCSoarData\\Tasks\\DemoRace2-AAT.tsk"),
                             TempDir::read(line->host("C:\\XCSoarData\\Tasks\\DemoRace2-AAT.tsk"))));
    EXPECT_TRUE(FileHasBytes(gui->host("C:\\XCSoarData\\DemoRace2-AAT-PZ.txt"),
                             TempDir::read(line->host("C:\\XCSoarData\\CondorAirspace.txt"))));
}

TEST_F(GuiRules, ARacingPlanChosenAfterAnAatIsNamedAsTheCommandLineNamesIt) {
    auto gui = installed_with({{"Airspace file", "CondorAirspace.txt"}});
    auto line = installed_with({{"Airspace file", "CondorAirspace.txt"}});
    const std::string plan = gui->host(gui->demo().condor2_plan).string();
    const RunOutcome outcome =
        run_form(*gui, {"-line", plan}, gui->demo().condor3_plan + "\n", [&](const FormLayout& form) {
            screen->click(form.boxes.at("AAT"));
            const auto [x, y] = inside(form.boxes.at("AAT Time"));
            screen->click(x, y);
            screen->type(std::string(12, '\b') + "45");
            // DemoRace3, a Condor 3 racing task, decides its own rules.
            choose_path(form.boxes.at("Infile"));
            screen->click(form.buttons.at(kConvert));
        });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    const std::string line_plan = line->host(line->demo().condor3_plan).string();
    ASSERT_TRUE(ExitedWith(line->run({"-nogui", "-line", line_plan}), exit_code::success));
    const std::string task = "C:\\XCSoarData\\Tasks\\DemoRace3.tsk";
    EXPECT_TRUE(FileHasBytes(gui->host(task), TempDir::read(line->host(task))));
    EXPECT_TRUE(FileIsMissing(gui->host("C:\\XCSoarData\\Tasks\\DemoRace3-AAT.tsk")));
}

TEST_F(GuiRules, ASetupVisitKeepsTheChosenPlanAndTheTypedRules) {
    const std::vector<std::pair<std::string, std::string>> settings = {{"Airspace file", "CondorAirspace.txt"}};
    auto gui = installed_with(settings);
    auto line = installed_with(settings);
    const std::string plain = gui->prefix().user_root(2) + "FlightPlans\\Plain.fpl";
    for (TarvexInstall* install : {gui.get(), line.get()}) {
        install->prefix().add_file(plain, without_task_rules(TempDir::read(install->host(install->demo().condor2_plan))));
    }
    FormLayout setup;
    ASSERT_TRUE(setup.read(gui->host(gui->demo().program_folder + "\\Tarvex_Setup_form.frm"), display));
    const std::string plan = gui->host(gui->demo().condor2_plan).string();
    const RunOutcome outcome = run_form(*gui, {"-line", plan}, plain + "\n", [&](const FormLayout& form) {
        choose_path(form.boxes.at("Infile"));
        screen->click(form.boxes.at("AAT"));
        for (const auto& [box, value] : {std::pair{"AAT Time", "90"}, std::pair{"start_max_speed", "120"},
                                         std::pair{"FinishMinAlt", "800"}}) {
            const auto [x, y] = inside(form.boxes.at(box));
            screen->click(x, y);
            screen->type(std::string(12, '\b') + value);
        }
        screen->click(form.buttons.at(kSetupButton));
        std::string seen;
        ASSERT_TRUE(screen->wait_for(kSetupTitle, seen)) << seen;
        screen->click(setup.buttons.at(kOk));
        ASSERT_TRUE(screen->wait_for(kConversionTitle, seen)) << seen;
        screen->click(form.buttons.at(kConvert));
    });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));

    const std::string line_plain = line->host(plain).string();
    ASSERT_TRUE(ExitedWith(line->run({"-nogui", "-line", "-aat:90", "-mxspd:120", "-fma:800", line_plain}),
                           exit_code::success));
    const std::string task = "C:\\XCSoarData\\Tasks\\Plain-AAT.tsk";
    EXPECT_TRUE(FileHasBytes(gui->host(task), TempDir::read(line->host(task))));
}

TEST_F(GuiRules, LK8000IsWrittenUnderTheNamesTheCommandLineGivesForTheDefaultFilesSetting) {
    for (const std::string default_files : {"0", "1"}) {
        SCOPED_TRACE("Write Default Files=" + default_files);
        const std::vector<std::pair<std::string, std::string>> settings = {
            {"Write Default Files", default_files}, {"Airspace file", "CondorAirspace.txt"}};
        auto gui = installed_with(settings);
        auto line = installed_with(settings);

        const FileTimes before = files_of(gui->prefix().root());
        const std::string plan = gui->host(gui->demo().condor3_plan).string();
        const RunOutcome outcome = run_form(*gui, {"-line", plan}, "", [this](const FormLayout& form) {
            screen->click(form.boxes.at("LK8"));
            screen->click(form.buttons.at(kConvert));
        });
        ASSERT_TRUE(ExitedWith(outcome, exit_code::success));

        const FileTimes line_before = files_of(line->prefix().root());
        const std::string line_plan = line->host(line->demo().condor3_plan).string();
        ASSERT_TRUE(ExitedWith(line->run({"-nogui", "-line", "-lk8", line_plan}), exit_code::success));
        // The same files, by their names in the prefix.
        const auto names = [](const std::set<fs::path>& files, const fs::path& root) {
            std::set<std::string> relative;
            for (const fs::path& file : files) {
                relative.insert(fs::relative(file, root).string());
            }
            return relative;
        };
        const std::set<std::string> written = names(written_since(before, gui->prefix().root()), gui->prefix().root());
        EXPECT_EQ(written, names(written_since(line_before, line->prefix().root()), line->prefix().root()));
        const std::string task = default_files == "1" ? "Default.lkt" : "DemoRace3.lkt";
        EXPECT_TRUE(std::any_of(written.begin(), written.end(),
                                [&task](const std::string& file) { return file.ends_with(task); }))
            << task;
    }
}

TEST_F(GuiRules, ADestinationThatNamesATaskFileIsWrittenAsTheCommandLineWritesIt) {
    // "folder or filename", the settings file says: the form converts into
    // the file named, its copies and the target's other files beside it.
    const std::vector<std::tuple<std::string, std::string, std::string>> targets = {
        {"-xcs", "XCsoar Destination Path", "C:\\XCSoarData\\Tasks\\Mine.tsk"},
        {"-lk8", "LK8000 Destination Path", "C:\\LK8000\\_Tasks\\Mine.lkt"},
        {"-cup", "SeeYou Destination Path", "C:\\SeeYou\\Tasks\\Mine.cup"}};
    for (const auto& [option, key, destination] : targets) {
        SCOPED_TRACE(destination);
        const std::vector<std::pair<std::string, std::string>> settings = {{key, destination},
                                                                          {"Airspace file", "CondorAirspace.txt"}};
        auto gui = installed_with(settings);
        auto line = installed_with(settings);

        const FileTimes before = files_of(gui->prefix().root());
        const std::string plan = gui->host(gui->demo().condor3_plan).string();
        const RunOutcome outcome = run_form(*gui, {"-line", option, plan}, "", [this](const FormLayout& form) {
            screen->click(form.buttons.at(kConvert));
        });
        ASSERT_TRUE(ExitedWith(outcome, exit_code::success));

        const FileTimes line_before = files_of(line->prefix().root());
        const std::string line_plan = line->host(line->demo().condor3_plan).string();
        ASSERT_TRUE(ExitedWith(line->run({"-nogui", "-line", option, line_plan}), exit_code::success));

        // The same files, by their names in the prefix, with the same bytes.
        std::map<std::string, std::string> written;
        for (const fs::path& file : written_since(before, gui->prefix().root())) {
            written[fs::relative(file, gui->prefix().root()).string()] = TempDir::read(file);
        }
        std::map<std::string, std::string> line_written;
        for (const fs::path& file : written_since(line_before, line->prefix().root())) {
            line_written[fs::relative(file, line->prefix().root()).string()] = TempDir::read(file);
        }
        EXPECT_EQ(written, line_written);
        EXPECT_TRUE(fs::is_regular_file(gui->host(destination)));
    }
}

TEST_F(GuiRules, TheOutputNamedOnTheCommandLineIsWritten) {
    auto install = installed();
    install->prefix().add_folder("C:\\Out");
    const std::string plan = install->host(install->demo().condor3_plan).string();
    const RunOutcome outcome = run_form(*install, {"-line", plan, "C:\\Out\\Mine.tsk"}, "",
                                        [this](const FormLayout& form) { screen->click(form.buttons.at(kConvert)); });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    expect_task_only_at(*install, "C:\\Out\\Mine.tsk");
}

TEST_F(GuiRules, AClickInTheInputBoxKeepsAnEditedOutput) {
    auto install = installed();
    install->prefix().add_folder("C:\\Out");
    const std::string plan = install->host(install->demo().condor3_plan).string();
    const RunOutcome outcome =
        run_form(*install, {"-line", plan}, "C:\\Out\\Edited.tsk\n", [this](const FormLayout& form) {
            choose_path(form.boxes.at("Dest"));
            screen->click(form.boxes.at("Infile"));
            screen->click(form.buttons.at(kConvert));
        });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    expect_task_only_at(*install, "C:\\Out\\Edited.tsk");
}

TEST_F(GuiRules, ASeeYouTaskChosenAfterAPlanWritesOnlyWhereTheFormShows) {
    auto gui = installed();
    auto line = installed();
    const std::string terrain = "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.trn\n";
    const std::string task = gui->demo().seeyou_task;
    const std::string flight_plans = gui->prefix().user_root(3) + "FlightPlans\\";

    const FileTimes before = files_of(gui->prefix().root());
    const std::string condor3 = gui->host(gui->demo().condor3_plan).string();
    const RunOutcome outcome = run_form(*gui, {"-line", condor3}, task + "\n" + terrain, [this](const FormLayout& form) {
        choose_path(form.boxes.at("Infile"));
        screen->click(form.buttons.at(kConvert));
    });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    // The task file the form proposes, and nothing else.
    EXPECT_EQ(written_since(before, gui->prefix().root()), std::set{gui->host(flight_plans + "DemoTask_CUP.fpl")});

    // The command line writes its own name for the task into the same folder, and nothing else.
    const FileTimes line_before = files_of(line->prefix().root());
    ASSERT_TRUE(ExitedWith(line->run({"-nogui", "-line", line->host(task).string()}, terrain), exit_code::success));
    EXPECT_EQ(written_since(line_before, line->prefix().root()), std::set{line->host(flight_plans + "DemoTask.fpl")});
}

TEST_F(GuiRules, AJsonRunBesideThePlanOfASeeYouTaskKeepsThePlan) {
    // The Condor plan an earlier form run made from the task.
    auto gui = installed();
    auto line = installed();
    const std::string task = gui->demo().seeyou_task;
    const std::string plan = gui->prefix().user_root(3) + "FlightPlans\\DemoTask_CUP.fpl";
    const std::string json = gui->prefix().user_root(3) + "FlightPlans\\DemoTask.json";
    const std::string plan_bytes = "[Version]\r\nCondor version=3000\r\n";
    gui->prefix().add_file(plan, plan_bytes);

    const FileTimes before = files_of(gui->prefix().root());
    const RunOutcome outcome = run_form(*gui, {"-line", "-json", gui->host(task).string()}, "",
                                        [this](const FormLayout& form) { screen->click(form.buttons.at(kConvert)); });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(FileHasBytes(gui->host(plan), plan_bytes));
    EXPECT_EQ(written_since(before, gui->prefix().root()), std::set{gui->host(json)});

    ASSERT_TRUE(ExitedWith(line->run({"-nogui", "-line", "-json", line->host(task).string()}), exit_code::success));
    EXPECT_TRUE(FileHasBytes(gui->host(json), TempDir::read(line->host(json))));
}

TEST_F(GuiRules, TheProfileSwitchUntickedWritesNoProfile) {
    const std::string profile = "C:\\XCSoarData\\Condor.prf";
    // Off in the settings file: the profile box greyed, the tick shown unset.
    auto set_off = installed_with({{"Profile file", "0"}});
    FormLayout setup;
    ASSERT_TRUE(setup.read(set_off->host(set_off->demo().program_folder + "\\Tarvex_Setup_form.frm"), display));
    const std::string plan = set_off->host(set_off->demo().condor3_plan).string();
    RunOutcome outcome = run_form(*set_off, {"-line", plan}, "", [&](const FormLayout& form) {
        EXPECT_EQ(inside_of(form.boxes.at("Profile file"), kGreyedBox), kGreyedBox);
        screen->click(form.buttons.at(kSetupButton));
        std::string seen;
        ASSERT_TRUE(screen->wait_for(kSetupTitle, seen)) << seen;
        EXPECT_EQ(inside_of(setup.boxes.at("WrPrf"), kBoxWhite), kBoxWhite);  // no tick drawn
        screen->click(setup.buttons.at(kOk));
        ASSERT_TRUE(screen->wait_for(kConversionTitle, seen)) << seen;
        screen->click(form.buttons.at(kConvert));
    });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(FileIsMissing(set_off->host(profile)));

    // Unticked in the setup form, saved there: no profile, and the file says so.
    auto unticked = installed();
    outcome = run_form(*unticked, {"-line", plan}, "", [&](const FormLayout& form) {
        screen->click(form.buttons.at(kSetupButton));
        std::string seen;
        ASSERT_TRUE(screen->wait_for(kSetupTitle, seen)) << seen;
        screen->click(setup.boxes.at("WrPrf"));
        screen->click(setup.buttons.at(kSaveSettings));
        screen->click(setup.buttons.at(kOk));
        ASSERT_TRUE(screen->wait_for(kConversionTitle, seen)) << seen;
        EXPECT_EQ(inside_of(form.boxes.at("Profile file"), kGreyedBox), kGreyedBox);
        screen->click(form.buttons.at(kConvert));
    });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(FileIsMissing(unticked->host(profile)));
    EXPECT_TRUE(HasLine(unticked->settings(), "Profile file=0"));
}

TEST_F(GuiRules, ASaveKeepsTheAirspaceSetting) {
    auto install = installed();
    const std::string plan = install->host(install->demo().condor3_plan).string();
    const RunOutcome outcome = run_form(*install, {"-line", plan}, "", [this](const FormLayout& form) {
        screen->click(form.buttons.at(kSaveSettings));
        screen->click(form.buttons.at(kCancel));
    });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    // Saved, with the airspace named as before (none): DemoRace3-PZ.txt,
    // proposed after the plan, is no lasting setting.
    ASSERT_TRUE(fs::exists(install->host(install->demo().program_folder + "\\Tarvex_0000.ini")));
    EXPECT_TRUE(HasLine(install->settings(), "Airspace file="));

    // So the command line puts another plan's zones where it always does.
    const std::string other = install->host(install->demo().condor2_plan).string();
    ASSERT_TRUE(ExitedWith(install->run({"-nogui", "-line", other}), exit_code::success));
    EXPECT_TRUE(FileIsMissing(install->host("C:\\XCSoarData\\DemoRace3-PZ.txt")));
    EXPECT_TRUE(fs::exists(install->host("C:\\XCSoarData\\CondorAirspace.txt")));
}

TEST_F(GuiRules, ATargetFolderClearedInTheSetupFormWritesNothingAtTheDrivesRoot) {
    auto install = installed();
    FormLayout setup;
    ASSERT_TRUE(setup.read(install->host(install->demo().program_folder + "\\Tarvex_Setup_form.frm"), display));
    const std::string plan = install->host(install->demo().condor2_plan).string();
    const FileTimes before = files_of(install->prefix().root());
    const RunOutcome outcome = run_form(*install, {"-line", "-lk8", plan}, "", [&](const FormLayout& form) {
        screen->click(form.buttons.at(kSetupButton));
        std::string seen;
        ASSERT_TRUE(screen->wait_for(kSetupTitle, seen)) << seen;
        screen->click(setup.boxes.at("LK8000_tasks"));
        screen->type("\x7f");
        screen->click(setup.buttons.at(kOk));
        ASSERT_TRUE(screen->wait_for(kConversionTitle, seen)) << seen;
        // No target left: Convert is refused and the form stays.
        screen->click(form.buttons.at(kConvert));
        EXPECT_TRUE(marked_refused(form.boxes.at("Dest")));
        screen->click(form.buttons.at(kCancel));
    });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(FileIsMissing(install->host("C:\\DemoRace2.lkt")));
    EXPECT_EQ(written_since(before, install->prefix().root()), std::set<fs::path>{});
}

TEST_F(GuiRules, APastedDecimalCommaIsRefusedAsPasted) {
    auto install = installed();
    const std::string plan = install->host(install->demo().condor2_plan).string();
    const FileTimes before = files_of(install->prefix().root());
    const RunOutcome outcome = run_form(*install, {"-line", plan}, "", [this](const FormLayout& form) {
        const ScopedEnv on_display("DISPLAY", display.c_str());
        const ClipboardHolder other_program({{"UTF8_STRING", "12,5"}, {"STRING", "12,5"}});
        screen->click(form.boxes.at("AAT"));
        const auto [x, y] = inside(form.boxes.at("AAT Time"));
        screen->click(x, y);
        screen->type(std::string(12, '\b'));
        screen->paste();
        // Never 125 minutes: refused, the form open.
        screen->click(form.buttons.at(kConvert));
        EXPECT_TRUE(marked_refused(form.boxes.at("AAT Time")));
        screen->click(form.buttons.at(kCancel));
    });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_EQ(written_since(before, install->prefix().root()), std::set<fs::path>{});
}

TEST_F(GuiRules, AnInputThatIsNoPlanIsRefusedAsItIsChosen) {
    auto install = installed();
    const std::string hello = install->prefix().user_root(2) + "FlightPlans\\Hello.fpl";
    install->prefix().add_file(hello, "hello\r\n");
    const std::string plan = install->host(install->demo().condor2_plan).string();
    const RunOutcome outcome = run_form(*install, {"-line", plan}, hello + "\n", [this](const FormLayout& form) {
        EXPECT_EQ(inside_of(form.boxes.at("Dest"), kBoxWhite), kBoxWhite);
        choose_path(form.boxes.at("Infile"));
        // Red before any Convert, and the plan before it names nothing.
        EXPECT_TRUE(marked_refused(form.boxes.at("Infile")));
        EXPECT_EQ(inside_of(form.boxes.at("Dest"), kGreyedBox), kGreyedBox);
        screen->click(form.buttons.at(kCancel));
    });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
}

TEST_F(GuiRules, APlanOfMorePointsThanATaskHoldsIsRefusedWithTheFormOpen) {
    auto install = installed();
    std::string text = TempDir::read(install->host(install->demo().condor3_plan));
    const std::size_t count = text.find("Count=6");
    ASSERT_NE(count, std::string::npos);
    text.replace(count, 7, "Count=40");
    const std::string long_plan = install->prefix().user_root(3) + "FlightPlans\\Long.fpl";
    install->prefix().add_file(long_plan, text);
    const std::string plan = install->host(install->demo().condor2_plan).string();
    const FileTimes before = files_of(install->prefix().root());
    const RunOutcome outcome = run_form(*install, {"-line", plan}, long_plan + "\n", [this](const FormLayout& form) {
        choose_path(form.boxes.at("Infile"));
        // Red as soon as it is chosen, as any plan that cannot be converted;
        // the form stays, and names nothing after it.
        EXPECT_TRUE(marked_refused(form.boxes.at("Infile")));
        EXPECT_EQ(inside_of(form.boxes.at("Dest"), kGreyedBox), kGreyedBox);
        screen->click(form.buttons.at(kConvert));
        EXPECT_TRUE(marked_refused(form.boxes.at("Infile")));
        screen->click(form.buttons.at(kCancel));
    });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_EQ(written_since(before, install->prefix().root()), std::set<fs::path>{});
}

TEST_F(GuiRules, PathsGivenInHostFormAreTakenInWindowsForm) {
    // A Linux folder for the setup form, a drive path written with "/" for
    // the input: taken as the settings file and the command line take them.
    auto install = installed();
    install->prefix().add_folder("C:\\XCSoarData\\Tasks\\Club");
    FormLayout setup;
    ASSERT_TRUE(setup.read(install->host(install->demo().program_folder + "\\Tarvex_Setup_form.frm"), display));
    const std::string linux_folder = install->host("C:\\XCSoarData\\Tasks\\Club").string();
    std::string plan = install->demo().condor2_plan;
    std::replace(plan.begin(), plan.end(), '\\', '/');
    const std::string condor3 = install->host(install->demo().condor3_plan).string();
    const RunOutcome outcome =
        run_form(*install, {"-line", condor3}, linux_folder + "\n" + plan + "\n", [&](const FormLayout& form) {
            screen->click(form.buttons.at(kSetupButton));
            std::string seen;
            ASSERT_TRUE(screen->wait_for(kSetupTitle, seen)) << seen;
            choose_path(setup.boxes.at("Xcsoar_tasks"));
            screen->click(setup.buttons.at(kSaveSettings));
            screen->click(setup.buttons.at(kOk));
            ASSERT_TRUE(screen->wait_for(kConversionTitle, seen)) << seen;
            choose_path(form.boxes.at("Infile"));
            screen->click(form.buttons.at(kConvert));
        });
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success));
    EXPECT_TRUE(HasLineContaining(TempDir::read(install->host("C:\\XCSoarData\\Tasks\\Club\\DemoRace2.tsk")),
                                  "<Task "));
    EXPECT_TRUE(HasLine(install->settings(), "XCsoar Destination Path=C:\\XCSoarData\\Tasks\\Club"));
    // The profile in XCSoar's own folder, found from the task folder.
    EXPECT_TRUE(fs::exists(install->host("C:\\XCSoarData\\Condor.prf")));
}

}  // namespace
