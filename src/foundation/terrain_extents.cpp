#include "foundation/terrain_extents.h"

Trn001 trn001;

void reset_trn001() { trn001 = Trn001{}; }
