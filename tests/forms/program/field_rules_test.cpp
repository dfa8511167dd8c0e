// The conversion form's field rules while it is shown: the names proposed
// from the input, the target boxes, the Condor 3 lock, the input's check.
#include "program_forms_fixture.h"

#include "forms/program/conversion_form.h"
#include "forms/program/field_rules.h"
#include "forms/program/proposed_names.h"
#include "forms/program/form_boxes.h"
#include "foundation/output_targets.h"
#include "support/std_streams.h"
#include "taskfiles/task_model.h"

#include <tuple>

namespace program_forms_test {
namespace {

constexpr int kCancel = -1;
constexpr int kSave = 102;

class FieldRules : public ProgramFormsTest {
protected:
    FieldRules() {
        // The demo's Condor 2 plan, with its penalty zone, as Race.fpl.
        race = "C:\\Plans\\Race.fpl";
        prefix.add_file(race, file(demo.condor2_plan));
        prefix.add_file("C:\\Plans\\RACE.FPL", file(demo.condor2_plan));
        tarvex_c.xcsoar_tasks = "D:\\XCSoar\\Tasks";
        get_root_names();
    }
    // Shows the conversion form for `input`, runs `checks` in it, cancels.
    void while_shown(const std::string& input, const std::function<void()>& checks) {
        tarvex_c.infile = input;
        user([&checks] {
            checks();
            click_button(kCancel);
        });
        try {
            run_with_steps(tarvex_gui);
        } catch (const RunStopped& stopped) {
            EXPECT_EQ(stopped.exit_code, kExitSuccess);
        }
    }
    // The pilot types an AAT time; the form is told.
    static void set_aat_time(float minutes) {
        set_inpt_val(box("AAT Time") - 1, 0, minutes, "");
        frm_callback(1, box("AAT Time"), 0);
    }
    std::string race;
};

TEST_F(FieldRules, APlanProposesTheNamesOfItsFilesWithAndWithoutAat) {
    while_shown(race, [] {
        EXPECT_EQ(shown("Dest"), "D:\\XCSoar\\Tasks\\Race.tsk");
        EXPECT_EQ(shown("airnam"), "D:\\XCSoar\\Race-PZ.txt");
        EXPECT_EQ(shown("Profile file"), "D:\\XCSoar\\Condor.prf");
        EXPECT_TRUE(active("Dest"));
        EXPECT_TRUE(active("airnam"));
        // An AAT without a time is converted as none.
        user_sets("AAT", 1);
        EXPECT_EQ(shown("Dest"), "D:\\XCSoar\\Tasks\\Race.tsk");
        set_aat_time(60.0f);
        EXPECT_EQ(shown("Dest"), "D:\\XCSoar\\Tasks\\Race-AAT.tsk");
        EXPECT_EQ(shown("airnam"), "D:\\XCSoar\\Race-AAT-PZ.txt");
    });
    // Names the options give stand when the form opens. Proposed anew, the
    // airspace keeps the setting's name (a whole path gives its name); the
    // profile is always the setting's, in the target's folder.
    tarvex_c.airnam = "C:\\Old\\Zones.txt";
    tarvex_c.prfnam = "Mine.prf";
    tarvex_c.outfile = "C:\\Out\\Mine.tsk";
    while_shown(race, [] {
        EXPECT_EQ(shown("Dest"), "C:\\Out\\Mine.tsk");
        EXPECT_EQ(shown("airnam"), "C:\\Old\\Zones.txt");
        EXPECT_EQ(shown("Profile file"), "D:\\XCSoar\\Mine.prf");
        // The output named stays the pilot's until another input is taken.
        set_aat_time(60.0f);
        user_sets("AAT", 1);
        EXPECT_EQ(shown("Dest"), "C:\\Out\\Mine.tsk");
        user_sets("AAT", 0);
        forget_chosen_names();
        update_files();
        EXPECT_EQ(shown("Dest"), "D:\\XCSoar\\Tasks\\Race.tsk");
        EXPECT_EQ(shown("airnam"), "D:\\XCSoar\\Zones.txt");
        EXPECT_EQ(shown("Profile file"), "D:\\XCSoar\\Mine.prf");
    });
    tarvex_c.outfile.clear();
    // The extension is searched with its case.
    while_shown("C:\\Plans\\RACE.FPL", [] { EXPECT_EQ(shown("Dest"), "D:\\XCSoar\\Tasks\\RACE.FPL.tsk"); });
    // An input already marked AAT is not marked twice.
    tarvex_c.airnam.clear();
    prefix.add_file("C:\\Plans\\Race-AAT.fpl", file(demo.condor2_plan));
    while_shown("C:\\Plans\\Race-AAT.fpl", [] {
        set_aat_time(60.0f);
        user_sets("AAT", 1);
        EXPECT_EQ(shown("Dest"), "D:\\XCSoar\\Tasks\\Race-AAT.tsk");
        EXPECT_EQ(shown("airnam"), "D:\\XCSoar\\Race-AAT-PZ.txt");
    });
}

TEST_F(FieldRules, TickingATargetChoosesItAndProposesItsNames) {
    tarvex01.qjson = true;
    tarvex01.qxcs = false;
    tarvex_c.seeyou_tasks = "";
    while_shown(race, [this] {
        // JSON asked for: none of the three ticked; no SeeYou folder: greyed.
        EXPECT_EQ(shown_int("XCS") + shown_int("LK8") + shown_int("CU"), 0);
        EXPECT_FALSE(active("CU"));
        EXPECT_TRUE(active("LK8"));
        user_sets("LK8", 1);
        EXPECT_TRUE(tarvex01.qlk8000);
        EXPECT_FALSE(tarvex01.qxcs || tarvex01.qcup || tarvex01.qjson);
        EXPECT_EQ(shown("Dest"), demo.lk8000_tasks + "\\Default.lkt");
        EXPECT_EQ(shown("MapName"), "C:\\LK8000\\_Maps\\DEMOPROVENCE.LKM");
        EXPECT_EQ(shown("TerrainName"), "C:\\LK8000\\_Maps\\DEMOPROVENCE.DEM");
        EXPECT_EQ(shown("Profile file"), "C:\\LK8000\\_Configuration\\DEFAULT_PROFILE.prf");
        EXPECT_EQ(shown("airnam"), "C:\\LK8000\\_Airspaces\\Race-PZ.txt");
        EXPECT_TRUE(active("TerrainName"));
        // An untick does nothing.
        user_sets("XCS", 0);
        EXPECT_TRUE(tarvex01.qlk8000);
        // Saved with LK8000's default files, then back to XCSoar: the
        // default profile never becomes the setting, XCSoar keeps its own.
        click_button(kSave);
        EXPECT_EQ(tarvex_c.prfnam, "");
        user_sets("XCS", 1);
        EXPECT_EQ(shown("Profile file"), "D:\\XCSoar\\Condor.prf");
    });
    // Two targets in the settings: the form shows the one converted to.
    tarvex01.qxcs = true;
    tarvex01.qlk8000 = true;
    while_shown(race, [] {
        EXPECT_EQ(shown_int("LK8"), 1);
        EXPECT_EQ(shown_int("XCS"), 0);
    });
}

TEST_F(FieldRules, ASeeYouTaskProposesACondorPlanWithoutTargets) {
    while_shown(demo.seeyou_task, [this] {
        EXPECT_TRUE(tarvex01.qcup_in);
        EXPECT_EQ(shown("Dest"), prefix.user_root(3) + "FlightPlans\\DemoTask_CUP.fpl");
        for (const char* name : {"XCS", "LK8", "CU", "Profile file", "MapName", "TerrainName"}) {
            EXPECT_FALSE(active(name)) << name;
        }
        EXPECT_EQ(shown_int("XCS"), 0);
        EXPECT_FALSE(tarvex01.qxcs || tarvex01.qwrprf);
    });
}

TEST_F(FieldRules, ACondor3PlanLocksItsRulesUntilAnotherInputIsChosen) {
    // A Condor 2 plan that gives no task rules takes the run's.
    const std::string plain = "C:\\Plans\\Plain.fpl";
    prefix.add_file(plain, tarvex_test::without_task_rules(file(demo.condor2_plan)));
    rd_fpl_6.start_max_speed = 120;
    while_shown(plain, [this, plain] {
        EXPECT_TRUE(active("AAT"));
        EXPECT_EQ(shown("start_max_speed"), "120");
        const std::string t_aat = shown("AAT Time");
        user_sets("Infile", 0, demo.condor3_plan);
        EXPECT_EQ(rd_fpl_0.nvcnd, 3);
        EXPECT_EQ(shown("Dest"), "D:\\XCSoar\\Tasks\\DemoRace3.tsk");
        for (const char* name : {"AAT", "AAT Time", "start_max_speed"}) {
            EXPECT_FALSE(active(name)) << name;
        }
        EXPECT_EQ(shown("start_max_speed"), "170");
        // Every later event puts the plan's values back.
        set_inpt_val(box("start_max_speed") - 1, 99, 0.0f, "99");
        frm_callback(7, 0, 0);
        EXPECT_EQ(shown("start_max_speed"), "170");
        // Another plan, or a SeeYou task, lifts the lock: the boxes take its
        // rules, and nothing of the Condor 3 plan is left.
        for (const std::string& input : {plain, demo.seeyou_task}) {
            user_sets("Infile", 0, input);
            for (const char* name : {"AAT", "AAT Time", "start_max_speed"}) {
                EXPECT_TRUE(active(name)) << input << " " << name;
            }
            EXPECT_EQ(shown("start_max_speed"), "120") << input;
            EXPECT_EQ(shown("AAT Time"), t_aat) << input;
            EXPECT_EQ(rd_fpl_6.start_max_speed, 120) << input;
        }
        EXPECT_EQ(rd_fpl_0.nvcnd, 0);
        EXPECT_EQ(rd_fpl_0.nb_pz, 0);
        EXPECT_FALSE(active("airnam"));
        // A folder or a missing name reads nothing; the dependent names follow.
        user_sets("Infile", 0, "C:\\Plans\\");
        EXPECT_FALSE(active("Dest"));
    });
}

TEST_F(FieldRules, RulesSavedInTheFormStayForALaterInput) {
    const std::string plain = "C:\\Plans\\Plain.fpl";
    prefix.add_file(plain, tarvex_test::without_task_rules(file(demo.condor2_plan)));
    rd_fpl_6.start_max_speed = 120;
    while_shown(plain, [this, plain] {
        set_inpt_val(box("start_max_speed") - 1, 140, 0.0f, "140");
        click_button(kSave);
        // A Condor 3 plan and back: the speed saved, not the one of before.
        user_sets("Infile", 0, demo.condor3_plan);
        user_sets("Infile", 0, plain);
        EXPECT_EQ(shown("start_max_speed"), "140");
        EXPECT_EQ(rd_fpl_6.start_max_speed, 140);
    });
    EXPECT_NE(file(demo.settings_file).find("Start max speed=140"), std::string::npos);
}

TEST_F(FieldRules, TypedRulesStayForAnotherPlanAndComeBackAfterACondor3Plan) {
    const std::string other = "C:\\Plans\\Other.fpl";
    prefix.add_file(other, file(demo.condor2_plan));
    while_shown(race, [this, other] {
        // The pilot's rules, as typed.
        set_inpt_val(box("AAT") - 1, 1, 0.0f, " ");
        set_inpt_val(box("AAT Time") - 1, 0, 0.0f, "120");
        set_inpt_val(box("start_max_speed") - 1, 0, 0.0f, "150");
        const auto rules = [] { return std::tuple{shown_int("AAT"), shown("AAT Time"), shown("start_max_speed")}; };
        const std::tuple typed{1, std::string("120"), std::string("150")};
        user_sets("Infile", 0, other);
        EXPECT_EQ(rules(), typed);
        // A Condor 3 plan locks them with its own; the plan after it gets them back.
        user_sets("Infile", 0, demo.condor3_plan);
        EXPECT_EQ(shown("start_max_speed"), "170");
        user_sets("Infile", 0, race);
        EXPECT_EQ(rules(), typed);
        for (const char* name : {"AAT", "AAT Time", "start_max_speed"}) {
            EXPECT_TRUE(active(name)) << name;
        }
    });
}

TEST_F(FieldRules, APlanChosenAgainInTheDialogIsReadAgain) {
    while_shown(race, [this] {
        EXPECT_EQ(rd_fpl_0.nvcnd, 2);
        // Rewritten in place, then chosen again under the same name.
        prefix.add_file(race, file(demo.condor3_plan));
        const tarvex_test::ScopedStdin answer(race + "\n");
        click_box("Infile");
        click_box("Infile");
        EXPECT_EQ(rd_fpl_0.nvcnd, 3);
        EXPECT_EQ(shown("start_max_speed"), "170");
    });
}

TEST_F(FieldRules, TheInputMustBeAReadablePlanOrTask) {
    prefix.add_folder("C:\\Plans\\Folder");
    EXPECT_EQ(infile_ok(race), 1);
    EXPECT_EQ(infile_ok("C:\\Plans\\Folder"), -1);
    EXPECT_EQ(infile_ok("C:\\Plans\\Missing.fpl"), 0);
    EXPECT_EQ(infile_ok(""), 0);
    prefix.add_folder("C:\\Plans\\Odd.FPL");  // exists, cannot be opened, named as a plan
    EXPECT_EQ(infile_ok("C:\\Plans\\Odd.FPL"), 0);
    while_shown(race, [] {
        const int n = box("Infile");
        std::string msg;
        EXPECT_EQ(tarvex_forms::check_values_app(n, "", 0, 0.0f, "", msg), 1);
        EXPECT_EQ(msg, "");
        for (const auto& [input, message] :
             {std::pair{"C:\\Plans\\Folder\\", "Enter a .fpl or .cup file name"},
              std::pair{"C:\\Plans\\Missing.fpl", "This file cannot be opened"}}) {
            set_inpt_val(n - 1, 0, 0.0f, input);
            EXPECT_EQ(tarvex_forms::check_values_app(n, "", 0, 0.0f, "", msg), 0);
            EXPECT_EQ(msg, message);
        }
        cmndta001.qfr = true;
        tarvex_forms::check_values_app(n, "", 0, 0.0f, "", msg);
        EXPECT_EQ(msg, "Ce fichier ne peut pas \xEAtre ouvert");
        // Other boxes, and a greyed input box, are not checked.
        EXPECT_EQ(tarvex_forms::check_values_app(box("Dest"), "", 0, 0.0f, "", msg), 1);
        set_box_active(n, false);
        EXPECT_EQ(tarvex_forms::check_values_app(n, "", 0, 0.0f, "", msg), 1);
    });
}

}  // namespace
}  // namespace program_forms_test
