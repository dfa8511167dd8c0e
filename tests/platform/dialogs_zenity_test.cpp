#include "dialog_test_support.h"

#include "platform/dialog_backends.h"

#include "support/zenity_stub.h"

#include <filesystem>

using tarvex_test::ScopedEnv;
using tarvex_test::TempDir;
using tarvex_test::ZenityStub;

using Args = std::vector<std::string>;

class ZenityDialogs : public DialogTest {
protected:
    ZenityStub zenity;
};

TEST_F(ZenityDialogs, MessageBoxesByTypeAndIcon) {
    zenity.answer(1, "", 1);  // even a closed box answers 1 for "ok"
    EXPECT_EQ(tinyfd_messageBox("Tarvex", "Line 1\nC:\\Condor3\\<x>", "ok", "info", 1), 1);
    EXPECT_EQ(zenity.args(1), (Args{"--info", "--title=Tarvex", "--text=Line 1\nC:\\Condor3\\<x>", "--no-markup"}));

    tinyfd_messageBox("T", "M", "ok", "error", 1);
    EXPECT_EQ(zenity.args(2).front(), "--error");
    tinyfd_messageBox("T", "M", "ok", "warning", 1);
    EXPECT_EQ(zenity.args(3).front(), "--warning");
    tinyfd_messageBox("", "M", "ok", "question", 1);
    EXPECT_EQ(zenity.args(4), (Args{"--info", "--text=M", "--no-markup"}));  // no title: zenity's own
}

TEST_F(ZenityDialogs, QuestionsAndTheirAnswers) {
    zenity.answer(1, "", 0);
    EXPECT_EQ(tinyfd_messageBox("Q", "Go?", "yesno", "question", 1), 1);
    EXPECT_EQ(zenity.args(1),
              (Args{"--question", "--title=Q", "--text=Go?", "--no-markup", "--ok-label=Yes", "--cancel-label=No"}));

    zenity.answer(2, "", 1);
    EXPECT_EQ(tinyfd_messageBox("Q", "Go?", "yesno", "question", 0), 0);
    EXPECT_EQ(zenity.args(2).back(), "--default-cancel");

    zenity.answer(3, "", 0);
    EXPECT_EQ(tinyfd_messageBox("Q", "Go?", "okcancel", "question", 1), 1);
    EXPECT_EQ(zenity.args(3),
              (Args{"--question", "--title=Q", "--text=Go?", "--no-markup", "--ok-label=OK", "--cancel-label=Cancel"}));
    zenity.answer(4, "", 1);
    EXPECT_EQ(tinyfd_messageBox("Q", "Go?", "okcancel", "question", 1), 0);

    zenity.answer(5, "No\n", 1);
    EXPECT_EQ(tinyfd_messageBox("Q", "Save?", "yesnocancel", "question", 1), 2);
    EXPECT_EQ(zenity.args(5), (Args{"--question", "--title=Q", "--text=Save?", "--no-markup", "--ok-label=Yes",
                                    "--cancel-label=Cancel", "--extra-button=No"}));
    zenity.answer(6, "", 1);  // Cancel, or the window closed
    EXPECT_EQ(tinyfd_messageBox("Q", "Save?", "yesnocancel", "question", 1), 0);
    zenity.answer(7, "", 0);
    EXPECT_EQ(tinyfd_messageBox("Q", "Save?", "yesnocancel", "question", 0), 1);
    EXPECT_EQ(zenity.args(7).back(), "--default-cancel");
    zenity.answer(8, "", 5);  // timed out
    EXPECT_EQ(tinyfd_messageBox("Q", "Go?", "yesno", "question", 1), 0);
}

TEST_F(ZenityDialogs, TextsGoOutAsUtf8AndComeBackAsCp1252) {
    zenity.answer(1, "r\xC3\xA9ponse \xE2\x82\xAC\n", 0);
    const std::optional<std::string> answer = tinyfd_inputBox("Caf\xE9", "Chemin C:\\Condor3\\\x80", "d\xE9j\xE0");
    EXPECT_EQ(answer, "r\xE9ponse \x80");
    // The entry's text is read with backslash escapes: backslashes are doubled.
    EXPECT_EQ(zenity.args(1), (Args{"--entry", "--title=Caf\xC3\xA9", "--text=Chemin C:\\\\Condor3\\\\\xE2\x82\xAC",
                                    "--entry-text=d\xC3\xA9j\xC3\xA0"}));
    EXPECT_EQ(tinyfd_inputBox(std::nullopt, std::nullopt, std::nullopt), "r\xE9ponse \x80");

    zenity.answer(2, "", 1);
    EXPECT_FALSE(tinyfd_inputBox("T", "Password", std::nullopt).has_value());
    EXPECT_EQ(zenity.args(2), (Args{"--entry", "--title=T", "--text=Password", "--hide-text"}));
    EXPECT_FALSE(tinyfd_inputBox(std::nullopt, std::nullopt, std::nullopt).has_value());

    zenity.answer(3, "\n", 0);
    EXPECT_EQ(tinyfd_inputBox("T", "M", ""), "");
}

TEST_F(ZenityDialogs, OpenFileArgumentsAndAnswers) {
    prefix.add_file("C:\\Plans\\a.fpl", "x");
    prefix.add_file("C:\\Plans\\b \xE9t\xE9.fpl", "x");
    const std::string plans = host("C:\\Plans");
    const std::string a = host("C:\\Plans\\a.fpl");

    // The start folder is shown as the host names it; the answer comes back in Windows form.
    zenity.answer(1, a + "\n", 0);
    EXPECT_EQ(tinyfd_openFileDialog("Open", "C:\\plans", {"*.fpl"}, "Flight plans", false), "C:\\Plans\\a.fpl");
    EXPECT_EQ(zenity.args(1), (Args{"--file-selection", "--title=Open", "--filename=" + plans + "/",
                                    "--file-filter=Flight plans | *.fpl", "--file-filter=All Files | *"}));

    // Without a description the patterns name the filter; a default file is preselected.
    zenity.answer(2, a + "\n", 0);
    const std::string trace =
        converse("", [] { tinyfd_openFileDialog("Open", "C:\\Plans\\a.fpl", {"*.fpl", "*.cup"}, "", false); });
    EXPECT_EQ(trace, "aDefaultPathAndFile ; lBuff : C:\\Plans ; a.fpl\n");
    EXPECT_EQ(zenity.args(2), (Args{"--file-selection", "--title=Open", "--filename=" + a,
                                    "--file-filter=*.fpl;*.cup | *.fpl *.cup", "--file-filter=All Files | *"}));

    // No patterns, no default (or one on a drive the prefix lacks): a bare selection.
    zenity.answer(3, "", 1);
    EXPECT_FALSE(tinyfd_openFileDialog("", "Q:\\Plans", {}, "", false).has_value());
    EXPECT_EQ(zenity.args(3), (Args{"--file-selection"}));

    // Multiple selection: the files joined by "|", names back in cp1252, missing ones dropped.
    zenity.answer(4, a + "|" + plans + "/gone.fpl|" + plans + "/b \xC3\xA9t\xC3\xA9.fpl\n", 0);
    EXPECT_EQ(tinyfd_openFileDialog("Open", "C:\\Plans\\", {"*.fpl"}, "", true),
              "C:\\Plans\\a.fpl|C:\\Plans\\b \xE9t\xE9.fpl");
    EXPECT_EQ(zenity.args(4), (Args{"--file-selection", "--title=Open", "--filename=" + plans + "/", "--multiple",
                                    "--separator=|", "--file-filter=*.fpl | *.fpl", "--file-filter=All Files | *"}));

    zenity.answer(5, plans + "/gone.fpl\n", 0);
    EXPECT_FALSE(tinyfd_openFileDialog("Open", "C:\\Plans", {"*.fpl"}, "", false).has_value());

    // A pattern of a form file holds several, separated by ";": zenity gets them separated by blanks.
    zenity.answer(6, a + "\n", 0);
    EXPECT_EQ(tinyfd_openFileDialog("Open", "C:\\Plans", {"*.fpl; *.cup;"}, "", false), "C:\\Plans\\a.fpl");
    EXPECT_EQ(zenity.args(6), (Args{"--file-selection", "--title=Open", "--filename=" + plans + "/",
                                    "--file-filter=*.fpl; *.cup; | *.fpl *.cup", "--file-filter=All Files | *"}));
}

TEST_F(ZenityDialogs, SaveAndFolderDialogs) {
    prefix.add_folder("C:\\Out");
    const std::string out = host("C:\\Out");

    zenity.answer(1, out + "/task.tsk\n", 0);
    EXPECT_EQ(tinyfd_saveFileDialog("Save", "C:\\Out", {"*.tsk"}, "XCSoar tasks"), "C:\\Out\\task.tsk");
    EXPECT_EQ(zenity.args(1), (Args{"--file-selection", "--save", "--confirm-overwrite", "--title=Save",
                                    "--filename=" + out + "/", "--file-filter=XCSoar tasks | *.tsk",
                                    "--file-filter=All Files | *"}));
    zenity.answer(2, out + "/what?.tsk\n", 0);
    EXPECT_FALSE(tinyfd_saveFileDialog("Save", "C:\\Out", {"*.tsk"}, "").has_value());
    zenity.answer(3, out + "/missing/task.tsk\n", 0);
    EXPECT_FALSE(tinyfd_saveFileDialog("Save", "C:\\Out", {"*.tsk"}, "").has_value());
    zenity.answer(4, "", 1);
    EXPECT_FALSE(tinyfd_saveFileDialog("Save", "C:\\Out", {"*.tsk"}, "").has_value());

    zenity.answer(5, out + "\n", 0);
    EXPECT_EQ(tinyfd_selectFolderDialog("Destination", "C:\\Out"), "C:\\Out");
    EXPECT_EQ(zenity.args(5), (Args{"--file-selection", "--directory", "--title=Destination", "--filename=" + out + "/"}));
    zenity.answer(6, out + "/gone\n", 0);
    EXPECT_FALSE(tinyfd_selectFolderDialog("Destination", "").has_value());
    EXPECT_EQ(zenity.args(6), (Args{"--file-selection", "--directory", "--title=Destination"}));
    zenity.answer(7, "", 1);
    EXPECT_FALSE(tinyfd_selectFolderDialog("Destination", "C:\\Out").has_value());

    // A folder named with a character cp1252 lacks: an error box, and the question again.
    std::filesystem::create_directory(out + "/Tasks\xC4\x81");
    zenity.answer(8, out + "/Tasks\xC4\x81\n", 0);
    zenity.answer(10, out + "\n", 0);
    EXPECT_EQ(tinyfd_selectFolderDialog("Destination", "C:\\Out"), "C:\\Out");
    EXPECT_EQ(zenity.args(9)[0], "--error");
}

TEST_F(ZenityDialogs, ColourChooser) {
    Rgb result{};
    zenity.answer(1, "rgb(1,2,254)\n", 0);
    EXPECT_EQ(tinyfd_colorChooser("choose a nice color", "#F5CA20", Rgb{}, result), "#0102fe");
    EXPECT_EQ(result, (Rgb{1, 2, 254}));
    EXPECT_EQ(zenity.args(1), (Args{"--color-selection", "--title=choose a nice color", "--color=#f5ca20"}));

    zenity.answer(2, "", 1);
    EXPECT_EQ(tinyfd_colorChooser("C", "#F5CA20", Rgb{}, result), "#F5CA20");
    EXPECT_EQ(result, (Rgb{0xF5, 0xCA, 0x20}));

    zenity.answer(3, "rgba(10,20,30,0.5)\n", 0);
    EXPECT_EQ(tinyfd_colorChooser("C", std::nullopt, Rgb{7, 8, 9}, result), "#0a141e");
    EXPECT_EQ(zenity.args(3).back(), "--color=#070809");

    zenity.answer(4, "something odd\n", 0);
    EXPECT_EQ(tinyfd_colorChooser("C", std::nullopt, Rgb{7, 8, 9}, result), "#070809");
    EXPECT_EQ(result, (Rgb{7, 8, 9}));
}

TEST_F(ZenityDialogs, NotificationAndQuery) {
    EXPECT_EQ(tinyfd_notifyPopup("Tarvex", "Written to C:\\x", "info"), 1);
    EXPECT_EQ(zenity.args(1), (Args{"--notification", "--text=Tarvex\nWritten to C:\\\\x"}));

    Rgb result{};
    EXPECT_EQ(tinyfd_messageBox("tinyfd_query", "", "ok", "info", 1), 1);
    EXPECT_EQ(tinyfd_response, "zenity");
    EXPECT_EQ(tinyfd_inputBox("tinyfd_query", "", ""), "");
    EXPECT_TRUE(tinyfd_openFileDialog("tinyfd_query", "", {}, "", false).has_value());
    EXPECT_TRUE(tinyfd_saveFileDialog("tinyfd_query", "", {}, "").has_value());
    EXPECT_TRUE(tinyfd_selectFolderDialog("tinyfd_query", "").has_value());
    EXPECT_TRUE(tinyfd_colorChooser("tinyfd_query", "#000000", Rgb{}, result).has_value());
    EXPECT_EQ(tinyfd_notifyPopup("tinyfd_query", "", "info"), 1);
    EXPECT_EQ(zenity.runs(), 1);  // the queries started nothing
}

TEST_F(ZenityDialogs, RejectedArgumentsFallBackToTheConsole) {
    zenity.answer(1, "", 255);
    int answer = -1;
    const std::string out = converse("y\n", [&] { answer = tinyfd_messageBox("T", "Go?", "yesno", "question", 1); });
    EXPECT_EQ(answer, 1);
    EXPECT_NE(out.find("y/n: "), std::string::npos);
    EXPECT_EQ(zenity.runs(), 1);
}

TEST_F(ZenityDialogs, ZenityGetsNoStandardInput) {
    // zenity must not eat the program's own input: it stays for the console.
    tarvex_test::ScopedStdin input("kept for the program\n");
    zenity.read_all_input();
    tinyfd_messageBox("T", "M", "ok", "info", 1);
    std::string line;
    ASSERT_TRUE(console_read_line(line));
    EXPECT_EQ(line, "kept for the program");
}

TEST(DialogBackendChoice, DisplayZenityAndTheSwitches) {
    reset_tinyfd();
    ZenityStub zenity;  // on PATH, and forced
    const TempDir nowhere;
    EXPECT_EQ(choose_dialog_backend().backend, DialogBackend::zenity);
    EXPECT_TRUE(choose_dialog_backend().forced);
    {
        ScopedEnv automatic("TARVEX_DIALOGS", nullptr);
        ScopedEnv display("DISPLAY", nullptr);
        ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
        EXPECT_EQ(choose_dialog_backend().backend, DialogBackend::console);
        EXPECT_FALSE(choose_dialog_backend().forced);
        {
            ScopedEnv set("DISPLAY", ":0");
            EXPECT_EQ(choose_dialog_backend().backend, DialogBackend::zenity);
            EXPECT_FALSE(choose_dialog_backend().forced);
            ScopedEnv path("PATH", nowhere.path().string().c_str());
            EXPECT_EQ(choose_dialog_backend().backend, DialogBackend::console);
        }
        {
            ScopedEnv set("WAYLAND_DISPLAY", "wayland-0");
            EXPECT_EQ(choose_dialog_backend().backend, DialogBackend::zenity);
            ScopedEnv console("TARVEX_DIALOGS", "console");
            EXPECT_EQ(choose_dialog_backend().backend, DialogBackend::console);
            EXPECT_TRUE(choose_dialog_backend().forced);
        }
        {
            ScopedEnv empty("DISPLAY", "");
            EXPECT_EQ(choose_dialog_backend().backend, DialogBackend::console);
        }
    }
    {
        ScopedEnv path("PATH", nowhere.path().string().c_str());
        EXPECT_EQ(choose_dialog_backend().backend, DialogBackend::console);  // forced but not found
    }
    tinyfd_forceConsole = 1;
    EXPECT_EQ(choose_dialog_backend().backend, DialogBackend::console);
    reset_tinyfd();
}
