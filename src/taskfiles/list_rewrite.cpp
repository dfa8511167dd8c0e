#include "taskfiles/list_rewrite.h"

#include "foundation/file_backup.h"
#include "platform/files.h"

int read_text_file(std::string_view path, TextFileContent& content, bool& opened) {
    content = TextFileContent{};
    ByteFileReader reader(path);
    opened = reader.is_open();
    if (!opened) {
        return reader.open_status();
    }
    std::string bytes;
    if (!reader.read_all(bytes)) {
        return reader.read_status();
    }
    content.lines = split_text_lines(bytes);
    content.bytes = std::move(bytes);
    return 0;
}

int read_text_lines(std::string_view path, std::vector<std::string>& lines) {
    TextFileContent content;
    bool opened = false;
    const int status = read_text_file(path, content, opened);
    lines = std::move(content.lines);
    return status;
}

int make_backup_copy(std::string_view path, std::string_view bytes_as_read) {
    return write_backup(std::string(path) + ".bak", bytes_as_read);
}
