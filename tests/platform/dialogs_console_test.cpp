#include "dialog_test_support.h"

#include "platform/encoding.h"

#include <filesystem>

using tarvex_test::ScopedCwd;
using tarvex_test::ScopedEnv;
using tarvex_test::TempDir;

using ConsoleDialogs = DialogTest;

TEST_F(ConsoleDialogs, QuestionBoxesAskUntilALetterFits) {
    int answer = -1;
    const std::string out = converse("maybe\n\n  Y\n", [&] { answer = tinyfd_messageBox("Tarvex", "Go on?", "yesno", "question", 1); });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(out, "Tarvex\nGo on?\ny/n: y/n: y/n: ");

    converse("n\n", [&] { answer = tinyfd_messageBox("T", "M", "yesno", "question", 1); });
    EXPECT_EQ(answer, 0);

    std::string asked = converse("x\nc\n", [&] { answer = tinyfd_messageBox("T", "M", "okcancel", "question", 1); });
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(count_of(asked, "[O]kay/[C]ancel: "), 2);
    converse("Okay\n", [&] { answer = tinyfd_messageBox("T", "M", "okcancel", "question", 1); });
    EXPECT_EQ(answer, 1);

    asked = converse("o\nN\n", [&] { answer = tinyfd_messageBox("T", "M", "yesnocancel", "question", 1); });
    EXPECT_EQ(answer, 2);
    EXPECT_EQ(count_of(asked, "[Y]es/[N]o/[C]ancel: "), 2);
    converse("y\n", [&] { answer = tinyfd_messageBox("T", "M", "yesnocancel", "question", 1); });
    EXPECT_EQ(answer, 1);
    converse("c\n", [&] { answer = tinyfd_messageBox("T", "M", "yesnocancel", "question", 1); });
    EXPECT_EQ(answer, 0);
}

TEST_F(ConsoleDialogs, EndOfInputCancelsQuestionsAndConfirmsOk) {
    for (const char* type : {"yesno", "okcancel", "yesnocancel"}) {
        int answer = -1;
        // Invalid answers first, then the input ends: no endless asking.
        const std::string out = converse("what\r\n", [&] { answer = tinyfd_messageBox("T", "M", type, "question", 1); });
        EXPECT_EQ(answer, 0) << type;
        EXPECT_LE(out.size(), 80u) << type;
    }
    int answer = -1;
    const std::string out = converse("", [&] { answer = tinyfd_messageBox("Tarvex", "Done/", "ok", "info", 1); });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(out, "Tarvex\nDone/\npress enter to continue \n");
    converse("\n", [&] { answer = tinyfd_messageBox("", "any other type", "info", "error", 0); });
    EXPECT_EQ(answer, 1);
}

TEST_F(ConsoleDialogs, NoticeOnceWhenNoDisplayWasFound) {
    ScopedEnv automatic("TARVEX_DIALOGS", nullptr);
    const std::string first = converse("\n\n", [] {
        tinyfd_messageBox("T", "one", "ok", "info", 1);
        tinyfd_messageBox("T", "two", "ok", "info", 1);
    });
    EXPECT_EQ(count_of(first, "missing software! (we will try basic console input)\n"), 1);
    EXPECT_EQ(count_of(first, std::string(tinyfd_needs)), 1);
    EXPECT_EQ(first.find("missing software!"), 0u);
    EXPECT_NE(tinyfd_needs.find("a console for basic input"), std::string_view::npos);

    reset_tinyfd();
    ScopedEnv forced("TARVEX_DIALOGS", "Console");
    const std::string quiet = converse("\n", [] { tinyfd_messageBox("T", "three", "ok", "info", 1); });
    EXPECT_EQ(quiet.find("missing software!"), std::string::npos);
}

TEST_F(ConsoleDialogs, InputBoxLineCancelAndPreviousAnswer) {
    std::optional<std::string> answer;
    const std::string out = converse("Lac d'Annecy\r\n", [&] { answer = tinyfd_inputBox("Title", "Name:", "default"); });
    EXPECT_EQ(answer, "Lac d'Annecy");
    EXPECT_EQ(out, "Title\nName:\n(ctrl-D to cancel): ");
    EXPECT_EQ(tinyfd_inputBox(std::nullopt, std::nullopt, std::nullopt), "Lac d'Annecy");

    converse("", [&] { answer = tinyfd_inputBox("T", "M", ""); });
    EXPECT_FALSE(answer.has_value());
    converse("abc\x1B\n", [&] { answer = tinyfd_inputBox("T", "M", ""); });
    EXPECT_FALSE(answer.has_value());
    converse("\n", [&] { answer = tinyfd_inputBox("T", "M", ""); });
    EXPECT_EQ(answer, "");

    // A password: the line is read the same way (the echo is off on a terminal).
    const std::string hidden = converse("secret\n", [&] { answer = tinyfd_inputBox("T", "Password", std::nullopt); });
    EXPECT_EQ(answer, "secret");
    EXPECT_EQ(hidden, "T\nPassword\n(ctrl-D to cancel): \n");
}

TEST_F(ConsoleDialogs, TextsAreCp1252InsideAndUtf8OnAUtf8Console) {
    set_console_utf8(true);
    std::optional<std::string> answer;
    const std::string out =
        converse("r\xC3\xA9ponse\n", [&] { answer = tinyfd_inputBox("Caf\xE9", "\xC9t\xE9", ""); });
    EXPECT_EQ(answer, "r\xE9ponse");
    EXPECT_EQ(out, "Caf\xC3\xA9\n\xC3\x89t\xC3\xA9\n(ctrl-D to cancel): ");
}

TEST_F(ConsoleDialogs, OpenFileChecksTheAnswer) {
    prefix.add_file("C:\\Plans\\a.fpl", "x");
    prefix.add_file("C:\\Plans\\b \xE9t\xE9.fpl", "x");
    prefix.add_folder("C:\\Plans\\folder");
    const ScopedCwd cwd(host("C:\\Plans"));
    const std::vector<std::string> fpl = {"*.fpl"};
    const auto open = [&](const std::string& typed, bool several = false) {
        std::optional<std::string> answer;
        converse(typed, [&] { answer = tinyfd_openFileDialog("Open", "", fpl, "", several); });
        return answer;
    };

    std::optional<std::string> answer;
    const std::string out = converse(host("C:\\Plans\\a.fpl") + "\n",
                                     [&] { answer = tinyfd_openFileDialog("Open", "", fpl, "", false); });
    EXPECT_EQ(answer, "C:\\Plans\\a.fpl");  // a host path typed, the program's form returned
    EXPECT_EQ(out, "Open\nOpen file from " + host("C:\\Plans") + "\n(ctrl-D to cancel): ");

    EXPECT_EQ(open("a.fpl\n"), "C:\\Plans\\a.fpl");
    EXPECT_EQ(open("c:\\PLANS\\A.fpl\n"), "C:\\Plans\\a.fpl");  // a Windows path, any case
    EXPECT_EQ(open("b \xE9t\xE9.fpl\n"), "C:\\Plans\\b \xE9t\xE9.fpl");
    for (const char* bad : {"missing.fpl\n", "folder\n", "Q:\\a.fpl\n", "\n", ""}) {
        EXPECT_FALSE(open(bad).has_value()) << bad;
    }

    // Multiple selection: files that do not exist are dropped.
    EXPECT_EQ(open("a.fpl|missing.fpl|C:\\Plans\\b \xE9t\xE9.fpl\n", true),
              "C:\\Plans\\a.fpl|C:\\Plans\\b \xE9t\xE9.fpl");
    EXPECT_FALSE(open("gone|missing\n", true).has_value());
    // A host path typed on a UTF-8 console.
    set_console_utf8(true);
    EXPECT_EQ(open(host("C:\\Plans\\b \xE9t\xE9.fpl") + "\n"), "C:\\Plans\\b \xE9t\xE9.fpl");
    set_console_utf8(false);
    // Without multiple selection a "|" is part of the one name.
    EXPECT_FALSE(open("a.fpl|b.fpl\n").has_value());
}

TEST_F(ConsoleDialogs, PathQuestionsOfferTheDialogsDefaultFolder) {
    prefix.add_file("C:\\Plans\\a.fpl", "x");
    prefix.add_folder("C:\\Plans\\Sub");
    prefix.add_folder("C:\\Tarvex");
    const ScopedCwd cwd(host("C:\\Tarvex"));  // the program's folder
    std::optional<std::string> answer;
    // A default file: its folder is offered, and a bare name is taken there.
    std::string out = converse("a.fpl\n", [&] {
        answer = tinyfd_openFileDialog("Open", "C:\\Plans\\old.fpl", {"*.fpl"}, "", false);
    });
    EXPECT_EQ(out, "Open\nOpen file from " + host("C:\\Plans") + "\n(ctrl-D to cancel): ");
    EXPECT_EQ(answer, "C:\\Plans\\a.fpl");
    // A default folder is offered itself; relative names in either form.
    out = converse("sub\\new.tsk\n", [&] { answer = tinyfd_saveFileDialog("Save", "c:\\plans\\", {}, ""); });
    EXPECT_NE(out.find("Save file in " + host("C:\\Plans") + "\n"), std::string::npos);
    EXPECT_EQ(answer, "C:\\Plans\\Sub\\new.tsk");
    converse("Sub/new.tsk\n", [&] { answer = tinyfd_saveFileDialog("Save", "C:\\Plans", {}, ""); });
    EXPECT_EQ(answer, "C:\\Plans\\Sub\\new.tsk");
    converse("sub\n", [&] { answer = tinyfd_selectFolderDialog("Folder", "C:\\Plans"); });
    EXPECT_EQ(answer, "C:\\Plans\\Sub");
    // An absolute answer stands; a default the host lacks offers the current folder.
    converse("C:\\Tarvex\n", [&] { answer = tinyfd_selectFolderDialog("Folder", "C:\\Plans"); });
    EXPECT_EQ(answer, "C:\\Tarvex");
    out = converse("\n", [&] { answer = tinyfd_selectFolderDialog("Folder", "Q:\\Nowhere"); });
    EXPECT_NE(out.find("Select folder from " + host("C:\\Tarvex") + "\n"), std::string::npos);
}

TEST_F(ConsoleDialogs, FileDialogsKeepTheInputBoxAnswer) {
    converse("kept\nother\n", [] {
        tinyfd_inputBox("T", "M", "");
        tinyfd_openFileDialog("Open", "", {}, "", false);
    });
    EXPECT_EQ(tinyfd_inputBox(std::nullopt, std::nullopt, std::nullopt), "kept");
}

TEST_F(ConsoleDialogs, SaveFileChecksFolderAndName) {
    prefix.add_folder("C:\\Out\\Sub");
    const ScopedCwd cwd(host("C:\\Out"));
    const auto save = [&](const std::string& typed) {
        std::optional<std::string> answer;
        converse(typed, [&] { answer = tinyfd_saveFileDialog("Save", "", {"*.tsk"}, ""); });
        return answer;
    };
    std::optional<std::string> answer;
    const std::string out =
        converse("C:\\Out\\new.tsk\n", [&] { answer = tinyfd_saveFileDialog("Save", "", {"*.tsk"}, ""); });
    EXPECT_EQ(answer, "C:\\Out\\new.tsk");
    EXPECT_NE(out.find("Save file in " + host("C:\\Out") + "\n"), std::string::npos);

    EXPECT_EQ(save("bare.tsk\n"), "C:\\Out\\bare.tsk");
    EXPECT_EQ(save(host("C:\\Out\\sub") + "/New.tsk\n"), "C:\\Out\\Sub\\New.tsk");
    EXPECT_EQ(save("sub\\New.tsk\n"), "C:\\Out\\Sub\\New.tsk");
    for (const char* bad : {"C:\\Out\\no\\such\\new.tsk\n", "what?.tsk\n", "a\"b\n", "a<b\n", "Sub\n", "\n", ""}) {
        EXPECT_FALSE(save(bad).has_value()) << bad;
    }
}

TEST_F(ConsoleDialogs, FolderMustExist) {
    const ScopedCwd cwd(host("C:\\"));
    std::optional<std::string> answer;
    const std::string out = converse("condor3\n", [&] { answer = tinyfd_selectFolderDialog("Folder", ""); });
    EXPECT_EQ(answer, "C:\\Condor3");
    EXPECT_NE(out.find("Select folder from " + host("C:\\")), std::string::npos);

    converse("C:\n", [&] { answer = tinyfd_selectFolderDialog("Folder", ""); });
    EXPECT_EQ(answer, "C:\\");
    for (const char* bad : {"Missing\n", "Condor3\\Condor.exe\n", "\n", ""}) {
        converse(bad, [&] { answer = tinyfd_selectFolderDialog("Folder", ""); });
        EXPECT_FALSE(answer.has_value()) << bad;
    }
}

TEST_F(ConsoleDialogs, AFolderNamedWithACharacterCp1252LacksIsAskedAgain) {
    set_console_utf8(true);
    prefix.add_folder("C:\\Tasks");
    const std::string lacking = host("C:\\Tasks") + "\xC4\x81";  // "Tasksā"
    std::filesystem::create_directory(lacking);
    std::optional<std::string> answer;
    std::string out = converse(lacking + "\nC:\\Tasks\n", [&] { answer = tinyfd_selectFolderDialog("Folder", ""); });
    EXPECT_EQ(answer, "C:\\Tasks");
    EXPECT_EQ(count_of(out, "The folder's name holds a character Tarvex cannot hold (U+0101): choose another one\n"), 1);
    EXPECT_EQ(count_of(out, "Select folder from "), 2);
    // The end of input still cancels.
    out = converse(lacking + "\n", [&] { answer = tinyfd_selectFolderDialog("Folder", ""); });
    EXPECT_FALSE(answer.has_value());
    EXPECT_EQ(count_of(out, "(U+0101)"), 1);
}

TEST_F(ConsoleDialogs, ColourChooserAsksForHexAndFallsBackToTheDefault) {
    Rgb result{};
    std::optional<std::string> answer;
    const std::string out = converse("red\n#f5ca2\n#F5CA20\n",
                                     [&] { answer = tinyfd_colorChooser("Colour", "#000000", Rgb{0, 0, 0}, result); });
    EXPECT_EQ(answer, "#f5ca20");
    EXPECT_EQ(result, (Rgb{0xF5, 0xCA, 0x20}));
    EXPECT_EQ(count_of(out, "Enter hex rgb color (i.e. #f5ca20)\n"), 3);

    converse("", [&] { answer = tinyfd_colorChooser("Colour", "#0A0b0C", Rgb{1, 2, 3}, result); });
    EXPECT_EQ(answer, "#0A0b0C");
    EXPECT_EQ(result, (Rgb{10, 11, 12}));
    converse("nope\n", [&] { answer = tinyfd_colorChooser("Colour", std::nullopt, Rgb{1, 2, 255}, result); });
    EXPECT_EQ(answer, "#0102ff");
    EXPECT_EQ(result, (Rgb{1, 2, 255}));
    converse("", [&] { answer = tinyfd_colorChooser("Colour", "blue", Rgb{4, 5, 6}, result); });
    EXPECT_EQ(answer, "#040506");
    EXPECT_EQ(result, (Rgb{4, 5, 6}));
}

TEST_F(ConsoleDialogs, QueryShowsNothing) {
    Rgb result{};
    int box = -1;
    const std::string out = converse("", [&] { box = tinyfd_messageBox("tinyfd_query", "M", "yesno", "question", 1); });
    EXPECT_EQ(box, 0);
    EXPECT_EQ(tinyfd_response, "basicinput");
    EXPECT_TRUE(out.empty());
    EXPECT_FALSE(tinyfd_inputBox("tinyfd_query", "M", "").has_value());
    EXPECT_FALSE(tinyfd_openFileDialog("tinyfd_query", "", {}, "", false).has_value());
    EXPECT_FALSE(tinyfd_saveFileDialog("tinyfd_query", "", {}, "").has_value());
    EXPECT_FALSE(tinyfd_selectFolderDialog("tinyfd_query", "").has_value());
    EXPECT_FALSE(tinyfd_colorChooser("tinyfd_query", "#000000", Rgb{}, result).has_value());
    EXPECT_EQ(tinyfd_notifyPopup("tinyfd_query", "M", "info"), 0);
}

TEST_F(ConsoleDialogs, NotificationBecomesAnOkBox) {
    int answer = 0;
    const std::string out = converse("\n", [&] { answer = tinyfd_notifyPopup("Tarvex", "Task written", "info"); });
    EXPECT_EQ(answer, 1);
    EXPECT_EQ(out, "Tarvex\nTask written\npress enter to continue ");
}

TEST(DialogHelpers, PathPartsAndChecks) {
    EXPECT_EQ(getPathWithoutFinalSlash("/home/pilot/a.fpl"), "/home/pilot");
    EXPECT_EQ(getPathWithoutFinalSlash("C:\\Condor3\\a.fpl"), "C:\\Condor3");
    EXPECT_EQ(getPathWithoutFinalSlash("a.fpl"), "");
    EXPECT_EQ(getLastName("/home/pilot/a.fpl"), "a.fpl");
    EXPECT_EQ(getLastName("C:\\Condor3\\a.fpl"), "a.fpl");
    EXPECT_EQ(getLastName("a.fpl"), "a.fpl");
    EXPECT_EQ(getLastName("/home/"), "");
    EXPECT_EQ(ensureFinalSlash("C:\\x", '\\'), "C:\\x\\");
    EXPECT_EQ(ensureFinalSlash("/x/", '/'), "/x/");
    EXPECT_EQ(ensureFinalSlash("", '/'), "");

    EXPECT_TRUE(filenameValid("Task 1.fpl"));
    for (const char* bad : {"", "a\\b", "a/b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b"}) {
        EXPECT_FALSE(filenameValid(bad)) << bad;
    }

    const TempDir dir;
    dir.write("f.txt", "x");
    EXPECT_TRUE(dirExists(""));
    EXPECT_TRUE(dirExists("c:"));
    EXPECT_TRUE(dirExists(dir.path().string()));
    EXPECT_FALSE(dirExists((dir.path() / "f.txt").string()));
    EXPECT_FALSE(dirExists("1:"));
    EXPECT_TRUE(fileExists((dir.path() / "f.txt").string()));
    EXPECT_FALSE(fileExists(dir.path().string()));
    EXPECT_FALSE(fileExists(""));
}

TEST(DialogHelpers, Colours) {
    EXPECT_EQ(RGB2Hex(Rgb{0xF5, 0xCA, 0x20}), "#f5ca20");
    EXPECT_EQ(RGB2Hex(Rgb{0, 0, 0}), "#000000");
    EXPECT_EQ(Hex2RGB("#F5ca20"), (Rgb{0xF5, 0xCA, 0x20}));
    for (const char* bad : {"", "#", "f5ca20", "#f5ca2", "#f5ca200", "#g5ca20", "#f5 a20"}) {
        EXPECT_FALSE(Hex2RGB(bad).has_value()) << bad;
    }
    EXPECT_EQ(parse_colour_answer("rgb(245,202,32)"), (Rgb{245, 202, 32}));
    EXPECT_EQ(parse_colour_answer(" rgba(1, 2, 3, 0.5)\n"), (Rgb{1, 2, 3}));
    EXPECT_EQ(parse_colour_answer("#0a0B0c"), (Rgb{10, 11, 12}));
    EXPECT_EQ(parse_colour_answer("#ffff80800000"), (Rgb{255, 128, 0}));
    for (const char* bad : {"rgb(256,0,0)", "rgb(1,2)", "rgb(1,2,3", "rgb(-1,2,3)", "hsl(1,2,3)", "", "rgb(a,b,c)"}) {
        EXPECT_FALSE(parse_colour_answer(bad).has_value()) << bad;
    }
}

TEST(DialogHelpers, UnicodeConversions) {
    EXPECT_EQ(tinyfd_utf8to16("A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80"), std::u16string(u"A\u00E9\u20AC\U0001F600"));
    EXPECT_EQ(tinyfd_utf16to8(std::u16string_view(u"A\u00E9\u20AC\U0001F600")), "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_FALSE(tinyfd_utf8to16("caf\xE9").has_value());
    EXPECT_FALSE(tinyfd_utf8to16(std::nullopt).has_value());
    const char16_t lone[] = {u'a', static_cast<char16_t>(0xD800), 0};
    EXPECT_FALSE(tinyfd_utf16to8(std::u16string_view(lone)).has_value());
    EXPECT_EQ(tinyfd_utf8toMbcs("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xE4\xB8\xAD"), "\xE9t\xE9 \x80 ?");
    EXPECT_FALSE(tinyfd_utf8toMbcs("\xC3").has_value());
    EXPECT_EQ(tinyfd_setWinUtf8(1), 1);
    EXPECT_EQ(tinyfd_winUtf8, 1);
    reset_tinyfd();
    EXPECT_EQ(tinyfd_winUtf8, 0);
}
