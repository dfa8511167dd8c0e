#include "foundation/message_records.h"

Cmndta001 cmndta001;
LocaC loca_c;
Peldbg00 peldbg00;

void reset_cmndta001() { cmndta001 = Cmndta001{}; }

void reset_loca_c() { loca_c = LocaC{}; }

void reset_peldbg00() { peldbg00 = Peldbg00{}; }
