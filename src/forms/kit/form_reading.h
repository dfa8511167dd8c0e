#pragma once

// The state of one reading of a form-definition file, shared by the parts of
// the reader (form_reader.cpp, form_reader_pairs.cpp, form_reader_checks.cpp).
// It lives for one call of frm_read_form.

#include "forms/kit/form_model.h"
#include "platform/files.h"

#include <array>
#include <string>
#include <string_view>

// The error log of the reading; lines are dropped when it could not be opened.
class FormLog {
public:
    explicit FormLog(std::string_view path) : writer_(path) {}
    void line(std::string_view text) {
        if (writer_.is_open()) {
            writer_.write_line(text);
        }
    }
    void close() { writer_.close(); }

private:
    FileWriter writer_;
};

struct FormReading {
    explicit FormReading(std::string_view log_path) : log(log_path) {}

    FormLog log;
    int section = 0;                           // current section, 0 unknown
    bool in_item = false;                      // an item is open
    std::array<int, 7> nb_sect{};              // items read per section
    std::array<std::string, kMaxInpt + 1> dep; // "Dep" of each box, resolved after reading
    int errors = 0;                            // errors found so far
};

// Opens a new item of the current section; an item beyond the section's limit
// is refused with a log line and an error.
void open_item(FormReading& reading);

// Takes the pairs of a line ("key=value;key=value") for the current section
// and item. False after a repeated box name or second name (logged).
bool take_pairs(FormReading& reading, std::string_view text);

// Resolves the dependencies and lists of the boxes read and checks them; one
// log line and one error for each problem.
void check_boxes(FormReading& reading);
