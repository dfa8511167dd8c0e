#include "platform/files.h"

#include "platform/case_fold.h"
#include "platform/encoding.h"
#include "platform/path_map.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cerrno>
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

}  // namespace

TextFileReader::TextFileReader(std::string_view windows_path) : windows_path_(windows_path) {
    const std::optional<std::string> host = map_to_host(windows_path);
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
    buffer_.erase(0, pos_);
    pos_ = 0;
    const std::size_t old_size = buffer_.size();
    buffer_.resize(old_size + kReadBlock);
    const std::size_t got = std::fread(buffer_.data() + old_size, 1, kReadBlock, stream_.get());
    buffer_.resize(old_size + got);
    if (got < kReadBlock) {
        if (std::ferror(stream_.get()) != 0) {
            read_status_ = EIO;
        }
        at_end_ = read_status_ != 0 || std::feof(stream_.get()) != 0;
    }
    return got > 0;
}

bool TextFileReader::read_line(std::string& line) {
    line.clear();
    if (!stream_ || read_status_ != 0) {
        return false;
    }
    std::size_t searched = 0;  // bytes of the current line already searched for LF
    for (;;) {
        const std::size_t lf = buffer_.find('\n', pos_ + searched);
        if (lf != std::string::npos) {
            line.assign(buffer_, pos_, lf - pos_);
            pos_ = lf + 1;
            break;
        }
        searched = buffer_.size() - pos_;
        if (!fill()) {
            if (read_status_ != 0 || searched == 0) {
                return false;
            }
            line.assign(buffer_, pos_, std::string::npos);
            pos_ = buffer_.size();
            break;
        }
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

ByteFileReader::ByteFileReader(std::string_view windows_path) : windows_path_(windows_path) {
    const std::optional<std::string> host = map_to_host(windows_path);
    if (!host) {
        open_status_ = ENOENT;
        return;
    }
    stream_ = open_for_reading(*host, open_status_);
}

bool ByteFileReader::read(std::string& bytes, std::size_t count) {
    bytes.clear();
    if (!stream_) {
        return false;
    }
    bytes.resize(count);
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

FileWriter::FileWriter(std::string_view windows_path, WriteMode mode) : windows_path_(windows_path) {
    const std::optional<std::string> host = map_to_host(windows_path);
    if (!host) {
        open_status_ = ENOENT;
        status_ = open_status_;
        return;
    }
    errno = 0;
    stream_.reset(std::fopen(host->c_str(), mode == WriteMode::append ? "ab" : "wb"));
    if (!stream_) {
        open_status_ = error_or(EIO);
        status_ = open_status_;
    }
}

bool FileWriter::write(std::string_view bytes) {
    if (!stream_) {
        return false;
    }
    errno = 0;
    if (std::fwrite(bytes.data(), 1, bytes.size(), stream_.get()) != bytes.size()) {
        if (status_ == 0) {
            status_ = error_or(EIO);
        }
        return false;
    }
    return true;
}

bool FileWriter::write_line(std::string_view text) {
    // A line of usual length goes out with its line end in one write.
    constexpr std::size_t kJoinedLine = 256;
    if (text.size() + 2 <= kJoinedLine) {
        std::array<char, kJoinedLine> line;
        std::copy(text.begin(), text.end(), line.begin());
        line[text.size()] = '\r';
        line[text.size() + 1] = '\n';
        return write(std::string_view(line.data(), text.size() + 2));
    }
    return write(text) && write("\r\n");
}

int FileWriter::close() {
    if (!stream_) {
        return status_;
    }
    errno = 0;
    if (std::fflush(stream_.get()) != 0 && status_ == 0) {
        status_ = error_or(EIO);
    }
    errno = 0;
    const int result = std::fclose(stream_.release());
    if (result != 0 && status_ == 0) {
        status_ = error_or(EIO);
    }
    return status_;
}

bool file_exists(std::string_view windows_path) {
    const std::optional<std::string> host = map_to_host(windows_path);
    struct stat info {};
    return host && stat(host->c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
}

bool folder_exists(std::string_view windows_path) {
    const std::optional<std::string> host = map_to_host(windows_path);
    struct stat info {};
    return host && stat(host->c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

std::int64_t file_modification_time(std::string_view windows_path) {
    const std::optional<std::string> host = map_to_host(windows_path);
    struct stat info {};
    if (!host || stat(host->c_str(), &info) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(info.st_mtime);
}

std::int64_t file_size(std::string_view windows_path) {
    const std::optional<std::string> host = map_to_host(windows_path);
    struct stat info {};
    if (!host || stat(host->c_str(), &info) != 0 || S_ISDIR(info.st_mode)) {
        return -1;
    }
    return static_cast<std::int64_t>(info.st_size);
}

int remove_file(std::string_view windows_path) {
    const std::optional<std::string> host = map_to_host(windows_path);
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
    const std::optional<std::string> from = map_to_host(from_windows_path);
    const std::optional<std::string> to = map_to_host(to_windows_path);
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

int copy_file_over(std::string_view from_windows_path, std::string_view to_windows_path) {
    const std::optional<std::string> from = map_to_host(from_windows_path);
    const std::optional<std::string> to = map_to_host(to_windows_path);
    if (!from || !to) {
        return ENOENT;
    }
    struct stat source {};
    if (stat(from->c_str(), &source) != 0) {
        return ENOENT;
    }
    if (S_ISDIR(source.st_mode)) {
        return EISDIR;
    }
    struct stat target {};
    if (stat(to->c_str(), &target) == 0) {
        if (target.st_dev == source.st_dev && target.st_ino == source.st_ino) {
            return EINVAL;
        }
        if (S_ISDIR(target.st_mode)) {
            return EISDIR;
        }
    }
    std::error_code ec;
    fs::copy_file(*from, *to, fs::copy_options::overwrite_existing, ec);
    return status_of(ec);
}

int list_folder(std::string_view windows_folder, std::vector<std::string>& names, std::string_view pattern) {
    names.clear();
    const std::optional<std::string> host = map_to_host(windows_folder);
    if (!host) {
        return ENOENT;
    }
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
