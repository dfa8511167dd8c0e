#include "taskfiles/list_rewrite.h"

#include "foundation/tell.h"
#include "platform/files.h"

int read_text_lines(std::string_view path, std::vector<std::string>& lines, bool& opened) {
    lines.clear();
    TextFileReader reader(path);
    opened = reader.is_open();
    if (!opened) {
        return reader.open_status();
    }
    std::string line;
    while (reader.read_line(line)) {
        lines.push_back(line);
    }
    return reader.read_status();
}

int read_text_lines(std::string_view path, std::vector<std::string>& lines) {
    bool opened = false;
    return read_text_lines(path, lines, opened);
}

int make_backup_copy(std::string_view path) {
    const std::string backup = std::string(path) + ".bak";
    const int status = copy_file_over(path, backup);
    if (status != 0) {
        tell_and_log(kWarning, in_user_language("*** Backup copy failed: \n " + backup,
                                                "*** Copie de sauvegarde impossible : \n " + backup));
    }
    return status;
}
