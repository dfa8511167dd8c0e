#include "forms/kit/form_values_file.h"

#include "forms/kit/form_model.h"
#include "forms/kit/form_value_text.h"
#include "foundation/fixed_text.h"
#include "foundation/key_value.h"
#include "foundation/number_text.h"
#include "foundation/read_one_number.h"
#include "foundation/shortcut_text.h"
#include "platform/files.h"

namespace {

// The longest line the writer makes: a name, "=" and a value.
constexpr std::size_t kValuesLineLength = kNameLength + 1 + kValueLength;

bool is_landscape_list(int b) { return frmc01.inpt_txt[b] == kLandscapeListLabel; }

std::string value_text(int b) {
    switch (frmi01.inpt_typ[b]) {
    case kTypeFlt:
        return real_box_text(frmi03.inpt_rval[b]);
    case kTypeInt:
    case kTypeTck:
        return i2b(frmi03.inpt_ival[b]);
    case kTypeDdl:
        return is_landscape_list(b) ? frmi02.inpt_cval[b] : i2b(frmi03.inpt_ival[b]);
    case kTypeKey: {
        std::string text;
        int length = 0;
        k2b(frmi03.inpt_ival[b], text, length);
        return text;
    }
    default:
        return frmi02.inpt_cval[b];
    }
}

int box_named(std::string_view name) {
    for (int b = 1; b <= frm000.nb_inpt; ++b) {
        if (blank_equal(frmi02.inpt_nam[b], name)) {
            return b;
        }
    }
    return 0;
}

// Stores the value text of a values file in box b.
void take_value(int b, const std::string& value) {
    frmi02.inpt_cval[b] = fit_field(value, kValueLength);
    switch (frmi01.inpt_typ[b]) {
    case kTypeChr:
        break;
    case kTypeFlt:
        read_one_real(value, frmi03.inpt_rval[b]);
        break;
    case kTypeCol:
        read_colour_text(value, frmi03.inpt_ival[b]);
        break;
    case kTypeKey:
        frmi03.inpt_ival[b] = b2k(value);
        break;
    case kTypeDdl: {
        int entry = 0;
        if (is_landscape_list(b) || !read_one_int(value, entry)) {
            break;
        }
        const int list = frmi01.inpt_ddl[b];
        entry = ddl_entry_clamped(list, entry);
        frmi03.inpt_ival[b] = entry;
        if (list >= 1 && list <= kMaxDdl && entry <= kMaxDdlEntries) {
            frmi02.inpt_cval[b] = frmc01.ddl_txt[list][entry];
        }
        break;
    }
    default:
        read_one_int(value, frmi03.inpt_ival[b]);
        break;
    }
}

}  // namespace

int frm_write_form_data(std::string_view fnam) {
    FileWriter file(trim_right(fnam));
    if (!file.is_open()) {
        return file.open_status();
    }
    for (int b = 1; b <= frm000.nb_inpt; ++b) {
        file.write_line(frmi02.inpt_nam[b] + "=" + value_text(b));
    }
    return file.close();
}

int frm_read_form_data(std::string_view fnam) {
    TextFileReader file(trim_right(fnam));
    if (!file.is_open()) {
        return file.open_status();
    }
    std::string raw;
    while (file.read_line(raw)) {
        const std::string line = fit_field(raw, kValuesLineLength);
        if (line.empty() || line.front() == '#') {
            continue;
        }
        std::string key;
        std::string value;
        extract_key_val(line, key, value);
        const int b = box_named(key);
        if (b != 0) {
            take_value(b, value);
        }
    }
    return 0;
}
