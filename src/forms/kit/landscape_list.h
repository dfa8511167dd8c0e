#pragma once

// The "Landscape" drop-down list: the landscapes of the active Condor
// installation that have a terrain file.

#include <string>
#include <string_view>
#include <vector>

// The landscapes of the folder "<install>\Landscapes\" (one trailing "\" of
// `install_folder` dropped) whose folder holds "<name>\<name>.trn", in name
// order; at most `limit` of them.
std::vector<std::string> landscapes_with_terrain(std::string_view install_folder, std::size_t limit);

// Fills list k (1-based) of the model and of the engine with the landscapes
// of the active Condor installation. False, after an error message that is
// also logged, when neither Condor 2 nor Condor 3 is installed.
bool load_landscape_list(int k);
