#include "forms/kit/form_values_file.h"

#include "forms/kit/form_model.h"
#include "forms/kit/form_reader.h"

#include "form_kit_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tarvex_test::FormKitTest;

constexpr const char* kValuesForm =
    "[Input-boxes]\n"
    "{Name=count;Pos=1,1;Size=5;Type=INT}\n"
    "{Name=real;Pos=1,1;Size=8;Type=FLT}\n"
    "{Name=small;Pos=1,1;Size=8;Type=FLT}\n"
    "{Name=tick;Pos=1,1;Type=TCK}\n"
    "{Name=key;Pos=1,1;Size=9;Type=KEY}\n"
    "{Name=col;Pos=1,1;Size=7;Type=COL}\n"
    "{Name=text;Pos=1,1;Size=20;Type=CHR}\n"
    "{Name=path;Pos=1,1;Size=20;Type=OFP}\n"
    "{Name=pick;Txt=Pick,one,two,three;Pos=1,1;Size=8;Type=DDL}\n"
    "{Name=land;Txt=Landscape;Pos=1,1;Size=8;Type=DDL}\n";

class ValuesFile : public FormKitTest {
protected:
    ValuesFile() { read_form(); }
    void read_form() { ASSERT_EQ(frm_read_form(write("values.frm", kValuesForm)), 0); }
};

TEST_F(ValuesFile, RoundTrip) {
    frmi03.inpt_ival[1] = -42;
    frmi03.inpt_rval[2] = 12.5F;
    frmi03.inpt_rval[3] = 0.0005F;
    frmi03.inpt_ival[4] = 1;
    frmi03.inpt_ival[5] = 90000 - 63;  // long Ctrl + F5
    frmi03.inpt_ival[6] = 16744448;
    frmi02.inpt_cval[6] = "#FF8000";
    frmi02.inpt_cval[7] = "a = b; c";
    frmi02.inpt_cval[8] = "C:\\" + std::string(240, 'p') + "\\out.tsk";  // longer than a name and a short line
    frmi03.inpt_ival[9] = 2;
    frmi02.inpt_cval[10] = "Alps";
    ASSERT_EQ(frm_write_form_data("values.txt"), 0);

    const std::string text = read("values.txt");
    EXPECT_EQ(text.substr(0, text.find("path=")),
              "count=-42\r\n"
              "real=12.5\r\n"
              "small=5.000000237E-04\r\n"
              "tick=1\r\n"
              "key=LONG+CTRL+SCN63\r\n"
              "col=#FF8000\r\n"
              "text=a = b; c\r\n");
    EXPECT_NE(text.find("\r\npick=2\r\nland=Alps\r\n"), std::string::npos);

    read_form();  // every value back to its start
    ASSERT_EQ(frm_read_form_data("values.txt"), 0);
    EXPECT_EQ(frmi03.inpt_ival[1], -42);
    EXPECT_EQ(frmi03.inpt_rval[2], 12.5F);
    EXPECT_EQ(frmi03.inpt_rval[3], 0.0005F);
    EXPECT_EQ(frmi03.inpt_ival[4], 1);
    EXPECT_EQ(frmi03.inpt_ival[5], 90000 - 63);
    EXPECT_EQ(frmi03.inpt_ival[6], 16744448);
    EXPECT_EQ(frmi02.inpt_cval[7], "a = b; c");
    EXPECT_EQ(frmi02.inpt_cval[8], "C:\\" + std::string(240, 'p') + "\\out.tsk");
    EXPECT_EQ(frmi03.inpt_ival[9], 2);
    EXPECT_EQ(frmi02.inpt_cval[9], "two");
    EXPECT_EQ(frmi02.inpt_cval[10], "Alps");
}

TEST_F(ValuesFile, ReadingSkipsWhatItDoesNotKnow) {
    frmi03.inpt_ival[1] = 7;
    frmi03.inpt_rval[2] = 1.5F;
    write("in.txt",
          "# a comment\n"
          "\n"
          "unknown=5\n"
          "COUNT=9\n"      // names are matched exactly
          "count=abc\n"    // the text is kept, the number stays
          "real=nan\n"
          "pick=0\n"       // held within the list
          "key=\"A\"\n"
          "col=#12345\n");
    ASSERT_EQ(frm_read_form_data("in.txt"), 0);
    EXPECT_EQ(frmi03.inpt_ival[1], 7);
    EXPECT_EQ(frmi02.inpt_cval[1], "abc");
    EXPECT_EQ(frmi03.inpt_rval[2], 1.5F);
    EXPECT_EQ(frmi03.inpt_ival[9], 1);
    EXPECT_EQ(frmi02.inpt_cval[9], "one");
    EXPECT_EQ(frmi03.inpt_ival[5], 65);
    EXPECT_EQ(frmi03.inpt_ival[6], 0);

    write("in2.txt", "pick=99\n");
    ASSERT_EQ(frm_read_form_data("in2.txt"), 0);
    EXPECT_EQ(frmi03.inpt_ival[9], 3);

    EXPECT_GT(frm_read_form_data("missing.txt"), 0);
    EXPECT_EQ(frmi03.inpt_ival[9], 3);
    EXPECT_GT(frm_write_form_data("no\\such\\folder\\v.txt"), 0);
}

}  // namespace
