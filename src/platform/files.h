#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The file layer: the only code of the program that opens, tests, lists, copies,
// renames or removes files. Every function takes Windows-form paths (see
// path_map.h); a path on a drive the Wine prefix lacks counts as missing.
//
// Status results: 0 on success, otherwise a positive system error number (errno),
// so callers can pass them on wherever an input/output status is expected.

namespace platform_detail {

// Closes a C stream when its owner goes.
struct StreamCloser {
    void operator()(std::FILE* stream) const;
};
using Stream = std::unique_ptr<std::FILE, StreamCloser>;

}  // namespace platform_detail

// A host path (UTF-8) for the few readers of the platform layer that read the
// Wine prefix itself (the registry hive). Nothing outside src/platform uses it.
struct HostPath {
    std::string path;
};

// Reads a text file line by line. Lines may end with LF or CR LF: the LF and one
// CR before it are removed; the last line needs no line end. Bytes are passed on
// as they stand (cp1252 text stays cp1252).
class TextFileReader {
public:
    explicit TextFileReader(std::string_view windows_path);
    explicit TextFileReader(const HostPath& host_path);

    // False when the file could not be opened (it is missing, or a folder):
    // open_status() then tells why.
    bool is_open() const { return stream_ != nullptr; }
    int open_status() const { return open_status_; }

    // The next line, without its line end. False at the end of the file or on a
    // read error (failed() tells which); `line` is then empty.
    bool read_line(std::string& line);
    // True once a read error happened (not merely the end of the file).
    bool failed() const { return read_status_ != 0; }
    int read_status() const { return read_status_; }

    // The path as the caller gave it.
    const std::string& windows_path() const { return windows_path_; }

private:
    void open_host(const std::string& host);
    bool fill();

    std::string windows_path_;
    platform_detail::Stream stream_;
    int open_status_ = 0;
    int read_status_ = 0;
    std::string buffer_;
    std::size_t pos_ = 0;
    bool at_end_ = false;
};

// Reads a binary file as bytes (terrain headers, airport files).
class ByteFileReader {
public:
    explicit ByteFileReader(std::string_view windows_path);

    bool is_open() const { return stream_ != nullptr; }
    int open_status() const { return open_status_; }

    // Reads up to `count` bytes into `bytes` (replacing its content); true when all
    // `count` bytes came. At the end of the file `bytes` holds what was left.
    bool read(std::string& bytes, std::size_t count);
    // Reads everything from the current position to the end into `bytes`; true
    // unless a read error happened.
    bool read_all(std::string& bytes);
    bool failed() const { return read_status_ != 0; }
    int read_status() const { return read_status_; }

    const std::string& windows_path() const { return windows_path_; }

private:
    std::string windows_path_;
    platform_detail::Stream stream_;
    int open_status_ = 0;
    int read_status_ = 0;
};

// How a FileWriter opens its file.
enum class WriteMode {
    create,  // create the file, or empty an existing one
    append,  // write after the end of the file, creating it when missing
};

// Writes a file. The bytes go out unchanged; write_line adds CR LF, the line end
// of every text file the program writes. The file is closed when the writer goes;
// call close() to learn whether everything reached the file.
class FileWriter {
public:
    explicit FileWriter(std::string_view windows_path, WriteMode mode = WriteMode::create);

    // False when the file could not be opened (missing folder, no permission, a
    // folder of that name): open_status() tells why.
    bool is_open() const { return stream_ != nullptr; }
    int open_status() const { return open_status_; }

    // Writes bytes as they are. False when the writer is not open or a write failed.
    bool write(std::string_view bytes);
    // Writes a text followed by CR LF.
    bool write_line(std::string_view text);
    // Flushes and closes; the first error of any write, the flush or the close
    // (0 when all went well; the open status when it never opened).
    int close();
    // The first error so far (0 none).
    int status() const { return status_; }

    const std::string& windows_path() const { return windows_path_; }

private:
    std::string windows_path_;
    platform_detail::Stream stream_;
    int open_status_ = 0;
    int status_ = 0;
};

// True when a file (anything but a folder) exists at the path.
bool file_exists(std::string_view windows_path);
// True when a folder exists at the path (a drive root counts).
bool folder_exists(std::string_view windows_path);

// Modification time of a file or folder in whole seconds since 1970-01-01 00:00 UTC
// (the scale of std::time), or -1 when nothing exists at the path.
std::int64_t file_modification_time(std::string_view windows_path);

// Size of a file in bytes, or -1 when no file (anything but a folder) exists
// at the path.
std::int64_t file_size(std::string_view windows_path);

// Removes a file (never a folder). ENOENT when it does not exist.
int remove_file(std::string_view windows_path);

// Renames or moves a file or folder. Fails with EEXIST when something already
// exists under the new name (nothing is overwritten), ENOENT when the old name
// does not exist.
int rename_file(std::string_view from_windows_path, std::string_view to_windows_path);

// Copies a file, replacing the target when it exists. Copying a file onto itself
// fails (EINVAL) and leaves it untouched; a folder as source fails (EISDIR).
int copy_file_over(std::string_view from_windows_path, std::string_view to_windows_path);

// Lists the names of the entries (files and folders, without "." and "..") of a
// folder whose names match `pattern` ("*" any run of characters, "?" one
// character, case ignored; empty, "*" and "*.*" match all), in name order without
// regard to case. Names are cp1252. `names` is emptied first; the status tells
// whether the folder could be read.
int list_folder(std::string_view windows_folder, std::vector<std::string>& names, std::string_view pattern = {});

// Creates a folder and any missing folders above it. 0 when it exists already;
// EEXIST when a file of that name is in the way.
int create_folder(std::string_view windows_folder);
