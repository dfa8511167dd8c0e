#include "forms/kit/engine_tables.h"
#include "forms/kit/form_accessors.h"
#include "forms/kit/form_create.h"
#include "forms/kit/form_reader.h"
#include "forms/kit/value_checks.h"

#include "form_kit_fixture.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using tarvex_test::FormKitTest;
using tarvex_test::ScopedEnv;

// A form of every kind of box, read and handed to the engine.
constexpr const char* kApiForm =
    "[General]\n"
    "FontSize=11\nActive=1\nTickSize=12\nVersion=4410\n"
    "[Input-boxes]\n"
    "{Name=count;Var=v_count;Txt=Count;Pos=10,10;Size=5;Type=INT;Arr=1}\n"
    "{Name=real;Txt=Real;Pos=10,40;Size=8;Type=FLT}\n"
    "{Name=pick;Txt=Pick,one,two,three;Pos=10,70;Size=8;Type=DDL}\n"
    "{Name=col;Txt=Colour;Pos=10,100;Size=7;Type=COL}\n"
    "{Name=key;Txt=Key;Pos=10,130;Size=9;Type=KEY}\n"
    "{Name=text;Txt=Text;Pos=10,160;Size=20;Type=CHR}\n"
    "{Name=a;Txt=A;Pos=200,10;Type=TCK}\n"
    "{Name=b;Txt=B;Pos=200,40;Type=TCK;Dep=-a}\n"
    "{Name=in;Txt=In;Pos=200,70;Size=20;Type=IFP;Ext=*.fpl}\n"
    "[Radio-buttons]\n"
    "{Set=a,ghost,b}\n"
    "[Separators]\n"
    "{Separ=1,2,300,2}\n{Separ=1,5,300,5}\n"
    "[Text]\n"
    "{Title=Main;Pos=C50%,-10}\n{Title=Second;Pos=20,190}\n"
    "[Buttons]\n"
    "{Txt=OK;Pos=R20,5;Size=60;Type=OK}\n{Txt=Cancel;Pos=120,5;Size=60;Type=CANCEL}\n";

class FormApi : public FormKitTest {
protected:
    FormApi() {
        EXPECT_EQ(frm_read_form(write("api.frm", kApiForm)), 0);
    }
    ~FormApi() override { frm_close_graphics(); }

    // Registers the model in the engine as frm_create_form does, without a window.
    static void register_form() {
        set_opt({frm999.iact, frm000.f_size, 0});
        load_form();
    }
};

TEST_F(FormApi, CountsNamesAndTitles) {
    EXPECT_EQ(frm_get_version(), 4410);
    EXPECT_EQ(frm_get_txt_count(), 2);
    EXPECT_EQ(frm_get_number("pick  "), 3);
    EXPECT_EQ(frm_get_number("Pick"), 0);
    std::string name = "old";
    EXPECT_TRUE(frm_get_name(100, name));  // beyond the count: a blank name
    EXPECT_EQ(name, "");
    EXPECT_FALSE(frm_get_name(101, name));
    EXPECT_TRUE(frm_get_txt_name(20, name));
    EXPECT_FALSE(frm_get_txt_name(21, name));
    EXPECT_FALSE(frm_set_count(101));
    EXPECT_FALSE(frm_set_count(-1));
    EXPECT_EQ(frm_get_count(), 9);
    EXPECT_TRUE(frm_set_count(4));
    EXPECT_EQ(frm_get_number("in"), 0);
}

TEST_F(FormApi, LoadFormHandsEveryItemOver) {
    frmi02.inpt_cval[6] = std::string(200, 'v');
    frmi03.inpt_ival[3] = 3;
    register_form();
    const EngineTables& e = engine_tables;
    EXPECT_EQ(e.nb_subt, 2);
    EXPECT_EQ(e.subt_txt[0], "Main");
    EXPECT_EQ(e.subt_pos[0], (std::array<int, 2>{-10500, -10}));
    EXPECT_EQ(e.nb_sepa, 2);
    EXPECT_EQ(e.sepa_pos[1], (Rect{1, 5, 300, 5}));
    EXPECT_EQ(e.nb_inpt, 9);
    EXPECT_EQ(e.inpt_txt[2], "Pick");
    EXPECT_EQ(e.inpt_ival[2], 2);   // entry 3, 0-based
    EXPECT_EQ(e.inpt_ddl[2], 0);    // list 1, 0-based
    EXPECT_EQ(e.inpt_ddl[0], -1);   // no list
    EXPECT_EQ(e.inpt_cval[5], std::string(200, 'v'));  // a value goes whole
    EXPECT_EQ(e.inpt_typ[0], kTypeInt);
    EXPECT_EQ(e.inpt_arr[0], 1);
    EXPECT_EQ(e.inpt_siz[6], 12);
    EXPECT_EQ(e.inpt_dep[7], 1006);
    EXPECT_EQ(e.inpt_ext[8], "*.fpl");
    EXPECT_EQ(e.ddl_nbli[0], 3);
    EXPECT_EQ(e.ddl_txt[0][2], "three");
    // The member whose name matched no box is left out.
    EXPECT_EQ(e.nb_rdio, 1);
    EXPECT_EQ(e.rdio_set[6], 0);
    EXPECT_EQ(e.rdio_set[7], 0);
    EXPECT_EQ(e.nb_butt, 2);
    EXPECT_EQ(e.butt_txt[1], "Cancel");
    EXPECT_EQ(e.butt_typ[1], -1);
    EXPECT_EQ(e.butt_siz[0], 60);
}

TEST_F(FormApi, SetValueByType) {
    register_form();
    int iv = 0;
    float rv = 0.0F;
    std::string cv;
    int it = 0;
    // A list value below 1 shows entry 1, one beyond the list its last entry.
    EXPECT_TRUE(frm_set_value(3, 0, 0.0F, " ", true));
    EXPECT_TRUE(frm_get_value(3, iv, rv, cv, it));
    EXPECT_EQ(iv, 1);
    EXPECT_EQ(cv, "one");
    EXPECT_EQ(it, kTypeDdl);
    EXPECT_EQ(engine_tables.inpt_ival[2], 0);
    EXPECT_TRUE(frm_set_value(3, 9, 0.0F, " ", true));
    EXPECT_TRUE(frm_get_cur_value(3, iv, rv, cv, it));
    EXPECT_EQ(iv, 3);  // the engine answers with the 1-based entry
    EXPECT_EQ(cv, "three");

    auto real_text = [&](float value) {
        frm_set_value(2, 0, value, "", false);
        frm_get_value(2, iv, rv, cv, it);
        return cv;
    };
    EXPECT_EQ(real_text(0.0005F), "5.E-04");
    EXPECT_EQ(real_text(2.0e6F), "2.E+06");
    EXPECT_EQ(real_text(12.5F), "12.5");
    EXPECT_EQ(real_text(0.0F), "0");
    EXPECT_EQ(real_text(1.0e-11F), "0");
    EXPECT_EQ(rv, 1.0e-11F);

    EXPECT_TRUE(frm_set_value(1, 42, 0.0F, "", true));
    EXPECT_TRUE(frm_get_cur_value(1, iv, rv, cv, it));
    EXPECT_EQ(cv, "42");
    EXPECT_TRUE(frm_set_value(1, 42, 0.0F, "given", false));
    frm_get_value(1, iv, rv, cv, it);
    EXPECT_EQ(cv, "given");
    EXPECT_TRUE(frm_set_value(4, 16744448, 0.0F, "", false));
    frm_get_value(4, iv, rv, cv, it);
    EXPECT_EQ(cv, "#FF8000");
    EXPECT_TRUE(frm_set_value(5, 10065, 0.0F, "ignored", false));
    frm_get_value(5, iv, rv, cv, it);
    EXPECT_EQ(cv, "");
    EXPECT_EQ(iv, 10065);
    EXPECT_TRUE(frm_set_value(6, 0, 0.0F, std::string(300, 't'), true));
    frm_get_value(6, iv, rv, cv, it);
    EXPECT_EQ(cv, std::string(kValueLength, 't'));

    EXPECT_FALSE(frm_set_value(0, 1, 0.0F, "", true));
    EXPECT_FALSE(frm_set_value(10, 1, 0.0F, "", true));
    EXPECT_FALSE(frm_get_value(10, iv, rv, cv, it));
    EXPECT_FALSE(frm_get_cur_value(0, iv, rv, cv, it));
}

TEST_F(FormApi, Properties) {
    register_form();
    int iv = 0;
    float rv = 0.0F;
    std::string cv;
    // The bounds change the value checks but nothing in the engine.
    EXPECT_TRUE(frm_set_prop(kClassInputBox, 1, kPropMin, 0, 0.0F, "", true));
    EXPECT_TRUE(frm_set_prop(kClassInputBox, 1, kPropMax, 0, 100.0F, "", true));
    EXPECT_TRUE(frm_get_prop(kClassInputBox, 1, kPropMax, iv, rv, cv));
    EXPECT_EQ(rv, 100.0F);
    frmi03.inpt_rval[1] = 150.0F;
    std::string msg;
    int ival = 0;
    float rval = 0.0F;
    EXPECT_EQ(check_minmax(0, ival, rval, cv, msg), 0);
    EXPECT_EQ(msg, "Value must be in [0,100]");

    EXPECT_TRUE(frm_set_prop(kClassInputBox, 9, kPropActive, 0, 0.0F, "", false));
    EXPECT_TRUE(frm_set_prop(kClassInputBox, 9, kPropPattern, 0, 0.0F, "*.cup", false));
    EXPECT_EQ(engine_tables.inpt_act[8], 0);
    EXPECT_EQ(engine_tables.inpt_ext[8], "*.cup");
    EXPECT_FALSE(frm_set_prop(kClassInputBox, 1, kPropVar, 0, 0.0F, "x", false));
    EXPECT_FALSE(frm_set_prop(kClassInputBox, 10, kPropActive, 0, 0.0F, "", false));
    EXPECT_FALSE(frm_set_prop(2, 1, kPropActive, 0, 0.0F, "", false));

    EXPECT_TRUE(frm_set_prop(kClassTitle, 1, kPropLabel, 0, 0.0F, "Main - V4.4", true));
    EXPECT_EQ(engine_tables.subt_txt[0], "Main - V4.4");
    EXPECT_FALSE(frm_set_prop(kClassTitle, 3, kPropLabel, 0, 0.0F, "x", true));
    EXPECT_FALSE(frm_set_prop(kClassTitle, 1, kPropActive, 0, 0.0F, "x", true));

    EXPECT_TRUE(frm_get_prop(kClassInputBox, 1, kPropVar, iv, rv, cv));
    EXPECT_EQ(cv, "v_count");
    EXPECT_FALSE(frm_get_prop(kClassInputBox, 1, 999, iv, rv, cv));
    EXPECT_FALSE(frm_get_prop(kClassInputBox, 0, kPropLabel, iv, rv, cv));
    cv = "kept";
    EXPECT_TRUE(frm_get_prop(kClassTitle, 2, kPropActive, iv, rv, cv));
    EXPECT_EQ(cv, "kept");
    EXPECT_TRUE(frm_get_prop(kClassTitle, 2, kPropLabel, iv, rv, cv));
    EXPECT_EQ(cv, "Second");
    EXPECT_TRUE(frm_get_prop(3, 1, kPropLabel, iv, rv, cv));
}

TEST_F(FormApi, CreationWithoutBoxesMakesNoWindow) {
    const ScopedEnv language("LANGUAGE", "fr_FR");
    EXPECT_EQ(frm_read_form(write("empty.frm", "[General]\nFontSize=9\n")), 0);
    // An earlier form's window id goes with the form: frm_do_form cannot
    // run a window that is not this form's.
    frm999.window_id = 4;
    EXPECT_EQ(frm_create_form(), 0);
    EXPECT_EQ(frm999.window_id, 0);
    EXPECT_TRUE(frm999.qfr);
    EXPECT_EQ(engine_tables.nb_inpt, 0);
    EXPECT_EQ(frm_do_form(), 0);
    EXPECT_EQ(frm_new_form(), 0);
}

TEST_F(FormApi, CreationInstallsTheValueChecks) {
    frm999.qfr = true;
    const ScopedEnv language("LANGUAGE", "en");
    EXPECT_EQ(frm_create_form(), frm999.window_id);
    EXPECT_FALSE(frm999.qfr);
    EXPECT_EQ(engine_tables.nb_inpt, 9);
    EXPECT_EQ(engine_metrics.font_size, 11);
    EXPECT_EQ(engine_metrics.ActWin, 1);
    ASSERT_NE(engine_checks().check_values, nullptr);
    int ival = 0;
    float rval = 0.0F;
    std::string text = "x";
    std::string msg;
    EXPECT_EQ(engine_checks().check_values(0, 1, ival, rval, text, msg), 0);
    EXPECT_EQ(msg, "Integer value required");
}

}  // namespace
