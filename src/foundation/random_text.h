#pragma once

#include <string>

// Offered to the forms and the terrain code; the conversion never calls it.
// One random character: with probability 0.3 a digit 0-9, otherwise an
// upper-case letter A-Z. The draw is uniform in [0, 1) from a generator seeded
// once per run.
void random_char(std::string& ccc);
