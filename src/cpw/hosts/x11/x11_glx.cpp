#include "cpw/hosts/x11/x11_host.h"
#include "cpw/hosts/x11/x11_rules.h"

#include "cpw/gl_float_guard.h"
#include "cpw/internal.h"
#include "cpw/localhost.h"

GLXFBConfig cpw_x11_chooseconfig(std::uint32_t displaymode) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr) {
        return nullptr;
    }
    const std::vector<int> attributes = cpw_glx_attributes(cpw_displaymode_pixelformat(displaymode));
    const CpwGlFloatGuard guard;
    int count = 0;
    GLXFBConfig* configs = glXChooseFBConfig(c->display, c->screen, attributes.data(), &count);
    GLXFBConfig chosen = nullptr;
    // GLX sorts the best match first; a configuration is usable for a window
    // only with an X visual.
    for (int i = 0; i < count && chosen == nullptr; ++i) {
        XVisualInfo* visual = glXGetVisualFromFBConfig(c->display, configs[i]);
        if (visual != nullptr) {
            chosen = configs[i];
            XFree(visual);
        }
    }
    if (configs != nullptr) {
        XFree(configs);
    }
    return chosen;
}

bool cpw_localhost_setpixelformat(CpwContext* ctx, CpwLocalhostWindow* window) {
    // The visual of the pixel format was chosen with the window, which X
    // needs at creation; here the outcome is reported.
    if (window == nullptr || window->config == nullptr) {
        cpw_error_set(ctx, cpw_error_nopixelformat);
        return false;
    }
    if (!window->visual) {
        cpw_error_set(ctx, cpw_error_setpixelformat);
        return false;
    }
    return true;
}

bool cpw_localhost_createglcontext(CpwContext* ctx, CpwLocalhostWindow* window) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr || window->config == nullptr) {
        cpw_error_set(ctx, cpw_error_glcontext);
        return false;
    }
    const CpwGlFloatGuard guard;
    int render_type = GLX_RGBA_TYPE;
    int config_type = 0;
    if (glXGetFBConfigAttrib(c->display, window->config, GLX_RENDER_TYPE, &config_type) == Success &&
        (config_type & GLX_RGBA_BIT) == 0) {
        render_type = GLX_COLOR_INDEX_TYPE;
    }
    cpw_x11_clearerror();
    window->glContext = glXCreateNewContext(c->display, window->config, render_type, nullptr, True);
    if (window->glContext == nullptr || cpw_x11_syncerror() != 0) {
        if (window->glContext != nullptr) {
            glXDestroyContext(c->display, window->glContext);
            window->glContext = nullptr;
        }
        cpw_error_set(ctx, cpw_error_glcontext);
        return false;
    }
    return true;
}

bool cpw_localhost_makecurrent(CpwContext* ctx, CpwLocalhostWindow* window) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr || window->glContext == nullptr || window->gone) {
        cpw_error_set(ctx, cpw_error_makecurrent);
        return false;
    }
    const CpwGlFloatGuard guard;
    if (glXMakeCurrent(c->display, window->hwnd, window->glContext) != True) {
        cpw_error_set(ctx, cpw_error_makecurrent);
        return false;
    }
    return true;
}

void cpw_localhost_destroyglcontext(CpwContext*, CpwLocalhostWindow* window) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr || window->glContext == nullptr) {
        return;
    }
    const CpwGlFloatGuard guard;
    if (glXGetCurrentContext() == window->glContext) {
        glXMakeCurrent(c->display, None, nullptr);
    }
    glXDestroyContext(c->display, window->glContext);
    window->glContext = nullptr;
}

int cpw_localhost_swapbuffers(CpwLocalhostWindow* window) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || window == nullptr || window->hwnd == 0 || window->gone) {
        return 0;
    }
    const CpwGlFloatGuard guard;
    glXSwapBuffers(c->display, window->hwnd);
    return 1;
}
