#include "forms/kit/form_reader.h"

#include "form_kit_fixture.h"
#include "platform/path_map.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

namespace {

using tarvex_test::FormKitTest;

using FormReader = FormKitTest;

// A form of every kind of item, with CR LF and LF lines mixed.
constexpr const char* kFullForm =
    "# a comment line\r\n"
    "[General]\r\n"
    "Window Title = My form ; FontName=arial.ttf\r\n"
    "FontSize=12\n"
    "Version=4400;Active=Y;TickSize=14\n"
    "  # indented, so read: a pair of an unknown key\n"
    "[Input-boxes]\n"
    "{ Txt=\"Count;of it\"; Name=count; Var=v_count; Position=10,20; Size=5; Type=I; Min=3; Max=4; Arr=1 }\n"
    "{ Txt=-Greyed; Name=path; Pos=10,50; Ext=*.fpl; Type=IFP; Ext=*.cup; TxPos=L; Size=30\n"
    "  Dep=-count\n"
    "}\n"
    "{\n"
    "Txt=Tick; Name=tick; Pos=10,80; Type=T; Size=99; Arr=1; Dep=count; TxPos=40,82\n"
    "}\n"
    "{ Txt=Colour; Name=col; Pos=10,110; Type=F; Size=3; Arr=1; Dep=nobody }\n"
    "{ Txt=Real; Name=real; Pos=-200,140; Type=RC; Size=8; Min=-1.5e3; Max=2.5; Arr=2; Type=FLT }\n"
    "[Radio-buttons]\n"
    "{ Set=tick, col, later }\n"
    "[Input-boxes]\n"
    "{ Txt=Later; Name=later; Pos=300,20; Size=4; Type=TCK }\n"
    "[Separators]\n"
    "{ Separ=1,2,3,4 }\n"
    "{ Separ=5,x,7,8 }\n"
    "[Text]\n"
    "{ Title=Hello; Pos=C50%,300 }\n"
    "{ Title=World; Pos=,-20 }\n"
    "[Buttons]\n"
    "{ Pos=R20,5; Size=60; Txt=OK; Type=OK }\n"
    "{ Pos=120,5; Txt=Cancel; Type=CANCEL }\n"
    "{ Pos=L7; Type=7 }\n"
    "{ Type=maybe }\n";

// A box of the model in one line: type, active, size, arrows, dependency,
// box and label position, bounds.
std::string box_line(int b) {
    std::ostringstream line;
    for (const int value : {frmi01.inpt_typ[b], frmi01.inpt_act[b], frmi01.inpt_siz[b], frmi01.inpt_arr[b],
                            frmi01.inpt_dep[b], frmi01.inpt_pos[b][0], frmi01.inpt_pos[b][1], frmi01.inpt_pos[b][2],
                            frmi01.inpt_pos[b][3]}) {
        line << value << " ";
    }
    line << frmi03.inpt_min[b] << " " << frmi03.inpt_max[b];
    return line.str();
}

TEST_F(FormReader, ReadsEveryKindOfItem) {
    frmi01.ddl_nbli[30] = 7;  // list lengths survive the reset
    frm999.window_id = 3;
    EXPECT_EQ(frm_read_form(write("form.frm", kFullForm) + "   "), 0);
    EXPECT_TRUE(boxes.empty());
    EXPECT_EQ(frm999.window_id, 3);
    EXPECT_EQ(frmi01.ddl_nbli[30], 7);

    EXPECT_EQ(frmc00.wintit, "My form");
    EXPECT_EQ(frmc00.f_name, "arial.ttf");
    EXPECT_EQ(frm000.f_size, 12);
    EXPECT_EQ(frm000.nvers, 4400);
    EXPECT_EQ(frm999.iact, 1);
    EXPECT_EQ(frm000.tick_size, 14.0F);
    EXPECT_EQ((std::array<int, 5>{frm000.nb_inpt, frm000.nb_rdio, frm000.nb_sepa, frm000.nb_titl, frm000.nb_butt}),
              (std::array<int, 5>{6, 1, 2, 2, 4}));

    // Box 1: a quoted ";" stays in the label; an integer box gets the
    // reader's bounds whatever the file says; "Position" counts as "Pos".
    EXPECT_EQ(frmc01.inpt_txt[1], "Count;of it");
    EXPECT_EQ(frmi02.inpt_var[1], "v_count");
    EXPECT_EQ(box_line(1), "1 1 5 1 -1 10 20 -1 -1 -1e+09 1e+09");
    // Box 2: "-" greys it; "Ext" counts only after "Type"; the item runs
    // over three lines; a negated dependency on box 1.
    EXPECT_EQ(frmc01.inpt_txt[2], "Greyed");
    EXPECT_EQ(frmi02.inpt_ext[2], "*.cup");
    EXPECT_EQ(box_line(2), "7 0 30 0 1000 10 50 -2 -2 -2e+25 2e+25");
    // Box 3: a tick box takes the tick size and loses its arrows.
    EXPECT_EQ(box_line(3), "4 1 14 0 0 10 80 40 82 -2e+25 2e+25");
    // Box 4: "F" is a colour box of at least 7 characters; an unknown
    // dependency is no dependency (and no error).
    EXPECT_EQ(box_line(4), "6 1 7 0 -1 10 110 -1 -1 -2e+25 2e+25");
    // Box 5: "RC" is found in "IRCTKF" at 2; the later "Type" wins all the same.
    EXPECT_EQ(box_line(5), "2 1 8 2 -1 -200 140 -1 -1 -1500 2.5");
    // The radio group was read before box 6 existed.
    EXPECT_EQ(frmt01.tick_rdio_count[1], 3);
    EXPECT_EQ(frmt01.tick_rdio[1], (std::array<int, 11>{0, 3, 4, -1}));

    EXPECT_EQ(frmi01.sepa_pos[1], (std::array<int, 4>{1, 2, 3, 4}));
    EXPECT_EQ(frmi01.sepa_pos[2], (std::array<int, 4>{5, 0, 7, 8}));
    EXPECT_EQ(frmc01.titl_txt[1], "Hello");
    EXPECT_EQ(frmi01.titl_pos[1], (std::array<int, 2>{-10500, 300}));
    EXPECT_EQ(frmi01.titl_pos[2], (std::array<int, 2>{0, -20}));
    EXPECT_EQ(frmc01.butt_txt[1], "OK");
    EXPECT_EQ(frmi01.butt_siz[1], 60);
    EXPECT_EQ(frmi01.butt_pos[1], (std::array<int, 2>{20020, 5}));
    EXPECT_EQ(frmi01.butt_pos[3], (std::array<int, 2>{7, 0}));
    EXPECT_EQ(frmi01.butt_typ, (std::array<int, 11>{0, 1, -1, 7, 0}));

    // The log holds the file's name alone.
    EXPECT_EQ(lines_of(std::string(kFormLogName)), (std::vector<std::string>{"form.frm"}));
}

TEST_F(FormReader, GeneralSectionAlone) {
    EXPECT_EQ(frm_read_form(write("g.frm", "[General]\nVersion=12000\nTickSize=12.5\nActive=no\n")), 0);
    EXPECT_EQ(frm000.nb_inpt, 0);
    EXPECT_EQ(frm000.nvers, 0);
    EXPECT_EQ(frm000.tick_size, 0.0F);
    EXPECT_EQ(frm999.iact, 0);
    EXPECT_TRUE(boxes.empty());
}

TEST_F(FormReader, LinesAreCutAt256Characters) {
    // Line 1 is 256 characters: its last pair and the closing brace are read.
    // Line 2 is 258 characters: its last pair loses two characters.
    const std::string pad1(256 - std::string("{Name=a;Pos=1,2;Type=C;").size() - std::string("Size=7}").size(), ' ');
    const std::string line1 = "{Name=a;Pos=1,2;Type=C;" + pad1 + "Size=7}";
    const std::string pad2(258 - std::string("{Name=b;Pos=1,2;Type=C;").size() - std::string("Size=123}").size(), ' ');
    const std::string line2 = "{Name=b;Pos=1,2;Type=C;" + pad2 + "Size=123}";
    ASSERT_EQ(line1.size(), 256U);
    ASSERT_EQ(line2.size(), 258U);
    // The cut leaves box 2 open: the pair of the next line still belongs to it.
    EXPECT_EQ(frm_read_form(write("long.frm", "[Input-boxes]\n" + line1 + "\n" + line2 + "\nTxt=still b\n")), 0);
    EXPECT_EQ(frmi01.inpt_siz[1], 7);
    EXPECT_EQ(frmi01.inpt_siz[2], 12);
    EXPECT_EQ(frmc01.inpt_txt[2], "still b");
}

TEST_F(FormReader, ItemsOutsideTheirPlaceAreIgnored) {
    EXPECT_EQ(frm_read_form(write("odd.frm",
                                  "[Input-boxes]\n"
                                  "Name=outside; Size=9\n"  // no item open
                                  "{Name=a;Pos=1,2;Type=C;Size=3;Colour=red;Type=}\n"
                                  "[Unknown]\n"
                                  "{Name=b;Pos=1,2;Type=C;Size=3}\n"
                                  "[input-boxes]\n"  // headers keep their case
                                  "{Name=c;Pos=1,2;Type=C;Size=3}\n"
                                  "[Input-boxes]\n"
                                  "{Name=d;Pos=1,2;Type=C;Size=3\n"
                                  "[Text]\n"  // a header does not close the box, but [Text] has no item yet
                                  "Title=lost\n"
                                  "[Input-boxes]\n"
                                  "Txt=of d}\n")),
              0);
    EXPECT_EQ(frm000.nb_inpt, 2);
    EXPECT_EQ(frmi02.inpt_nam[1], "a");
    EXPECT_EQ(frmi01.inpt_siz[1], 3);
    EXPECT_EQ(frmi01.inpt_typ[1], kTypeChr);
    EXPECT_EQ(frmi02.inpt_nam[2], "d");
    EXPECT_EQ(frmc01.inpt_txt[2], "of d");
    EXPECT_EQ(frm000.nb_titl, 0);
}

TEST_F(FormReader, NamesRepeatedInAnyCaseStopTheReading) {
    EXPECT_EQ(frm_read_form(write("dup.frm",
                                  "[Input-boxes]\n"
                                  "{Name=Speed;Pos=1,2;Type=C;Size=3}\n"
                                  "{Name=sPEED;Pos=1,2;Type=C;Size=3}\n"
                                  "{Name=other;Pos=1,2;Size=3}\n")),
              1);
    EXPECT_EQ(frm000.nb_inpt, 0);  // nothing further is read or counted
    EXPECT_EQ(frmi02.inpt_nam[3], "");
    EXPECT_TRUE(boxes.empty());
    const auto log = lines_of(std::string(kFormLogName));
    ASSERT_EQ(log.size(), 2U);
    EXPECT_EQ(log[1], "NAME: sPEED multiple definition");

    EXPECT_EQ(frm_read_form(write("dupvar.frm", "[Input-boxes]\n{Name=a;Var=x}\n{Name=b;Var=X}\n")), 1);
    EXPECT_EQ(lines_of(std::string(kFormLogName)).back(), "NAME: X multiple definition");
}

TEST_F(FormReader, ChecksAfterReadingAreLoggedAndCounted) {
    EXPECT_EQ(frm_read_form(write("bad.frm",
                                  "[Input-boxes]\n"
                                  "{Name=a;Pos=1,2;Type=C;Size=3}\n"
                                  "{Name=b;Pos=1,2;Type=C;Size=3}\n"
                                  "{Name=c;Pos=1,2;Type=C;Size=3}\n"
                                  "{Name=d;Pos=1,2;Type=C;Size=3}\n"
                                  "{Name=e;Pos=1,2;Type=XYZ;Size=3}\n"
                                  "{Pos=10001,2;Type=FLT;Size=501;Min=2;Max=1}\n"
                                  "{Name=g;Type=T}\n")),
              6);
    const auto log = lines_of(std::string(kFormLogName));
    ASSERT_EQ(log.size(), 7U);
    EXPECT_EQ(log[1], "   5 : type undefined");
    EXPECT_EQ(log[2], "   6 : name undefined");
    EXPECT_EQ(log[3], "   6 : inpt_min, inpt_max inverted");
    EXPECT_EQ(log[4], "   6 : invalid position    10001        2");
    EXPECT_EQ(log[5], "   6 : invalid size      501");
    EXPECT_EQ(log[6], "   7 : invalid position       -1       -1");  // a tick box needs no size
    ASSERT_EQ(boxes.size(), 1U);
    EXPECT_EQ(boxes[0].title, "Tarvex");
    EXPECT_EQ(boxes[0].text, "bad.frm\n6 errors detected\nsee frm_forms.log");
    EXPECT_EQ(boxes[0].status, 1);

    frm999.qfr = true;  // the French switch outlives the reset
    EXPECT_EQ(frm_read_form(write("bad2.frm", "[Input-boxes]\n{Name=a;Pos=1,2;Size=3}\n")), 1);
    ASSERT_EQ(boxes.size(), 2U);
    EXPECT_EQ(boxes[1].text, "bad2.frm\n1 erreurs d\xE9tect\xE9"
                             "es\nvoir frm_forms.log");
}

TEST_F(FormReader, DropDownLists) {
    std::string sixty = "Many";
    for (int i = 1; i <= 60; ++i) {
        sixty += "," + std::to_string(i % 10);
    }
    EXPECT_EQ(frm_read_form(write("ddl.frm",
                                  "[Input-boxes]\n"
                                  "{Name=a;Pos=1,2;Type=DDL;Size=9;Arr=1;Txt=Pick, one,\"two, too\", three}\n"
                                  "{Name=b;Pos=1,2;Type=DDL;Size=9;Txt=" + sixty + "}\n"
                                  "{Name=c;Pos=1,2;Type=C;Size=9;Txt=not,a,list}\n"
                                  "{Name=d;Pos=1,2;Type=DDL;Size=9;Txt=Alone}\n"
                                  "{Name=e;Pos=1,2;Type=DDL;Size=9;Txt=Landscape,x,y}\n"
                                  "{Name=f;Pos=1,2;Type=DDL;Size=9;Txt=Cut,a," + std::string(40, 'z') +
                                      ",,b}\n")),
              0);
    EXPECT_EQ(frmc01.inpt_txt[1], "Pick");
    EXPECT_EQ(frmi01.inpt_ddl[1], 1);
    EXPECT_EQ(frmi01.inpt_arr[1], 0);
    EXPECT_EQ(frmi01.ddl_nbli[1], 3);
    EXPECT_EQ(frmc01.ddl_txt[1][2], "two, too");
    EXPECT_EQ(frmc01.ddl_txt[1][3], "three");
    EXPECT_EQ(frmi01.inpt_ddl[2], 2);
    EXPECT_EQ(frmi01.ddl_nbli[2], 50);
    EXPECT_EQ(frmc01.ddl_txt[2][50], "0");
    EXPECT_EQ(frmc01.ddl_txt[2].size(), 51U);
    EXPECT_EQ(frmc01.inpt_txt[3], "not,a,list");
    EXPECT_EQ(frmi01.inpt_ddl[3], -1);
    EXPECT_EQ(frmi01.inpt_ddl[4], 3);
    EXPECT_EQ(frmi01.ddl_nbli[3], 1);
    EXPECT_EQ(frmc01.ddl_txt[3][1], "Alone");
    EXPECT_EQ(frmc01.inpt_txt[5], "Landscape");
    EXPECT_EQ(frmi01.ddl_nbli[4], 0);
    EXPECT_EQ(frmc01.ddl_txt[4][1], "");
    EXPECT_EQ(frmi01.ddl_nbli[5], 2);  // an empty entry ends the list
    EXPECT_EQ(frmc01.ddl_txt[5][2], std::string(31, 'z'));
}

TEST_F(FormReader, ItemsBeyondTheLimitsAreRefused) {
    std::string form = "[Input-boxes]\n";
    for (int i = 1; i <= 101; ++i) {
        form += "{Name=b" + std::to_string(i) + ";Pos=1,2;Size=3;Type=" + (i <= 31 ? "DDL;Txt=L,x}\n" : "C}\n");
    }
    form += "[Radio-buttons]\n{Set=b1,b2,b3,b4,b5,b6,b7,b8,b9,b10,b11}\n[Text]\n";
    for (int i = 1; i <= 21; ++i) {
        form += "{Title=t" + std::to_string(i) + "}\n";
    }
    form += "[Buttons]\n";
    for (int i = 1; i <= 11; ++i) {
        form += "{Txt=k" + std::to_string(i) + ";Type=" + std::to_string(i) + "}\n";
    }
    EXPECT_EQ(frm_read_form(write("many.frm", form)), 5);
    EXPECT_EQ(frm000.nb_inpt, 100);
    EXPECT_EQ(frm000.nb_titl, 20);
    EXPECT_EQ(frm000.nb_butt, 10);
    EXPECT_EQ(frmi01.butt_typ[10], 10);
    EXPECT_EQ(frmt01.tick_rdio_count[1], 10);
    EXPECT_EQ(frmi01.inpt_ddl[30], 30);
    EXPECT_EQ(frmi01.inpt_ddl[31], -1);
    const auto log = lines_of(std::string(kFormLogName));
    ASSERT_EQ(log.size(), 6U);
    EXPECT_EQ(log[1], "[Input-boxes] item 101 refused: at most 100");
    EXPECT_EQ(log[2], "[Radio-buttons] member 11 refused: at most 10");
    EXPECT_EQ(log[3], "[Text] item 21 refused: at most 20");
    EXPECT_EQ(log[4], "[Buttons] item 11 refused: at most 10");
    EXPECT_EQ(log[5], "  31 : drop-down list refused, lists at most       30");
    ASSERT_EQ(boxes.size(), 1U);
}

TEST_F(FormReader, MissingFileAndUnwritableFolder) {
    EXPECT_GT(frm_read_form("missing.frm"), 0);
    const auto log = lines_of(std::string(kFormLogName));
    ASSERT_EQ(log.size(), 2U);
    EXPECT_EQ(log[1], "ERROR OPENING");
    EXPECT_TRUE(boxes.empty());

    // The form is read all the same when the current folder cannot take the log.
    write("ok.frm", "[Input-boxes]\n{Name=a;Pos=1,2;Size=3;Type=C}\n");
    const std::string form = map_from_host((dir() / "ok.frm").string());
    const std::filesystem::path gone = dir() / "gone";
    std::filesystem::create_directory(gone);
    tarvex_test::ScopedCwd inside(gone);
    std::filesystem::remove(gone);
    EXPECT_EQ(frm_read_form(form), 0);
    EXPECT_EQ(frm000.nb_inpt, 1);
}

TEST(HorizontalPosition, Codes) {
    auto code = [](std::string text) { return get_hor_pos(text); };
    EXPECT_EQ(code("C50%"), -10500);
    EXPECT_EQ(code("R20"), 20020);
    EXPECT_EQ(code("120"), 120);
    EXPECT_EQ(code("L12.25%"), -123);  // 122.5 per mille, half away from zero
    EXPECT_EQ(code("R"), 0);
    EXPECT_EQ(code(""), 0);
    EXPECT_EQ(code("x5"), 0);
    EXPECT_EQ(code("R2147483640"), 0);  // beyond an int
    EXPECT_EQ(code("C1e30%"), 0);
    std::string text = "C50%";
    get_hor_pos(text);
    EXPECT_EQ(text, " 50 ");
}

}  // namespace
