#pragma once

// The options as the program's start-up leaves them for the demo's Condor
// setup, for the tests that run the program's steps on it. Header only: the
// support library itself does not link the program's layers.

#include "driver/fpl_preread.h"
#include "foundation/condor_install.h"
#include "foundation/option_records.h"
#include "support/demo_setup.h"

namespace tarvex_test {

// Finds the demo's Condor installs and the active version, takes the demo's
// task folders of XCSoar, LK8000 and SeeYou, and the root names.
inline void take_demo_options(const DemoSetup& demo) {
    check_condor_install("");
    get_active_condor_version();
    tarvex_c.xcsoar_tasks = demo.xcsoar_tasks;
    tarvex_c.lk8000_tasks = demo.lk8000_tasks;
    tarvex_c.seeyou_tasks = demo.seeyou_tasks;
    get_root_names();
}

}  // namespace tarvex_test
