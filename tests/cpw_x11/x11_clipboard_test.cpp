#include "x11_fixture.h"

#include "support/x11_clipboard_holder.h"

#include <X11/Xatom.h>

#include <string>
#include <utility>
#include <vector>

namespace x11_test {
namespace {

using X11ClipboardTest = X11Test;

// Another program holding the clipboard: UTF-8 text when it offers it, and
// always a Latin-1 text that ends with a Latin-1 control character.
tarvex_test::ClipboardHolder other_program(const std::string& utf8, bool offers_utf8) {
    std::vector<std::pair<std::string, std::string>> offers;
    if (offers_utf8) {
        offers.emplace_back("UTF8_STRING", utf8);
    }
    offers.emplace_back("STRING", "na\xEFve \x85");
    return tarvex_test::ClipboardHolder(offers);
}

TEST_F(X11ClipboardTest, OurTextComesBackAndGoesToOtherPrograms) {
    make_window();
    const std::string text = "caf\xE9 \x80";
    ASSERT_TRUE(cpw_clipboard_write(text));
    std::string back;
    EXPECT_TRUE(cpw_clipboard_read(back));
    EXPECT_EQ(back, text);

    std::string bytes;
    Atom type = None;
    ASSERT_TRUE(ask_clipboard(XInternAtom(user, "UTF8_STRING", False), bytes, type));
    EXPECT_EQ(type, XInternAtom(user, "UTF8_STRING", False));
    EXPECT_EQ(bytes, "caf\xC3\xA9 \xE2\x82\xAC");
    ASSERT_TRUE(ask_clipboard(XA_STRING, bytes, type));
    EXPECT_EQ(type, XA_STRING);
    EXPECT_EQ(bytes, "caf\xE9 ?");  // Latin-1 has no euro sign
    ASSERT_TRUE(ask_clipboard(XInternAtom(user, "TARGETS", False), bytes, type));
    EXPECT_EQ(type, XA_ATOM);
    ASSERT_GE(bytes.size(), 2 * sizeof(long));
    const auto* targets = reinterpret_cast<const long*>(bytes.data());
    const auto offered = [&](Atom a) {
        for (std::size_t i = 0; i < bytes.size() / sizeof(long); ++i) {
            if (static_cast<Atom>(targets[i]) == a) {
                return true;
            }
        }
        return false;
    };
    EXPECT_TRUE(offered(XInternAtom(user, "UTF8_STRING", False)));
    EXPECT_TRUE(offered(XA_STRING));
    // A format we do not have is refused.
    EXPECT_FALSE(ask_clipboard(XInternAtom(user, "image/png", False), bytes, type));
}

TEST_F(X11ClipboardTest, TextOfAnotherProgramIsReadAsCp1252) {
    make_window();
    ASSERT_TRUE(cpw_clipboard_write("ours"));
    {
        const auto other = other_program("na\xC3\xAFve \xE2\x82\xAC \xE2\x9C\x93", true);  // naïve € ✓
        // Our host learns it lost the clipboard when it pumps.
        ASSERT_TRUE(pump_until([] { return !cpw_x11_connection()->owns_clipboard; }));
        std::string text;
        EXPECT_TRUE(cpw_clipboard_read(text));
        EXPECT_EQ(text, "na\xEFve \x80 ?");
    }
    {
        const auto other = other_program("unused", false);  // offers Latin-1 only
        std::string text;
        EXPECT_TRUE(cpw_clipboard_read(text));
        EXPECT_EQ(text, "na\xEFve ?");
    }
}

TEST_F(X11ClipboardTest, AnEmptyClipboardGivesNothing) {
    make_window();
    // Nobody holds the clipboard.
    XSetSelectionOwner(user, XInternAtom(user, "CLIPBOARD", False), None, CurrentTime);
    XSync(user, False);
    std::string text = "stale";
    EXPECT_FALSE(cpw_clipboard_read(text));
    EXPECT_TRUE(text.empty());
    // A holder that never answers: the read gives up.
    const Window silent = XCreateSimpleWindow(user, DefaultRootWindow(user), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(user, XInternAtom(user, "CLIPBOARD", False), silent, CurrentTime);
    XSync(user, False);
    EXPECT_FALSE(cpw_clipboard_read(text));
    EXPECT_TRUE(text.empty());
    XDestroyWindow(user, silent);
}

}  // namespace
}  // namespace x11_test
