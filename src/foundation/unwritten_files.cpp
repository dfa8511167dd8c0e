#include "foundation/unwritten_files.h"

#include "foundation/tell.h"

UnwrittenFiles unwritten_files;

void reset_unwritten_files() { unwritten_files = UnwrittenFiles{}; }

void report_unwritten_file(std::string_view path) {
    const std::string name = slashes_kept(path);
    report_unwritten_file(path, "Error writing: \n " + name, "*** Erreur d'\xE9" "criture : \n " + name);
}

void report_unwritten_file(std::string_view path, std::string_view english, std::string_view french) {
    tell_and_log(kError, in_user_language(english, french));
    note_unwritten_file(path);
}

void note_unwritten_file(std::string_view path) { unwritten_files.names.emplace_back(path); }

bool any_file_unwritten() { return !unwritten_files.names.empty(); }

std::string unwritten_files_text() {
    std::string text;
    for (const std::string& name : unwritten_files.names) {
        if (!text.empty()) {
            text += '\n';
        }
        text += in_user_language("Error writing: ", "*** Erreur d'\xE9" "criture : ") + name;
    }
    return text;
}
