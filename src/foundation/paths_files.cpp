#include "foundation/paths_files.h"

#include "foundation/fixed_text.h"
#include "foundation/number_text.h"
#include "foundation/tell.h"
#include "platform/console.h"
#include "platform/files.h"

namespace {

// Characters of a path that extract_path_name looks at.
constexpr std::size_t kPathWorkLength = 1024;

// The line written into the test file of check_writable_folder.
constexpr std::string_view kWritableTestLine = "TMP TMP TMP TMPTMP TMPTMP TMP TMP TMP TMP TMP";

}  // namespace

void extract_name(std::string_view path, std::string& name, std::size_t capacity) {
    const std::string trimmed = trim_right(path);
    const std::size_t k = trimmed.rfind('\\');
    const std::string result = k == std::string::npos ? trimmed : trimmed.substr(k + 1);
    name = fit_field(result, capacity);
}

std::string extract_name(std::string_view path) {
    std::string name;
    extract_name(path, name);
    return name;
}

void extract_path_name(std::string_view path, std::string& p1, std::string& name, std::size_t capacity) {
    const std::string work = fit_field(path, kPathWorkLength);
    std::string folder;
    std::string file;
    if (work == "..") {
        folder = "..\\";
    } else if (!work.empty()) {
        const std::size_t k = work.rfind('\\');
        if (k == std::string::npos) {
            folder = ".\\";
            file = work;
        } else {
            folder = work.substr(0, k + 1);
            file = work.substr(k + 1);
        }
    }
    p1 = fit_field(folder, capacity);
    name = fit_field(file, capacity);
}

void updir(std::string_view path, std::string& parent, std::size_t capacity) {
    const std::string trimmed = trim_right(path);
    std::string result;
    if (trimmed.size() >= 2) {
        // The last character is not looked at, so a final "\" is ignored.
        const std::size_t k = std::string_view(trimmed).substr(0, trimmed.size() - 1).rfind('\\');
        if (k != std::string::npos) {
            result = k > 0 ? trimmed.substr(0, k) : trimmed;
        }
    }
    parent = fit_field(result, capacity);
}

int delete_file(std::string_view fnam) {
    const std::string name = trim_right(fnam);
    console_line(" delete_file " + name);
    if (!file_exists(name)) {
        console_line(" delete_file INEXISTING " + name);
        return -1;
    }
    const int status = remove_file(name);
    console_line(" delete_file DELETE " + i2b(status));
    return status;
}

void check_writable_folder(std::string_view folder, std::string_view msg_tit) {
    const std::string dir = trim_right(folder);
    const std::string test_file = fit_field(join_path(dir, kWritableTestFile), kPathLength);
    console_line(" check_writable_folder " + test_file);

    int open_status = 1;
    int rewind_status = 1;
    int write_status = 1;
    int close_status = 1;
    {
        FileWriter file(test_file);
        open_status = file.open_status();
        if (file.is_open()) {
            rewind_status = 0;
            file.write_line(kWritableTestLine);
            write_status = file.status();
            close_status = file.close();
            // The test file goes whatever the write gave.
            const int removed = remove_file(test_file);
            if (close_status == 0) {
                close_status = removed;
            }
        }
    }
    console_line(" check_writable_folder status " + i2b(open_status) + " " + i2b(rewind_status) + " " +
                 i2b(write_status) + " " + i2b(close_status));

    if (open_status == 0 && rewind_status == 0 && write_status == 0 && close_status == 0) {
        return;
    }
    const std::string text = in_user_language("The " + dir +
                                                  " folder is not writable/Change the access rights of the folder"
                                                  "/Or install in another location",
                                              "Le dossier " + dir +
                                                  " n'est pas accessible en \xE9" "criture/Modifiez les droit "
                                                  "d'acc\xE8" "s du dossier/Ou installez Tarvex \xE0 un autre "
                                                  "emplacement");
    tell(kError, fit_field(text, kPathLength), {.title = msg_tit});
}

std::string join_path(std::string_view folder, std::string_view name) {
    const std::string dir = trim_right(folder);
    if (dir.empty()) {
        return std::string(name);
    }
    if (dir.back() == '\\') {
        return dir + std::string(name);
    }
    return dir + "\\" + std::string(name);
}
