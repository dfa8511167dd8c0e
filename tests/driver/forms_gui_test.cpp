// The forms module as the driver loads it: a module that cannot be loaded
// ends the run with the loader's reason under the usual message.
#include "driver_fixture.h"

#include "driver/forms_gui.h"

#include <string>

namespace {

using FormsModule = tarvex_test::DriverTest;

TEST_F(FormsModule, AModuleThatCannotBeLoadedEndsTheRunWithTheLoadersReason) {
    const std::string file = (dir_.path() / kFormsModuleFile).string();
    RunStopped stopped = stop_of([&file] { load_forms_module(file); });
    EXPECT_EQ(stopped.exit_code, kExitConfiguration);
    const std::string reason = file + ": cannot open shared object file: No such file or directory";
    ASSERT_EQ(boxes.size(), 1u);
    // The reason's "/" stay plain, on one line of its own.
    EXPECT_EQ(boxes[0].text, std::string(tarvex_test::kNoFormWindow) + "\n" + reason);
    EXPECT_TRUE(logged(tarvex_test::kNoFormWindow));
    EXPECT_TRUE(logged(reason));
    EXPECT_NE(stopped.text.find(reason), std::string::npos);

    // A file that is no shared object: the same end, the loader's own words.
    dir_.write(kFormsModuleFile, "not a module\n");
    boxes.clear();
    stopped = stop_of([&file] { load_forms_module(file); });
    EXPECT_EQ(stopped.exit_code, kExitConfiguration);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind(std::string(tarvex_test::kNoFormWindow) + "\n" + file + ": ", 0), 0u)
        << boxes[0].text;
}

}  // namespace
