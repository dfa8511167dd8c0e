#include "cpw/host_rules.h"

int classregistercount = 1;

void reset_classregistercount() {
    classregistercount = 1;
}

std::string cpw_next_classname() {
    return "CPWWindow" + std::to_string(classregistercount++);
}

CpwPixelFormatRequest cpw_displaymode_pixelformat(std::uint32_t mode) {
    CpwPixelFormatRequest r{};
    r.rgba = (mode & 0x1) != 0 || (mode & 0x2) == 0;
    if ((mode & 0x20) != 0) {
        r.depthbits = 8;
        constexpr std::uint32_t depth_bits[] = {0x10000000, 0x20000000, 0x40000000, 0x80000000};
        constexpr int depth_sizes[] = {2, 4, 8, 16};
        for (int i = 0; i < 4; ++i) {
            if ((mode & depth_bits[i]) != 0) {
                r.depthbits = depth_sizes[i];
                break;
            }
        }
    }
    r.colourbits = 16;
    constexpr std::uint32_t colour_bits[] = {0x100, 0x200, 0x400, 0x800};
    constexpr int alpha_sizes[] = {2, 4, 8, 16};
    constexpr int colour_sizes[] = {8, 16, 32, 64};
    for (int i = 0; i < 4; ++i) {
        if ((mode & colour_bits[i]) != 0) {
            r.alphabits = alpha_sizes[i];
            r.colourbits = colour_sizes[i];
            break;
        }
    }
    r.doublebuffer = (mode & 0x4) == 0;
    r.accumbits = (mode & 0x10) != 0 ? 16 : 0;
    r.stencilbits = (mode & 0x40) != 0 ? 8 : 0;
    return r;
}

CpwWindowStyle cpw_windowstyle_from_properties(std::uint32_t properties, bool menu) {
    CpwWindowStyle style{CpwWindowKind::standard, CpwWindowFrame::sizing, menu};
    switch (properties & 0xFF) {
        case 2: style.kind = CpwWindowKind::popup; break;
        case 4: style.kind = CpwWindowKind::caption; break;
        default: break;
    }
    if ((properties & 0x400) != 0) {
        style.frame = CpwWindowFrame::sizing;
    } else if ((properties & 0x200) != 0) {
        style.frame = CpwWindowFrame::thin;
    } else if ((properties & 0x100) != 0) {
        style.frame = CpwWindowFrame::fixed;
    }
    return style;
}
