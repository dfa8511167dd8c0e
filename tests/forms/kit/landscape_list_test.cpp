#include "forms/kit/landscape_list.h"

#include "forms/kit/engine_tables.h"
#include "forms/kit/form_create.h"
#include "forms/kit/form_reader.h"

#include "form_kit_fixture.h"
#include "support/fake_wine_prefix.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using tarvex_test::FakePrefixOptions;
using tarvex_test::FakeWinePrefix;
using tarvex_test::FormKitTest;

// A form whose "Landscape" list stands between two other lists.
constexpr const char* kLandscapeForm =
    "[Input-boxes]\n"
    "{Name=first;Txt=First,a,b;Pos=10,10;Size=8;Type=DDL}\n"
    "{Name=land;Txt=Landscape;Pos=10,40;Size=20;Type=DDL}\n"
    "{Name=last;Txt=Last,x,y,z;Pos=10,70;Size=8;Type=DDL}\n"
    "{Name=t1;Txt=T1;Pos=200,10;Type=TCK}\n"
    "[Radio-buttons]\n{Set=t1}\n"
    "[Buttons]\n{Txt=OK;Pos=10,100;Size=50;Type=OK}\n";

FakePrefixOptions condor3_only() {
    FakePrefixOptions options;
    options.condor2.reset();
    return options;
}

class LandscapeList : public FormKitTest {
protected:
    // The error boxes shown (the installation lookup also shows information boxes).
    std::vector<std::string> errors() const {
        std::vector<std::string> texts;
        for (const auto& box : boxes) {
            if (box.status == 1) {
                texts.push_back(box.text);
            }
        }
        return texts;
    }
    void load() {
        ASSERT_EQ(frm_read_form(write("land.frm", kLandscapeForm)), 0);
        set_opt({0, 10, 0});
        load_form();
    }
};

TEST_F(LandscapeList, OnlyLandscapesWithTheirTerrainFile) {
    FakeWinePrefix prefix(condor3_only());
    prefix.add_landscape(3, "Test", {{".apt", "airports"}});
    prefix.add_landscape(3, "Alps", {{".trn", "terrain"}});
    prefix.add_landscape(3, "Bavaria", {{".trn", "terrain"}, {".cup", "points"}});
    prefix.add_file(FakeWinePrefix::install_dir(3) + "\\Landscapes\\Loose.trn", "not a folder");
    frmi01.ddl_nbli[2] = 17;  // a count left by an earlier form does not count
    load();
    EXPECT_EQ(frmi01.ddl_nbli[2], 2);
    const EngineTables& e = engine_tables;
    EXPECT_EQ(e.LndDDL, 1);
    EXPECT_EQ(e.ddl_nbli[1], 2);
    EXPECT_EQ(e.lnd_nam[0], "Alps");
    EXPECT_EQ(e.lnd_nam[1], "Bavaria");
    // The lists around it, the radio groups and the buttons are all handed over.
    EXPECT_EQ(e.ddl_nbli[0], 2);
    EXPECT_EQ(e.ddl_txt[2][2], "z");
    EXPECT_EQ(e.nb_rdio, 1);
    EXPECT_EQ(e.nb_butt, 1);
    EXPECT_TRUE(errors().empty());

    // The install folder with or without its final "\" lists the same folder.
    const std::string install = FakeWinePrefix::install_dir(3);
    EXPECT_EQ(landscapes_with_terrain(install, 333), (std::vector<std::string>{"Alps", "Bavaria"}));
    EXPECT_EQ(landscapes_with_terrain(install + "\\", 333), (std::vector<std::string>{"Alps", "Bavaria"}));
    EXPECT_EQ(landscapes_with_terrain(install + "\\", 1), (std::vector<std::string>{"Alps"}));
    EXPECT_TRUE(landscapes_with_terrain("C:\\Nowhere", 333).empty());
    prefix.remove(FakeWinePrefix::landscape_dir(3, "Alps"));
    prefix.remove(FakeWinePrefix::landscape_dir(3, "Bavaria"));
    load();
    EXPECT_EQ(frmi01.ddl_nbli[2], 0);
    EXPECT_EQ(engine_tables.ddl_nbli[1], 0);
}

TEST_F(LandscapeList, WithoutCondorTheHandingOverEnds) {
    FakePrefixOptions options;
    options.condor2.reset();
    options.condor3.reset();
    FakeWinePrefix prefix(options);
    load();
    EXPECT_EQ(errors(), (std::vector<std::string>{"*** No Condor installation found (2 or 3) ***"}));
    EXPECT_NE(log_text().find("*** No Condor installation found (2 or 3) ***"), std::string::npos);
    const EngineTables& e = engine_tables;
    EXPECT_EQ(e.nb_inpt, 4);       // the boxes came before the lists
    EXPECT_EQ(e.ddl_nbli[0], 2);   // and so did the list before it
    EXPECT_EQ(e.ddl_nbli[2], 0);   // the list after it did not
    EXPECT_EQ(e.nb_rdio, 0);
    EXPECT_EQ(e.nb_butt, 0);

    frm999.qfr = true;
    set_opt({0, 10, 0});
    load_form();
    ASSERT_EQ(errors().size(), 2U);
    EXPECT_EQ(errors()[1], "*** Aucune installation de Condor (2 ou 3) trouv\xE9"
                           "e ***");
}

}  // namespace
