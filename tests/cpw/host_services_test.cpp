// The host services as the null host gives them to the tests of the forms.
#include "cpw_fixture.h"

#include "cpw/host_services.h"

namespace cpw_test {
namespace {

std::vector<int> hooked;

void hook(const CpwRawKey& key) {
    hooked.push_back(key.vk);
}

using HostServicesTest = CpwTest;

TEST_F(HostServicesTest, ClipboardHoldsTheLastText) {
    std::string text = "x";
    EXPECT_FALSE(cpw_clipboard_read(text));
    EXPECT_TRUE(text.empty());
    EXPECT_TRUE(cpw_clipboard_write("caf\xE9"));
    EXPECT_TRUE(cpw_clipboard_read(text));
    EXPECT_EQ(text, "caf\xE9");
    null_host.clipboard_fails = true;
    EXPECT_FALSE(cpw_clipboard_write("other"));
    EXPECT_TRUE(cpw_clipboard_read(text));
    EXPECT_EQ(text, "caf\xE9");
}

TEST_F(HostServicesTest, RawKeysReachTheInstalledHook) {
    hooked.clear();
    null_host_rawkey(CpwRawKey{cpw_rawkey_keydown, 'A', 30, 0, 0, 'a', 'A', 0, ctx, 1});
    EXPECT_TRUE(hooked.empty());
    EXPECT_EQ(cpw_rawkeyhook_set(hook), nullptr);
    null_host_rawkey(CpwRawKey{cpw_rawkey_keydown, 'A', 30, 0, 0, 'a', 'A', 0, ctx, 1});
    EXPECT_EQ(hooked, std::vector<int>{'A'});
    EXPECT_EQ(cpw_rawkeyhook_set(nullptr), hook);
}

TEST_F(HostServicesTest, NativeHandlesTellWindowsApart) {
    const std::uint32_t a = make_window();
    const std::uint32_t b = make_window();
    const std::uintptr_t ha = cpw_localhost_nativehandle(cpw_windowlist_lookup(ctx, a)->plhwc);
    const std::uintptr_t hb = cpw_localhost_nativehandle(cpw_windowlist_lookup(ctx, b)->plhwc);
    EXPECT_NE(ha, 0u);
    EXPECT_NE(ha, hb);
    EXPECT_EQ(cpw_localhost_nativehandle(nullptr), 0u);
}

}  // namespace
}  // namespace cpw_test
