#include "foundation/gui_hooks.h"

void prg_bar(int /*nprg*/) {}

void upd_prm() {}

void trig_as(std::int32_t /*zone*/, std::int32_t /*code*/) {}

void update_wp_n() {}

void update_wp_nam() {}

void screen_message(int /*msg_status*/, int /*nlines*/, std::string_view /*line1*/, std::string_view /*line2*/,
                    std::string_view /*line3*/) {}

void set_error() {}

void upd_err_count(int /*nberr*/, int /*nbwarn*/) {}

void upd_rchgri(int /*ngri*/) {}
