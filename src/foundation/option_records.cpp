#include "foundation/option_records.h"

#include <string>

namespace {

// The dotted version text of a version number: 4400 gives "4.4.0.0".
std::string version_text(int version) {
    return std::to_string(version / 1000) + "." + std::to_string(version % 1000 / 100) + "." +
           std::to_string(version % 100 / 10) + "." + std::to_string(version % 10);
}

TarvexC default_tarvex_c() {
    TarvexC record;
    record.cvers = version_text(kProgramVersion);
    return record;
}

}  // namespace

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
