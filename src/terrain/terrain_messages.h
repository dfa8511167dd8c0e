#pragma once

#include <string_view>

// Messages of the terrain code to the user and the log, in English or in
// French as the run's language asks (cmndta001.qfr); severity 0 information,
// 1 error, 2 warning. They go through the message sink of the airspace and
// terrain code (error_message_pxr), which logs and counts them and shows them
// in a box or on the console; none of them ends the run.
void terrain_message(int severity, std::string_view english, std::string_view french);

// Title the terrain code gives its messages.
inline constexpr std::string_view kTerrainMessageTitle = "Terrain";
