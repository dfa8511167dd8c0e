#pragma once

// Primitives drawn into the current GL window at the origin of the current
// model-view matrix: spheres, cones, disks (GLU quadrics), cubes, tori and the
// teapot (immediate-mode GL and evaluators), wire or solid, and flat lines,
// squares and rectangles in the x-y plane. Every kind is scaled by the scale
// option.

#include "cpw/types.h"

#include <array>

class GLUquadric;

// Kinds of cpwDrawPrimitive (17-19 are kept free and draw nothing).
inline constexpr int cpw_prim_wiresphere = 0;
inline constexpr int cpw_prim_solidsphere = 1;
inline constexpr int cpw_prim_wirecone = 2;
inline constexpr int cpw_prim_solidcone = 3;
inline constexpr int cpw_prim_wirecube = 4;
inline constexpr int cpw_prim_solidcube = 5;
inline constexpr int cpw_prim_wiretorus = 6;
inline constexpr int cpw_prim_solidtorus = 7;
inline constexpr int cpw_prim_wiredisk = 8;
inline constexpr int cpw_prim_soliddisk = 9;
inline constexpr int cpw_prim_wireteapot = 10;
inline constexpr int cpw_prim_solidteapot = 11;
inline constexpr int cpw_prim_line2d = 12;
inline constexpr int cpw_prim_wiresquare2d = 13;
inline constexpr int cpw_prim_solidsquare2d = 14;
inline constexpr int cpw_prim_wirerectangle2d = 15;
inline constexpr int cpw_prim_solidrectangle2d = 16;
inline constexpr int cpw_prim_kinds = 20;

// Options of cpwSetPrimitiveOpt, with their values after start-up and after option 0.
inline constexpr int cpw_primopt_reset = 0;        // all options back, a new quadric
inline constexpr int cpw_primopt_radius = 1;       // sphere, cone base, disk outer radius: 1
inline constexpr int cpw_primopt_height = 2;       // cone height: 1
inline constexpr int cpw_primopt_innerradius = 3;  // disk inner radius: 0
inline constexpr int cpw_primopt_tuberadius = 4;   // torus tube radius: 0.25
inline constexpr int cpw_primopt_ringradius = 5;   // torus ring radius (centre to tube centre): 1
inline constexpr int cpw_primopt_size = 6;         // cube edge, square side, teapot size: 1
inline constexpr int cpw_primopt_width = 7;        // rectangle width, line length: 1
inline constexpr int cpw_primopt_rectheight = 8;   // rectangle height: 0.5
inline constexpr int cpw_primopt_slices = 9;       // slices of quadrics, tori and the teapot's grid: 16
inline constexpr int cpw_primopt_stacks = 10;      // stacks of spheres and cones, disk loops, torus rings: 16
inline constexpr int cpw_primopt_scale = 11;       // scale of every kind: 1
inline constexpr int cpw_primopt_texture = 12;     // value 1: quadrics get texture coordinates
inline constexpr int cpw_primopt_count = 13;

// The context's primitives record: the options by number (the counts are
// whole numbers kept as floats).
struct CpwPrimitives {
    GLUquadric* quadric;
    std::array<float, cpw_primopt_count> option;
    bool texture;
};

// Sets an option: 1, or 0 with error 3 for an unknown option or a bad value
// (not finite; a negative size or radius; counts outside 1-1000; a zero scale).
int cpwSetPrimitiveOpt(CpwContext* ctx, int option, float value);
// Draws a kind: 1, or 0 with error 3 for a kind outside 0-19.
int cpwDrawPrimitive(CpwContext* ctx, int kind);

bool cpw_primitives_init(CpwContext* ctx);  // a new quadric; error 2 when none is made
void cpw_primitives_exit(CpwContext* ctx);
