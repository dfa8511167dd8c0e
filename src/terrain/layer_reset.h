#pragma once

// Every record of the terrain code (reset_terrain_records, the state the
// reachability passes and the reach driver keep) and of the layers
// below back to its start. Nothing above the terrain code calls it: it is the
// reset of the terrain tests.
void reset_terrain_layer();
