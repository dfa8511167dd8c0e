#include "platform/files.h"

#include "platform/case_fold.h"
#include "platform/encoding.h"
#include "platform/file_faults.h"
#include "platform/path_map.h"
#include "platform/system_memory.h"
#include "platform/write_batch.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <system_error>

namespace fs = std::filesystem;

namespace platform_detail {

void StreamCloser::operator()(std::FILE* stream) const {
    if (stream != nullptr) {
        std::fclose(stream);
    }
}

}  // namespace platform_detail

namespace {

constexpr std::size_t kReadBlock = 64 * 1024;
constexpr std::size_t kWriteBlock = 32 * 1024;

int error_or(int fallback) { return errno != 0 ? errno : fallback; }

int status_of(const std::error_code& ec) { return ec ? ec.value() : 0; }

// Opens a host file for reading; refuses folders, which Windows cannot open as files.
platform_detail::Stream open_for_reading(const std::string& host, int& status) {
    errno = 0;
    platform_detail::Stream stream(std::fopen(host.c_str(), "rb"));
    if (!stream) {
        status = error_or(EIO);
        return stream;
    }
    struct stat info {};
    if (fstat(fileno(stream.get()), &info) == 0 && S_ISDIR(info.st_mode)) {
        status = EISDIR;
        stream.reset();
        return stream;
    }
    status = 0;
    return stream;
}

// The host path of a Windows path, any whole write of it waiting in a batch
// put in place first, so that what is found there is what was written.
std::optional<std::string> settled_host(std::string_view windows_path) {
    std::optional<std::string> host = map_to_host(windows_path);
    if (host) {
        platform_detail::settle(*host);
    }
    return host;
}

// Makes the temporary names of one process distinct.
unsigned temporary_counter = 0;

// The host path a whole write replaces: a symbolic link is followed to its
// file, so that the link itself stays.
std::string replaced_file(const std::string& host) {
    struct stat info {};
    if (lstat(host.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        std::error_code ec;
        const fs::path real = fs::canonical(host, ec);
        if (!ec) {
            return real.string();
        }
    }
    return host;
}

// A file the program must not replace: no write permission for anyone (the
// read-only attribute as Wine shows it, which holds back the superuser too),
// or none for this process.
bool is_read_only(const struct stat& info, const std::string& host) {
    return (info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(host.c_str(), W_OK) != 0;
}

// Creates the temporary file of a whole write beside `target`, named after it
// and this process: its descriptor, or minus the error.
int create_temporary(const std::string& target, std::string& temporary) {
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        temporary = target + "~" + std::to_string(::getpid()) + "-" + std::to_string(++temporary_counter) + ".tmp";
        errno = 0;
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            return fd;
        }
        if (errno != EEXIST) {
            return -error_or(EIO);
        }
    }
    return -EEXIST;
}

}  // namespace

TextFileReader::TextFileReader(std::string_view windows_path) : windows_path_(windows_path) {
    const std::optional<std::string> host = settled_host(windows_path);
    if (!host) {
        open_status_ = ENOENT;
        return;
    }
    open_host(*host);
}

TextFileReader::TextFileReader(const HostPath& host_path) : windows_path_(host_path.path) { open_host(host_path.path); }

void TextFileReader::open_host(const std::string& host) { stream_ = open_for_reading(host, open_status_); }

bool TextFileReader::fill() {
    if (!stream_ || at_end_) {
        return false;
    }
    // The bytes not yet taken move to the front; the block is read behind
    // them. The buffer keeps its size from fill to fill (it grows only for a
    // line longer than a block), so no fill clears memory it will overwrite.
    const std::size_t kept = end_ - pos_;
    if (kept > 0 && pos_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + pos_, kept);
    }
    pos_ = 0;
    end_ = kept;
    if (buffer_.empty()) {
        buffer_.reserve(kReadBlock);
        prefault_for_writing(buffer_.data(), kReadBlock);
        buffer_.resize(kReadBlock);
    } else if (kept == buffer_.size()) {
        buffer_.resize(2 * buffer_.size());
    }
    const std::size_t room = buffer_.size() - kept;
    const std::size_t got = std::fread(buffer_.data() + kept, 1, room, stream_.get());
    end_ = kept + got;
    if (got < room) {
        if (std::ferror(stream_.get()) != 0) {
            read_status_ = EIO;
        }
        at_end_ = read_status_ != 0 || std::feof(stream_.get()) != 0;
    }
    return got > 0;
}

bool TextFileReader::read_line(std::string_view& line) {
    line = {};
    if (!stream_ || read_status_ != 0) {
        return false;
    }
    std::size_t searched = 0;  // bytes of the current line already searched for LF
    for (;;) {
        const char* const start = buffer_.data() + pos_;
        const auto* const lf = static_cast<const char*>(std::memchr(start + searched, '\n', end_ - pos_ - searched));
        if (lf != nullptr) {
            const auto length = static_cast<std::size_t>(lf - start);
            line = std::string_view(start, length > 0 && lf[-1] == '\r' ? length - 1 : length);
            pos_ += length + 1;
            return true;
        }
        searched = end_ - pos_;
        if (!fill()) {
            if (read_status_ != 0 || searched == 0) {
                return false;
            }
            const char* const rest = buffer_.data() + pos_;
            const std::size_t length = end_ - pos_;
            line = std::string_view(rest, length > 0 && rest[length - 1] == '\r' ? length - 1 : length);
            pos_ = end_;
            return true;
        }
    }
}

bool TextFileReader::read_line(std::string& line) {
    std::string_view view;
    const bool read = read_line(view);
    line.assign(view);
    return read;
}

std::vector<std::string> split_text_lines(std::string_view bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
        if (end == std::string_view::npos) {
            end = bytes.size();
        }
        if (end > start && bytes[end - 1] == '\r') {
            --end;
        }
        lines.emplace_back(bytes.substr(start, end - start));
        start = next;
    }
    return lines;
}

ByteFileReader::ByteFileReader(const HostPath& host_path) : windows_path_(host_path.path) {
    stream_ = open_for_reading(host_path.path, open_status_);
}

ByteFileReader::ByteFileReader(std::string_view windows_path) : windows_path_(windows_path) {
    const std::optional<std::string> host = settled_host(windows_path);
    if (!host) {
        open_status_ = ENOENT;
        return;
    }
    stream_ = open_for_reading(*host, open_status_);
}

bool ByteFileReader::read(std::string& bytes, std::size_t count) {
    if (!stream_) {
        bytes.clear();
        return false;
    }
    if (bytes.capacity() < count) {
        bytes.reserve(count);
        prefault_for_writing(bytes.data(), count);
    }
    // The text is sized to the block without clearing what the read
    // overwrites: a caller reading block after block into one text clears
    // no byte twice.
    if (bytes.size() < count) {
        bytes.resize(count);
    }
    const std::size_t got = std::fread(bytes.data(), 1, count, stream_.get());
    bytes.resize(got);
    if (got < count && std::ferror(stream_.get()) != 0) {
        read_status_ = EIO;
    }
    return got == count;
}

bool ByteFileReader::read_all(std::string& bytes) {
    bytes.clear();
    if (!stream_) {
        return false;
    }
    std::string block;
    bool full = true;
    while (full) {
        full = read(block, kReadBlock);
        bytes += block;
    }
    return read_status_ == 0;
}

FileWriter::FileWriter(std::string_view windows_path, WriteMode mode) : windows_path_(windows_path), mode_(mode) {
    const std::optional<std::string> host = settled_host(windows_path);
    if (!host) {
        open_status_ = status_ = ENOENT;
        return;
    }
    host_ = *host;
    if (mode == WriteMode::whole) {
        open_whole(*host);
    } else if (const int fault = platform_detail::file_fault(FileStep::create, windows_path_)) {
        fail(fault);
    } else {
        errno = 0;
        stream_.reset(std::fopen(host->c_str(), mode == WriteMode::append ? "ab" : "wb"));
        if (!stream_) {
            fail(error_or(EIO));
        }
    }
    open_status_ = status_;
}

FileWriter::~FileWriter() { discard(); }

void FileWriter::fail(int error) {
    if (status_ == 0) {
        status_ = error;
    }
}

void FileWriter::open_whole(const std::string& host) {
    target_ = replaced_file(host);
    struct stat info {};
    const bool exists = stat(target_.c_str(), &info) == 0;
    if (exists && S_ISDIR(info.st_mode)) {
        fail(EISDIR);
        return;
    }
    if (exists && is_read_only(info, target_)) {
        fail(EACCES);
        return;
    }
    if (const int fault = platform_detail::file_fault(FileStep::create, target_)) {
        fail(fault);
        return;
    }
    if (exists && !S_ISREG(info.st_mode)) {
        // A device or a pipe is written as it is: it cannot be replaced.
        mode_ = WriteMode::in_place;
        errno = 0;
        stream_.reset(std::fopen(target_.c_str(), "wb"));
        if (!stream_) {
            fail(error_or(EIO));
        }
        return;
    }
    std::string temporary;
    const int fd = create_temporary(target_, temporary);
    if (fd < 0) {
        fail(-fd);
        return;
    }
    temporary_ = temporary;
    if (exists) {
        // The new file keeps the permissions of the one it replaces.
        ::fchmod(fd, info.st_mode & 07777);
    }
    errno = 0;
    stream_.reset(::fdopen(fd, "wb"));
    if (!stream_) {
        fail(error_or(EIO));
        ::close(fd);
        discard();
        return;
    }
    // Large blocks: an airspace output of a megabyte goes to the system in
    // a few dozen writes rather than hundreds.
    block_.resize(kWriteBlock);
    std::setvbuf(stream_.get(), block_.data(), _IOFBF, block_.size());
}

bool FileWriter::write(std::string_view bytes) {
    if (!stream_) {
        return false;
    }
    return may_write() && put(bytes);
}

bool FileWriter::write_line(std::string_view text) {
    if (!stream_ || !may_write()) {
        return false;
    }
    // A line of usual length goes out with its line end in one write.
    constexpr std::size_t kJoinedLine = 256;
    if (text.size() + 2 <= kJoinedLine) {
        std::array<char, kJoinedLine> line;
        std::copy(text.begin(), text.end(), line.begin());
        line[text.size()] = '\r';
        line[text.size() + 1] = '\n';
        return put(std::string_view(line.data(), text.size() + 2));
    }
    return put(text) && put("\r\n");
}

bool FileWriter::may_write() {
    if (const int fault = platform_detail::file_fault(FileStep::write, target_.empty() ? windows_path_ : target_)) {
        fail(fault);
        return false;
    }
    return true;
}

bool FileWriter::put(std::string_view bytes) {
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream_.get()) != bytes.size()) {
        fail(error_or(EIO));
        return false;
    }
    return true;
}

int FileWriter::close() {
    if (!stream_) {
        return status_;
    }
    errno = 0;
    if (std::fflush(stream_.get()) != 0) {
        fail(error_or(EIO));
    }
    if (mode_ == WriteMode::whole && status_ == 0 && platform_detail::write_batch_open() && wait_in_batch()) {
        return 0;
    }
    if (mode_ == WriteMode::whole && status_ == 0) {
        // One flush to the disk per file: the bytes are there before the name is.
        const int fault = platform_detail::file_fault(FileStep::flush, target_);
        errno = 0;
        if (fault != 0) {
            fail(fault);
        } else if (::fsync(fileno(stream_.get())) != 0) {
            fail(error_or(EIO));
        }
    }
    errno = 0;
    if (std::fclose(stream_.release()) != 0) {
        fail(error_or(EIO));
    }
    if (mode_ == WriteMode::whole && status_ == 0) {
        const int fault = platform_detail::file_fault(FileStep::rename, target_);
        errno = 0;
        if (fault != 0) {
            fail(fault);
        } else if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
            fail(error_or(EIO));
        } else {
            temporary_.clear();
        }
    }
    discard();
    return status_;
}

bool FileWriter::wait_in_batch() {
    const int fd = ::dup(fileno(stream_.get()));
    if (fd < 0) {
        return false;
    }
    // The writing out to the disk starts now; the batch's flush waits for it.
    ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WRITE);
    errno = 0;
    if (std::fclose(stream_.release()) != 0) {
        fail(error_or(EIO));
        ::close(fd);
        discard();
        return true;
    }
    platform_detail::wait_in_batch({windows_path_, host_, target_, temporary_, fd, depends_on_});
    temporary_.clear();
    return true;
}

void FileWriter::depends_on(std::string_view windows_path) {
    if (const std::optional<std::string> host = map_to_host(windows_path)) {
        depends_on_.push_back(*host);
    }
}

void FileWriter::discard() {
    stream_.reset();
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

int write_whole_file(std::string_view windows_path, std::string_view bytes) {
    FileWriter file(windows_path);
    file.write(bytes);
    return file.close();
}

bool file_exists(std::string_view windows_path) {
    const std::optional<std::string> host = settled_host(windows_path);
    struct stat info {};
    return host && stat(host->c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

namespace {

bool same_host_file(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

// A host path with the links of its folders resolved.
fs::path resolved_host(const std::string& host) {
    std::error_code ec;
    fs::path path = fs::weakly_canonical(host, ec);
    return ec ? fs::path(host).lexically_normal() : path;
}

bool names_equal_ignoring_case(const fs::path& a, const fs::path& b) {
    return equal_ignoring_case_cp1252(utf8_to_cp1252(a.string()), utf8_to_cp1252(b.string()));
}

}  // namespace

bool same_file(std::string_view windows_path, std::string_view other_windows_path) {
    const std::optional<std::string> a = map_to_host(windows_path);
    const std::optional<std::string> b = map_to_host(other_windows_path);
    if (!a || !b) {
        return false;
    }
    struct stat a_info {};
    struct stat b_info {};
    const bool a_there = stat(a->c_str(), &a_info) == 0;
    const bool b_there = stat(b->c_str(), &b_info) == 0;
    if (a_there || b_there) {
        // The file layer finds an existing file in any letter case, so a
        // path that names it maps to it.
        return a_there && b_there && same_host_file(a_info, b_info);
    }
    const fs::path a_path = resolved_host(*a);
    const fs::path b_path = resolved_host(*b);
    if (!names_equal_ignoring_case(a_path.filename(), b_path.filename())) {
        return false;
    }
    struct stat a_folder {};
    struct stat b_folder {};
    if (stat(a_path.parent_path().c_str(), &a_folder) == 0 && stat(b_path.parent_path().c_str(), &b_folder) == 0) {
        return same_host_file(a_folder, b_folder);
    }
    return names_equal_ignoring_case(a_path.parent_path(), b_path.parent_path());
}

bool lies_in_folder(std::string_view windows_path, std::string_view windows_folder) {
    const std::optional<std::string> file = map_to_host(windows_path);
    const std::optional<std::string> folder = map_to_host(windows_folder);
    if (!file || !folder) {
        return false;
    }
    fs::path folder_path = resolved_host(*folder);
    if (!folder_path.has_filename()) {
        folder_path = folder_path.parent_path();
    }
    struct stat folder_info {};
    const bool folder_there = stat(folder_path.c_str(), &folder_info) == 0 && S_ISDIR(folder_info.st_mode);
    fs::path up = resolved_host(*file);
    while (up.has_relative_path()) {
        up = up.parent_path();
        struct stat info {};
        if (folder_there ? stat(up.c_str(), &info) == 0 && same_host_file(info, folder_info)
                         : names_equal_ignoring_case(up, folder_path)) {
            return true;
        }
    }
    return false;
}

bool folder_exists(std::string_view windows_path) {
    const std::optional<std::string> host = map_to_host(windows_path);
    struct stat info {};
    return host && stat(host->c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::int64_t file_modification_time(std::string_view windows_path) {
    const std::optional<std::string> host = settled_host(windows_path);
    struct stat info {};
    if (!host || stat(host->c_str(), &info) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(info.st_mtime);
}

std::int64_t file_size(std::string_view windows_path) {
    const std::optional<std::string> host = settled_host(windows_path);
    struct stat info {};
    if (!host || stat(host->c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return -1;
    }
    return static_cast<std::int64_t>(info.st_size);
}

int remove_file(std::string_view windows_path) {
    const std::optional<std::string> host = settled_host(windows_path);
    if (!host) {
        return ENOENT;
    }
    struct stat info {};
    if (stat(host->c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
        return EISDIR;
    }
    errno = 0;
    return std::remove(host->c_str()) == 0 ? 0 : error_or(EIO);
}

int rename_file(std::string_view from_windows_path, std::string_view to_windows_path) {
    const std::optional<std::string> from = settled_host(from_windows_path);
    const std::optional<std::string> to = settled_host(to_windows_path);
    if (!from || !to) {
        return ENOENT;
    }
    struct stat info {};
    if (lstat(from->c_str(), &info) != 0) {
        return ENOENT;
    }
    if (lstat(to->c_str(), &info) == 0) {
        return EEXIST;
    }
    errno = 0;
    return std::rename(from->c_str(), to->c_str()) == 0 ? 0 : error_or(EIO);
}

namespace {

// Copies the reader's bytes into the whole write block by block, so that a
// copy never holds its file in memory: the copy's status, or the read status
// when the source could not be read whole (the write then is given up and its
// target keeps its old bytes).
int copy_through(ByteFileReader& reader, FileWriter& copy) {
    std::string block;
    bool first = true;
    bool full = true;
    while (full) {
        full = reader.read(block, kReadBlock);
        if (first || !block.empty()) {
            copy.write(block);  // an empty file too gets its one write
        }
        first = false;
    }
    if (reader.read_status() != 0) {
        return reader.read_status();
    }
    return copy.close();
}

}  // namespace

int copy_file_over(std::string_view from_windows_path, std::string_view to_windows_path) {
    if (same_file(from_windows_path, to_windows_path)) {
        return EINVAL;
    }
    const std::optional<std::string> from = map_to_host(from_windows_path);
    const std::optional<std::string> to = settled_host(to_windows_path);
    if (!from || !to) {
        return ENOENT;
    }
    if (const platform_detail::WaitingWrite* waiting = platform_detail::waiting_write(*from)) {
        // The new bytes of a file waiting in the batch; the copy is put in
        // place only with it.
        ByteFileReader reader(HostPath{waiting->temporary});
        if (!reader.is_open()) {
            return reader.open_status();
        }
        FileWriter copy(to_windows_path);
        copy.depends_on(from_windows_path);
        return copy_through(reader, copy);
    }
    struct stat source {};
    if (stat(from->c_str(), &source) != 0) {
        return ENOENT;
    }
    if (S_ISDIR(source.st_mode)) {
        return EISDIR;
    }
    ByteFileReader reader(from_windows_path);
    if (!reader.is_open()) {
        return reader.open_status();
    }
    FileWriter copy(to_windows_path);
    return copy_through(reader, copy);
}

int list_folder(std::string_view windows_folder, std::vector<std::string>& names, std::string_view pattern) {
    names.clear();
    const std::optional<std::string> host = map_to_host(windows_folder);
    if (!host) {
        return ENOENT;
    }
    platform_detail::settle_folder(*host);
    std::error_code ec;
    fs::directory_iterator it(*host, ec);
    if (ec) {
        return status_of(ec);
    }
    for (const fs::directory_entry& entry : it) {
        std::string name = utf8_to_cp1252(entry.path().filename().string());
        if (matches_wildcard_cp1252(name, pattern)) {
            names.push_back(std::move(name));
        }
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const auto folded_less = [](char x, char y) {
            return static_cast<unsigned char>(fold_case_cp1252(x)) < static_cast<unsigned char>(fold_case_cp1252(y));
        };
        if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded_less)) {
            return true;
        }
        if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded_less)) {
            return false;
        }
        return a < b;
    });
    return 0;
}

int create_folder(std::string_view windows_folder) {
    const std::optional<std::string> host = map_to_host(windows_folder);
    if (!host) {
        return ENOENT;
    }
    struct stat info {};
    if (stat(host->c_str(), &info) == 0) {
        return S_ISDIR(info.st_mode) ? 0 : EEXIST;
    }
    std::error_code ec;
    fs::create_directories(*host, ec);
    return status_of(ec);
}
