#include "foundation/option_records.h"

#include "foundation/messages.h"
#include "support/run_stop_catch.h"

#include <gtest/gtest.h>

#include <string>

TEST(OptionRecords, ResetRestoresTheStartUpDefaults) {
    tarvex01.start_margin = 7;
    tarvex01.qxcs = false;
    tarvex01.qjson = true;
    tarvex01.nvers = 1;
    tarvex01.fmulalt = 3.28084f;
    tarvex_c.xcsoar_tasks = "C:\\XCSoar";
    tarvex_c.cunitspd = "kt";
    tarvex_c1.scrnam = "post.bat";
    tarvex_c.defpath = "C:\\Plans";
    tarvex01.qauto_defpath = false;
    tarvex01.maxtaskmargin = 5;
    trn00c.trnfile = "C:\\a.trn";

    reset_option_records();

    EXPECT_EQ(tarvex01.start_margin, 100);
    EXPECT_EQ(tarvex01.ndeftsk, 1);
    EXPECT_EQ(tarvex01.nauto, 1);
    EXPECT_EQ(tarvex01.nunit, 1);
    EXPECT_EQ(tarvex01.nlang, 1);
    EXPECT_EQ(tarvex01.nform_cup, 1);
    EXPECT_EQ(tarvex01.nvers, 4400);
    EXPECT_EQ(tarvex01.ntarg, 0);
    // The defaults the settings file's comments name.
    EXPECT_EQ(tarvex01.maxtaskmargin, 37);
    EXPECT_TRUE(tarvex01.qauto_defpath);
    EXPECT_FLOAT_EQ(tarvex01.fmulalt, 1.0f);
    EXPECT_FLOAT_EQ(tarvex01.fmulspd, 1.0f);
    EXPECT_FLOAT_EQ(tarvex01.t_aat_arg, 0.0f);
    // Exactly one target, XCSoar.
    EXPECT_TRUE(tarvex01.qxcs);
    EXPECT_FALSE(tarvex01.qlk8000);
    EXPECT_FALSE(tarvex01.qcup);
    EXPECT_FALSE(tarvex01.qjson);
    // The switches that start on.
    EXPECT_TRUE(tarvex01.qwrprf);
    EXPECT_TRUE(tarvex01.qpolfold);
    EXPECT_TRUE(tarvex01.qauto_c2_inst);
    EXPECT_TRUE(tarvex01.qauto_c2_root);
    EXPECT_TRUE(tarvex01.qscr);
    EXPECT_TRUE(tarvex01.qgui);
    EXPECT_TRUE(tarvex01.qmaxalt_cup);
    EXPECT_FALSE(tarvex01.qchkwp);
    EXPECT_FALSE(tarvex01.qmapfold);

    EXPECT_EQ(tarvex_c.xcsoar_tasks, "XXXXX");
    EXPECT_EQ(tarvex_c.lk8000_tasks, "XXXXX");
    EXPECT_EQ(tarvex_c.seeyou_tasks, "XXXXX");
    EXPECT_EQ(tarvex_c.xcsoar_root, "");
    EXPECT_EQ(tarvex_c.infile, "");
    EXPECT_EQ(tarvex_c.defpath, "AUTO");
    EXPECT_EQ(tarvex_c.cvers, "4.4.0.0");
    EXPECT_LE(tarvex_c.cvers.size(), kVersionTextCapacity);
    EXPECT_EQ(tarvex_c.cunitalt, "m");
    EXPECT_EQ(tarvex_c.cunitspd, "km\\/h");
    EXPECT_EQ(tarvex_c.cunitspd.size(), kSpeedUnitCapacity);
    EXPECT_EQ(tarvex_c1.scrnam, "");
    EXPECT_EQ(trn00c.trnfile, "");
}

TEST(OptionRecords, PathFieldTakesAPathWholeAndRefusesOneTooLong) {
    std::string told;
    set_message_box([&told](const std::string&, const std::string& text, int&) { told = text; });
    const std::string longest = "C:\\" + std::string(kPathLength - 4, 'p') + "/";
    EXPECT_EQ(path_field(longest), longest);
    const RunStopped stopped = tarvex_test::stop_of([&] { path_field(longest + "q"); });
    set_message_box({});
    EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
    // The path shown whole, its "/" a plain one.
    EXPECT_EQ(told, "*** " + longest + "q : path too long (at most 256 characters) ***");
}
