#include "forms/kit/form_model.h"

#include <algorithm>

Frm000 frm000;
Frm999 frm999;
Frmc00 frmc00;
Frmc01 frmc01;
Frmi01 frmi01;
Frmi02 frmi02;
Frmi03 frmi03;
Frmt01 frmt01;

void reset_frm000() { frm000 = Frm000{}; }
void reset_frm999() { frm999 = Frm999{}; }
void reset_frmc00() { frmc00 = Frmc00{}; }
void reset_frmc01() { frmc01 = Frmc01{}; }
void reset_frmi01() { frmi01 = Frmi01{}; }
void reset_frmi02() { frmi02 = Frmi02{}; }
void reset_frmi03() { frmi03 = Frmi03{}; }
void reset_frmt01() { frmt01 = Frmt01{}; }

void frm_init_form() {
    const int window_id = frm999.window_id;
    const bool qfr = frm999.qfr;
    const std::array<int, kMaxDdl + 1> ddl_nbli = frmi01.ddl_nbli;
    reset_form_model();
    frm999.window_id = window_id;
    frm999.qfr = qfr;
    frmi01.ddl_nbli = ddl_nbli;
}

void reset_form_model() {
    reset_frm000();
    reset_frm999();
    reset_frmc00();
    reset_frmc01();
    reset_frmi01();
    reset_frmi02();
    reset_frmi03();
    reset_frmt01();
}

int ddl_entry_clamped(int list, int entry) {
    if (list < 1 || list > kMaxDdl) {
        return 1;
    }
    const int count = frmi01.ddl_nbli[list];
    entry = std::max(entry, 1);
    return count >= 1 ? std::min(entry, count) : entry;
}
