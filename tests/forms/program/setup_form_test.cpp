// The setup form run as the program runs it (tarvex_setup): what it shows,
// its checks, what its OK copies and what it derives afterwards.
#include "program_forms_fixture.h"

#include "forms/program/setup_form.h"
#include "forms/program/field_rules.h"
#include "foundation/tell.h"

namespace program_forms_test {
namespace {

constexpr int kOk = 1;
constexpr int kCancel = -1;
constexpr int kSave = 104;

class SetupForm : public ProgramFormsTest {
protected:
    int run_setup() {
        int result = 0;
        run_with_steps([&result] { result = tarvex_setup(); });
        return result;
    }
    static int check(const std::string& name, const std::string& cval, std::string& msg) {
        return tarvex_forms::check_values_app(box(name), "", 0, 0.0f, cval, msg);
    }
};

TEST_F(SetupForm, ShowsTheSettingsAndRefusesMissingFolders) {
    tarvex_c.seeyou_tasks = "XXXXX";
    tarvex_c1.scrnam = "after.sh";
    user([this] {
        EXPECT_EQ(shown("SeeYou_tasks"), "");
        EXPECT_EQ(shown("Xcsoar_tasks"), demo.xcsoar_tasks);
        EXPECT_EQ(shown("scrnam"), demo.program_folder + "\\after.sh");
        EXPECT_EQ(engine_tables.inpt_typ[static_cast<std::size_t>(box("defpath") - 1)], frm_type_fld);
        // At least one task folder, "XXXXX" counting as none.
        std::string msg;
        EXPECT_EQ(check("Xcsoar_tasks", "", msg), 1);
        user_sets("Xcsoar_tasks", 0, "XXXXX");
        user_sets("LK8000_tasks", 0, "");
        EXPECT_EQ(check("LK8000_tasks", "", msg), 0);
        EXPECT_EQ(msg, "At least one destination path must be specified");
        user_sets("SeeYou_tasks", 0, "C:\\SeeYou\\Tasks");
        EXPECT_EQ(check("Xcsoar_tasks", "XXXXX", msg), 1);
        EXPECT_EQ(check("defpath", "", msg), 0);
        EXPECT_EQ(msg, "Enter a folder");
        cmndta001.qfr = true;
        EXPECT_EQ(check("defpath", "", msg), 0);
        EXPECT_EQ(msg, "Indiquez un dossier");
        // The flight-plans box becomes a file box and back.
        user_sets("FplFil", 1);
        EXPECT_EQ(engine_tables.inpt_typ[static_cast<std::size_t>(box("defpath") - 1)], frm_type_ifp);
        EXPECT_EQ(engine_tables.inpt_ext[static_cast<std::size_t>(box("defpath") - 1)], "*.fpl;*.cup");
        user_sets("FplFil", 0);
        EXPECT_EQ(engine_tables.inpt_typ[static_cast<std::size_t>(box("defpath") - 1)], frm_type_fld);
        click_button(kCancel);
    });
    EXPECT_EQ(run_setup(), kCancel);
    // Cancelled: nothing copied, what follows from the settings derived again.
    EXPECT_EQ(tarvex_c.xcsoar_tasks, demo.xcsoar_tasks);
    EXPECT_FALSE(tarvex01.qsetup);
    EXPECT_TRUE(cmndta001.qfr == false);  // "Language=AUTO" on an English system
}

TEST_F(SetupForm, OkCopiesTheBoxesAndKeepsWhatTheFormDoesNotShow) {
    tarvex01.qauto_defpath = true;  // "Flightplans path=AUTO"
    tarvex01.nunit = 2;
    const std::string condor3 = inst00.cndrinstpath;
    user([] {
        choose("Units", 3);
        choose("nauto", 3);
        user_sets("WrDef", 1);
        set_inpt_val(box("WrDefLK8000") - 1, 1, 0.0f, " ");
        click_button(kOk);
    });
    EXPECT_EQ(run_setup(), kOk);
    EXPECT_EQ(tarvex01.nunit, 3);
    EXPECT_EQ(tarvex01.nunitalt, 1);  // the display units follow
    EXPECT_TRUE(tarvex01.qwait);
    EXPECT_EQ(tarvex01.ndeftsk, 2);
    EXPECT_TRUE(stpfrm_m.qm__nunit);
    // The flight-plans path was not touched: it stays automatic, and so do the Condor folders.
    EXPECT_TRUE(tarvex01.qauto_defpath);
    EXPECT_TRUE(tarvex01.qauto_c2_inst);
    EXPECT_EQ(inst00.cndrinstpath, condor3);
    EXPECT_EQ(inst00.pilot_path, prefix.pilot_dir(3));

    // A flight-plans path chosen in the form is no longer the automatic one,
    // and the save buttons write it.
    user([] {
        user_sets("defpath", 0, "C:\\Club\\Plans");
        set_inpt_val(box("defpath") - 1, 0, 0.0f, "C:\\Club\\Plans");
        click_button(kSave);
        click_button(kCancel);
    });
    EXPECT_EQ(run_setup(), kCancel);
    EXPECT_FALSE(tarvex01.qauto_defpath);
    EXPECT_NE(file(demo.settings_file).find("\r\nFlightplans path=C:\\Club\\Plans\r\n"), std::string::npos);
}

}  // namespace
}  // namespace program_forms_test
