#include "taskfiles/xml_numbers.h"

#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"

std::string xml_int(long long value) { return left_adjust(fmt_i(value, 10)); }

std::string xml_real(double value, int w, int d) { return left_adjust(fmt_f(value, w, d)); }
