#include "foundation/layer_reset.h"

#include "foundation/airspace_names.h"
#include "foundation/condor_install.h"
#include "foundation/local_frame.h"
#include "foundation/message_records.h"
#include "foundation/option_records.h"
#include "foundation/pilot_settings.h"
#include "foundation/reach_settings.h"
#include "foundation/stopwatch.h"
#include "foundation/terrain_extents.h"
#include "foundation/unwritten_files.h"
#include "platform/layer_reset.h"

void reset_foundation_layer() {
    reset_platform_layer();
    reset_option_records();
    reset_cmndta001();
    reset_loca_c();
    reset_peldbg00();
    reset_inst00();
    reset_rdstng00();
    reset_trn001();
    reset_reach_settings();
    reset_local_frame();
    reset_as_nam();
    reset_stopwatches();
    reset_unwritten_files();
}
