#include "airspace/airspace_mod.h"

AirspaceMod airspace_mod;

void reset_airspace_mod() { airspace_mod = AirspaceMod{}; }
