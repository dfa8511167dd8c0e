#include "terrain/terrain_messages.h"

#include "foundation/message_records.h"
#include "foundation/messages.h"

void terrain_message(int severity, std::string_view english, std::string_view french) {
    error_message_pxr(severity, kTerrainMessageTitle, cmndta001.qfr ? french : english, cmndta001.qline);
}
