#include "cpw/hosts/x11/x11_host.h"

#include "cpw/internal.h"
#include "cpw/localhost.h"

#include <X11/extensions/Xrandr.h>

#include <memory>

// Video modes through XRandR: the screen sizes the server offers with their
// refresh rates, a change of the whole screen's size, and the way back. A
// display without XRandR has one mode, the current one.

namespace {

// Bits per pixel of the screen's default depth (24-bit colour is stored in 32).
std::uint32_t bits_per_pixel(const CpwX11Connection& c) {
    const int depth = DefaultDepth(c.display, c.screen);
    int count = 0;
    XPixmapFormatValues* formats = XListPixmapFormats(c.display, &count);
    int bits = depth;
    for (int i = 0; i < count; ++i) {
        if (formats[i].depth == depth) {
            bits = formats[i].bits_per_pixel;
        }
    }
    if (formats != nullptr) {
        XFree(formats);
    }
    return static_cast<std::uint32_t>(bits);
}

bool has_randr(const CpwX11Connection& c) {
    int event_base = 0;
    int error_base = 0;
    return XRRQueryExtension(c.display, &event_base, &error_base) != 0;
}

struct ConfigDeleter {
    void operator()(XRRScreenConfiguration* config) const { XRRFreeScreenConfigInfo(config); }
};
using Config = std::unique_ptr<XRRScreenConfiguration, ConfigDeleter>;

Config screen_config(const CpwX11Connection& c) {
    return Config(has_randr(c) ? XRRGetScreenInfo(c.display, c.root) : nullptr);
}

void take_screen_size(CpwContext* ctx, std::uint32_t width, std::uint32_t height) {
    ctx->cpw_screenwidth = width;
    ctx->cpw_screenheight = height;
}

}  // namespace

bool cpw_localhost_listvideomodes(CpwContext*, std::vector<CpwHostVideoMode>& modes) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr) {
        return false;
    }
    modes.clear();
    const std::uint32_t bits = bits_per_pixel(*c);
    const Config config = screen_config(*c);
    if (!config) {
        modes.push_back(CpwHostVideoMode{static_cast<std::uint32_t>(DisplayWidth(c->display, c->screen)),
                                         static_cast<std::uint32_t>(DisplayHeight(c->display, c->screen)), bits, 0,
                                         true});
        return true;
    }
    int count = 0;
    const XRRScreenSize* sizes = XRRConfigSizes(config.get(), &count);
    Rotation rotation = 0;
    const SizeID current = XRRConfigCurrentConfiguration(config.get(), &rotation);
    const short current_rate = XRRConfigCurrentRate(config.get());
    for (int i = 0; i < count; ++i) {
        const auto width = static_cast<std::uint32_t>(sizes[i].width);
        const auto height = static_cast<std::uint32_t>(sizes[i].height);
        int rate_count = 0;
        const short* rates = XRRConfigRates(config.get(), i, &rate_count);
        if (rate_count <= 0) {
            modes.push_back(CpwHostVideoMode{width, height, bits, 0, i == current});
            continue;
        }
        for (int r = 0; r < rate_count; ++r) {
            modes.push_back(CpwHostVideoMode{width, height, bits, rates[r], i == current && rates[r] == current_rate});
        }
    }
    return true;
}

bool cpw_localhost_changevideomode(CpwContext* ctx, std::uint32_t width, std::uint32_t height, std::uint32_t depth) {
    CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || ctx->ctx_localhost == nullptr || depth != bits_per_pixel(*c)) {
        return false;
    }
    const Config config = screen_config(*c);
    if (!config) {
        // One mode: the change to it is no change.
        const bool same = width == static_cast<std::uint32_t>(DisplayWidth(c->display, c->screen)) &&
                          height == static_cast<std::uint32_t>(DisplayHeight(c->display, c->screen));
        if (same) {
            take_screen_size(ctx, width, height);
        }
        return same;
    }
    int count = 0;
    const XRRScreenSize* sizes = XRRConfigSizes(config.get(), &count);
    int index = -1;
    for (int i = 0; i < count && index < 0; ++i) {
        if (static_cast<std::uint32_t>(sizes[i].width) == width && static_cast<std::uint32_t>(sizes[i].height) == height) {
            index = i;
        }
    }
    if (index < 0) {
        return false;
    }
    Rotation rotation = 0;
    const SizeID current = XRRConfigCurrentConfiguration(config.get(), &rotation);
    if (!c->video_saved) {
        c->video_saved = true;
        c->video_size = current;
        c->video_rotation = rotation;
        c->video_rate = XRRConfigCurrentRate(config.get());
    }
    if (XRRSetScreenConfig(c->display, config.get(), c->root, index, rotation, CurrentTime) != Success) {
        return false;
    }
    XSync(c->display, False);
    ctx->ctx_localhost->video_changed = true;
    take_screen_size(ctx, width, height);
    return true;
}

void cpw_localhost_resetvideomode(CpwContext* ctx) {
    CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr || ctx == nullptr || ctx->ctx_localhost == nullptr || !ctx->ctx_localhost->video_changed) {
        return;
    }
    ctx->ctx_localhost->video_changed = false;
    if (!c->video_saved) {
        return;
    }
    const Config config = screen_config(*c);
    if (config) {
        int count = 0;
        const XRRScreenSize* sizes = XRRConfigSizes(config.get(), &count);
        if (c->video_size >= 0 && c->video_size < count) {
            XRRSetScreenConfigAndRate(c->display, config.get(), c->root, c->video_size, c->video_rotation,
                                      c->video_rate, CurrentTime);
            XSync(c->display, False);
            take_screen_size(ctx, static_cast<std::uint32_t>(sizes[c->video_size].width),
                             static_cast<std::uint32_t>(sizes[c->video_size].height));
        }
    }
    c->video_saved = false;
}
