#include "driver/user_language.h"

#include "foundation/message_records.h"
#include "foundation/option_records.h"
#include "platform/environment.h"

void apply_language_setting() {
    if (tarvex01.nlang == 2) {
        cmndta001.qfr = false;
    } else if (tarvex01.nlang == 3) {
        cmndta001.qfr = true;
    } else {
        cmndta001.qfr = IsLanguageFrench() != 0;
    }
}
