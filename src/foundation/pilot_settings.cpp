#include "foundation/pilot_settings.h"

#include "foundation/fixed_text.h"
#include "foundation/key_value.h"
#include "foundation/log.h"
#include "foundation/number_text.h"
#include "foundation/read_one_number.h"
#include "platform/files.h"

#include <cstdint>
#include <string>

Rdstng00 rdstng00;

void reset_rdstng00() { rdstng00 = Rdstng00{}; }

int read_settings(std::string_view fich, bool qdebug) {
    const std::string path = trim_right(fich);
    TextFileReader reader(path);
    if (qdebug) {
        log_message_text(path);
        log_message_text("OPEN " + i2b(reader.is_open() ? 0 : reader.open_status()));
    }
    if (!reader.is_open()) {
        return reader.open_status();
    }
    bool in_options = false;
    std::string line;
    while (reader.read_line(line)) {
        line = fit_field(line, kSettingsLineLength);
        if (!in_options) {
            in_options = line == "[Options]";
            continue;
        }
        std::string key;
        std::string value;
        extract_key_val(line, key, value);
        key = fit_field(key, kSettingsFieldLength);
        value = fit_field(value, kSettingsFieldLength);
        int number = 0;
        if (is_blank(value) || !read_one_int(value, number)) {
            continue;
        }
        if (key == "Units") {
            rdstng00.nunit_cndr = number;
        } else if (key == "AltimeterSetting") {
            rdstng00.altsttng = number;
        } else if (key == "AveragerTimeConstant") {
            rdstng00.tau_int = static_cast<float>(static_cast<std::int64_t>(number) + 1) * 5.0f;
        }
    }
    return reader.failed() ? reader.read_status() : 0;
}
