#include "cpw/video.h"

#include "cpw/internal.h"
#include "cpw/localhost.h"

#include <algorithm>

namespace {

constexpr std::uint32_t min_width = 320;
constexpr int min_refresh = 60;

bool listed(const std::vector<CpwVideoMode>& modes, const CpwHostVideoMode& m) {
    return std::any_of(modes.begin(), modes.end(), [&](const CpwVideoMode& v) {
        return v.width == m.width && v.height == m.height && v.depth == m.depth;
    });
}

bool wanted(const CpwHostVideoMode& m) {
    return m.width >= min_width && (m.refresh == 0 || m.refresh >= min_refresh);
}

// The host's modes by the listing rule; false with error 12 when the host cannot list them.
bool host_modes(CpwContext* ctx, std::vector<CpwVideoMode>& modes) {
    std::vector<CpwHostVideoMode> found;
    if (!cpw_localhost_listvideomodes(ctx, found)) {
        cpw_error_set(ctx, cpw_error_videolist);
        return false;
    }
    modes = cpw_videomodes_select(found);
    return true;
}

}  // namespace

std::vector<CpwVideoMode> cpw_videomodes_select(const std::vector<CpwHostVideoMode>& modes) {
    std::vector<CpwVideoMode> out;
    // The current mode first (when the rule keeps it), then the others in the host's order.
    for (const CpwHostVideoMode& m : modes) {
        if (m.current && wanted(m)) {
            out.push_back(CpwVideoMode{m.width, m.height, m.depth, true});
            break;
        }
    }
    for (const CpwHostVideoMode& m : modes) {
        if (out.size() >= static_cast<std::size_t>(cpw_videomodes_max)) {
            break;
        }
        if (wanted(m) && !listed(out, m)) {
            out.push_back(CpwVideoMode{m.width, m.height, m.depth, false});
        }
    }
    return out;
}

int cpwListVideoModes(CpwContext* ctx, CpwVideoList* list) {
    if (list == nullptr) {
        cpw_error_set(ctx, cpw_error_badargument);
        return 0;
    }
    list->size = 0;
    std::vector<CpwVideoMode> modes;
    if (!host_modes(ctx, modes)) {
        return 0;
    }
    std::copy(modes.begin(), modes.end(), list->list.begin());
    list->size = static_cast<int>(modes.size());
    return 1;
}

int cpwFreeVideoList(CpwContext* ctx, CpwVideoList* list) {
    if (list == nullptr) {
        cpw_error_set(ctx, cpw_error_badargument);
        return 0;
    }
    list->size = 0;
    return 1;
}

int cpwChangeVideoMode(CpwContext* ctx, std::uint32_t width, std::uint32_t height, std::uint32_t depth) {
    std::vector<CpwVideoMode> modes;
    if (!host_modes(ctx, modes)) {
        cpw_error_set(ctx, cpw_error_videochange);
        return 0;
    }
    const bool known = std::any_of(modes.begin(), modes.end(), [&](const CpwVideoMode& m) {
        return m.width == width && m.height == height && m.depth == depth;
    });
    if (!known || !cpw_localhost_changevideomode(ctx, width, height, depth)) {
        cpw_error_set(ctx, cpw_error_videochange);
        return 0;
    }
    return 1;
}

int cpwResetVideoMode(CpwContext* ctx) {
    cpw_localhost_resetvideomode(ctx);
    return 1;
}

void cpw_videomodes_exit(CpwContext* ctx) {
    cpw_localhost_resetvideomode(ctx);
}
