#include "foundation/output_targets.h"

#include "foundation/layer_reset.h"
#include "foundation/option_records.h"

#include <gtest/gtest.h>

namespace {

class OutputTargets : public ::testing::Test {
protected:
    void SetUp() override { reset_foundation_layer(); }
    void TearDown() override { reset_foundation_layer(); }

    // The switches as the settings file and the command line set them: one target.
    static void ask_for(bool xcs, bool lk8000, bool seeyou, bool json) {
        tarvex01.qxcs = xcs;
        tarvex01.qlk8000 = lk8000;
        tarvex01.qcup = seeyou;
        tarvex01.qjson = json;
    }
};

TEST_F(OutputTargets, ExtensionsByTargetNumber) {
    EXPECT_EQ(target_facts(kTargetTsk).extension, ".tsk");
    EXPECT_EQ(target_facts(kTargetLkt).extension, ".lkt");
    EXPECT_EQ(target_facts(kTargetCup).extension, ".cup");
    EXPECT_EQ(target_facts(kTargetFpl).extension, ".fpl");
    EXPECT_EQ(target_facts(kTargetJson).extension, ".json");
    for (int ntarg = kTargetTsk; ntarg <= kTargetJson; ++ntarg) {
        EXPECT_EQ(target_facts(ntarg).ntarg, ntarg);
        EXPECT_LE(target_facts(ntarg).extension.size(), kExtensionCapacity);
    }
    // No target: every fact off.
    for (int ntarg : {0, -1, 6}) {
        const TargetFacts& none = target_facts(ntarg);
        EXPECT_FALSE(is_output_target(ntarg));
        EXPECT_EQ(none.ntarg, 0);
        EXPECT_TRUE(none.extension.empty());
        EXPECT_EQ(none.root, nullptr);
        EXPECT_EQ(none.profile, ProfileKind::none);
        EXPECT_FALSE(none.ends_with_writer || none.checks_waypoints || none.xcsoar_copies);
    }
}

TEST_F(OutputTargets, TheSwitchesChooseInTheirOrderOfPrecedence) {
    EXPECT_EQ(target_of_options(false), kTargetTsk);  // the start values ask for XCSoar
    EXPECT_EQ(target_of_options(true), kTargetFpl);   // a SeeYou task becomes a flight plan
    ask_for(false, false, false, true);
    EXPECT_EQ(target_of_options(true), kTargetJson);
    ask_for(false, false, true, false);
    EXPECT_EQ(target_of_options(true), kTargetCup);
    ask_for(false, true, false, false);
    EXPECT_EQ(target_of_options(false), kTargetLkt);
    // Switches left on together: LK8000 before SeeYou before JSON.
    ask_for(true, true, true, true);
    EXPECT_EQ(target_of_options(false), kTargetLkt);
    ask_for(true, false, true, true);
    EXPECT_EQ(target_of_options(false), kTargetCup);
    // Nothing asked for: XCSoar, or the flight plan of a SeeYou task.
    ask_for(false, false, false, false);
    EXPECT_EQ(target_asked_for(), 0);
    EXPECT_EQ(target_of_options(false), kTargetTsk);
    EXPECT_EQ(target_of_options(true), kTargetFpl);
    ask_for(true, false, false, false);
    EXPECT_EQ(target_asked_for(), kTargetTsk);
    ask_for(true, false, false, true);
    EXPECT_EQ(target_asked_for(), kTargetJson);
}

TEST_F(OutputTargets, AskingForATargetSwitchesTheOthersOff) {
    ask_for(true, true, true, true);
    for (const int ntarg : {kTargetTsk, kTargetLkt, kTargetCup, kTargetJson}) {
        ask_for_target(ntarg);
        EXPECT_EQ(target_asked_for(), ntarg);
        EXPECT_EQ(tarvex01.qxcs + tarvex01.qlk8000 + tarvex01.qcup + tarvex01.qjson, 1) << ntarg;
    }
    // A Condor flight plan is no target to ask for: the switches stay.
    ask_for_target(kTargetFpl);
    ask_for_target(0);
    EXPECT_EQ(target_asked_for(), kTargetJson);
    EXPECT_TRUE(tarvex01.qjson);
}

TEST_F(OutputTargets, TheChosenTargetIsReadFromTheTargetNumberOnly) {
    ask_for(false, true, false, false);
    tarvex01.ntarg = kTargetCup;
    EXPECT_EQ(chosen_target().ntarg, kTargetCup);
    EXPECT_EQ(chosen_target().root, &TarvexC::seeyou_root);
    EXPECT_TRUE(chosen_target().switches_profile_off);
    tarvex01.ntarg = kTargetJson;
    EXPECT_TRUE(chosen_target().ends_with_writer);
    EXPECT_TRUE(chosen_target().root_for_seeyou_input_only);
}

TEST_F(OutputTargets, OnlyLk8000FilesGoToItsTree) {
    tarvex01.ntarg = kTargetLkt;
    EXPECT_EQ(target_tree_folder("C:\\LK8000", &FolderTree::polars), "C:\\LK8000");  // not in the tree
    tarvex01.qarbo = true;
    EXPECT_EQ(target_tree_folder("C:\\LK8000", &FolderTree::polars), "C:\\LK8000\\_Polars");
    EXPECT_EQ(target_tree_folder("C:\\LK8000\\", &FolderTree::configuration), "C:\\LK8000\\_Configuration");
    // A target without a tree keeps its root.
    tarvex01.ntarg = kTargetTsk;
    EXPECT_EQ(target_tree_folder("C:\\XCSoarData", &FolderTree::airspaces), "C:\\XCSoarData");
}

}  // namespace
