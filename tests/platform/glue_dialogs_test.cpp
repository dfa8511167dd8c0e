#include "platform/glue_dialogs.h"

#include "dialog_test_support.h"

#include "support/zenity_stub.h"

#include <filesystem>

using tarvex_test::ScopedCwd;
using tarvex_test::ScopedEnv;
using tarvex_test::ZenityStub;

using Args = std::vector<std::string>;

namespace {

// The language seen by the dialogs, for the lifetime of the object.
class Language {
public:
    explicit Language(const char* lang) : language_("LANGUAGE", nullptr), all_("LC_ALL", nullptr),
                                          messages_("LC_MESSAGES", nullptr), lang_("LANG", lang) {}

private:
    ScopedEnv language_;
    ScopedEnv all_;
    ScopedEnv messages_;
    ScopedEnv lang_;
};

const Args kNoFileBox = {"--error", "--title=Error", "--text=No file specification returned", "--no-markup"};

}  // namespace

class GlueDialogs : public DialogTest {
protected:
    ZenityStub zenity;
    Language english{"en_GB.UTF-8"};
};

TEST(GlueFilter, CommaListSplit) {
    EXPECT_EQ(split_filter_patterns("*.fpl,*.FPL,*.cup"), (Args{"*.fpl", "*.FPL", "*.cup"}));
    EXPECT_EQ(split_filter_patterns("*.fpl"), (Args{"*.fpl"}));
    EXPECT_EQ(split_filter_patterns(""), Args{});
    EXPECT_EQ(split_filter_patterns("*.fpl,"), (Args{"*.fpl"}));
    // A comma first in the remaining text does not separate.
    EXPECT_EQ(split_filter_patterns(",*.fpl"), (Args{",*.fpl"}));
    EXPECT_EQ(split_filter_patterns("*.fpl,,*.cup"), (Args{"*.fpl", ",*.cup"}));
    EXPECT_EQ(split_filter_patterns(","), (Args{","}));
}

TEST_F(GlueDialogs, GetFileNameChosen) {
    prefix.add_file("C:\\Plans\\task.fpl", "x");
    const std::string plans = host("C:\\Plans");
    zenity.answer(1, plans + "/task.fpl\n", 0);
    tinyfd_forceConsole = 1;  // the routine switches it off itself
    std::string file = "previous";
    int len = -1;
    int result = -1;
    const std::string trace = converse("", [&] {
        result = GetFileName(file, "Tarvex : Select", "C:\\Plans\\", "*.fpl,*.FPL", "Condor Flight Plans (*.fpl)", 0, len);
    });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(file, "C:\\Plans\\task.fpl");
    EXPECT_EQ(len, static_cast<int>(file.size()));
    EXPECT_EQ(tinyfd_forceConsole, 0);
    EXPECT_EQ(trace, "GetFileName *.fpl,*.FPL 11\nGetFileName C:\\Plans\\ 9\naDefaultPathAndFile ; lBuff : C:\\Plans ; \n");
    // The description is not passed on: the patterns name the filter.
    EXPECT_EQ(zenity.args(1), (Args{"--file-selection", "--title=Tarvex : Select", "--filename=" + plans + "/",
                                    "--file-filter=*.fpl;*.FPL | *.fpl *.FPL", "--file-filter=All Files | *"}));
}

TEST_F(GlueDialogs, GetFileNameCancelledShowsTheErrorBox) {
    zenity.answer(1, "", 1);
    std::string file = "previous";
    int len = -1;
    int result = -1;
    converse("", [&] { result = GetFileName(file, "T", "", "", "", 0, len); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(len, 0);
    EXPECT_EQ(file, "");
    EXPECT_EQ(zenity.args(1), (Args{"--file-selection", "--title=T"}));
    EXPECT_EQ(zenity.args(2), kNoFileBox);

    const Language french("fr_CA.UTF-8");
    zenity.answer(3, "", 1);
    converse("", [&] { result = GetFileName(file, "T", "", "*.fpl", "", 0, len); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(zenity.args(4), (Args{"--error", "--title=Error", "--text=Aucun fichier sp\xC3\xA9" "cifi\xC3\xA9",
                                    "--no-markup"}));
}

TEST_F(GlueDialogs, GetFileNameMultipleSelection) {
    prefix.add_file("C:\\Plans\\a.fpl", "x");
    prefix.add_file("C:\\Plans\\b.fpl", "x");
    zenity.answer(1, host("C:\\Plans\\a.fpl") + "|" + host("C:\\Plans\\b.fpl") + "\n", 0);
    std::string file;
    int len = 0;
    int result = -1;
    converse("", [&] { result = GetFileName(file, "T", "", "*.fpl", "", 1, len); });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(file, "C:\\Plans\\a.fpl|C:\\Plans\\b.fpl");
    EXPECT_EQ(len, static_cast<int>(file.size()));
}

TEST_F(GlueDialogs, SaveFileName) {
    prefix.add_folder("C:\\Out");
    const std::string out = host("C:\\Out");
    zenity.answer(1, out + "/new.fpl\n", 0);
    std::string file;
    int len = 0;
    int result = -1;
    const std::string trace = converse("", [&] { result = SaveFileName(file, "Save", "C:\\Out", "*.fpl", "d", len); });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(file, "C:\\Out\\new.fpl");
    EXPECT_EQ(len, static_cast<int>(file.size()));
    EXPECT_EQ(trace, "SaveFileName *.fpl 5 C:\\Out \n");
    EXPECT_EQ(zenity.args(1)[1], "--save");

    zenity.answer(2, out + "/bad:name.fpl\n", 0);
    converse("", [&] { result = SaveFileName(file, "Save", "C:\\Out", "*.fpl", "d", len); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(len, 0);
    EXPECT_EQ(zenity.args(3), kNoFileBox);
}

TEST_F(GlueDialogs, GetFolderReturnsZeroForAChoice) {
    const std::string chosen = "C:\\Condor3";
    zenity.answer(1, host(chosen) + "\n", 0);
    std::string folder = "before";
    int len = -1;
    int result = -1;
    converse("", [&] { result = GetFolder("Destination", "", len, folder); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(folder, chosen);
    EXPECT_EQ(len, static_cast<int>(chosen.size()));

    // Cancelled: English box even on a French system, folder left as it was.
    const Language french("fr_FR.UTF-8");
    zenity.answer(2, "", 1);
    converse("", [&] { result = GetFolder("Destination", "", len, folder); });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(len, 0);
    EXPECT_EQ(folder, chosen);
    EXPECT_EQ(zenity.args(3), (Args{"--error", "--title=Error", "--text=No folder selected", "--no-markup"}));
}

TEST_F(GlueDialogs, GetString) {
    zenity.answer(1, "typed\n", 0);
    std::string text = "old";
    int len = -1;
    std::string trace = converse("", [&] { GetString("Title", "Prompt", text, "def", len); });
    EXPECT_EQ(text, "typed");
    EXPECT_EQ(len, 5);
    EXPECT_EQ(trace, "Prompt\n5 typed\n");
    EXPECT_EQ(zenity.args(1), (Args{"--entry", "--title=Title", "--text=Prompt", "--entry-text=def"}));

    zenity.answer(2, "", 1);
    trace = converse("", [&] { GetString("Title", "Prompt", text, "def", len); });
    EXPECT_EQ(text, "typed");
    EXPECT_EQ(len, 0);
    EXPECT_EQ(trace, "Prompt\n0 typed\n");
}

TEST_F(GlueDialogs, DisplayMessageByStatus) {
    const struct {
        int status;
        const char* kind;
    } plain[] = {{0, "--info"}, {1, "--error"}, {2, "--warning"}};
    int run = 0;
    for (const auto& box : plain) {
        int status = box.status;
        zenity.answer(++run, "", 1);
        DisplayMessage("Tarvex", "Message", status);
        EXPECT_EQ(status, box.status);
        EXPECT_EQ(zenity.args(run), (Args{box.kind, "--title=Tarvex", "--text=Message", "--no-markup"}));
    }

    int status = 3;
    zenity.answer(++run, "", 0);
    DisplayMessage("Tarvex", "Sure?", status);
    EXPECT_EQ(status, 1);
    EXPECT_EQ(zenity.args(run)[4], "--ok-label=Yes");
    EXPECT_EQ(zenity.args(run).back(), "--cancel-label=No");  // default button 1

    status = 4;
    zenity.answer(++run, "", 1);
    DisplayMessage("Tarvex", "Sure?", status);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(zenity.args(run)[4], "--ok-label=OK");

    status = 5;
    zenity.answer(++run, "No\n", 1);
    DisplayMessage("Tarvex", "Sure?", status);
    EXPECT_EQ(status, 2);

    for (const int other : {7, -1, 6}) {
        status = other;
        DisplayMessage("Tarvex", "Nothing", status);
        EXPECT_EQ(status, other);
    }
    EXPECT_EQ(zenity.runs(), run);
}

// The same routines on the console, with scripted input.
using GlueConsole = DialogTest;

TEST_F(GlueConsole, DisplayMessageAndFolderOnTheConsole) {
    int status = 3;
    std::string out = converse("no\n", [&] { DisplayMessage("Tarvex", "Overwrite?", status); });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(out, "Tarvex\nOverwrite?\ny/n: ");

    status = 5;
    converse("", [&] { DisplayMessage("Tarvex", "Overwrite?", status); });
    EXPECT_EQ(status, 0);  // end of input cancels

    status = 1;
    out = converse("", [&] { DisplayMessage("Tarvex", "Failed", status); });
    EXPECT_EQ(status, 1);
    EXPECT_EQ(out, "Tarvex\nFailed\npress enter to continue \n");

    const ScopedCwd cwd(host("C:\\"));
    std::string folder = "before";
    int len = -1;
    int result = -1;
    out = converse("", [&] { result = GetFolder("Destination", "", len, folder); });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(len, 0);
    EXPECT_EQ(folder, "before");
    EXPECT_NE(out.find("Error\nNo folder selected\npress enter to continue "), std::string::npos);

    out = converse(host("C:\\Condor2") + "\n", [&] { result = GetFolder("Destination", "", len, folder); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(folder, "C:\\Condor2");
    EXPECT_EQ(len, 10);
}

TEST_F(GlueConsole, GetFileNameOnTheConsole) {
    prefix.add_file("C:\\Plans\\plan.fpl", "x");
    const ScopedCwd cwd(host("C:\\Plans"));
    std::string file;
    int len = 0;
    int result = -1;
    converse("plan.fpl\n", [&] { result = GetFileName(file, "Open", "", "*.fpl", "", 0, len); });
    EXPECT_EQ(result, 1);
    EXPECT_EQ(file, "C:\\Plans\\plan.fpl");
    EXPECT_EQ(len, 17);

    const std::string out = converse("nothing.fpl\n\n", [&] { result = GetFileName(file, "Open", "", "*.fpl", "", 0, len); });
    EXPECT_EQ(result, 0);
    EXPECT_EQ(file, "");
    EXPECT_NE(out.find("Error\nNo file specification returned\npress enter to continue "), std::string::npos);
}
