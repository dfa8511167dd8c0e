// Registration of a form into the engine's tables and the updates of the
// form API: what is stored, what is held at the tables' sizes, what is refused.
#include "engine_fixture.h"

#include <cmath>

namespace engine_test {
namespace {

using Registration = EngineTest;

TEST_F(Registration, BoxesBeyondTheTableAreRefusedAndTheCountHeld) {
    EXPECT_TRUE(add_inpt(150, 99, box(10, 10, 5, frm_type_chr, "Last", "x")));
    EXPECT_FALSE(add_inpt(150, 100, box(10, 10, 5, frm_type_chr, "Beyond")));
    EXPECT_FALSE(add_inpt(150, -1, box(10, 10, 5, frm_type_chr, "Before")));
    EXPECT_EQ(engine_tables.nb_inpt, engine_max_boxes);
    EXPECT_EQ(engine_tables.inpt_txt[99], "Last");
    EXPECT_EQ(engine_tables.inpt_OK[99], 1);

    EXPECT_TRUE(add_butt(12, 9, "OK", {10, 10}, 60, 1));
    EXPECT_FALSE(add_butt(12, 10, "Eleventh", {10, 10}, 60, 1));
    EXPECT_EQ(engine_tables.nb_butt, engine_max_buttons);
    EXPECT_FALSE(add_subt(25, 20, "Twenty-first", {10, 10}));
    EXPECT_EQ(engine_tables.nb_subt, engine_max_titles);

    const std::vector<std::array<int, 4>> lines(3, {1, 2, 3, 4});
    EXPECT_FALSE(add_sepa(25, lines));  // held at the three given
    EXPECT_EQ(engine_tables.nb_sepa, 3);

    EXPECT_FALSE(add_ddl(30, 3, 0, "Thirty-first list"));
    EXPECT_FALSE(add_ddl(-2, 3, 0, "no list"));
    EXPECT_FALSE(add_ddl(0, 60, 50, "Fifty-first entry"));
    EXPECT_EQ(engine_tables.ddl_nbli[0], engine_max_entries);
    EXPECT_TRUE(add_ddl(0, 60, 49, std::string(40, 'e')));
    EXPECT_EQ(engine_tables.ddl_txt[0][49], std::string(31, 'e'));
    EXPECT_FALSE(add_lnd(1, 400, 333, "beyond"));
    EXPECT_EQ(engine_tables.ddl_nbli[1], engine_max_landscapes);
    EXPECT_EQ(engine_tables.LndDDL, 1);
}

TEST_F(Registration, TextsAreCutToTheirCapacities) {
    FrmInptDef d = box(10, 10, 5, frm_type_ifp);
    const std::string label(200, 'l'), value(300, 'v'), pattern(40, 'p');
    d.label = label;
    d.value = value;
    d.pattern = pattern;
    add_inpt(1, 0, d);
    EXPECT_EQ(engine_tables.inpt_txt[0].size(), 127u);
    EXPECT_EQ(engine_tables.inpt_cval[0].size(), engine_value_chars);
    EXPECT_EQ(engine_tables.inpt_ext[0].size(), 31u);
}

TEST_F(Registration, RadioGroupsSkipUnknownMembersAndRefuseAnEleventh) {
    for (int i = 0; i < 4; ++i) {
        FrmInptDef d = box(10, 10 + 30 * i, 20, frm_type_tck);
        add_inpt(4, i, d);
    }
    engine_tables.inpt_siz[2] = 30;
    std::array<int, engine_max_groups> counts{};
    std::array<std::array<int, engine_max_members>, engine_max_groups> members{};
    counts[0] = 3;
    members[0] = {1, -1, 3};  // the second name matched no box
    counts[1] = 11;
    members[1] = {4};
    EXPECT_FALSE(add_rdio(2, counts, members));
    EXPECT_EQ(engine_tables.tick_rdio_count[0], 2);
    EXPECT_EQ(engine_tables.tick_rdio[0][0], 0);
    EXPECT_EQ(engine_tables.tick_rdio[0][1], 2);
    EXPECT_EQ(engine_tables.rdio_set[0], 0);
    EXPECT_EQ(engine_tables.rdio_set[1], -1);
    EXPECT_EQ(engine_tables.rdio_set[3], 1);
    EXPECT_EQ(engine_tables.tick_rdio_count[1], 1);  // held at ten, of which one is a box
    // Circle points for the largest member: 30 * pi / 1.5 + 1.
    EXPECT_EQ(engine_tables.NCRad, 63);
    EXPECT_NEAR(engine_tables.pprad[0][0], std::cos(3.14159265 / 4), 1e-6);
}

TEST_F(Registration, SetOptStartsAFreshRegistration) {
    add_subt(1, 0, "Old title", {10, 10});
    add_inpt(1, 0, box(10, 10, 5, frm_type_chr, "Old"));
    set_opt({0, 14, 1});
    EXPECT_EQ(engine_tables.nb_subt, 0);
    EXPECT_EQ(engine_tables.nb_inpt, 0);
    EXPECT_TRUE(engine_tables.inpt_txt[0].empty());
    EXPECT_EQ(engine_metrics.font_size, 14);
    EXPECT_EQ(engine_metrics.ActWin, 0);
    EXPECT_EQ(engine_metrics.DEBUG, 1);
}

TEST_F(Registration, KeyBoxesShowTheKeysName) {
    FrmInptDef d = box(10, 10, 12, frm_type_key, "Key", "typed");
    d.ival = 10000 + 'A';
    add_inpt(3, 0, d);
    d.ival = -200;  // a scan code that names no key
    add_inpt(3, 1, d);
    d.ival = 0;
    add_inpt(3, 2, d);
    EXPECT_EQ(engine_tables.inpt_cval[0], "CTRL+A");
    EXPECT_EQ(engine_tables.inpt_cval[1], "??????");
    EXPECT_EQ(engine_tables.inpt_cval[2], "typed");
}

TEST_F(Registration, UpdatesCheckBoxAndEntryNumbers) {
    FrmInptDef list = box(10, 10, 12, frm_type_ddl, "List");
    list.list = 0;
    add_inpt(2, 0, list);
    add_inpt(2, 1, box(10, 40, 12, frm_type_key, "Key"));
    for (int j = 0; j < 3; ++j) {
        add_ddl(0, 3, j, "entry " + std::to_string(j + 1));
    }
    add_subt(1, 0, "Title", {10, 10});

    set_inpt_val(0, 7, 0.0f, "ignored");  // held at the last entry
    EXPECT_EQ(engine_tables.inpt_ival[0], 2);
    EXPECT_EQ(engine_tables.inpt_cval[0], "entry 3");
    set_inpt_val(0, -4, 0.0f, "");
    EXPECT_EQ(engine_tables.inpt_cval[0], "entry 1");
    set_inpt_val(1, 90000 - 63, 0.0f, "");
    EXPECT_EQ(engine_tables.inpt_cval[1], "LONG+CTRL+F5");

    int iv = -1;
    float rv = -1.0f;
    std::string cv;
    EXPECT_EQ(get_box_val(0, iv, rv, cv), 1);
    EXPECT_EQ(iv, 1);  // 1-based for the caller
    EXPECT_EQ(cv, "entry 1");
    EXPECT_EQ(get_box_val(100, iv, rv, cv), 0);
    EXPECT_EQ(get_box_val(-1, iv, rv, cv), 0);

    // Outside the boxes and titles nothing changes, also with negative numbers.
    set_inpt_props(-1, "x", 0, 3, "", 1);
    set_inpt_props(2, "x", 0, 3, "", 1);
    set_inpt_val(-1, 1, 0.0f, "x");
    set_subt(-1, "x", 1);
    set_subt(1, "x", 1);
    EXPECT_EQ(engine_tables.subt_txt[0], "Title");
    EXPECT_EQ(engine_tables.inpt_txt[0], "List");
    set_inpt_props(0, "Other", 0, frm_type_ddl, "*.fpl", 0);
    EXPECT_EQ(engine_tables.inpt_txt[0], "Other");
    EXPECT_EQ(engine_tables.inpt_act[0], 0);
    EXPECT_EQ(engine_tables.inpt_ext[0], "*.fpl");
}

TEST_F(Registration, ValuesReapplyTheDependencies) {
    add_inpt(3, 0, box(10, 10, 12, frm_type_tck, "Tick"));
    FrmInptDef on = box(10, 40, 12, frm_type_chr, "On when ticked");
    on.dependency = 0;
    add_inpt(3, 1, on);
    FrmInptDef off = box(10, 70, 12, frm_type_chr, "Off when ticked");
    off.dependency = 1000;
    add_inpt(3, 2, off);
    set_inpt_val(0, 1, 1.0f, "1");
    EXPECT_EQ(engine_tables.inpt_act[1], 1);
    EXPECT_EQ(engine_tables.inpt_act[2], 0);
    set_inpt_val(0, 0, 0.0f, "0");
    EXPECT_EQ(engine_tables.inpt_act[1], 0);
    EXPECT_EQ(engine_tables.inpt_act[2], 1);
}

}  // namespace
}  // namespace engine_test
