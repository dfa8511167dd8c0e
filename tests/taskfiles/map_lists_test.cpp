#include "taskfiles/map_lists.h"

#include "output_fixture.h"

#include <filesystem>
#include <string>

namespace {

using tarvex_test::crlf;

const std::vector<std::string> kXcsoarHeader = {
    "# Tarvex_maps.txt : XCSoar maps for Condor lanscapes",
    "# On each line :",
    "# Landscape_name=XCSoar_map",
    "",
};
const std::vector<std::string> kLk8000Header = {
    "# Tarvex_LK8000_maps.txt : LK8000 maps for Condor lanscapes",
    "# On each line :",
    "# Landscape_name=MAP.LKM,TERRAIN.DEM",
    "",
};

std::vector<std::string> with(std::vector<std::string> lines, const std::vector<std::string>& more) {
    lines.insert(lines.end(), more.begin(), more.end());
    return lines;
}

class MapListTest : public tarvex_test::OutputTest {
protected:
    void SetUp() override {
        OutputTest::SetUp();
        rd_fpl_2.landscape = "Alps";
    }
    void use_lk8000() {
        tarvex01.qxcs = false;
        tarvex01.qlk8000 = true;
    }
};

TEST_F(MapListTest, FirstUseCreatesTheListWithItsHeaderAndNoBackup) {
    write_map_list("Alps.xcm", " ");
    EXPECT_EQ(read("Tarvex_maps.txt"), crlf(with(kXcsoarHeader, {"Alps=Alps.xcm"})));
    EXPECT_FALSE(exists("Tarvex_maps.txt.bak"));
    EXPECT_TRUE(boxes.empty());

    use_lk8000();
    write_map_list("ALPS.LKM  ", "ALPS.DEM  ");
    EXPECT_EQ(read("Tarvex_LK8000_maps.txt"), crlf(with(kLk8000Header, {"Alps=ALPS.LKM,ALPS.DEM"})));
    EXPECT_FALSE(exists("Tarvex_LK8000_maps.txt.bak"));
}

TEST_F(MapListTest, AnEntryWrittenAgainIsReplacedAndMovedToTheEnd) {
    const std::string before = crlf({
        "# my own header",
        "Alps=old.xcm",
        "# Alps=commented.xcm",
        "",
        "alps=lower.xcm",
        "Dolomiti=dolo.xcm   ",
        "  Alps  =spaced.xcm",
    });
    write("Tarvex_maps.txt", before);
    write_map_list("new.xcm", " ");
    EXPECT_EQ(read("Tarvex_maps.txt"), crlf({
                                           "# my own header",
                                           "# Alps=commented.xcm",
                                           "",
                                           "alps=lower.xcm",
                                           "Dolomiti=dolo.xcm",
                                           "Alps=new.xcm",
                                       }));
    EXPECT_EQ(read("Tarvex_maps.txt.bak"), before);

    // The list keeps one entry per landscape however often it is written.
    write_map_list("newer.xcm", " ");
    EXPECT_EQ(read("Tarvex_maps.txt"), crlf({
                                           "# my own header",
                                           "# Alps=commented.xcm",
                                           "",
                                           "alps=lower.xcm",
                                           "Dolomiti=dolo.xcm",
                                           "Alps=newer.xcm",
                                       }));
    EXPECT_TRUE(boxes.empty());
}

TEST_F(MapListTest, LinesOfOtherLandscapesAreKeptWholeHoweverLong) {
    const std::string long_line = "Far=" + std::string(300, 'm') + ".xcm";
    write("Tarvex_maps.txt", long_line + "\nAlps=a.xcm\n");
    write_map_list("b.xcm", " ");
    EXPECT_EQ(read("Tarvex_maps.txt"), crlf({long_line, "Alps=b.xcm"}));
    EXPECT_EQ(read("Tarvex_maps.txt.bak"), long_line + "\nAlps=a.xcm\n");
}

TEST_F(MapListTest, TheTargetChoosesTheList) {
    write_map_list("x.xcm", " ");
    EXPECT_TRUE(exists("Tarvex_maps.txt"));
    EXPECT_FALSE(exists("Tarvex_LK8000_maps.txt"));

    std::filesystem::remove(path("Tarvex_maps.txt"));
    tarvex01.qxcs = false;
    write_map_list("x.xcm", " ");
    EXPECT_FALSE(exists("Tarvex_maps.txt"));
    EXPECT_FALSE(exists("Tarvex_LK8000_maps.txt"));
}

TEST_F(MapListTest, AListThatCannotBeOpenedIsReported) {
    std::filesystem::create_directory(path("Tarvex_maps.txt"));
    write_map_list("x.xcm", " ");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Tarvex|*** Tarvex_maps.txt: Error opening ***");
    EXPECT_NE(log_text().find("*** Tarvex_maps.txt: Error opening ***"), std::string::npos);

    boxes.clear();
    cmndta001.qfr = true;
    write_map_list("x.xcm", " ");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Tarvex|*** Tarvex_maps.txt : Ouverture impossible ***");
}

TEST_F(MapListTest, AListThatCannotBeBackedUpIsNotRewritten) {
    const std::string before = crlf({"Alps=old.xcm", "Dolomiti=dolo.xcm"});
    write("Tarvex_maps.txt", before);
    std::filesystem::create_directory(path("Tarvex_maps.txt.bak"));
    write_map_list("new.xcm", " ");
    EXPECT_EQ(read("Tarvex_maps.txt"), before);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Tarvex|*** Backup copy failed: \n Tarvex_maps.txt.bak");
    EXPECT_EQ(unwritten_files.names, std::vector<std::string>{"Tarvex_maps.txt.bak"});
}

TEST_F(MapListTest, AFailedRewriteKeepsTheListAndItsBackupHoldsTheBytesRead) {
    // LF line ends and no final line end: the backup holds them as they were.
    const std::string before = "# mine\nAlps=old.xcm\nDolomiti=dolo.xcm";
    write("Tarvex_maps.txt", before);
    arm_file_fault({FileStep::flush, 1, "Tarvex_maps.txt", EIO});
    write_map_list("new.xcm", " ");
    EXPECT_EQ(read("Tarvex_maps.txt"), before);
    EXPECT_EQ(read("Tarvex_maps.txt.bak"), before);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0], "Tarvex|*** Tarvex_maps.txt: Error writing ***");
    EXPECT_EQ(unwritten_files.names, std::vector<std::string>{"Tarvex_maps.txt"});
    EXPECT_TRUE(temporary_files().empty());
}

TEST_F(MapListTest, TheXcsoarLookupTakesTheFirstEntryOfTheLandscape) {
    tarvex_c.mapname = "stale.xcm";
    EXPECT_FALSE(find_xcsoar_map());  // no list
    EXPECT_EQ(tarvex_c.mapname, "");

    const std::string long_map = std::string(120, 'L') + ".xcm";
    write("Tarvex_maps.txt", crlf({
                                 "# Alps=comment.xcm",
                                 "alps=lower.xcm",
                                 "Alps = first.xcm ",
                                 "Alps=second.xcm",
                                 "Long=" + long_map,
                             }));
    EXPECT_TRUE(find_xcsoar_map());
    EXPECT_EQ(tarvex_c.mapname, "first.xcm");

    rd_fpl_2.landscape = "Long";
    EXPECT_TRUE(find_xcsoar_map());
    EXPECT_EQ(tarvex_c.mapname, long_map);

    rd_fpl_2.landscape = "ALPS";
    tarvex_c.mapname = "stale.xcm";
    EXPECT_FALSE(find_xcsoar_map());
    EXPECT_EQ(tarvex_c.mapname, "");

    // An empty line is no entry, even of a landscape without a name.
    rd_fpl_2.landscape = "";
    write("Tarvex_maps.txt", crlf({"", "Alps=a.xcm"}));
    EXPECT_FALSE(find_xcsoar_map());
}

TEST_F(MapListTest, TheLk8000LookupSplitsMapAndTerrain) {
    write("Tarvex_LK8000_maps.txt", crlf({
                                        "# Alps=C.LKM,C.DEM",
                                        "Alps=ALPS.LKM,ALPS.DEM",
                                        "Bare=BARE.LKM",
                                    }));
    EXPECT_TRUE(find_lk8000_map());
    EXPECT_EQ(tarvex_c.mapname, "ALPS.LKM");
    EXPECT_EQ(tarvex_c.terrainname, "ALPS.DEM");

    rd_fpl_2.landscape = "Bare";
    EXPECT_TRUE(find_lk8000_map());
    EXPECT_EQ(tarvex_c.mapname, "BARE.LKM");
    EXPECT_EQ(tarvex_c.terrainname, "");

    // Without a match the map is blanked and the terrain keeps its value.
    rd_fpl_2.landscape = "Nowhere";
    tarvex_c.terrainname = "KEPT.DEM";
    EXPECT_FALSE(find_lk8000_map());
    EXPECT_EQ(tarvex_c.mapname, "");
    EXPECT_EQ(tarvex_c.terrainname, "KEPT.DEM");
}

TEST_F(MapListTest, AWrittenEntryIsFoundAgain) {
    write_map_list("Alps & Co.xcm", " ");
    EXPECT_TRUE(find_xcsoar_map());
    EXPECT_EQ(tarvex_c.mapname, "Alps & Co.xcm");

    use_lk8000();
    rd_fpl_2.landscape = "\xC9" "crins";  // cp1252 name
    write_map_list("ECRINS.LKM", "ECRINS.DEM");
    EXPECT_TRUE(find_lk8000_map());
    EXPECT_EQ(tarvex_c.mapname, "ECRINS.LKM");
    EXPECT_EQ(tarvex_c.terrainname, "ECRINS.DEM");
    EXPECT_NE(read("Tarvex_LK8000_maps.txt").find("\xC9" "crins=ECRINS.LKM,ECRINS.DEM\r\n"), std::string::npos);
}

}  // namespace
