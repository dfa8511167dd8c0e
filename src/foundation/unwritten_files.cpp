#include "foundation/unwritten_files.h"

#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "foundation/tell.h"

#include <utility>

UnwrittenFiles unwritten_files;

void reset_unwritten_files() { unwritten_files = UnwrittenFiles{}; }

void report_unwritten_file(std::string_view path) {
    const std::string name = slashes_kept(path);
    report_unwritten_file(path, "Error writing: \n " + name, "*** Erreur d'\xE9" "criture : \n " + name);
}

void report_unwritten_file(std::string_view path, std::string_view english, std::string_view french) {
    tell_unwritten_cause(in_user_language(english, french));
    unwritten_files.names.emplace_back(path);
}

void tell_unwritten_cause(std::string_view text) {
    tell_and_log(kError, text);
    unwritten_files.reasons.push_back(message_display_text(text));
}

void note_unwritten_file(std::string_view path) {
    std::string told = cmndta001.last_error;
    if (told.empty()) {
        told = in_user_language("Error writing: ", "*** Erreur d'\xE9" "criture : ") + std::string(path);
    }
    unwritten_files.reasons.push_back(std::move(told));
    unwritten_files.names.emplace_back(path);
}

bool any_file_unwritten() { return !unwritten_files.names.empty(); }

std::string unwritten_files_text() {
    if (!any_file_unwritten()) {
        return {};
    }
    std::string text;
    for (const std::string& reason : unwritten_files.reasons) {
        if (!text.empty()) {
            text += '\n';
        }
        text += reason;
    }
    return text;
}
