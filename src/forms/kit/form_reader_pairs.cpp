// The key=value pairs of a form file, section by section.

#include "forms/kit/form_reader.h"
#include "forms/kit/form_reading.h"
#include "foundation/fixed_text.h"
#include "foundation/key_value.h"
#include "foundation/list_read.h"
#include "foundation/number_text.h"
#include "foundation/read_one_number.h"
#include "foundation/text_edit.h"
#include "platform/console.h"

#include <climits>
#include <cmath>

namespace {

// Keys, values and pairs are cut at this many characters.
constexpr std::size_t kPairLength = 128;
// The names of a radio group's "Set" are cut at this many characters.
constexpr std::size_t kRadioNameLength = 16;
// The largest form file version kept.
constexpr int kLargestVersion = 9999;

// The horizontal position codes of the anchors.
constexpr int kAnchorUnit = 10000;

// Label placement codes of "TxPos".
struct LabelPlacement {
    std::string_view text;
    int code;
};
constexpr LabelPlacement kLabelPlacements[] = {{"R", -1}, {"L", -2}, {"LA", -3}, {"TC", -4}, {"TL", -5}};

// The items a section holds at most (0: no limit, the count is not kept).
int section_limit(int section) {
    switch (section) {
    case kSecInputBoxes:
        return kMaxInpt;
    case kSecRadioButtons:
        return kMaxRdio;
    case kSecSeparators:
        return kMaxSepa;
    case kSecText:
        return kMaxTitl;
    case kSecButtons:
        return kMaxButt;
    default:
        return 0;
    }
}

// Logs a refused item or member and counts it as an error.
void refuse_excess(FormReading& reading, std::string_view what, int number, int limit) {
    reading.log.line(std::string(what) + " " + i2b(number) + " refused: at most " + i2b(limit));
    ++reading.errors;
}

void read_int(std::string_view text, int& value) { read_one_int(text, value); }

// Reads the x and y of a title or a button: x as a horizontal position code
// (0 when unreadable or empty), y as an integer.
void read_coded_position(std::string_view val, std::array<int, 2>& pos) {
    std::string rest(val);
    std::string x;
    extract_comma(rest, x);
    pos[0] = get_hor_pos(x);
    read_int(rest, pos[1]);
}

// "NAME: <value> multiple definition" when `name` equals, ignoring the case
// of a to z, a name of the boxes 1..b in `names` (box b's earlier one too).
bool is_repeated(FormReading& reading, const std::array<std::string, kMaxInpt + 1>& names, int b,
                 const std::string& name) {
    for (int h = 1; h <= b; ++h) {
        if (case_blind_compare(name, names[h])) {
            reading.log.line("NAME: " + name + " multiple definition");
            return true;
        }
    }
    return false;
}

int type_of(std::string_view val) {
    const std::size_t letter = std::string_view("IRCTKF").find(val);
    if (letter != std::string_view::npos) {
        return static_cast<int>(letter) + 1;
    }
    for (int t = 1; t < static_cast<int>(typ_nam.size()); ++t) {
        if (val == typ_nam[t]) {
            return t;
        }
    }
    return 0;
}

void take_general(std::string_view key, const std::string& val) {
    if (key == "Window Title") {
        frmc00.wintit = fit_field(val, kWinTitLength);
    } else if (key == "FontName") {
        frmc00.f_name = fit_field(val, kFontNameLength);
    } else if (key == "FontSize") {
        read_int(val, frm000.f_size);
    } else if (key == "Version") {
        int version = 0;
        if (read_one_int(val, version) && version >= 0 && version <= kLargestVersion) {
            frm000.nvers = version;
        }
    } else if (key == "Active") {
        frm999.iact = is_true(val) ? 1 : 0;
    } else if (key == "Debug") {
        if (frm999.qdebug) {
            console_line(std::string(key) + " " + val);
        }
        frm999.qdebug = is_true(val);
    } else if (key == "TickSize") {
        int size = 0;
        if (read_one_int(val, size)) {
            frm000.tick_size = static_cast<float>(size);
        }
    }
}

// False after a repeated name.
bool take_input_box(FormReading& reading, int b, std::string_view key, const std::string& val) {
    if (key.starts_with("Txt")) {
        std::string label = val;
        frmi01.inpt_act[b] = 1;
        if (label.front() == '-') {
            frmi01.inpt_act[b] = 0;
            label.erase(0, 1);
        }
        frmc01.inpt_txt[b] = fit_field(label, kLabelLength);
    } else if (key.starts_with("Name")) {
        const std::string name = fit_field(val, kNameLength);
        if (is_repeated(reading, frmi02.inpt_nam, b, name)) {
            return false;
        }
        frmi02.inpt_nam[b] = name;
    } else if (key.starts_with("Var")) {
        const std::string name = fit_field(val, kNameLength);
        if (is_repeated(reading, frmi02.inpt_var, b, name)) {
            return false;
        }
        frmi02.inpt_var[b] = name;
    } else if (key.starts_with("Pos")) {
        list_read(val, frmi01.inpt_pos[b][0], frmi01.inpt_pos[b][1]);
    } else if (key.starts_with("TxPos")) {
        if (val.find(',') != std::string::npos) {
            list_read(val, frmi01.inpt_pos[b][2], frmi01.inpt_pos[b][3]);
        } else {
            for (const LabelPlacement& placement : kLabelPlacements) {
                if (val == placement.text) {
                    frmi01.inpt_pos[b][2] = placement.code;
                    frmi01.inpt_pos[b][3] = placement.code;
                }
            }
        }
    } else if (key.starts_with("Dep")) {
        reading.dep[b] = val;
    } else if (key.starts_with("Size")) {
        read_int(val, frmi01.inpt_siz[b]);
    } else if (key.starts_with("Type")) {
        frmi01.inpt_typ[b] = type_of(val);
    } else if (key.starts_with("Min")) {
        read_one_real(val, frmi03.inpt_min[b]);
    } else if (key.starts_with("Max")) {
        read_one_real(val, frmi03.inpt_max[b]);
    } else if (key.starts_with("Arr")) {
        read_int(val, frmi01.inpt_arr[b]);
    } else if (key.starts_with("Ext")) {
        if (frmi01.inpt_typ[b] == kTypeIfp || frmi01.inpt_typ[b] == kTypeOfp) {
            frmi02.inpt_ext[b] = fit_field(val, kExtLength);
        }
    }
    return true;
}

void take_radio_group(FormReading& reading, int g, std::string_view key, const std::string& val) {
    if (!key.starts_with("Set")) {
        return;
    }
    if (frm999.qdebug) {
        console_line(val);
    }
    std::string rest = val;
    int count = 0;
    while (true) {
        std::string name;
        extract_comma(rest, name);
        name = fit_field(left_adjust(name), kRadioNameLength);
        if (name.empty()) {
            break;
        }
        if (count == kMaxRdioMembers) {
            refuse_excess(reading, "[Radio-buttons] member", count + 1, kMaxRdioMembers);
            break;
        }
        ++count;
        int member = -1;
        for (int h = 1; h <= reading.nb_sect[kSecInputBoxes]; ++h) {
            if (blank_equal(name, frmi02.inpt_nam[h])) {
                member = h;
                break;
            }
        }
        frmt01.tick_rdio[g][count] = member;
    }
    frmt01.tick_rdio_count[g] = count;
}

void take_separator(int s, std::string_view key, const std::string& val) {
    if (!key.starts_with("Separ")) {
        return;
    }
    std::string rest = val;
    for (int& coordinate : frmi01.sepa_pos[s]) {
        std::string item;
        extract_comma(rest, item);
        read_int(item, coordinate);
    }
}

void take_title(int t, std::string_view key, const std::string& val) {
    if (key.starts_with("Title")) {
        frmc01.titl_txt[t] = fit_field(val, kLabelLength);
    } else if (key.starts_with("Pos")) {
        read_coded_position(val, frmi01.titl_pos[t]);
    }
}

void take_button(int k, std::string_view key, const std::string& val) {
    if (key.starts_with("Pos")) {
        read_coded_position(val, frmi01.butt_pos[k]);
    } else if (key.starts_with("Size")) {
        read_int(val, frmi01.butt_siz[k]);
    } else if (key.starts_with("Txt")) {
        frmc01.butt_txt[k] = fit_field(val, kLabelLength);
    } else if (key.starts_with("Type")) {
        int type = 0;
        if (val == "OK") {
            type = 1;
        } else if (val == "CANCEL") {
            type = -1;
        } else if (!read_one_int(val, type)) {
            type = 0;
        }
        frmi01.butt_typ[k] = type;
    }
}

// One pair of the current item. False after a repeated name.
bool take_pair(FormReading& reading, std::string_view key, const std::string& val) {
    if (reading.section == kSecGeneral) {
        take_general(key, val);
        return true;
    }
    if (reading.section == 0 || !reading.in_item) {
        return true;
    }
    const int item = reading.nb_sect[reading.section];
    if (item < 1 || item > section_limit(reading.section)) {
        return true;
    }
    switch (reading.section) {
    case kSecInputBoxes:
        return take_input_box(reading, item, key, val);
    case kSecRadioButtons:
        take_radio_group(reading, item, key, val);
        break;
    case kSecSeparators:
        take_separator(item, key, val);
        break;
    case kSecText:
        take_title(item, key, val);
        break;
    case kSecButtons:
        take_button(item, key, val);
        break;
    default:
        break;
    }
    return true;
}

}  // namespace

void open_item(FormReading& reading) {
    const int section = reading.section;
    if (section == 0) {
        return;
    }
    const int limit = section_limit(section);
    if (limit > 0 && reading.nb_sect[section] >= limit) {
        refuse_excess(reading, std::string(sec_nam[section]) + " item", reading.nb_sect[section] + 1, limit);
        reading.in_item = false;
        return;
    }
    ++reading.nb_sect[section];
    reading.in_item = true;
    if (frm999.qdebug) {
        console_line("{ " + i2b(section) + " " + i2b(reading.nb_sect[section]));
    }
}

bool take_pairs(FormReading& reading, std::string_view text) {
    std::string rest(text);
    while (!is_blank(rest)) {
        std::string pair;
        extract_list(rest, pair, ";");
        pair = fit_field(left_adjust(pair), kPairLength);
        std::string key;
        std::string val;
        extract_key_val(pair, key, val);
        remove_quotes(val);
        val = trim_right(val);
        if (val.empty()) {
            continue;
        }
        if (!take_pair(reading, key, val)) {
            return false;
        }
    }
    return true;
}

int get_hor_pos(std::string& text) {
    int anchor = 0;
    if (!text.empty()) {
        const char letter = text.front();
        if (letter == 'C' || letter == 'L' || letter == 'R') {
            anchor = letter == 'C' ? 1 : (letter == 'R' ? 2 : 0);
            text.front() = ' ';
        }
    }
    const std::size_t length = trimmed_length(text);
    double code = 0.0;
    if (length > 0 && text[length - 1] == '%') {
        text[length - 1] = ' ';
        float share = 0.0F;
        if (!read_one_real(text, share)) {
            return 0;
        }
        code = -(anchor * kAnchorUnit + std::round(static_cast<double>(share) * 10.0));
    } else {
        int m = 0;
        if (!read_one_int(text, m)) {
            return 0;
        }
        code = anchor * kAnchorUnit + static_cast<double>(m);
    }
    if (code > INT_MAX || code < INT_MIN) {
        return 0;
    }
    return static_cast<int>(code);
}
