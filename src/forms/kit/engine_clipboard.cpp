#include "forms/kit/engine_clipboard.h"

#include "forms/kit/engine_tables.h"

#include "cpw/host_services.h"
#include "cpw/internal.h"
#include "foundation/log.h"
#include "platform/console.h"

#include <string>

int rd_clp(std::string& buffer) {
    std::string text;
    cpw_clipboard_read(text);
    buffer = text.substr(0, engine_value_chars);
    return 0;
}

int wr_clp(std::string_view text) {
    console_line(text);
    console_line(std::to_string(text.size() + 1));  // the size with the ending NUL
    if (cpw_clipboard_write(text)) {
        return 0;
    }
    log_message_f("Form: the clipboard could not be taken");
    return 1;
}

std::uintptr_t get_hwnd(CpwContext* ctx, std::uint32_t id) {
    if (ctx == nullptr || id == 0) {
        return 0;
    }
    const CpwWindowStruct* w = cpw_windowlist_lookup(ctx, id);
    return w == nullptr ? 0 : cpw_localhost_nativehandle(w->plhwc);
}
