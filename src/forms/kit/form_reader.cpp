#include "forms/kit/form_reader.h"

#include "forms/kit/form_reading.h"
#include "foundation/fixed_text.h"
#include "foundation/number_text.h"
#include "foundation/tell.h"
#include "platform/console.h"

#include <algorithm>

namespace {

// Lines of a form file are cut at this many characters.
constexpr std::size_t kFormLineLength = 256;
// The error message naming the count is cut at this many characters.
constexpr std::size_t kErrorMessageLength = 128;

// The section a header line selects, 0 for an unknown header.
int section_of(std::string_view header) {
    for (int s = 1; s < static_cast<int>(sec_nam.size()); ++s) {
        if (header == sec_nam[s]) {
            return s;
        }
    }
    return 0;
}

bool is_header(std::string_view line) {
    const std::size_t length = trimmed_length(line);
    return line.front() == '[' && line[length - 1] == ']';
}

// Reads one line (already cut and not skipped). False after a repeated name.
bool read_line(FormReading& reading, std::string_view line) {
    if (is_header(line)) {
        reading.section = section_of(trim_right(line));
        return true;
    }
    std::string text = left_adjust(line);
    if (text.front() == '}') {
        reading.in_item = false;
        return true;
    }
    if (text.front() == '{') {
        open_item(reading);
        text.erase(0, 1);
    }
    text = trim_right(text);
    const bool closes = !text.empty() && text.back() == '}';
    if (closes) {
        text.pop_back();
    }
    if (!take_pairs(reading, text)) {
        return false;
    }
    if (closes) {
        reading.in_item = false;
    }
    return true;
}

void show_error_count(std::string_view fnam, int errors) {
    const std::string tail = in_language(frm999.qfr, " errors detected/see frm_forms.log",
                                         " erreurs d\xE9tect\xE9"
                                         "es/voir frm_forms.log");
    tell(kError, fit_field(std::string(fnam) + "/" + i2b(errors) + tail, kErrorMessageLength));
}

}  // namespace

int frm_read_form(std::string_view fnam) {
    frm_init_form();
    const std::string name = trim_right(fnam);
    FormReading reading(kFormLogName);
    reading.log.line(name);

    TextFileReader file(name);
    if (!file.is_open()) {
        reading.log.line("ERROR OPENING");
        reading.log.close();
        return file.open_status();
    }
    std::string raw;
    while (file.read_line(raw)) {
        const std::string_view line = std::string_view(raw).substr(0, std::min(raw.size(), kFormLineLength));
        if (is_blank(line) || line.front() == '#') {
            continue;
        }
        if (frm999.qdebug) {
            console_line(line);
        }
        if (!read_line(reading, line)) {
            reading.log.close();
            return 1;
        }
    }
    frm000.nb_inpt = reading.nb_sect[kSecInputBoxes];
    frm000.nb_rdio = reading.nb_sect[kSecRadioButtons];
    frm000.nb_sepa = reading.nb_sect[kSecSeparators];
    frm000.nb_titl = reading.nb_sect[kSecText];
    frm000.nb_butt = reading.nb_sect[kSecButtons];

    check_boxes(reading);
    if (frm999.qdebug) {
        console_line(i2b(reading.errors) + " " + i2b(file.read_status()) + " errors, ios");
    }
    if (reading.errors >= 1) {
        show_error_count(name, reading.errors);
    }
    reading.log.close();
    return reading.errors;
}
