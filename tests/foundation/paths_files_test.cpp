#include "foundation/layer_reset.h"
#include "foundation/message_records.h"
#include "foundation/messages.h"
#include "foundation/paths_files.h"
#include "platform/console.h"
#include "platform/path_map.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

using tarvex_test::ScopedCwd;
using tarvex_test::TempDir;

TEST(Paths, ExtractName) {
    EXPECT_EQ(extract_name("C:\\x\\task.fpl"), "task.fpl");
    EXPECT_EQ(extract_name("task.fpl"), "task.fpl");
    EXPECT_EQ(extract_name("C:\\x\\"), "");
    EXPECT_EQ(extract_name("   "), "");
    EXPECT_EQ(extract_name("C:\\x\\task.fpl   "), "task.fpl");
    EXPECT_EQ(extract_name("a/b.txt"), "a/b.txt");  // "/" separates nothing
    std::string same = "C:\\Condor3\\Tarvex.exe";
    extract_name(same, same);
    EXPECT_EQ(same, "Tarvex.exe");
    std::string cut;
    extract_name("C:\\" + std::string(300, 'n'), cut);
    EXPECT_EQ(cut, std::string(256, 'n'));
    extract_name("C:\\abcdef", cut, 4);
    EXPECT_EQ(cut, "abcd");
}

TEST(Paths, ExtractPathName) {
    std::string p1 = "old";
    std::string name = "old";
    extract_path_name("C:\\x\\task.fpl", p1, name);
    EXPECT_EQ(p1, "C:\\x\\");
    EXPECT_EQ(name, "task.fpl");
    extract_path_name("task.fpl", p1, name);
    EXPECT_EQ(p1, ".\\");
    EXPECT_EQ(name, "task.fpl");
    extract_path_name("..", p1, name);
    EXPECT_EQ(p1, "..\\");
    EXPECT_EQ(name, "");
    extract_path_name("..  ", p1, name);
    EXPECT_EQ(p1, "..\\");
    extract_path_name("..\\a.txt", p1, name);
    EXPECT_EQ(p1, "..\\");
    EXPECT_EQ(name, "a.txt");
    extract_path_name("", p1, name);
    EXPECT_EQ(p1, "");
    EXPECT_EQ(name, "");
    extract_path_name("C:\\dir\\", p1, name);
    EXPECT_EQ(p1, "C:\\dir\\");
    EXPECT_EQ(name, "");
    extract_path_name(".", p1, name);
    EXPECT_EQ(p1, ".\\");
    EXPECT_EQ(name, ".");
    // Only the first 1024 characters are looked at: a "\" beyond them is not seen.
    extract_path_name(std::string(1024, 'a') + "\\b", p1, name, 2000);
    EXPECT_EQ(p1, ".\\");
    EXPECT_EQ(name, std::string(1024, 'a'));
    // Outputs are cut at their capacity.
    extract_path_name("C:\\" + std::string(300, 'd') + "\\f.txt", p1, name);
    EXPECT_EQ(p1, "C:\\" + std::string(253, 'd'));
    EXPECT_EQ(name, "f.txt");
}

TEST(Paths, Updir) {
    std::string parent = "old";
    updir("C:\\a\\b", parent);
    EXPECT_EQ(parent, "C:\\a");
    updir("C:\\a\\b\\", parent);
    EXPECT_EQ(parent, "C:\\a");
    updir("C:\\a", parent);
    EXPECT_EQ(parent, "C:");
    updir("abc", parent);
    EXPECT_EQ(parent, "");
    updir("", parent);
    EXPECT_EQ(parent, "");
    updir("\\", parent);
    EXPECT_EQ(parent, "");
    updir("\\abc", parent);
    EXPECT_EQ(parent, "\\abc");
    updir("C:\\a\\b   ", parent);
    EXPECT_EQ(parent, "C:\\a");
    updir("C:\\a\\\\", parent);
    EXPECT_EQ(parent, "C:\\a");
}

TEST(Paths, JoinPath) {
    EXPECT_EQ(join_path("C:\\a", "b.txt"), "C:\\a\\b.txt");
    EXPECT_EQ(join_path("C:\\a\\", "b.txt"), "C:\\a\\b.txt");
    EXPECT_EQ(join_path("C:\\a  ", "b.txt"), "C:\\a\\b.txt");
    EXPECT_EQ(join_path("", "b.txt"), "b.txt");
}

TEST(Files, DeleteFile) {
    TempDir dir;
    const ScopedCwd cwd(dir.path());
    dir.write("gone.txt", "x");
    std::filesystem::create_directory(dir.path() / "folder");

    EXPECT_EQ(delete_file("missing.txt"), -1);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "missing.txt"));
    EXPECT_EQ(delete_file("gone.txt"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "gone.txt"));
    EXPECT_EQ(delete_file("gone.txt"), -1);
    EXPECT_EQ(delete_file("folder"), -1);  // a folder is not a file
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "folder"));

    dir.write("Case.TXT", "x");
    EXPECT_EQ(delete_file(map_from_host(dir.path().string()) + "\\case.txt"), 0);
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "Case.TXT"));
}

namespace {

class WritableFolder : public ::testing::Test {
protected:
    WritableFolder() : cwd_(dir_.path()) {
        reset_foundation_layer();
        set_console_utf8(false);
        set_message_box([this](const std::string& title, const std::string& text, int& status) {
            boxes_.push_back(title + "|" + text + "|" + std::to_string(status));
        });
    }
    ~WritableFolder() override {
        set_message_box(nullptr);
        reset_foundation_layer();
        clear_console_encoding();
    }

    TempDir dir_;
    ScopedCwd cwd_;
    std::vector<std::string> boxes_;
};

}  // namespace

TEST_F(WritableFolder, AWritableFolderShowsNothingAndLeavesNoFile) {
    std::filesystem::create_directory(dir_.path() / "Install");
    check_writable_folder(map_from_host((dir_.path() / "Install").string()), "Setup");
    check_writable_folder("Install\\", "Setup");
    check_writable_folder("", "Setup");  // the current folder
    EXPECT_TRUE(boxes_.empty());
    EXPECT_TRUE(std::filesystem::is_empty(dir_.path() / "Install"));
    EXPECT_FALSE(std::filesystem::exists(dir_.path() / std::string(kWritableTestFile)));
}

TEST_F(WritableFolder, AMissingFolderOrAFileInTheWayShowsTheMessage) {
    check_writable_folder("Missing", "Setup");
    ASSERT_EQ(boxes_.size(), 1u);
    EXPECT_EQ(boxes_[0],
              "Setup|The Missing folder is not writable\nChange the access rights of the folder"
              "\nOr install in another location|1");
    EXPECT_FALSE(std::filesystem::exists(dir_.path() / "Missing"));

    dir_.write("Blocker", "a file, not a folder");
    cmndta001.qfr = true;
    check_writable_folder("Blocker", "Installation");
    ASSERT_EQ(boxes_.size(), 2u);
    EXPECT_EQ(boxes_[1],
              "Installation|Le dossier Blocker n'est pas accessible en \xE9" "criture\nModifiez les droit d'acc\xE8"
              "s du dossier\nOu installez Tarvex \xE0 un autre emplacement|1");
    EXPECT_EQ(TempDir::read(dir_.path() / "Blocker"), "a file, not a folder");
}

TEST_F(WritableFolder, ConsoleModeAndTheMessageCut) {
    cmndta001.qline = true;
    testing::internal::CaptureStdout();
    check_writable_folder("Missing", "Setup");
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(boxes_.empty());
    EXPECT_NE(out.find("\n The Missing folder is not writable\nChange the access rights of the folder\nOr install "
                       "in another location\n"),
              std::string::npos);

    // The message is cut at 256 characters.
    cmndta001.qline = false;
    const std::string folder(240, 'f');
    check_writable_folder(folder, "t");
    ASSERT_EQ(boxes_.size(), 1u);
    const std::string expected_text = ("The " + folder + " folder is not writable").substr(0, 256);
    EXPECT_EQ(boxes_[0], "t|" + expected_text + "|1");
}
