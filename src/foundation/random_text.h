#pragma once

#include <string>

// One random character: with probability 0.3 a digit 0-9, otherwise an
// upper-case letter A-Z. The draw is uniform in [0, 1) from a generator seeded
// once per run.
void random_char(std::string& ccc);
