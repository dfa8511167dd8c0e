#include "foundation/log.h"

#include "foundation/c_strings.h"
#include "foundation/fixed_text.h"
#include "foundation/fortran_format.h"
#include "foundation/number_text.h"
#include "foundation/paths_files.h"
#include "platform/console.h"
#include "platform/environment.h"
#include "platform/files.h"

#include <algorithm>
#include <ctime>
#include <vector>

namespace {

constexpr std::string_view kDefaultLogName = "Logfile.txt";
constexpr std::string_view kCreateRequest = "CREATE";
constexpr std::string_view kSendNameRequest = "CREATE-SEND-NAME";

std::string log_name{kDefaultLogName};
LogClock log_clock;

LogDateTime local_now() {
    const std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

LogDateTime clock_now() { return log_clock ? log_clock() : local_now(); }

// The name part of the program's own file, "" when it cannot be had.
std::string program_file_name() {
    std::string path;
    if (GetExePath(path, static_cast<int>(kLogNameLength)) == 0) {
        return {};
    }
    return extract_name(path);
}

// CREATE request: a new, emptied log whose first line is the date and time.
void start_new_log(std::string_view request, std::string* send_name) {
    const LogDateTime now = clock_now();
    const bool send = trim_right(request) == kSendNameRequest;
    std::string name = fit_field(left_adjust(request.substr(kCreateRequest.size())), kLogNameLength);
    if (name.empty() || send) {
        name = dated_log_name(program_file_name(), now);
    }
    log_name = name;

    FileWriter log(log_name, WriteMode::in_place);
    for (const std::string& line : fortran_records("(I4.4,'-',I2.2,'-',I2.2,' ',2(I2.2,':'),I2.2/)",
                                                   {now.year, now.month, now.day, now.hour, now.minute, now.second})) {
        log.write_line(line);
    }
    const int status = log.close();
    console_line(" CREATE " + log_name + " " + i2b(status));

    if (send && send_name != nullptr) {
        *send_name = log_name;
    }
}

// The log lines of a message body (without its tag).
std::vector<std::string> body_lines(std::string_view text) {
    const std::string body = fit_field(text, kLogBodyLength);
    if (body.empty()) {
        return {" "};
    }
    if (body.front() == '"' && body.back() == '"') {
        // Quoted: one line, the text between the quotes, no breaks.
        std::string inner = body.size() >= 2 ? body.substr(1, body.size() - 2) : std::string{};
        std::replace(inner.begin(), inner.end(), '\n', '/');
        return {inner};
    }
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < body.size(); ++i) {
        const char c = body[i];
        if (c == '\\' && i + 1 < body.size() && body[i + 1] == '/') {
            current += '/';
            ++i;
        } else if (c == '/' || c == '\n') {
            lines.push_back(trim_right(current));
            current.clear();
        } else {
            current += c;
        }
    }
    lines.push_back(trim_right(current));
    return lines;
}

// The banner of a tagged message, empty for an untagged one.
std::string_view banner_of(std::string_view msg) {
    const std::string_view tag = msg.substr(0, 3);
    if (tag == "{W}") {
        return kLogWarningBanner;
    }
    if (tag == "{I}") {
        return kLogInfoBanner;
    }
    if (tag == "{E}") {
        return kLogErrorBanner;
    }
    return {};
}

// One line to the console, then to the log when it is open.
void emit(FileWriter& log, std::string_view line) {
    console_line(line);
    if (log.is_open()) {
        log.write_line(line);
    }
}

void write_entry(std::string_view msg) {
    // A log that cannot be opened is not reported: the console still gets the text.
    FileWriter log(log_name, WriteMode::append);
    const std::string_view banner = is_blank(msg) ? std::string_view{} : banner_of(msg);
    if (!banner.empty()) {
        emit(log, banner);
    }
    for (const std::string& line : body_lines(banner.empty() ? msg : msg.substr(3))) {
        emit(log, line);
    }
    if (!banner.empty()) {
        emit(log, kLogClosingLine);
    }
    log.close();
}

void log_request_or_entry(std::string_view msg, std::string* send_name) {
    console_line(" >>> " + trim_right(msg));
    if (msg.starts_with(kCreateRequest)) {
        start_new_log(msg, send_name);
        return;
    }
    write_entry(msg);
}

}  // namespace

void log_message_f(std::string& msg) {
    const std::string request = msg;
    log_request_or_entry(request, &msg);
}

void log_message_f(std::string_view msg) { log_request_or_entry(msg, nullptr); }

void log_message(const char* string) {
    std::string text;
    int length = 0;
    strcpy_c2f(string, text, length, kLogBodyLength);
    log_message_text(text);
}

void log_message_text(std::string_view msg) {
    console_line(" >>> " + trim_right(msg));
    write_entry(msg);
}

void set_log_clock(LogClock clock) { log_clock = std::move(clock); }

LogDateTime log_date_time() { return clock_now(); }

std::string dated_log_name(std::string_view program_name, const LogDateTime& when) {
    std::string base = trim_right(program_name);
    const std::size_t dot = base.find('.');
    if (dot != std::string::npos) {
        base.erase(dot);
    }
    const std::string date = fortran_write("('_',I4.4,'_',I2.2,'_',I2.2,'-',2(I2.2,'_'),I2.2,'.log')",
                                           {when.year, when.month, when.day, when.hour, when.minute, when.second});
    return fit_field(base + date, kLogNameLength);
}

std::string current_log_file() { return log_name; }

void reset_log() {
    log_name = kDefaultLogName;
    log_clock = nullptr;
}
