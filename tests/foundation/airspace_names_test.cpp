#include "foundation/airspace_names.h"
#include "foundation/gui_hooks.h"
#include "foundation/message_records.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(AirspaceNames, StoreReplaceReadAndBounds) {
    reset_as_nam();
    add_as_name(0, "CTR Alpha");
    add_as_name(1999, "TMA Last");
    add_as_name(5, "first");
    add_as_name(5, "second");
    add_as_name(7, "cut\0after"s);

    std::string name = "previous";
    int ll = -1;
    get_as_name(0, name, ll);
    EXPECT_EQ(name, "CTR Alpha");
    EXPECT_EQ(ll, 9);
    get_as_name(1999, name, ll);
    EXPECT_EQ(name, "TMA Last");
    get_as_name(5, name, ll);
    EXPECT_EQ(name, "second");
    get_as_name(7, name, ll);
    EXPECT_EQ(name, "cut");
    EXPECT_EQ(ll, 3);

    // The table holds a zone table of 5000 zones and more.
    add_as_name(4999, "Zone 4999");
    get_as_name(4999, name, ll);
    EXPECT_EQ(name, "Zone 4999");

    // Slots never stored and numbers outside the table read as empty names.
    for (const int nn : {1, 1998, 4998, -1, 5000, kAirspaceNameSlots}) {
        name = "x";
        get_as_name(nn, name, ll);
        EXPECT_EQ(name, "") << nn;
        EXPECT_EQ(ll, 0) << nn;
    }
    // Storing outside the table changes nothing.
    add_as_name(-1, "bad");
    add_as_name(kAirspaceNameSlots, "bad");
    get_as_name(1999, name, ll);
    EXPECT_EQ(name, "TMA Last");
    get_as_name(kAirspaceNameSlots, name, ll);
    EXPECT_EQ(ll, 0);

    reset_as_nam();
    get_as_name(0, name, ll);
    EXPECT_EQ(ll, 0);
}

TEST(GuiHooks, ReturnAtOnce) {
    // Without a display window the hooks change nothing and write nothing.
    reset_cmndta001();
    cmndta001.nberr = 3;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    prg_bar(50);
    upd_prm();
    trig_as(-1, 0);
    trig_as(12, 100);
    update_wp_n();
    update_wp_nam();
    screen_message(1, 2, "a", "b", "");
    set_error();
    upd_err_count(1, 2);
    upd_rchgri(90);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(cmndta001.nberr, 3);
    EXPECT_EQ(cmndta001.nbwarn, 0);
    reset_cmndta001();
}
