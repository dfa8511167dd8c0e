// The conversion form run as the program runs it (tarvex_gui), on the null
// host: what it shows for the options and the plan, how it ends, its checks
// of the form file, the display units, the save buttons and the setup button.
#include "program_forms_fixture.h"

#include "forms/program/conversion_form.h"
#include "foundation/output_targets.h"
#include "support/std_streams.h"
#include "taskfiles/task_model.h"

namespace program_forms_test {
namespace {

constexpr int kOk = 1;
constexpr int kCancel = -1;
constexpr int kSetup = -100;
constexpr int kSave = 102;

class ConversionForm : public ProgramFormsTest {
protected:
    // tarvex_gui to its end: nothing when it returned for a conversion, else how the run stopped.
    std::optional<RunStopped> run_form() {
        try {
            run_with_steps(tarvex_gui);
        } catch (const RunStopped& stopped) {
            return stopped;
        }
        return std::nullopt;
    }
    // The conversion form with its version changed.
    void form_of_version(const std::string& version) {
        std::string text = form_file("Tarvex_form.frm");
        const std::size_t at = text.find("Version=4400");
        text.replace(at, 12, "Version=" + version);
        put_form("Tarvex_form.frm", text);
    }
    static bool window_made() {
        return std::find(null_host.calls.begin(), null_host.calls.end(), "createwindow 1") != null_host.calls.end();
    }
};

TEST_F(ConversionForm, ShowsThePlanAndReturnsWithTheFormsValuesOnOk) {
    tarvex_c.infile = demo.condor3_plan;
    const int run_speed = rd_fpl_6.start_max_speed;
    tarvex01.nauto = 2;
    user([] {
        EXPECT_EQ(frmc00.wintit, "Tarvex - Task conversion - V4.4.0.0");
        EXPECT_EQ(engine_tables.subt_txt[0], "Tarvex - V4.4.0.0");
        EXPECT_EQ(shown_int("XCS"), 1);
        EXPECT_EQ(shown("Dest"), "C:\\XCSoarData\\Tasks\\DemoRace3.tsk");
        EXPECT_EQ(shown("Profile file"), "C:\\XCSoarData\\Condor.prf");
        EXPECT_EQ(shown("MapName"), "C:\\XCSoarData\\DemoProvence.xcm");
        EXPECT_EQ(shown("airnam"), "C:\\XCSoarData\\DemoRace3-PZ.txt");
        EXPECT_FALSE(active("TerrainName"));
        EXPECT_FALSE(active("AltCupFile"));
        // A Condor 3 plan decides its AAT and start speed itself.
        EXPECT_FALSE(active("AAT"));
        EXPECT_FALSE(active("start_max_speed"));
        EXPECT_EQ(shown("start_max_speed"), "170");
        EXPECT_EQ(label("start_max_speed"), "Maximum start speed (km/h)");
        click_button(kOk);
    });
    EXPECT_FALSE(run_form());
    EXPECT_EQ(tarvex_c.outfile, "C:\\XCSoarData\\Tasks\\DemoRace3.tsk");
    EXPECT_EQ(tarvex_c.prfnam, "Condor.prf");
    EXPECT_EQ(tarvex_c.airnam, "C:\\XCSoarData\\DemoRace3-PZ.txt");
    // The locked boxes are the plan's, which its conversion reads again: the options keep the run's.
    EXPECT_EQ(rd_fpl_6.start_max_speed, run_speed);
    EXPECT_TRUE(tarvex01.qauto);
    EXPECT_FALSE(tarvex01.qwait);
    EXPECT_TRUE(tvxfrm_m.qm__outfile);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ConversionForm, CancelAndTheCloseBoxEndTheRunWithoutCopying) {
    tarvex_c.infile = demo.condor3_plan;
    user([] { click_button(kCancel); });
    std::optional<RunStopped> stopped = run_form();
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->exit_code, kExitSuccess);
    EXPECT_EQ(stopped->text, "");
    user([] { close_window(); });
    stopped = run_form();
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->exit_code, kExitSuccess);
    EXPECT_EQ(tarvex_c.outfile, "");
    EXPECT_TRUE(boxes.empty());
}

TEST_F(ConversionForm, TheFormFileMustBeOfTheProgramsVersion) {
    form_of_version("4450");
    user([] { click_button(kCancel); });
    EXPECT_EQ(run_form()->exit_code, kExitSuccess);
    for (const auto& [version, shown_as] : {std::pair{"4399", "4399"}, {"4500", "4500"}, {"99", "0099"}}) {
        null_host.calls.clear();
        boxes.clear();
        form_of_version(version);
        const std::optional<RunStopped> stopped = run_form();
        ASSERT_TRUE(stopped) << version;
        EXPECT_EQ(stopped->exit_code, kExitConfiguration);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, std::string("Version numbers do not match:\nApp:4400\nForm:") + shown_as);
        EXPECT_FALSE(window_made());
    }
}

TEST_F(ConversionForm, EveryBoxMustBeThereAndOthersAreReported) {
    std::string text = form_file("Tarvex_form.frm");
    const std::size_t dest = text.find("{Name=Dest;");
    put_form("Tarvex_form.frm", text.substr(0, dest) + text.substr(text.find('\n', dest) + 1));
    std::optional<RunStopped> stopped = run_form();
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->exit_code, kExitConfiguration);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Dest NOT DEFINED");
    EXPECT_FALSE(window_made());

    // One box more than the program knows: said on the console, the form runs.
    put_form("Tarvex_form.frm", text.insert(dest, "{Name=Extra;Txt=Extra;Pos=20,600;Size=5;Type=CHR}\r\n"));
    user([] { click_button(kCancel); });
    tarvex_test::CapturedStdout out;
    stopped = run_form();
    EXPECT_NE(out.finish().find("*** form file corrupted ***"), std::string::npos);
    EXPECT_EQ(stopped->exit_code, kExitSuccess);
}

TEST_F(ConversionForm, ImperialUnitsAreShownAndSavedInMetres) {
    tarvex01.nunit = 3;
    tarvex_c.infile = demo.condor2_plan;
    rd_fpl_4.finishminalt = 500.0f;
    tarvex01.start_max_speed_arg = 170;  // "-mxspd:": a Condor 2 plan gives none
    rd_fpl_6.qaat = true;            // the plan on screen is an AAT, the settings file says none
    tarvex01.qaat_ini = false;
    const auto shows_imperial = [] {
        EXPECT_EQ(shown("FinishMinAlt"), "1640");
        EXPECT_EQ(label("FinishMinAlt"), "Finish minimum altitude (ft)");
        EXPECT_EQ(shown("start_max_speed"), "92");
        EXPECT_EQ(label("start_max_speed"), "Maximum start speed (kt)");
        EXPECT_EQ(shown("StrtMgn"), "328");
    };
    user([&] {
        shows_imperial();
        click_button(kSave);
        EXPECT_FLOAT_EQ(rd_fpl_4.finishminalt, 500.0f);
        EXPECT_EQ(rd_fpl_6.start_max_speed, 170);
        EXPECT_EQ(tarvex01.start_margin, 100);
        // Still shown in feet and knots, so a second save keeps the values.
        shows_imperial();
        click_button(kSave);
        EXPECT_FLOAT_EQ(rd_fpl_4.finishminalt, 500.0f);
        EXPECT_EQ(rd_fpl_6.start_max_speed, 170);
        click_button(kCancel);
    });
    EXPECT_EQ(run_form()->exit_code, kExitSuccess);
    // The save buttons wrote the settings file, keeping its own AAT switch.
    const std::string settings = file(demo.settings_file);
    EXPECT_NE(settings.find("\r\nAAT=0\r\n"), std::string::npos);
    EXPECT_NE(settings.find("\r\nStart max speed=170\r\n"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(host(demo.program_folder + "\\Tarvex_0001.ini")));

    // Metric units: labels and values as they are.
    tarvex01.nunit = 2;
    user([] {
        EXPECT_EQ(shown("FinishMinAlt"), "500");
        EXPECT_EQ(label("StrtMgn"), "Start height margin (m)");
        EXPECT_EQ(label("start_max_speed"), "Maximum start speed (km/h)");
        click_button(kCancel);
    });
    run_form();
}

TEST_F(ConversionForm, AUnitBoxWithoutABracketedUnitStaysMetric) {
    std::string text = form_file("Tarvex_form.frm");
    const std::string old_label = "Finish minimum altitude (m)";
    text.replace(text.find(old_label), old_label.size(), "Finish minimum altitude");
    put_form("Tarvex_form.frm", text);
    tarvex01.nunit = 3;
    rd_fpl_4.finishminalt = 500.0f;
    user([] {
        EXPECT_EQ(shown("FinishMinAlt"), "500");
        EXPECT_EQ(label("FinishMinAlt"), "Finish minimum altitude");
        click_button(kSave);
        EXPECT_FLOAT_EQ(rd_fpl_4.finishminalt, 500.0f);
        click_button(kCancel);
    });
    run_form();
}

TEST_F(ConversionForm, TheSetupButtonShowsTheFormAgainInTheLanguageChosen) {
    const std::string settings = file(demo.settings_file);
    user([] { click_button(kSetup); });
    user([] {
        EXPECT_TRUE(tarvex01.qsetup);
        EXPECT_EQ(frmc00.wintit, "Tarvex - Setup - V4.4.0.0");
        choose("Lang", 3);
        click_button(kOk);
    });
    user([] {
        EXPECT_FALSE(tarvex01.qsetup);
        EXPECT_EQ(frmc00.wintit, "Tarvex - Conversion du circuit - V4.4.0.0");
        click_button(kCancel);
    });
    EXPECT_EQ(run_form()->exit_code, kExitSuccess);
    EXPECT_TRUE(cmndta001.qfr);
    EXPECT_EQ(tarvex01.nlang, 3);
    // OK of the setup form copies, the save buttons write.
    EXPECT_EQ(file(demo.settings_file), settings);
}

TEST_F(ConversionForm, TheSetupFormSavedUnderACondor3PlanKeepsTheRunsStartSpeed) {
    tarvex_c.infile = demo.condor3_plan;
    rd_fpl_6.start_max_speed = 0;
    user([] {
        EXPECT_EQ(shown("start_max_speed"), "170");
        click_button(kSetup);
    });
    user([] {
        click_button(kSave);
        click_button(kCancel);
    });
    user([] {
        // The conversion form on the same plan still shows the plan's speed.
        EXPECT_EQ(shown("start_max_speed"), "170");
        click_button(kCancel);
    });
    EXPECT_EQ(run_form()->exit_code, kExitSuccess);
    EXPECT_NE(file(demo.settings_file).find("\r\nStart max speed=0\r\n"), std::string::npos);
}

TEST_F(ConversionForm, TheSetupFormSavedUnderACondor2PlanWritesTheStartSpeedShown) {
    // "Start max speed=120"; DemoRace2 gives 0, the box keeps 120.
    rd_fpl_6.start_max_speed = 120;
    const std::string plan = demo.condor2_plan;
    user([&plan] {
        user_sets("Infile", 0, plan);
        EXPECT_EQ(shown("start_max_speed"), "120");
        click_button(kSetup);
    });
    user([] {
        click_button(kSave);
        click_button(kCancel);
    });
    user([] { click_button(kCancel); });
    EXPECT_EQ(run_form()->exit_code, kExitSuccess);
    EXPECT_NE(file(demo.settings_file).find("\r\nStart max speed=120\r\n"), std::string::npos);
}

TEST_F(ConversionForm, ATargetWithoutProfileSavesTheProfileSettingAsItWas) {
    tarvex_c.infile = demo.condor2_plan;
    tarvex_c.prfnam = "Mine.prf";
    user([] {
        user_sets("CU", 1);
        EXPECT_EQ(shown("Profile file").find_first_not_of(" "), std::string::npos);
        click_button(kSave);
        click_button(kCancel);
    });
    EXPECT_EQ(run_form()->exit_code, kExitSuccess);
    EXPECT_NE(file(demo.settings_file).find("\r\nProfile file=Mine.prf\r\n"), std::string::npos);
}

TEST_F(ConversionForm, ASeeYouTaskInputTurnsTheTargetAndProfileOffForItsRunOnly) {
    tarvex_c.infile = demo.seeyou_task;
    tarvex_c.prfnam = "Mine.prf";
    tarvex01.qtskwrn = true;
    ask_for_target(kTargetLkt);
    const std::string plan = demo.condor2_plan;
    user([&plan] {
        EXPECT_EQ(shown_int("LK8"), 0);
        EXPECT_FALSE(active("Profile file"));
        click_button(kSave);
        // A plan chosen after it gets them back.
        user_sets("Infile", 0, plan);
        EXPECT_EQ(shown_int("LK8"), 1);
        EXPECT_TRUE(active("Profile file"));
        click_button(kCancel);
    });
    EXPECT_EQ(run_form()->exit_code, kExitSuccess);
    const std::string settings = file(demo.settings_file);
    for (const std::string line : {"Profile file=Mine.prf", "Task warnings=1", "Target=LK8000"}) {
        EXPECT_NE(settings.find("\r\n" + line + "\r\n"), std::string::npos) << line;
    }
}

TEST_F(ConversionForm, AFileThatIsNoPlanIsRefusedWithTheFormOpen) {
    tarvex_c.infile = demo.condor2_plan;
    const std::string folder = prefix.user_root(2) + "FlightPlans\\";
    prefix.add_file(folder + "Junk.fpl", std::string("\x7f" "ELF\x02\x01\x01\0\0\0\xff\xfe\r\n\x01", 16));
    prefix.add_file(folder + "Empty.cup", "");
    user([&folder] {
        for (const std::string input : {"Junk.fpl", "Empty.cup"}) {
            user_sets("Infile", 0, folder + input);
            // Refused as soon as it is chosen; no names proposed for it,
            // none left of the plan before, no output to write.
            const auto index = static_cast<std::size_t>(box("Infile") - 1);
            EXPECT_EQ(engine_tables.inpt_OK[index], 0) << input;
            EXPECT_EQ(engine_tables.inpt_msg[index], "Not a Condor flight plan (.fpl) or a SeeYou task (.cup)");
            for (const char* name : {"Dest", "airnam", "MapName", "Profile file"}) {
                EXPECT_EQ(shown(name).find_first_not_of(' '), std::string::npos) << input << " " << name;
            }
            EXPECT_FALSE(active("Dest")) << input;
            click_button(kOk);
            EXPECT_EQ(engine_tables.inpt_OK[index], 0) << input;
        }
        click_button(kCancel);
    });
    EXPECT_EQ(run_form()->exit_code, kExitSuccess);
}

TEST_F(ConversionForm, APlanOfMorePointsThanATaskHoldsIsRefusedForItsCount) {
    tarvex_c.infile = demo.condor2_plan;
    std::string text = file(demo.condor3_plan);
    text.replace(text.find("Count=6"), 7, "Count=40");
    const std::string plan = prefix.user_root(3) + "FlightPlans\\Long.fpl";
    prefix.add_file(plan, text);
    user([&plan] {
        user_sets("Infile", 0, plan);
        // The form stays, the box refused with the conversion's message.
        const auto index = static_cast<std::size_t>(box("Infile") - 1);
        EXPECT_EQ(engine_tables.inpt_OK[index], 0);
        EXPECT_EQ(engine_tables.inpt_msg[index], "Count=40 : a task holds at most 30 turnpoints");
        EXPECT_FALSE(active("Dest"));
        click_button(kCancel);
    });
    EXPECT_EQ(run_form()->exit_code, kExitSuccess);
    EXPECT_NE(rd_fpl_0.nb_wp, 40);  // nothing of the refused plan stays
}

TEST_F(ConversionForm, ASaveKeepsTheAirspaceSettingButANameChosenInTheDialog) {
    tarvex_c.infile = demo.condor3_plan;
    tarvex_c.airnam.clear();
    user([] {
        // The name proposed after the plan is converted to, never saved.
        EXPECT_EQ(shown("airnam"), "C:\\XCSoarData\\DemoRace3-PZ.txt");
        click_button(kSave);
        EXPECT_EQ(tarvex_c.airnam, "");
        const tarvex_test::ScopedStdin answer("C:\\XCSoarData\\Mine-PZ.txt\n");
        click_box("airnam");
        click_box("airnam");
        click_button(kSave);
        click_button(kCancel);
    });
    EXPECT_EQ(run_form()->exit_code, kExitSuccess);
    EXPECT_NE(file(demo.program_folder + "\\Tarvex_0001.ini").find("\r\nAirspace file=\r\n"), std::string::npos);
    EXPECT_NE(file(demo.settings_file).find("\r\nAirspace file=Mine-PZ.txt\r\n"), std::string::npos);
}

TEST_F(ConversionForm, AJsonExportIsNamedBesideItsInputAndNowhereElse) {
    tarvex_c.infile = demo.condor2_plan;
    ask_for_target(kTargetJson);
    const std::string json = demo.condor2_plan.substr(0, demo.condor2_plan.size() - 4) + ".json";
    user([&json] {
        EXPECT_EQ(shown("Dest"), json);
        // No airspace, no profile for a JSON export.
        EXPECT_FALSE(active("airnam"));
        EXPECT_FALSE(active("Profile file"));
        // A name of another format is refused.
        const auto index = static_cast<std::size_t>(box("Dest") - 1);
        set_inpt_val(index, 0, 0.0f, json.substr(0, json.size() - 5) + ".fpl");
        click_button(kOk);
        EXPECT_EQ(engine_tables.inpt_OK[index], 0);
        EXPECT_EQ(engine_tables.inpt_msg[index], "Enter a .json file name");
        set_inpt_val(index, 0, 0.0f, json);
        click_button(kOk);
    });
    EXPECT_FALSE(run_form());
    EXPECT_EQ(tarvex_c.outfile, json);
}

TEST_F(ConversionForm, AFinishAltitudeTheCommandLineRefusesKeepsTheFormOpen) {
    tarvex_c.infile = demo.condor2_plan;
    user([] {
        const auto index = static_cast<std::size_t>(box("FinishMinAlt") - 1);
        set_inpt_val(box("FinishMinAlt") - 1, 0, 0.0f, "99999999999");
        click_button(kOk);
        // Still open, the box marked with the range in the box's units and
        // its value as it was typed.
        EXPECT_EQ(engine_tables.inpt_OK[index], 0);
        EXPECT_EQ(engine_tables.inpt_msg[index], "Enter a value from 0 to 10000");
        EXPECT_EQ(engine_tables.inpt_cval[index], "99999999999");
        set_inpt_val(box("FinishMinAlt") - 1, 0, 0.0f, "10000");
        click_button(kOk);
    });
    EXPECT_FALSE(run_form());
    EXPECT_FLOAT_EQ(rd_fpl_4.finishminalt, 10000.0f);
}

TEST_F(ConversionForm, AnAatTimeOrStartMarginBeyondItsRangeKeepsTheFormOpen) {
    // A day at most for the AAT, the start margin as high as the finish.
    tarvex_c.infile = demo.condor2_plan;
    user([] {
        for (const auto& [name, range] : {std::pair<std::string, std::string>{"AAT Time", "1440"},
                                          std::pair<std::string, std::string>{"StrtMgn", "10000"}}) {
            const auto index = static_cast<std::size_t>(box(name) - 1);
            set_inpt_val(box(name) - 1, 0, 0.0f, "1000000000");
            click_button(kOk);
            EXPECT_EQ(engine_tables.inpt_OK[index], 0) << name;
            EXPECT_EQ(engine_tables.inpt_msg[index], "Enter a value from 0 to " + range) << name;
            set_inpt_val(box(name) - 1, 0, 0.0f, range);
        }
        click_button(kOk);
    });
    EXPECT_FALSE(run_form());
    EXPECT_FLOAT_EQ(rd_fpl_6.t_aat, 1440.0f);
    EXPECT_EQ(tarvex01.start_margin, 10000);
}

TEST_F(ConversionForm, APathIsShownWholeAndOneTooLongIsRefusedInItsBox) {
    // A plan as long as a path field holds, and one a character longer.
    const std::string folder = "C:\\Plans\\" + std::string(120, 'a') + "\\";
    const std::string longest = folder + std::string(117, 'b') + "\\Race.fpl";
    const std::string too_long = folder + std::string(118, 'b') + "\\Race.fpl";
    ASSERT_EQ(longest.size(), kPathLength);
    for (const std::string& plan : {longest, too_long}) {
        prefix.add_file(plan, file(demo.condor2_plan));
    }
    tarvex_c.infile = longest;
    const auto choose = [](const std::string& plan) {
        const tarvex_test::ScopedStdin answer(plan + "\n");
        click_box("Infile");
        click_box("Infile");
    };
    user([&] {
        const auto index = static_cast<std::size_t>(box("Infile") - 1);
        EXPECT_EQ(shown("Infile"), longest);
        choose(too_long);
        // Refused at once, and nothing named after the path cut to the box.
        EXPECT_EQ(engine_tables.inpt_OK[index], 0);
        EXPECT_EQ(engine_tables.inpt_msg[index], "Path too long (at most 256 characters)");
        EXPECT_EQ(shown("Dest").find_first_not_of(' '), std::string::npos);
        click_button(kOk);
        EXPECT_EQ(engine_tables.inpt_OK[index], 0);
        choose(longest);
        click_button(kOk);
    });
    EXPECT_FALSE(run_form());
    EXPECT_EQ(tarvex_c.infile, longest);
}

TEST_F(ConversionForm, AWindowThatCannotOpenIsToldWithExitCode3) {
    null_host.failures["start host"] = cpw_error_windowclass;
    std::optional<RunStopped> stopped = run_form();
    ASSERT_TRUE(stopped);
    EXPECT_EQ(stopped->exit_code, kExitConfiguration);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "The form window cannot be opened; run Tarvex with -nogui");
    cmndta001.qfr = true;
    boxes.clear();
    stopped = run_form();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "La fen\xEAtre du formulaire ne peut pas \xEAtre ouverte ; lancez Tarvex avec -nogui");
}

}  // namespace
}  // namespace program_forms_test
