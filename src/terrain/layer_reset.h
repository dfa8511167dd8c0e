#pragma once

// Every record of the terrain code (reset_terrain_records) and of the layers
// below back to its start. Nothing above the terrain code calls it: it is the
// reset of the terrain tests.
void reset_terrain_layer();
