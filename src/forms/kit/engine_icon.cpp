#include "forms/kit/engine_icon.h"

#include "cpw/internal.h"
#include "foundation/log.h"

#include <array>
#include <string>
#include <string_view>

namespace {

// The 32 x 32 icon, a character a pixel: ' ' clear, 'd' the deep blue of
// the frame, 'b' the sky, 'l' the light sky low down, 'w' the glider's
// white.
constexpr int kIconSize = 32;
constexpr std::array<std::string_view, kIconSize> kIconRows = {
    "    dddddddddddddddddddddddd    ",
    "  ddbbbbbbbbbbbbbbbbbbbbbbbbdd  ",
    " dbbbbbbbbbbbbbbbbbbbbbbbbbbbbd ",
    " dbbbbbbbbbbbbbbbbbbbbbbbbbbbbd ",
    "dbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbd",
    "dbbbbbbbbbbbbbbwwbbbbbbbbbbbbbbd",
    "dbbbbbbbbbbbbbbwwbbbbbbbbbbbbbbd",
    "dbbbbbbbbbbbbbwwwwbbbbbbbbbbbbbd",
    "dbbbbbbbbbbbbbwddwbbbbbbbbbbbbbd",
    "dbbbbbbbbbbbbbwddwbbbbbbbbbbbbbd",
    "dbbbbbbbbbbbbbwwwwbbbbbbbbbbbbbd",
    "dbwwwwwwwwwwwwwwwwwwwwwwwwwwwwbd",
    "dbbbbwwwwwwwwwwwwwwwwwwwwwwbbbbd",
    "dbbbbbbbbbbbbbwwwwbbbbbbbbbbbbbd",
    "dbbbbbbbbbbbbbwwwwbbbbbbbbbbbbbd",
    "dbbbbbbbbbbbbbbwwbbbbbbbbbbbbbbd",
    "dbbbbbbbbbbbbbbwwbbbbbbbbbbbbbbd",
    "dbbbbbbbbbbbbbbwwbbbbbbbbbbbbbbd",
    "dbbbbbbbbbbbbbbwwbbbbbbbbbbbbbbd",
    "dbbbbbbbbbbbbbbwwbbbbbbbbbbbbbbd",
    "dbbbbbbbbbbbbbbwwbbbbbbbbbbbbbbd",
    "dllllllllllllllwwlllllllllllllld",
    "dllllllllllllllwwlllllllllllllld",
    "dllllllllllllllwwlllllllllllllld",
    "dllllllllllwwwwwwwwwwlllllllllld",
    "dlllllllllllwwwwwwwwllllllllllld",
    "dllllllllllllllwwlllllllllllllld",
    "dlllllllllllllllllllllllllllllld",
    " dlllllllllllllllllllllllllllld ",
    " dlllllllllllllllllllllllllllld ",
    "  ddlllllllllllllllllllllllldd  ",
    "    dddddddddddddddddddddddd    ",
};

std::uint32_t colour_of(char c) {
    switch (c) {
        case 'd':
            return 0xFF1B4F8A;
        case 'b':
            return 0xFF3A86D6;
        case 'l':
            return 0xFF7DB6E8;
        case 'w':
            return 0xFFFFFFFF;
        default:
            return 0x00000000;
    }
}

// An image of half the side: each pixel the average of a square of four,
// its colours weighted by their alpha, so that the clear corners do not
// darken the frame.
CpwIconImage halved(const CpwIconImage& image) {
    CpwIconImage half;
    half.size = image.size / 2;
    half.argb.reserve(static_cast<std::size_t>(half.size) * static_cast<std::size_t>(half.size));
    const auto at = [&image](int x, int y) {
        return image.argb[static_cast<std::size_t>(y) * static_cast<std::size_t>(image.size) +
                          static_cast<std::size_t>(x)];
    };
    for (int y = 0; y < half.size; ++y) {
        for (int x = 0; x < half.size; ++x) {
            std::uint32_t alpha = 0;
            std::array<std::uint32_t, 3> weighted{};
            for (const std::uint32_t p : {at(2 * x, 2 * y), at(2 * x + 1, 2 * y), at(2 * x, 2 * y + 1),
                                          at(2 * x + 1, 2 * y + 1)}) {
                const std::uint32_t a = p >> 24;
                alpha += a;
                for (int k = 0; k < 3; ++k) {
                    weighted[static_cast<std::size_t>(k)] += a * ((p >> (16 - 8 * k)) & 0xFF);
                }
            }
            std::uint32_t pixel = (alpha / 4) << 24;
            if (alpha > 0) {
                for (int k = 0; k < 3; ++k) {
                    pixel |= (weighted[static_cast<std::size_t>(k)] / alpha) << (16 - 8 * k);
                }
            }
            half.argb.push_back(pixel);
        }
    }
    return half;
}

}  // namespace

std::vector<CpwIconImage> program_icon() {
    CpwIconImage full;
    full.size = kIconSize;
    full.argb.reserve(static_cast<std::size_t>(kIconSize) * kIconSize);
    for (const std::string_view row : kIconRows) {
        for (const char c : row) {
            full.argb.push_back(colour_of(c));
        }
    }
    CpwIconImage small = halved(full);
    return {std::move(full), std::move(small)};
}

void frm_load_icon(CpwContext* ctx, std::uint32_t id) {
    const CpwWindowStruct* w = ctx == nullptr || id == 0 ? nullptr : cpw_windowlist_lookup(ctx, id);
    const std::vector<CpwIconImage> icon = program_icon();
    const int error = cpw_localhost_seticon(w == nullptr ? nullptr : w->plhwc, icon);
    if (error != 0) {
        log_message_f("LoadIcon Error: " + std::to_string(error));
    }
}
