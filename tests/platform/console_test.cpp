#include "platform/console.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

using tarvex_test::ScopedEnv;

TEST(Console, LocaleIsReadOnceUntilCleared) {
    ScopedEnv all("LC_ALL", nullptr);
    ScopedEnv ctype("LC_CTYPE", nullptr);
    ScopedEnv lang("LANG", "fr_FR.UTF-8");
    clear_console_encoding();
    EXPECT_TRUE(console_is_utf8());
    {
        // A change of the environment during a run is not seen...
        ScopedEnv c("LANG", "C");
        EXPECT_TRUE(console_is_utf8());
        // ...until the encoding is cleared, which reads the locale afresh.
        clear_console_encoding();
        EXPECT_FALSE(console_is_utf8());
        set_console_utf8(true);
        EXPECT_TRUE(console_is_utf8());
    }
    clear_console_encoding();
    EXPECT_TRUE(console_is_utf8());
}

TEST(Console, LinesConvertedOnlyWhenTheyHoldMoreThanAscii) {
    set_console_utf8(true);
    testing::internal::CaptureStdout();
    console_line("plain ascii line that is longer than eight bytes");
    console_line("caf\xE9 \x80");
    console_out("end");
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "plain ascii line that is longer than eight bytes\ncaf\xC3\xA9 \xE2\x82\xAC\nend");
    set_console_utf8(false);
    testing::internal::CaptureStdout();
    console_line("caf\xE9");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "caf\xE9\n");
    clear_console_encoding();
}
