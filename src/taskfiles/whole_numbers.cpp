#include "taskfiles/whole_numbers.h"

#include "foundation/number_text.h"

#include <cmath>

int nearest_int(double value) { return trunc_to_int(std::round(value)); }
