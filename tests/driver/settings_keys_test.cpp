#include "driver/settings_keys.h"

#include "driver/settings_file.h"
#include "driver_fixture.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

using tarvex_test::DriverTest;

namespace {

class SettingsKeys : public DriverTest {};

TEST_F(SettingsKeys, EachKeyOnceAndTheMembersTypeFitsItsType) {
    std::set<std::string_view> keys;
    for (const Setting& setting : settings_table()) {
        EXPECT_TRUE(keys.insert(setting.key).second) << setting.key;
        if (setting.type == SettingType::flag) {
            EXPECT_TRUE(std::holds_alternative<bool*>(setting.member) || setting.read != nullptr) << setting.key;
        }
        if (std::holds_alternative<std::monostate>(setting.member)) {
            EXPECT_NE(setting.read, nullptr) << setting.key;
        }
    }
    ASSERT_NE(find_setting("Crop_Airspace"), nullptr);
    EXPECT_EQ(find_setting("crop_airspace"), nullptr);
}

TEST_F(SettingsKeys, ReadAndWrittenByTheTable) {
    SettingsFileSwitches file;
    const Setting& margin = *find_setting("Start height margin");
    read_setting(margin, "250", file);
    EXPECT_EQ(tarvex01.start_margin, 250);
    read_setting(margin, "much", file);  // not a number: left as it was
    EXPECT_EQ(written_value(margin, file), "250");

    // An older name is read, never written, and a blank value counts where the
    // setting says so.
    const Setting& old_name = *find_setting("Destination Folder");
    EXPECT_TRUE(old_name.comment.empty());
    read_setting(old_name, "", file);
    EXPECT_EQ(tarvex_c.xcsoar_tasks, "");
    const Setting& script = *find_setting("Post run script");
    tarvex_c1.scrnam = "run.cmd";
    read_setting(script, "", file);
    EXPECT_EQ(written_value(script, file), "run.cmd");

    read_setting(*find_setting("Tarvex Version"), "4401", file);
    read_setting(*find_setting("AAT"), "1", file);
    EXPECT_EQ(file.version, 4401);
    EXPECT_TRUE(file.aat);
    EXPECT_EQ(written_value(*find_setting("Tarvex Version"), file), "4401");
    EXPECT_EQ(written_value(*find_setting("AAT"), file), "1");
}

}  // namespace
