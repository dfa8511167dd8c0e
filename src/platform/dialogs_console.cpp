#include "platform/console.h"
#include "platform/dialog_backends.h"
#include "platform/dialogs.h"

#include <cctype>
#include <termios.h>
#include <unistd.h>

namespace {

bool notice_printed = false;

constexpr char kEscape = '\x1B';

// Turns the terminal's echo off for the lifetime of the object, when standard
// input is a terminal.
class EchoOff {
public:
    EchoOff() {
        if (::isatty(STDIN_FILENO) == 1 && ::tcgetattr(STDIN_FILENO, &saved_) == 0) {
            termios quiet = saved_;
            quiet.c_lflag &= ~static_cast<tcflag_t>(ECHO);
            active_ = ::tcsetattr(STDIN_FILENO, TCSANOW, &quiet) == 0;
        }
    }
    ~EchoOff() {
        if (active_) {
            ::tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
        }
    }
    EchoOff(const EchoOff&) = delete;
    EchoOff& operator=(const EchoOff&) = delete;

private:
    termios saved_{};
    bool active_ = false;
};

void print_heading(std::string_view title, std::string_view message) {
    if (!title.empty()) {
        console_line(title);
    }
    if (!message.empty()) {
        console_line(message);
    }
}

char first_letter(const std::string& line) {
    for (const char c : line) {
        if (std::isspace(static_cast<unsigned char>(c)) == 0) {
            return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    return '\0';
}

struct Choice {
    char letter;
    int answer;
};

// Asks until one of the letters is answered; end of input answers 0 (cancel, no).
template <std::size_t N>
int ask_letters(std::string_view prompt, const Choice (&choices)[N]) {
    std::string line;
    for (;;) {
        console_out(prompt);
        if (!console_read_line(line)) {
            console_line("");
            return 0;
        }
        const char letter = first_letter(line);
        for (const Choice& choice : choices) {
            if (choice.letter == letter) {
                return choice.answer;
            }
        }
    }
}

}  // namespace

void console_dialog_notice() {
    if (notice_printed) {
        return;
    }
    notice_printed = true;
    console_line("missing software! (we will try basic console input)");
    console_out(tinyfd_needs);
}

int console_message_box(std::string_view title, std::string_view message, std::string_view dialog_type) {
    const DialogShown shown;
    print_heading(title, message);
    if (dialog_type == "yesno") {
        static constexpr Choice kChoices[] = {{'y', 1}, {'n', 0}};
        return ask_letters("y/n: ", kChoices);
    }
    if (dialog_type == "okcancel") {
        static constexpr Choice kChoices[] = {{'o', 1}, {'c', 0}};
        return ask_letters("[O]kay/[C]ancel: ", kChoices);
    }
    if (dialog_type == "yesnocancel") {
        static constexpr Choice kChoices[] = {{'y', 1}, {'n', 2}, {'c', 0}};
        return ask_letters("[Y]es/[N]o/[C]ancel: ", kChoices);
    }
    console_out("press enter to continue ");
    std::string line;
    if (!console_read_line(line)) {
        console_line("");
    }
    return 1;
}

std::optional<std::string> console_input_box(std::string_view title, std::string_view message, bool hidden,
                                             char32_t* lacking) {
    const DialogShown shown;
    print_heading(title, message);
    console_out("(ctrl-D to cancel): ");
    std::string line;
    bool read = false;
    if (hidden) {
        const EchoOff echo_off;
        read = console_read_line(line, lacking);
    } else {
        read = console_read_line(line, lacking);
    }
    if (hidden || !read) {
        console_line("");  // the line end the user typed was not echoed, or none was typed
    }
    if (!read || line.find(kEscape) != std::string::npos) {
        return std::nullopt;
    }
    return line;
}

void reset_console_dialogs() { notice_printed = false; }
