#include "foundation/unwritten_files.h"

#include "foundation/log.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"

UnwrittenFiles unwritten_files;

void reset_unwritten_files() { unwritten_files = UnwrittenFiles{}; }

void report_unwritten_file(std::string_view path) {
    const std::string name(path);
    report_unwritten_file(path, "Error writing: \n " + name, "*** Erreur d'\xE9" "criture : \n " + name);
}

void report_unwritten_file(std::string_view path, std::string_view english, std::string_view french) {
    const std::string_view text = cmndta001.qfr ? french : english;
    error_message(1, text, cmndta001.qline);
    // The text may begin with a path: never a log request.
    log_message_text(text);
    note_unwritten_file(path);
}

void note_unwritten_file(std::string_view path) { unwritten_files.names.emplace_back(path); }

bool any_file_unwritten() { return !unwritten_files.names.empty(); }
