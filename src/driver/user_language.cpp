#include "driver/user_language.h"

#include "foundation/message_records.h"

std::string in_user_language(std::string_view english, std::string_view french) {
    return std::string(cmndta001.qfr ? french : english);
}
