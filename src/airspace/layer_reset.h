#pragma once

// Every record of the airspace code (reset_airspace_records) and of the layers
// below back to its start. Its console trace switch is left to whoever set it.
// The driver's reset_all_records calls this one.
void reset_airspace_layer();
