#include "airspace/airspace_messages.h"

#include "foundation/message_records.h"
#include "foundation/messages.h"

void airspace_message(int severity, std::string_view english, std::string_view french) {
    error_message_pxr(severity, kAirspaceMessageTitle, cmndta001.qfr ? french : english, cmndta001.qline);
}
