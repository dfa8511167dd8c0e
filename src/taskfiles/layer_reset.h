#pragma once

// Every record of the task files (the task model, the landscape's turnpoints
// and airports, the SeeYou task) and of the layers below back to its start.
// Tests of the task files start and end clean with it; the reset of each
// layer above calls it.
void reset_taskfiles_layer();
