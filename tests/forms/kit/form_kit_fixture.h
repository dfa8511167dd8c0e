#pragma once

#include "forms/kit/form_model.h"
#include "forms/kit/layer_reset.h"
#include "forms/kit/value_checks.h"
#include "foundation/log.h"
#include "foundation/messages.h"
#include "platform/console.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace tarvex_test {

// A clean form-kit test: a fresh current folder (the reader's log
// "frm_forms.log" and the program's log land there), boxes recorded instead
// of shown, every record of the kit and the layers below at its start, no
// application check.
class FormKitTest : public ::testing::Test {
protected:
    FormKitTest() : cwd_(dir_.path()) {
        reset_log();
        set_log_clock([] { return LogDateTime{2024, 1, 2, 3, 4, 5}; });
        log_message_f("CREATEtest.log");
        reset_forms_kit_layer();
        set_check_values_app(nullptr);
        set_console_utf8(false);
        set_message_box([this](const std::string& title, const std::string& text, int& status) {
            boxes.push_back({title, text, status});
        });
    }
    ~FormKitTest() override {
        set_message_box(nullptr);
        set_check_values_app(nullptr);
        reset_forms_kit_layer();
        reset_log();
        clear_console_encoding();
    }

    // Writes a file into the current folder; returns its name.
    std::string write(const std::string& name, const std::string& bytes) const {
        dir_.write(name, bytes);
        return name;
    }
    std::string read(const std::string& name) const { return TempDir::read(dir_.path() / name); }
    // The lines of a file of the current folder, without their CR LF.
    std::vector<std::string> lines_of(const std::string& name) const {
        std::vector<std::string> lines;
        std::istringstream in(read(name));
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            lines.push_back(line);
        }
        return lines;
    }
    std::string log_text() const { return read("test.log"); }
    const std::filesystem::path& dir() const { return dir_.path(); }

    struct ShownBox {
        std::string title;
        std::string text;
        int status = 0;
    };
    std::vector<ShownBox> boxes;

private:
    TempDir dir_{"formkit"};
    ScopedCwd cwd_;
};

}  // namespace tarvex_test
