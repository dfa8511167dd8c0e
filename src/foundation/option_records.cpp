#include "foundation/option_records.h"

#include "foundation/number_text.h"
#include "foundation/run_stop.h"

#include <string>

namespace {

TarvexC default_tarvex_c() {
    TarvexC record;
    int length = 0;
    numver_to_char(kProgramVersion, record.cvers, length);
    return record;
}

}  // namespace

std::string path_field(std::string_view path) { return fitting_path(path, kExitConversionFailed); }

Tarvex01 tarvex01;
TarvexC tarvex_c = default_tarvex_c();
TarvexC1 tarvex_c1;
Trn00c trn00c;

void reset_tarvex01() { tarvex01 = Tarvex01{}; }

void reset_tarvex_c() { tarvex_c = default_tarvex_c(); }

void reset_tarvex_c1() { tarvex_c1 = TarvexC1{}; }

void reset_trn00c() { trn00c = Trn00c{}; }

void reset_option_records() {
    reset_tarvex01();
    reset_tarvex_c();
    reset_tarvex_c1();
    reset_trn00c();
}
