#include "cpw/hosts/x11/x11_host.h"

#include "cpw/font_files.h"
#include "cpw/host_rules.h"
#include "cpw/host_services.h"
#include "cpw/internal.h"
#include "cpw/localhost.h"

#include <fnmatch.h>
#include <poll.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <memory>
#include <new>
#include <string_view>
#include <system_error>
#include <thread>

bool cpw_localhost_init(CpwContext* ctx) {
    const std::string classname = cpw_next_classname();
    if (!cpw_x11_connect()) {
        // No display: the window class cannot be registered.
        cpw_error_set(ctx, cpw_error_windowclass);
        return false;
    }
    CpwX11Connection& c = *cpw_x11_connection();
    ctx->cpw_screenwidth = static_cast<std::uint32_t>(DisplayWidth(c.display, c.screen));
    ctx->cpw_screenheight = static_cast<std::uint32_t>(DisplayHeight(c.display, c.screen));
    try {
        auto host = std::make_unique<CpwLocalhost>();
        host->classname = classname;
        c.contexts.push_back(ctx);
        ctx->ctx_localhost = host.release();
    } catch (const std::bad_alloc&) {
        cpw_x11_disconnect();
        cpw_error_set(ctx, cpw_error_nomemory);
        return false;
    }
    return true;
}

void cpw_localhost_exit(CpwContext* ctx) {
    if (ctx == nullptr || ctx->ctx_localhost == nullptr) {
        return;  // the host never started: no connection to give back
    }
    cpw_x11_menus_contextgone(ctx);
    const std::unique_ptr<CpwLocalhost> host(ctx->ctx_localhost);
    cpw_x11_joysticks_closeall(*host);
    ctx->ctx_localhost = nullptr;
    if (CpwX11Connection* c = cpw_x11_connection()) {
        std::erase(c->contexts, ctx);
    }
    cpw_x11_disconnect();
}

bool cpw_localhost_modulestep(CpwContext*, const char*, bool) {
    return true;
}

double cpw_localhost_hpfreq() {
    return 1.0e9;
}

double cpw_localhost_hpcount() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<double>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

void cpw_localhost_sleep(std::uint32_t milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void cpw_localhost_waitevents(CpwContext*, int milliseconds) {
    const CpwX11Connection* c = cpw_x11_connection();
    if (c == nullptr) {
        cpw_localhost_sleep(static_cast<std::uint32_t>(milliseconds < 0 ? 1 : milliseconds));
        return;
    }
    // XPending sends what is buffered and reads what has come; what comes
    // after it makes the connection readable.
    if (milliseconds == 0 || XPending(c->display) > 0) {
        return;
    }
    pollfd connection{ConnectionNumber(c->display), POLLIN, 0};
    poll(&connection, 1, milliseconds);  // an interruption only ends the wait early
}

StringContext* cpw_localhost_fontpath() {
    return cstr::cpyString(cpw_font_folder().c_str());
}

int cpw_localhost_iteratefiles(CpwContext* ctx, int start, const char* pattern, StringContext** name) {
    if (ctx == nullptr || ctx->ctx_localhost == nullptr) {
        return 0;
    }
    CpwLocalhost& host = *ctx->ctx_localhost;
    if (start == 1) {
        host.found.clear();
        host.next_found = 0;
        if (pattern == nullptr) {
            return 0;
        }
        // The folder part names the folder (a host or a Windows path); the
        // last part is matched without regard to case, "*" and "?" as wildcards.
        const std::string full(pattern);
        const std::size_t cut = full.find_last_of("/\\");
        const std::string folder = cut == std::string::npos ? std::string(".") : full.substr(0, cut + 1);
        const std::string last = cut == std::string::npos ? full : full.substr(cut + 1);
        const std::string mask(last == "*.*" ? std::string_view("*") : std::string_view(last));
        const std::string host_folder = cpw_font_hostpath(folder).value_or(folder);
        std::error_code ec;
        for (std::filesystem::directory_iterator it(host_folder, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string file = it->path().filename().string();
            std::error_code type_error;
            if (file.empty() || file.front() == '.' || it->is_directory(type_error)) {
                continue;
            }
            if (fnmatch(mask.c_str(), file.c_str(), FNM_CASEFOLD) == 0) {
                host.found.push_back(file);
            }
        }
        std::sort(host.found.begin(), host.found.end());
        return host.found.empty() ? 0 : 1;
    }
    if (name == nullptr || host.next_found >= host.found.size()) {
        host.found.clear();
        host.next_found = 0;
        return 0;
    }
    cstr::setString(name, host.found[host.next_found++].c_str());
    return 1;
}

std::uintptr_t cpw_localhost_nativehandle(const CpwLocalhostWindow* window) {
    return window == nullptr ? 0 : static_cast<std::uintptr_t>(window->hwnd);
}
