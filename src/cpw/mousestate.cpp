#include "cpw/keymouse.h"

#include "cpw/internal.h"
#include "cpw/localhost.h"

int cpwMouseCapabilities(CpwContext* ctx, CpwMouseInfo* info) {
    if (info == nullptr) {
        cpw_error_set(ctx, cpw_error_badargument);
        return 0;
    }
    *info = CpwMouseInfo{};
    cpw_localhost_mousecapabilities(ctx, info);
    return 1;
}

int cpwMouseState(CpwContext* ctx, CpwMouseState* state) {
    if (state == nullptr) {
        cpw_error_set(ctx, cpw_error_badargument);
        return 0;
    }
    *state = CpwMouseState{};
    cpw_localhost_mousestate(ctx, state);
    return 1;
}

int cpwKeyState(CpwContext* ctx, int code) {
    if (code < 0 || code >= static_cast<int>(ctx->keyboard_state.size())) {
        cpw_error_set(ctx, cpw_error_badargument);
        return 0;
    }
    return ctx->keyboard_state[static_cast<std::size_t>(code)] ? 1 : 0;
}
