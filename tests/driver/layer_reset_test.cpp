#include "driver/layer_reset.h"

#include "airspace/airspace_records.h"
#include "driver/command_line.h"
#include "driver/forms_gui.h"
#include "foundation/airspace_names.h"
#include "foundation/condor_install.h"
#include "foundation/message_records.h"
#include "foundation/option_records.h"
#include "foundation/pilot_settings.h"
#include "foundation/terrain_extents.h"
#include "foundation/utm_frame.h"
#include "platform/dialogs.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/task_model.h"

#include <gtest/gtest.h>

namespace {

// One member of a record of every layer, and the state carried between the
// steps of a conversion, all back to their start.
TEST(ResetAllRecords, EveryLayerStartsAgain) {
    tinyfd_forceConsole = 1;
    tarvex01.qxcs = false;
    tarvex_c.built_outfile.pending = true;
    cmndta001.qfr = true;
    loca_c.msg_tit = "t";
    peldbg00.qdis_wrn = true;
    inst00.qc2 = true;
    rdstng00.nunit_cndr = 1;
    trn001.x_scn_mx = 1.0f;
    utm001.initialized = true;
    add_as_name(3, "CTR");
    rd_fpl_0.nb_wp = 5;
    ggg001.glider = "ASW 28";
    rd_cup_0.nb_cup = 4;
    size_airport_tables(tarveap2, tarveap3);  // the airport tables are sized when a landscape is read
    tarveap2.apt_elev[1] = 9;
    as000c.new_aspfile_status = 0;
    as0003.qcropas = false;
    trn002.nx_rect = 2;
    tvxfrm.nb__qaat = 7;
    set_command_line({"tarvex", "-v"});

    reset_all_records();

    EXPECT_EQ(tinyfd_forceConsole, 0);
    EXPECT_TRUE(tarvex01.qxcs);
    EXPECT_FALSE(tarvex_c.built_outfile.pending);
    EXPECT_FALSE(cmndta001.qfr);
    EXPECT_TRUE(loca_c.msg_tit.empty());
    EXPECT_FALSE(peldbg00.qdis_wrn);
    EXPECT_FALSE(inst00.qc2);
    EXPECT_EQ(rdstng00.nunit_cndr, 0);
    EXPECT_EQ(trn001.x_scn_mx, 0.0f);
    EXPECT_FALSE(utm001.initialized);
    std::string name;
    int length = -1;
    get_as_name(3, name, length);
    EXPECT_EQ(length, 0);
    EXPECT_EQ(rd_fpl_0.nb_wp, 0);
    EXPECT_TRUE(ggg001.glider.empty());
    EXPECT_EQ(rd_cup_0.nb_cup, 0);
    EXPECT_EQ(tarveap2.apt_elev[1], 0);
    EXPECT_EQ(as000c.new_aspfile_status, kFilteredCopyNotWritten);
    EXPECT_TRUE(as0003.qcropas);
    EXPECT_EQ(trn002.nx_rect, 0);
    EXPECT_EQ(tvxfrm.nb__qaat, 0);
    EXPECT_EQ(program_path_argument(), "");
}

}  // namespace
