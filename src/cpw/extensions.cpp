#include "cpw/extensions.h"

#include "cpw/gl_float_guard.h"
#include "cpw/internal.h"

#include <GL/gl.h>

#include <memory>
#include <new>

namespace {

// A GL context to ask: the current window's, else the foreground window's,
// else the first window's. False with error 13 when there is no window.
bool gl_window(CpwContext* ctx) {
    if (cpw_windowlist_length(ctx) == 0) {
        cpw_error_set(ctx, cpw_error_nowindowforgl);
        return false;
    }
    if (ctx->win_currentid != 0 && cpw_windowlist_lookup(ctx, ctx->win_currentid) != nullptr) {
        return true;
    }
    std::uint32_t id = ctx->win_foregroundid;
    if (id == 0 || cpw_windowlist_lookup(ctx, id) == nullptr) {
        id = le_getId(ctx->list_win.baseElement);
    }
    if (cpw_window_makecurrent(ctx, id) == 0) {
        cpw_error_set(ctx, cpw_error_nowindowforgl);
        return false;
    }
    return true;
}

// The driver's extension string ("" when it gives none).
std::string_view driver_extensions() {
    const CpwGlFloatGuard guard;
    const auto* text = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return text == nullptr ? std::string_view() : std::string_view(text);
}

void clear(CpwExtensions& list) {
    for (int i = 0; i < list.count; ++i) {
        cstr::freeStr(&list.names[static_cast<std::size_t>(i)]);
    }
    list.count = 0;
    list.index = 0;
    list.built = false;
}

CpwExtensions* built_list(CpwContext* ctx) {
    CpwExtensions* list = ctx->extensions;
    if (list == nullptr || !gl_window(ctx)) {
        return nullptr;
    }
    if (!list->built) {
        cpw_extensions_split(*list, driver_extensions());
    }
    return list;
}

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

}  // namespace

void cpw_extensions_split(CpwExtensions& list, std::string_view all) {
    clear(list);
    std::size_t i = 0;
    while (i < all.size() && list.count < cpw_extensions_max) {
        while (i < all.size() && blank(all[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < all.size() && !blank(all[i])) {
            ++i;
        }
        if (i > start) {
            list.names[static_cast<std::size_t>(list.count++)] =
                cstr::cpyStringLen(all.data() + start, static_cast<int>(i - start));
        }
    }
    list.built = true;
}

bool cpw_extensions_contains(std::string_view all, std::string_view name) {
    if (name.empty()) {
        return false;
    }
    for (std::size_t at = all.find(name); at != std::string_view::npos; at = all.find(name, at + 1)) {
        const bool starts = at == 0 || blank(all[at - 1]);
        const std::size_t end = at + name.size();
        const bool ends = end == all.size() || blank(all[end]);
        if (starts && ends) {
            return true;
        }
    }
    return false;
}

bool cpw_extensions_init(CpwContext* ctx) {
    try {
        ctx->extensions = std::make_unique<CpwExtensions>().release();
    } catch (const std::bad_alloc&) {
        cpw_error_set(ctx, cpw_error_nomemory);
        return false;
    }
    return true;
}

void cpw_extensions_exit(CpwContext* ctx) {
    const std::unique_ptr<CpwExtensions> list(ctx->extensions);
    ctx->extensions = nullptr;
    if (list) {
        clear(*list);
    }
}

const char* cpwIterateExtensions(CpwContext* ctx) {
    CpwExtensions* list = built_list(ctx);
    if (list == nullptr || list->index >= list->count) {
        return nullptr;
    }
    return cstr::str(list->names[static_cast<std::size_t>(list->index++)]);
}

int cpwIterateExtensionsReset(CpwContext* ctx) {
    CpwExtensions* list = built_list(ctx);
    if (list == nullptr) {
        return 0;
    }
    list->index = 0;
    return 1;
}

int cpwExtensionSupport(CpwContext* ctx, const char* name) {
    if (!gl_window(ctx)) {
        return 0;
    }
    if (name == nullptr) {
        cpw_error_set(ctx, cpw_error_badargument);
        return 0;
    }
    return cpw_extensions_contains(driver_extensions(), name) ? 1 : 0;
}
