// What the reader does with the boxes once the file is read: dependencies,
// the fix-ups of each type, the drop-down lists, and the checks.

#include "forms/kit/form_reading.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/key_value.h"
#include "foundation/number_text.h"
#include "foundation/text_edit.h"

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace {

// Bounds the reader gives every integer box.
constexpr float kIntBoxBound = 1.0e9F;
// The smallest size of a colour box.
constexpr int kColourBoxSize = 7;
// Limits of the checks.
constexpr int kPositionLimit = 10000;
constexpr int kSmallestSize = 2;
constexpr int kLargestSize = 500;
constexpr int kNegatedDependency = 1000;

// One log line "(I4,' : ',A,2I9)" and one error.
void report(FormReading& reading, int b, std::string_view text, std::initializer_list<int> numbers = {}) {
    std::vector<FortranValue> values{b, text};
    for (const int number : numbers) {
        values.emplace_back(number);
    }
    reading.log.line(fortran_write("(I4,' : ',A,2I9)", values));
    ++reading.errors;
}

int resolve_dependency(std::string_view dep_text, int b) {
    std::string name(dep_text);
    if (name.empty()) {
        return -1;
    }
    const bool negated = name.front() == '-';
    if (negated) {
        name.erase(0, 1);
    }
    for (int h = 1; h <= frm000.nb_inpt; ++h) {
        if (blank_equal(name, frmi02.inpt_nam[h])) {
            if (h == b) {
                return -1;
            }
            return negated ? kNegatedDependency + h - 1 : h - 1;
        }
    }
    return -1;
}

void fix_up_type(int b) {
    switch (frmi01.inpt_typ[b]) {
    case kTypeTck:
        frmi01.inpt_arr[b] = 0;
        frmi01.inpt_siz[b] = trunc_to_int(frm000.tick_size);
        break;
    case kTypeCol:
        frmi01.inpt_siz[b] = std::max(frmi01.inpt_siz[b], kColourBoxSize);
        frmi01.inpt_arr[b] = 0;
        break;
    case kTypeInt:
        frmi03.inpt_min[b] = -kIntBoxBound;
        frmi03.inpt_max[b] = kIntBoxBound;
        break;
    case kTypeChr:
    case kTypeKey:
    case kTypeIfp:
    case kTypeOfp:
    case kTypeFld:
    case kTypeDdl:
        frmi01.inpt_arr[b] = 0;
        break;
    default:
        break;
    }
}

// An entry or label left-adjusted, without surrounding double quotes.
std::string unquoted(std::string_view item) {
    std::string text = left_adjust(item);
    remove_quotes(text);
    return trim_right(text);
}

// Splits the label of list box b into its label and the entries of list k.
void split_list(int b, int k) {
    const std::string text = frmc01.inpt_txt[b];
    std::string rest = text;
    std::string label = text;
    if (text.find(',') != std::string::npos) {
        extract_comma(rest, label);
    } else {
        rest.clear();
    }
    label = unquoted(label);
    frmc01.inpt_txt[b] = label;
    frmi01.ddl_nbli[k] = 0;
    if (label == kLandscapeListLabel) {
        return;
    }
    if (text.find(',') == std::string::npos) {
        frmc01.ddl_txt[k][1] = fit_field(label, kDdlEntryLength);
        frmi01.ddl_nbli[k] = 1;
        return;
    }
    int count = 0;
    while (count < kMaxDdlEntries) {
        std::string entry;
        extract_comma(rest, entry);
        if (is_blank(entry)) {
            break;
        }
        ++count;
        frmc01.ddl_txt[k][count] = fit_field(unquoted(entry), kDdlEntryLength);
    }
    frmi01.ddl_nbli[k] = count;
}

void check_box(FormReading& reading, int b) {
    const int type = frmi01.inpt_typ[b];
    if (type == 0) {
        report(reading, b, "type undefined");
    }
    if (frmi02.inpt_nam[b].empty()) {
        report(reading, b, "name undefined");
    }
    if (frmi03.inpt_max[b] < frmi03.inpt_min[b]) {
        report(reading, b, "inpt_min, inpt_max inverted");
    }
    const int dep = frmi01.inpt_dep[b];
    const int nb_inpt = frm000.nb_inpt;
    if (dep < -1 || (dep < kNegatedDependency && dep >= nb_inpt) || dep > nb_inpt + kNegatedDependency - 1) {
        report(reading, b, "invalid dependency", {dep});
    }
    const int x = frmi01.inpt_pos[b][0];
    const int y = frmi01.inpt_pos[b][1];
    if (x > kPositionLimit || x < -kPositionLimit || y < 0 || y > kPositionLimit) {
        report(reading, b, "invalid position", {x, y});
    }
    const int size = frmi01.inpt_siz[b];
    if (type != kTypeTck && (size < kSmallestSize || size > kLargestSize)) {
        report(reading, b, "invalid size", {size});
    }
}

}  // namespace

void check_boxes(FormReading& reading) {
    int lists = 0;
    for (int b = 1; b <= frm000.nb_inpt; ++b) {
        frmi01.inpt_dep[b] = resolve_dependency(reading.dep[b], b);
        fix_up_type(b);
        if (frmi01.inpt_typ[b] == kTypeDdl) {
            if (lists == kMaxDdl) {
                report(reading, b, "drop-down list refused, lists at most", {kMaxDdl});
            } else {
                ++lists;
                frmi01.inpt_ddl[b] = lists;
                split_list(b, lists);
            }
        }
        check_box(reading, b);
    }
}
