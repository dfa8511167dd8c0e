#include "platform/glue_dialogs.h"

#include "platform/console.h"
#include "platform/dialogs.h"
#include "platform/environment.h"

#include <optional>

namespace {

constexpr std::string_view kErrorTitle = "Error";
constexpr std::string_view kNoFile = "No file specification returned";
constexpr std::string_view kNoFileFrench = "Aucun fichier sp\xE9" "cifi\xE9";

void native_switches_off() {
    tinyfd_forceConsole = 0;
    tinyfd_winUtf8 = 0;
}

void no_file_box() {
    tinyfd_messageBox(kErrorTitle, IsLanguageFrench() != 0 ? kNoFileFrench : kNoFile, "ok", "error", 1);
}

int take_file_answer(const std::optional<std::string>& answer, std::string& file, int& len) {
    if (!answer) {
        no_file_box();
        file.clear();
        len = 0;
        return 0;
    }
    file = *answer;
    len = static_cast<int>(file.size());
    return 1;
}

}  // namespace

std::vector<std::string> split_filter_patterns(std::string_view filter) {
    std::vector<std::string> patterns;
    std::string_view rest = filter;
    for (;;) {
        const std::size_t comma = rest.size() > 1 ? rest.find(',', 1) : std::string_view::npos;
        if (comma == std::string_view::npos) {
            break;
        }
        patterns.emplace_back(rest.substr(0, comma));
        rest.remove_prefix(comma + 1);
    }
    if (!rest.empty()) {
        patterns.emplace_back(rest);
    }
    return patterns;
}

int GetFileName(std::string& file, std::string_view title, std::string_view path, std::string_view filter,
                [[maybe_unused]] std::string_view desc, int multi, int& len) {
    native_switches_off();
    const std::string work(filter);
    console_line("GetFileName " + work + " " + std::to_string(work.size()));
    console_line("GetFileName " + std::string(path) + " " + std::to_string(path.size()));
    const std::optional<std::string> answer =
        tinyfd_openFileDialog(title, path, split_filter_patterns(work), "", multi != 0);
    return take_file_answer(answer, file, len);
}

int SaveFileName(std::string& file, std::string_view title, std::string_view path, std::string_view filter,
                 [[maybe_unused]] std::string_view desc, int& len) {
    native_switches_off();
    const std::string work(filter);
    console_line("SaveFileName " + work + " " + std::to_string(work.size()) + " " + std::string(path) + " ");
    const std::optional<std::string> answer = tinyfd_saveFileDialog(title, path, split_filter_patterns(work), "");
    return take_file_answer(answer, file, len);
}

void GetString(std::string_view title, std::string_view prompt, std::string& string, std::string_view def,
               int& len) {
    native_switches_off();
    console_line(prompt);
    const std::optional<std::string> answer = tinyfd_inputBox(title, prompt, def);
    if (answer) {
        string = *answer;
        len = static_cast<int>(answer->size());
    } else {
        len = 0;
    }
    console_line(std::to_string(len) + " " + string);
}

int GetFolder(std::string_view title, std::string_view deflt, int& len, std::string& folder) {
    native_switches_off();
    const std::optional<std::string> answer = tinyfd_selectFolderDialog(title, deflt);
    if (!answer) {
        tinyfd_messageBox(kErrorTitle, "No folder selected", "ok", "error", 1);
        len = 0;
        return 1;
    }
    folder = *answer;
    len = static_cast<int>(folder.size());
    return 0;
}

void DisplayMessage(std::string_view title, std::string_view message, int& status) {
    native_switches_off();
    switch (status) {
    case 0:
        tinyfd_messageBox(title, message, "ok", "info", 1);
        break;
    case 1:
        tinyfd_messageBox(title, message, "ok", "error", 1);
        break;
    case 2:
        tinyfd_messageBox(title, message, "ok", "warning", 1);
        break;
    case 3:
        status = tinyfd_messageBox(title, message, "yesno", "question", 1);
        break;
    case 4:
        status = tinyfd_messageBox(title, message, "okcancel", "question", 1);
        break;
    case 5:
        status = tinyfd_messageBox(title, message, "yesnocancel", "question", 1);
        break;
    default:
        break;
    }
}
