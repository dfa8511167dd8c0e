#include "forms/program/form_boxes.h"

#include "forms/kit/form_accessors.h"
#include "forms/kit/form_model.h"
#include "foundation/number_text.h"

bool live_value(int n, BoxValue& value) { return frm_get_cur_value(n, value.iv, value.rv, value.cv, value.type); }

std::string live_text(int n) {
    BoxValue value;
    return live_value(n, value) ? value.cv : std::string();
}

int live_int(int n) {
    BoxValue value;
    return live_value(n, value) ? value.iv : 0;
}

double box_number(const BoxValue& value) {
    return value.type == kTypeFlt ? static_cast<double>(value.rv) : static_cast<double>(value.iv);
}

void set_box_text(int n, std::string_view text) { frm_set_value(n, 0, 0.0f, text, true); }

void set_box_whole(int n, int value) { frm_set_value(n, value, static_cast<float>(value), i2b(value), true); }

void set_box_tick(int n, bool ticked) { frm_set_value(n, ticked ? 1 : 0, 0.0f, " ", true); }

void set_box_active(int n, bool active) { frm_set_prop(kClassInputBox, n, kPropActive, active ? 1 : 0, 0.0f, "", true); }

bool box_active(int n) {
    int iv = 0;
    float rv = 0.0f;
    std::string cv;
    return frm_get_prop(kClassInputBox, n, kPropActive, iv, rv, cv) && iv != 0;
}

void set_box_pattern(int n, std::string_view pattern) {
    frm_set_prop(kClassInputBox, n, kPropPattern, 0, 0.0f, pattern, true);
}

void set_box_type(int n, int type) { frm_set_prop(kClassInputBox, n, kPropType, type, 0.0f, "", true); }
