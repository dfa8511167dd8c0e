#include "foundation/reach_settings.h"

Loca00 loca00;
Pelrn00 pelrn00;
Pelrn02 pelrn02;
Loca02 loca02;
PelloranMod pelloran_mod;

void reset_loca00() { loca00 = Loca00{}; }
void reset_pelrn00() { pelrn00 = Pelrn00{}; }
void reset_pelrn02() { pelrn02 = Pelrn02{}; }
void reset_loca02() { loca02 = Loca02{}; }
void reset_pelloran_mod() { pelloran_mod = PelloranMod{}; }

void reset_reach_settings() {
    reset_loca00();
    reset_pelrn00();
    reset_pelrn02();
    reset_loca02();
    reset_pelloran_mod();
}
