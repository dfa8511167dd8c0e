#pragma once

// Rules every host applies the same way, kept out of the hosts so they are
// tested directly: the window-class names, the pixel format a display mode
// asks for, and the window style the window properties ask for.

#include <cstdint>
#include <string>

// Process-wide counter of window-class names, from 1.
extern int classregistercount;
void reset_classregistercount();

// "CPWWindow" followed by the counter; the counter goes up by one.
std::string cpw_next_classname();

struct CpwPixelFormatRequest {
    bool rgba;          // else colour-index pixels
    int colourbits;
    int alphabits;
    int depthbits;      // 0: no depth buffer
    int accumbits;
    int stencilbits;
    bool doublebuffer;
};

// Display-mode bits: 0x1 RGBA (else 0x2 colour index); 0x4 single buffer (else
// double); 0x10 accumulation; 0x20 depth buffer, sized by the first of
// 0x10000000 ... 0x80000000 (2, 4, 8, 16 bits; none: 8); 0x40 stencil;
// colour and alpha by the first of 0x100 ... 0x800; 0x80 is accepted and
// changes nothing.
CpwPixelFormatRequest cpw_displaymode_pixelformat(std::uint32_t mode);

enum class CpwWindowKind { standard, popup, caption };
enum class CpwWindowFrame { sizing, thin, fixed };

struct CpwWindowStyle {
    CpwWindowKind kind;    // standard: caption, system menu, minimise and maximise boxes
    CpwWindowFrame frame;  // fixed: no frame of its own
    bool menu;             // a menu bar holding one item, a single blank
};

// The kind from the low byte (1 standard, 2 popup, 4 caption only, anything
// else standard); the frame from 0x400 sizing, 0x200 thin, 0x100 fixed, none
// of them sizing.
CpwWindowStyle cpw_windowstyle_from_properties(std::uint32_t properties, bool menu);
