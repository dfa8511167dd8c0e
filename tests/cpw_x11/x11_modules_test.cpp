#include "x11_fixture.h"

#include "cpw/extensions.h"
#include "cpw/joystick.h"
#include "cpw/keymouse.h"
#include "cpw/primitives.h"
#include "cpw/video.h"

#include <GL/gl.h>

#include <sstream>
#include <sys/stat.h>

namespace x11_test {
namespace {

using X11ModulesTest = X11Test;

// The driver's extension names, in its order.
std::vector<std::string> driver_extensions() {
    const CpwGlFloatGuard guard;
    const auto* text = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    std::vector<std::string> names;
    std::istringstream in(text == nullptr ? "" : text);
    for (std::string name; in >> name;) {
        names.push_back(name);
    }
    return names;
}

TEST_F(X11ModulesTest, ExtensionsNeedAWindow) {
    EXPECT_EQ(cpwIterateExtensions(ctx), nullptr);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_nowindowforgl);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwExtensionSupport(ctx, "GL_ARB_multitexture"), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_nowindowforgl);
    cpwSetLastError(ctx, 0);
    EXPECT_EQ(cpwIterateExtensionsReset(ctx), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_nowindowforgl);
}

TEST_F(X11ModulesTest, ExtensionListCappedAt200AndTheWholeStringSearched) {
    make_window();
    const std::vector<std::string> all = driver_extensions();
    ASSERT_FALSE(all.empty());
    std::vector<std::string> listed;
    for (const char* name = cpwIterateExtensions(ctx); name != nullptr; name = cpwIterateExtensions(ctx)) {
        listed.emplace_back(name);
    }
    const std::size_t expected = std::min<std::size_t>(all.size(), cpw_extensions_max);
    ASSERT_EQ(listed.size(), expected);
    EXPECT_TRUE(std::equal(listed.begin(), listed.end(), all.begin()));
    EXPECT_EQ(cpwIterateExtensions(ctx), nullptr);
    EXPECT_EQ(cpwIterateExtensionsReset(ctx), 1);
    EXPECT_EQ(std::string(cpwIterateExtensions(ctx)), all.front());

    EXPECT_EQ(cpwExtensionSupport(ctx, "GL_ARB_multitexture"), 1);
    EXPECT_EQ(cpwExtensionSupport(ctx, all.back().c_str()), 1);  // beyond the list when the driver has more
    EXPECT_EQ(cpwExtensionSupport(ctx, "GL_ARB_multi"), 0);
    EXPECT_EQ(cpwExtensionSupport(ctx, "GL_TARVEX_nothing"), 0);
    EXPECT_EQ(cpwGetLastError(ctx), 0);
    EXPECT_EQ(cpwExtensionSupport(ctx, nullptr), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument);
}

// A window with an orthographic projection of 4 x 4 units about its middle.
class X11PrimitivesTest : public X11Test {
protected:
    void SetUp() override {
        X11Test::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        id = make_window(100, 100, 200, 200);
        ASSERT_EQ(cpwSetWindow(ctx, id), 1);
        const CpwGlFloatGuard guard;
        glViewport(0, 0, 200, 200);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-2, 2, -2, 2, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    void clear() {
        const CpwGlFloatGuard guard;
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glColor3f(1, 1, 1);
    }

    // How many pixels are not black.
    int lit_pixels() {
        const CpwGlFloatGuard guard;
        glFinish();
        std::vector<unsigned char> rgb(200 * 200 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, 200, 200, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        int lit = 0;
        for (std::size_t i = 0; i < rgb.size(); i += 3) {
            lit += rgb[i] != 0 ? 1 : 0;
        }
        return lit;
    }

    GLenum gl_error() {
        const CpwGlFloatGuard guard;
        return glGetError();
    }

    std::uint32_t id = 0;
};

TEST_F(X11PrimitivesTest, EveryKindDrawsWithoutAGlError) {
    for (const float texture : {0.0f, 1.0f}) {
        ASSERT_EQ(cpwSetPrimitiveOpt(ctx, cpw_primopt_texture, texture), 1);
        for (int kind = 0; kind < cpw_prim_kinds; ++kind) {
            clear();
            EXPECT_EQ(cpwDrawPrimitive(ctx, kind), 1) << kind;
            EXPECT_EQ(gl_error(), static_cast<GLenum>(GL_NO_ERROR)) << "kind " << kind << " texture " << texture;
            const int lit = lit_pixels();
            if (kind <= cpw_prim_solidrectangle2d) {
                EXPECT_GT(lit, 0) << "kind " << kind << " drew nothing";
            } else {
                EXPECT_EQ(lit, 0) << "kind " << kind << " is kept free";
            }
        }
    }
}

TEST_F(X11PrimitivesTest, SolidKindsFillWhatWireKindsOutline) {
    for (const int wire : {cpw_prim_wiresphere, cpw_prim_wirecube, cpw_prim_wireteapot, cpw_prim_wiresquare2d}) {
        clear();
        cpwDrawPrimitive(ctx, wire);
        const int outline = lit_pixels();
        clear();
        cpwDrawPrimitive(ctx, wire + 1);
        EXPECT_GT(lit_pixels(), outline) << wire;
    }
    // The scale applies to every kind.
    clear();
    cpwDrawPrimitive(ctx, cpw_prim_solidsquare2d);
    const int one = lit_pixels();
    cpwSetPrimitiveOpt(ctx, cpw_primopt_scale, 0.5f);
    clear();
    cpwDrawPrimitive(ctx, cpw_prim_solidsquare2d);
    EXPECT_NEAR(lit_pixels(), one / 4, one / 20);
    EXPECT_EQ(gl_error(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(X11ModulesTest, VideoModesOfTheTestServer) {
    CpwVideoList list{};
    ASSERT_EQ(cpwListVideoModes(ctx, &list), 1);
    ASSERT_GE(list.size, 1);
    EXPECT_TRUE(list.list[0].active);
    EXPECT_EQ(list.list[0].width, static_cast<std::uint32_t>(tarvex_test::XvfbServer::screen_width));
    EXPECT_EQ(list.list[0].height, static_cast<std::uint32_t>(tarvex_test::XvfbServer::screen_height));
    EXPECT_EQ(list.list[0].depth, 32u);
    for (int i = 1; i < list.size; ++i) {
        EXPECT_FALSE(list.list[static_cast<std::size_t>(i)].active);
    }

    EXPECT_EQ(cpwChangeVideoMode(ctx, 1280, 1024, 32), 1);  // the mode it has
    EXPECT_EQ(ctx->cpw_screenwidth, 1280u);
    EXPECT_EQ(cpwChangeVideoMode(ctx, 1280, 1024, 16), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_videochange);
    EXPECT_EQ(cpwChangeVideoMode(ctx, 333, 222, 32), 0);
    EXPECT_EQ(cpwGetLastError(ctx), cpw_error_videochange);
    EXPECT_EQ(cpwResetVideoMode(ctx), 1);
    EXPECT_EQ(ctx->cpw_screenwidth, 1280u);
    EXPECT_EQ(ctx->cpw_screenheight, 1024u);
}

TEST_F(X11ModulesTest, MouseCapabilitiesAndState) {
    CpwMouseInfo info{};
    ASSERT_EQ(cpwMouseCapabilities(ctx, &info), 1);
    EXPECT_TRUE(info.mouse);
    EXPECT_GE(info.buttons, 1);

    const std::uint32_t id = make_window();
    pointer_to(150, 150);
    ASSERT_TRUE(pump_until_seen(event_text("move", id, {50, 50})));
    CpwMouseState state{};
    cpwMouseState(ctx, &state);  // from here on
    pointer_to(170, 140);
    ASSERT_TRUE(pump_until_seen(event_text("move", id, {70, 40})));
    button(1, true);
    button(4, true);
    button(4, false);
    ASSERT_TRUE(pump_until_seen(event_text("click", id, {2, 1, 1, 0})));
    ASSERT_EQ(cpwMouseState(ctx, &state), 1);
    EXPECT_EQ(state.x, 20);
    EXPECT_EQ(state.y, -10);
    EXPECT_EQ(state.wheel, 1);
    EXPECT_EQ(state.button, (std::array<bool, 3>{true, false, false}));
    ASSERT_EQ(cpwMouseState(ctx, &state), 1);  // all counted afresh
    EXPECT_EQ(state.x, 0);
    EXPECT_EQ(state.wheel, 0);
    EXPECT_EQ(state.button, (std::array<bool, 3>{false, false, false}));
    button(1, false);
}

TEST_F(X11ModulesTest, KeyStateFollowsTheKeys) {
    const std::uint32_t id = make_window();
    key(XK_F5, true);
    ASSERT_TRUE(pump_until([] { return !seen_of("skey").empty(); }));
    EXPECT_EQ(seen_of("skey").front().rfind(event_text("skey", id, {cpw_key_f5, 1}), 0), 0u);
    EXPECT_EQ(cpwKeyState(ctx, cpw_key_f5), 1);
    key(XK_F5, false);
    ASSERT_TRUE(pump_until([] { return seen_of("skey").size() >= 2; }));
    EXPECT_EQ(cpwKeyState(ctx, cpw_key_f5), 0);
}

TEST_F(X11ModulesTest, NoJoystickWithoutADevice) {
    struct stat st {};
    if (stat("/dev/input/js0", &st) == 0 || stat("/dev/input/js1", &st) == 0) {
        GTEST_SKIP() << "this machine has a joystick";
    }
    CpwJoystickInfo info{};
    EXPECT_EQ(cpwInitJoysticks(ctx, &info), 0);
    EXPECT_EQ(info.count, 0);
    CpwJoystickState state{};
    EXPECT_EQ(cpwJoystickPoll(ctx, 1, &state), 0);
    EXPECT_EQ(state.pov, cpw_joystick_povcentred);
    EXPECT_EQ(cpwGetLastError(ctx), 0);
}

}  // namespace
}  // namespace x11_test
