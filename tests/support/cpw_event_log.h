#pragma once

// Callbacks of the windowing toolkit that write what they receive into a log,
// shared by the headless and the display tests of the toolkit.

#include "cpw/cpw.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace cpw_events {

inline std::vector<std::string> seen;

// The entries of a log of events or calls that are of one kind (those that
// begin with `kind` and a space: "click", "skey" ...), in order.
inline std::vector<std::string> entries_of(const std::vector<std::string>& log, const std::string& kind) {
    std::vector<std::string> out;
    for (const std::string& entry : log) {
        if (entry.rfind(kind + " ", 0) == 0) {
            out.push_back(entry);
        }
    }
    return out;
}

inline std::string event_text(const std::string& name, std::uint32_t id, std::initializer_list<int> values = {}) {
    std::string text = name + " " + std::to_string(id);
    for (const int v : values) {
        text += " " + std::to_string(v);
    }
    return text;
}

inline void on_create(CpwContext*, std::uint32_t id, int flag) { seen.push_back(event_text("create", id, {flag})); }
inline void on_display(CpwContext*, std::uint32_t id) { seen.push_back(event_text("display", id)); }
inline void on_reshape(CpwContext*, std::uint32_t id, int w, int h) { seen.push_back(event_text("reshape", id, {w, h})); }
inline void on_position(CpwContext*, std::uint32_t id, int x, int y) { seen.push_back(event_text("position", id, {x, y})); }
inline void on_key(CpwContext*, std::uint32_t id, int c, int state, int x, int y) {
    seen.push_back(event_text("key", id, {c, state, x, y}));
}
inline void on_skey(CpwContext*, std::uint32_t id, int k, int state, int x, int y) {
    seen.push_back(event_text("skey", id, {k, state, x, y}));
}
inline void on_visibility(CpwContext*, std::uint32_t id, int state) { seen.push_back(event_text("visibility", id, {state})); }
inline void on_click(CpwContext*, std::uint32_t id, int state, int button, int x, int y) {
    seen.push_back(event_text("click", id, {state, button, x, y}));
}
inline void on_drag(CpwContext*, std::uint32_t id, int button, int x, int y) {
    seen.push_back(event_text("drag", id, {button, x, y}));
}
inline void on_move(CpwContext*, std::uint32_t id, int x, int y) { seen.push_back(event_text("move", id, {x, y})); }
inline void on_entry(CpwContext*, std::uint32_t id, int state) { seen.push_back(event_text("entry", id, {state})); }

// Sets every global callback to the logging ones.
inline void log_all_events(CpwContext* ctx) {
    cpwCreateCallback(ctx, on_create);
    cpwDisplayCallback(ctx, on_display);
    cpwReshapeCallback(ctx, on_reshape);
    cpwPositionCallback(ctx, on_position);
    cpwKeyboardCallback(ctx, on_key);
    cpwSystemKeyboardCallback(ctx, on_skey);
    cpwVisibilityCallback(ctx, on_visibility);
    cpwMouseClickCallback(ctx, on_click);
    cpwMouseDragCallback(ctx, on_drag);
    cpwMouseMoveCallback(ctx, on_move);
    cpwMouseEntryCallback(ctx, on_entry);
}

}  // namespace cpw_events
