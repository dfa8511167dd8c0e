#include "airspace/airspace_records.h"

As000c as000c;
As0001 as0001;
As0002 as0002;
As0003 as0003;
Trn002 trn002;

void reset_as000c() { as000c = As000c{}; }
void reset_as0001() { as0001 = As0001{}; }
void reset_as0002() { as0002 = As0002{}; }
void reset_as0003() { as0003 = As0003{}; }
void reset_trn002() { trn002 = Trn002{}; }

void reset_airspace_records() {
    reset_as000c();
    reset_as0001();
    reset_as0002();
    reset_as0003();
    reset_trn002();
}
