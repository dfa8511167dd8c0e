#pragma once

// The program's icon, which every form window gets when it opens
// (frm_start_graphics): a white glider seen from above on a sky of two blues,
// built into the program so that nothing can be missing.

#include "cpw/host_services.h"
#include "cpw/types.h"

#include <cstdint>
#include <vector>

// The icon in the sizes the desktop may show: 32 x 32 pixels, and 16 x 16
// made from it by averaging each square of four.
std::vector<CpwIconImage> program_icon();

// Gives the form's window `id` of the context the program's icon; a window
// that cannot take it is logged "LoadIcon Error: <the system's error code>"
// and the form goes on without it.
void frm_load_icon(CpwContext* ctx, std::uint32_t id);
