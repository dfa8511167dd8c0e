#include "cpw/teapot.h"

#include <GL/gl.h>

#include <cstddef>

namespace {

// A point of a profile: distance from the axis and height.
struct RZ {
    float r;
    float z;
};

using Profile = std::array<RZ, 4>;

// Profiles of the surfaces of revolution, from the top of each part down.
constexpr Profile rim = {{{1.4f, 2.4f}, {1.3375f, 2.53125f}, {1.4375f, 2.53125f}, {1.5f, 2.4f}}};
constexpr Profile body_upper = {{{1.5f, 2.4f}, {1.75f, 1.875f}, {2.0f, 1.35f}, {2.0f, 0.9f}}};
constexpr Profile body_lower = {{{2.0f, 0.9f}, {2.0f, 0.45f}, {1.5f, 0.225f}, {1.5f, 0.15f}}};
constexpr Profile lid_top = {{{0.0f, 3.15f}, {0.8f, 3.15f}, {0.0f, 2.85f}, {0.2f, 2.7f}}};
constexpr Profile lid_lower = {{{0.2f, 2.7f}, {0.4f, 2.55f}, {1.3f, 2.55f}, {1.3f, 2.4f}}};
constexpr Profile bottom = {{{0.0f, 0.0f}, {1.425f, 0.0f}, {1.5f, 0.075f}, {1.5f, 0.15f}}};

// A row of a tube: its two edges in the x-z plane and how far the middle
// control points stand off that plane.
struct TubeRow {
    float xa, za;  // first edge
    float xb, zb;  // second edge
    float w;       // half width
};

using Tube = std::array<TubeRow, 4>;

constexpr Tube handle_upper = {{{-1.6f, 2.025f, -1.5f, 2.25f, 0.3f},
                                {-2.3f, 2.025f, -2.5f, 2.25f, 0.3f},
                                {-2.7f, 2.025f, -3.0f, 2.25f, 0.3f},
                                {-2.7f, 1.8f, -3.0f, 1.8f, 0.3f}}};
constexpr Tube handle_lower = {{{-2.7f, 1.8f, -3.0f, 1.8f, 0.3f},
                                {-2.7f, 1.575f, -3.0f, 1.35f, 0.3f},
                                {-2.5f, 1.125f, -2.65f, 0.9375f, 0.3f},
                                {-2.0f, 0.9f, -1.9f, 0.6f, 0.3f}}};
constexpr Tube spout_body = {{{1.7f, 1.275f, 1.7f, 0.45f, 0.66f},
                              {2.6f, 1.275f, 3.1f, 0.675f, 0.66f},
                              {2.3f, 1.95f, 2.4f, 0.875f, 0.25f},
                              {2.7f, 2.25f, 3.3f, 2.25f, 0.25f}}};
constexpr Tube spout_tip = {{{2.7f, 2.25f, 3.3f, 2.25f, 0.25f},
                             {2.8f, 2.325f, 3.525f, 2.34375f, 0.25f},
                             {2.9f, 2.325f, 3.45f, 2.3625f, 0.15f},
                             {2.8f, 2.25f, 3.2f, 2.25f, 0.15f}}};

// The control points of a quarter circle of radius r: Newell's data uses
// 0.56 r for the points off the axes.
constexpr float circle = 0.56f;

// Quarter q (0-3) of a surface of revolution; each quarter turns the one
// before by -90 degrees about z.
CpwTeapotPatch revolved(const Profile& profile, int q) {
    CpwTeapotPatch p{};
    for (std::size_t v = 0; v < 4; ++v) {
        const float r = profile[v].r;
        const std::array<std::array<float, 2>, 4> quarter = {{{r, 0.0f}, {r, -circle * r}, {circle * r, -r}, {0.0f, -r}}};
        for (std::size_t u = 0; u < 4; ++u) {
            float x = quarter[u][0];
            float y = quarter[u][1];
            for (int turn = 0; turn < q; ++turn) {
                const float t = x;
                x = y;
                y = -t;
            }
            p[v][u] = {x, y, profile[v].z};
        }
    }
    return p;
}

// One side of a tube (side -1: y <= 0, side 1: its mirror image).
CpwTeapotPatch tube(const Tube& rows, float side) {
    CpwTeapotPatch p{};
    for (std::size_t v = 0; v < 4; ++v) {
        const TubeRow& r = rows[v];
        p[v][0] = {r.xa, 0.0f, r.za};
        p[v][1] = {r.xa, side * r.w, r.za};
        p[v][2] = {r.xb, side * r.w, r.zb};
        p[v][3] = {r.xb, 0.0f, r.zb};
    }
    return p;
}

std::array<CpwTeapotPatch, cpw_teapot_patchcount> build() {
    std::array<CpwTeapotPatch, cpw_teapot_patchcount> patches{};
    std::size_t n = 0;
    for (const Profile* profile : {&rim, &body_upper, &body_lower}) {
        for (int q = 0; q < 4; ++q) {
            patches[n++] = revolved(*profile, q);
        }
    }
    for (const Tube* t : {&handle_upper, &handle_lower, &spout_body, &spout_tip}) {
        patches[n++] = tube(*t, -1.0f);
        patches[n++] = tube(*t, 1.0f);
    }
    for (const Profile* profile : {&lid_top, &lid_lower, &bottom}) {
        for (int q = 0; q < 4; ++q) {
            patches[n++] = revolved(*profile, q);
        }
    }
    return patches;
}

}  // namespace

const std::array<CpwTeapotPatch, cpw_teapot_patchcount>& cpw_teapot_patches() {
    static const std::array<CpwTeapotPatch, cpw_teapot_patchcount> patches = build();
    return patches;
}

void cpw_teapot_draw(float size, int grid, bool solid) {
    const int steps = grid < 1 ? 1 : grid;
    glPushAttrib(GL_ENABLE_BIT | GL_EVAL_BIT);
    glEnable(GL_AUTO_NORMAL);
    glEnable(GL_NORMALIZE);
    glEnable(GL_MAP2_VERTEX_3);
    glPushMatrix();
    glRotatef(-90.0f, 1.0f, 0.0f, 0.0f);  // z up becomes y up
    glScalef(size / 2.0f, size / 2.0f, size / 2.0f);
    glTranslatef(0.0f, 0.0f, -1.575f);    // the middle of the height at the origin
    for (const CpwTeapotPatch& p : cpw_teapot_patches()) {
        glMap2f(GL_MAP2_VERTEX_3, 0.0f, 1.0f, 3, 4, 0.0f, 1.0f, 12, 4, &p[0][0][0]);
        glMapGrid2f(steps, 0.0f, 1.0f, steps, 0.0f, 1.0f);
        glEvalMesh2(solid ? GL_FILL : GL_LINE, 0, steps, 0, steps);
    }
    glPopMatrix();
    glPopAttrib();
}
