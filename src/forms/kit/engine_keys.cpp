#include "forms/kit/engine_keys.h"

#include "cpw/key_names.h"
#include "platform/console.h"

inline constexpr std::size_t key_name_chars = 31;

KeyCode decode_key(int code) {
    KeyCode k{code / 10000, code % 10000};
    if (k.key > 5000) {
        k.flags += 1;
        k.key -= 10000;
    }
    return k;
}

int get_key_name(int code, std::string& text) {
    const KeyCode k = decode_key(code);
    text.clear();
    if ((k.flags & key_flag_long) != 0) {
        text += "LONG+";
    }
    if ((k.flags & key_flag_ctrl) != 0) {
        text += "CTRL+";
    }
    if ((k.flags & key_flag_shift) != 0) {
        text += "SHFT+";
    }
    if ((k.flags & key_flag_alt) != 0) {
        text += "ALT+";
    }
    std::string name;
    if (k.key < 0) {
        name = cpw_keyname(-k.key).substr(0, key_name_chars);
    } else if (k.key > 0 && k.key < 256) {
        name = std::string(1, static_cast<char>(k.key));
    }
    text += name;
    return static_cast<int>(name.size());
}

int GetKeyNa(int code, std::string& text) {
    console_line(std::to_string(code));
    return get_key_name(code, text);
}

bool is_key_mod(int, int vk) {
    return vk >= 160 && vk <= 164;
}
