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
// Wine prefix itself (the registry hive) and for the file layer's own use (a
// temporary file). Nothing outside src/platform uses it.
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
    // The same as a view into the reader's own buffer, valid until the next
    // read: for readers that take a long file apart line by line.
    bool read_line(std::string_view& line);
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
    std::string buffer_;    // bytes read, valid up to end_
    std::size_t pos_ = 0;   // the next line starts here
    std::size_t end_ = 0;
    bool at_end_ = false;
};

// The lines of a text as TextFileReader reads them from a file: split at LF,
// one CR before it removed, the last line needing no line end.
std::vector<std::string> split_text_lines(std::string_view bytes);

// Reads a binary file as bytes (terrain headers, airport files).
class ByteFileReader {
public:
    explicit ByteFileReader(std::string_view windows_path);
    explicit ByteFileReader(const HostPath& host_path);

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

// How a FileWriter writes its file.
enum class WriteMode {
    // The file is written whole or not at all: the bytes go to a temporary file
    // in the target's folder, which close() flushes to the disk and renames over
    // the target. Until then, and whenever a step fails, the target keeps its
    // exact old bytes (or stays missing) and the temporary file is removed.
    whole,
    // The bytes go after the end of the file, which is created when missing
    // (the log, the index of every kept airspace).
    append,
    // The file is emptied and written in place, with no temporary file and no
    // flush to the disk: only for the log, which is started so and then
    // appended to.
    in_place,
};

// Writes a file. The bytes go out unchanged; write_line adds CR LF, the line end
// of every text file the program writes. Call close() to finish the file and
// learn whether it was written: a whole write that is not closed (its writer
// goes first, or discard() is called) leaves the target as it was. An append
// or in-place writer is closed when it goes.
//
// A whole write refuses (EACCES) an existing target that is read-only: one
// without any write permission, as Wine shows a file whose Windows read-only
// attribute is set, or one this process may not write. The new file keeps the
// permissions of the one it replaces; a target that is a symbolic link has the
// file it leads to replaced, the link stays. A target that is no regular file
// (a device such as "Z:\dev\null", a pipe) cannot be replaced and is written
// in place.
class FileWriter {
public:
    explicit FileWriter(std::string_view windows_path, WriteMode mode = WriteMode::whole);
    ~FileWriter();
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    // False when the file could not be opened (missing folder, no permission, a
    // folder of that name, a read-only target): open_status() tells why.
    bool is_open() const { return stream_ != nullptr; }
    int open_status() const { return open_status_; }

    // Writes bytes as they are. False when the writer is not open or a write failed.
    bool write(std::string_view bytes);
    // Writes a text followed by CR LF.
    bool write_line(std::string_view text);
    // Finishes the file: for a whole write, flushes it to the disk and puts it in
    // the place of the target (in a write batch, the flush and the rename wait
    // for the batch: write_batch.h). The first error of the open, any write, the
    // flush, the close or the rename (0 when the file was written whole).
    int close();
    // Gives a whole write up: the temporary file is removed, the target stays as
    // it was. Nothing for the other modes.
    void discard();
    // In a write batch (write_batch.h), the file is put in place only when the
    // file at the path (closed before it in the batch) was: a file after its
    // backup.
    void depends_on(std::string_view windows_path);
    // The first error so far (0 none).
    int status() const { return status_; }

    const std::string& windows_path() const { return windows_path_; }

private:
    void open_whole(const std::string& host);
    void fail(int error);
    bool may_write();
    bool put(std::string_view bytes);
    bool wait_in_batch();

    std::string windows_path_;
    WriteMode mode_;
    std::string host_;       // host path of windows_path_
    std::vector<std::string> depends_on_;
    std::string target_;     // host path of the file a whole write replaces
    std::string temporary_;  // host path of its temporary file; empty once gone
    std::vector<char> block_;  // the stream's buffer (whole writes); outlives the stream
    platform_detail::Stream stream_;
    int open_status_ = 0;
    int status_ = 0;
};

// Writes `bytes` as the whole file at the path (a whole write). The status of
// FileWriter::close().
int write_whole_file(std::string_view windows_path, std::string_view bytes);

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

// True when two Windows paths name one file, as the file layer resolves
// paths: letter case, "C:\" or the host form through a drive, "." and ".."
// and symbolic links make no difference. Two files that exist are one when
// they are the same file of the host (hard links too); two paths of which
// neither exists yet are one when their names, compared as Windows compares
// them, lie in one folder. A path on a drive the prefix lacks is no file.
// Only compares: a write waiting in a batch stays waiting.
bool same_file(std::string_view windows_path, std::string_view other_windows_path);

// True when the file `windows_path` lies in the folder `windows_folder` or
// below it, as the file layer resolves both paths (as same_file does): an
// existing folder is found among the file's folders as the host's own, a
// missing one by its names compared as Windows compares them.
bool lies_in_folder(std::string_view windows_path, std::string_view windows_folder);

// Copies a file, replacing the target when it exists, as a whole write: the
// target holds the source's bytes or, on any failure, its own old bytes.
// Copying a file onto itself (same_file) fails (EINVAL) and leaves it
// untouched, also while its new bytes wait in a batch; a folder
// as source fails (EISDIR), and so does a source that cannot be read whole
// (its read status).
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
