// The layout of a form: boxes, labels, buttons, titles, separators and the
// window's size, with the fake measure of the fixture (input characters 8
// pixels wide, label characters 6, a margin of 3 at font size 12).
#include "engine_fixture.h"

namespace engine_test {
namespace {

class Layout : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        engine_font_metrics();
    }
    FrmInptDef labelled(int x, int y, int code, std::string_view label = "Label") {
        FrmInptDef d = box(x, y, 10, frm_type_int, label);
        d.position[2] = code;
        return d;
    }
};

TEST_F(Layout, LabelsArePlacedByTheirCodes) {
    add_inpt(7, 0, labelled(100, 50, -1));
    FrmInptDef arrows = labelled(100, 100, -1);
    arrows.arrows = 1;
    add_inpt(7, 1, arrows);
    add_inpt(7, 2, labelled(-100, 150, -2));
    add_inpt(7, 3, labelled(200, 200, -3));
    add_inpt(7, 4, labelled(200, 250, -4));
    add_inpt(7, 5, labelled(200, 300, -5));
    FrmInptDef given = labelled(200, 350, 40);
    given.position[3] = 355;
    add_inpt(7, 6, given);
    add_inpt(8, 7, labelled(60, 400, -2));  // "L" with a positive x
    form_setup();
    const auto& pos = engine_tables.inpt_pos;
    const auto& ptx = engine_tables.inpt_ptx;
    // The metrics come from the input font: x2 = x1 + 10 * 8 + 2 * 3, y2 = y1 + 3 + 12.
    EXPECT_EQ(engine_metrics.Yoffset, margin);
    EXPECT_EQ(pos[0], (Rect{100, 50, 186, 65}));
    EXPECT_EQ(ptx[0], (std::array<int, 2>{186 + 4, 53}));
    EXPECT_EQ(ptx[1], (std::array<int, 2>{186 + 16 + 4, 103}));  // beyond the arrows
    // "L": the label at 100, the box after it (half a character and the label's 30 pixels).
    EXPECT_EQ(ptx[2], (std::array<int, 2>{100, 153}));
    EXPECT_EQ(pos[2][0], 100 + 4 + 30);
    EXPECT_EQ(ptx[3], (std::array<int, 2>{200 - 8 - 30, 203}));
    EXPECT_EQ(ptx[4], (std::array<int, 2>{(200 + 286 - 30) / 2, 265 + 3}));
    EXPECT_EQ(ptx[5], (std::array<int, 2>{200, 315 + 3}));
    EXPECT_EQ(ptx[6], (std::array<int, 2>{40, 355}));
    EXPECT_EQ(ptx[7], (std::array<int, 2>{-60, 403}));  // at -x, left of the window
    EXPECT_EQ(pos[7][0], -60 + 4 + 30);
}

TEST_F(Layout, TheWindowHasTheSmallestLeftAndBottomAsItsMargins) {
    FrmInptDef tick = box(30, 20, 16, frm_type_tck, "");
    add_inpt(2, 0, tick);
    add_inpt(2, 1, labelled(60, 80, -1, "Wide label"));  // label to 146 + 4 + 60
    add_butt(1, 0, "OK", {40, 120}, 70, 1);
    form_setup();
    EXPECT_EQ(engine_tables.inpt_pos[0], (Rect{30, 20, 46, 36}));
    EXPECT_EQ(engine_tables.butt_pos[0], (Rect{40, 120, 110, 135}));
    EXPECT_EQ(engine_metrics.windowInfo.width, 210 + 30);
    EXPECT_EQ(engine_metrics.windowInfo.height, 135 + 20);
}

TEST_F(Layout, CodedButtonsAndTitlesAreAnchoredOnTheWindow) {
    add_inpt(1, 0, box(20, 20, 45, frm_type_chr, ""));  // 20..386
    add_butt(3, 0, "Centred", {10000 + 200, 50}, 60, 1);
    add_butt(3, 1, "Half", {-(10000 + 500), 80}, 60, -1);
    add_butt(3, 2, "Right", {20000 + 300, 110}, 60, 2);
    add_subt(2, 0, "Above", {-(10000 + 500), -5});  // 5 above everything
    add_subt(2, 1, "Plain", {30, 150});
    form_setup();
    const int width = engine_metrics.windowInfo.width;
    EXPECT_EQ(width, 386 + 20);
    EXPECT_EQ(engine_tables.butt_pos[0][0], 200 - 30);
    EXPECT_EQ(engine_tables.butt_pos[0][2], 200 + 30);
    EXPECT_EQ(engine_tables.butt_pos[1][0], width / 2 - 30);
    EXPECT_EQ(engine_tables.butt_pos[2][0], 300 - 60);
    // The highest top before the titles is the third button's, 110 + 15.
    EXPECT_EQ(engine_tables.subt_pos[0][1], 125 + 10 + 5);
    EXPECT_EQ(engine_tables.subt_pos[0][0], width / 2 - 5 * label_char / 2);
    EXPECT_EQ(engine_tables.subt_pos[1], (std::array<int, 2>{30, 150}));
    // The first title is 2 points larger (its top 140 + 14); the second one's top is higher.
    EXPECT_EQ(engine_metrics.windowInfo.height, 150 + 12 + 20);
}

TEST_F(Layout, SeparatorsAboveEverythingAndListsFindTheirBoxes) {
    FrmInptDef list = box(20, 20, 10, frm_type_ddl, "");
    list.list = 4;
    add_inpt(1, 0, list);
    const std::vector<std::array<int, 4>> lines = {{0, -3, 100, -3}, {0, -3, 100, -4}};
    add_sepa(2, lines);
    form_setup();
    EXPECT_EQ(engine_tables.sepa_pos[0], (Rect{0, 35 + 10 + 3, 100, 35 + 10 + 3}));
    EXPECT_EQ(engine_tables.sepa_pos[1], (Rect{0, -3, 100, -4}));
    EXPECT_EQ(engine_tables.ddl_inpt[4], 0);
    EXPECT_EQ(engine_tables.ddl_inpt[0], -1);
}

TEST_F(Layout, DependenciesGreyBoxesOfAnUntickedOrTickedBox) {
    FrmInptDef tick = box(20, 20, 16, frm_type_tck, "");
    tick.ival = 1;
    add_inpt(4, 0, tick);
    FrmInptDef negated = box(20, 50, 16, frm_type_tck, "");
    negated.dependency = 1000;
    add_inpt(4, 1, negated);
    FrmInptDef plain = box(20, 80, 10, frm_type_chr, "");
    plain.dependency = 0;
    plain.active = 0;
    add_inpt(4, 2, plain);
    FrmInptDef on_text = box(20, 110, 10, frm_type_chr, "");
    on_text.dependency = 2;  // box 2 is no tick box: no effect
    add_inpt(4, 3, on_text);
    form_setup();
    EXPECT_EQ(engine_tables.inpt_act[1], 0);
    EXPECT_EQ(engine_tables.inpt_act[2], 1);
    EXPECT_EQ(engine_tables.inpt_act[3], 1);
}

}  // namespace
}  // namespace engine_test
