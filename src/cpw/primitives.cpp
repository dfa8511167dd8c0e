#include "cpw/primitives.h"

#include "cpw/gl_float_guard.h"
#include "cpw/internal.h"
#include "cpw/teapot.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <memory>
#include <new>
#include <numbers>

namespace {

constexpr float max_count = 1000.0f;

void set_defaults(CpwPrimitives& p) {
    p.option.fill(0.0f);
    p.option[cpw_primopt_radius] = 1.0f;
    p.option[cpw_primopt_height] = 1.0f;
    p.option[cpw_primopt_innerradius] = 0.0f;
    p.option[cpw_primopt_tuberadius] = 0.25f;
    p.option[cpw_primopt_ringradius] = 1.0f;
    p.option[cpw_primopt_size] = 1.0f;
    p.option[cpw_primopt_width] = 1.0f;
    p.option[cpw_primopt_rectheight] = 0.5f;
    p.option[cpw_primopt_slices] = 16.0f;
    p.option[cpw_primopt_stacks] = 16.0f;
    p.option[cpw_primopt_scale] = 1.0f;
    p.texture = false;
}

GLUquadric* new_quadric() {
    const CpwGlFloatGuard guard;
    return gluNewQuadric();
}

void delete_quadric(GLUquadric* q) {
    if (q != nullptr) {
        const CpwGlFloatGuard guard;
        gluDeleteQuadric(q);
    }
}

int bad_argument(CpwContext* ctx) {
    cpw_error_set(ctx, cpw_error_badargument);
    return 0;
}

// Whether the value suits the option (numbered 1-11).
bool acceptable(int option, float value) {
    if (!std::isfinite(value)) {
        return false;
    }
    switch (option) {
        case cpw_primopt_slices:
        case cpw_primopt_stacks: return value >= 1.0f && value <= max_count;
        case cpw_primopt_scale: return value != 0.0f;
        default: return value >= 0.0f;
    }
}

int count_of(const CpwPrimitives& p, int option) {
    return static_cast<int>(p.option[static_cast<std::size_t>(option)]);
}

float value_of(const CpwPrimitives& p, int option) {
    return p.option[static_cast<std::size_t>(option)];
}

void cube(float edge, bool solid) {
    const float h = edge / 2.0f;
    // Each face: its normal and its corners counter-clockwise seen from outside.
    static constexpr float normals[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    static constexpr float corners[6][4][3] = {
        {{1, -1, -1}, {1, 1, -1}, {1, 1, 1}, {1, -1, 1}},
        {{-1, -1, 1}, {-1, 1, 1}, {-1, 1, -1}, {-1, -1, -1}},
        {{-1, 1, -1}, {-1, 1, 1}, {1, 1, 1}, {1, 1, -1}},
        {{-1, -1, 1}, {-1, -1, -1}, {1, -1, -1}, {1, -1, 1}},
        {{-1, -1, 1}, {1, -1, 1}, {1, 1, 1}, {-1, 1, 1}},
        {{1, -1, -1}, {-1, -1, -1}, {-1, 1, -1}, {1, 1, -1}}};
    for (int f = 0; f < 6; ++f) {
        glBegin(solid ? GL_QUADS : GL_LINE_LOOP);
        glNormal3fv(normals[f]);
        for (const auto& c : corners[f]) {
            glVertex3f(c[0] * h, c[1] * h, c[2] * h);
        }
        glEnd();
    }
}

// A torus round the z axis: `rings` steps round the ring, `sides` round the tube.
void torus(float tube, float ring, int sides, int rings, bool solid) {
    const float two_pi = 2.0f * std::numbers::pi_v<float>;
    auto point = [&](int i, int j, bool normal) {
        const float theta = two_pi * static_cast<float>(i % rings) / static_cast<float>(rings);
        const float phi = two_pi * static_cast<float>(j % sides) / static_cast<float>(sides);
        const float ct = std::cos(theta);
        const float st = std::sin(theta);
        const float cp = std::cos(phi);
        const float sp = std::sin(phi);
        if (normal) {
            glNormal3f(ct * cp, st * cp, sp);
        }
        const float d = ring + tube * cp;
        glVertex3f(ct * d, st * d, tube * sp);
    };
    if (solid) {
        for (int i = 0; i < rings; ++i) {
            glBegin(GL_QUAD_STRIP);
            for (int j = 0; j <= sides; ++j) {
                point(i + 1, j, true);
                point(i, j, true);
            }
            glEnd();
        }
        return;
    }
    for (int i = 0; i < rings; ++i) {  // round the tube
        glBegin(GL_LINE_LOOP);
        for (int j = 0; j < sides; ++j) {
            point(i, j, true);
        }
        glEnd();
    }
    for (int j = 0; j < sides; ++j) {  // round the ring
        glBegin(GL_LINE_LOOP);
        for (int i = 0; i < rings; ++i) {
            point(i, j, true);
        }
        glEnd();
    }
}

void flat_rectangle(float width, float height, bool solid) {
    glBegin(solid ? GL_QUADS : GL_LINE_LOOP);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(width, 0.0f);
    glVertex2f(width, height);
    glVertex2f(0.0f, height);
    glEnd();
}

void draw(CpwPrimitives& p, int kind) {
    GLUquadric* q = p.quadric;
    const bool solid = kind % 2 == 1;
    const int slices = count_of(p, cpw_primopt_slices);
    const int stacks = count_of(p, cpw_primopt_stacks);
    if (q != nullptr) {
        gluQuadricDrawStyle(q, solid ? GLU_FILL : GLU_LINE);
        gluQuadricNormals(q, GLU_SMOOTH);
        gluQuadricTexture(q, p.texture ? GL_TRUE : GL_FALSE);
    }
    switch (kind) {
        case cpw_prim_wiresphere:
        case cpw_prim_solidsphere:
            if (q != nullptr) {
                gluSphere(q, value_of(p, cpw_primopt_radius), slices, stacks);
            }
            return;
        case cpw_prim_wirecone:
        case cpw_prim_solidcone:
            if (q != nullptr) {
                gluCylinder(q, value_of(p, cpw_primopt_radius), 0.0, value_of(p, cpw_primopt_height), slices, stacks);
            }
            return;
        case cpw_prim_wirecube:
        case cpw_prim_solidcube: cube(value_of(p, cpw_primopt_size), solid); return;
        case cpw_prim_wiretorus:
        case cpw_prim_solidtorus:
            torus(value_of(p, cpw_primopt_tuberadius), value_of(p, cpw_primopt_ringradius), slices, stacks, solid);
            return;
        case cpw_prim_wiredisk:
        case cpw_prim_soliddisk:
            if (q != nullptr) {
                gluDisk(q, value_of(p, cpw_primopt_innerradius), value_of(p, cpw_primopt_radius), slices, stacks);
            }
            return;
        case cpw_prim_wireteapot:
        case cpw_prim_solidteapot: cpw_teapot_draw(value_of(p, cpw_primopt_size), slices, solid); return;
        case cpw_prim_line2d:
            glBegin(GL_LINES);
            glVertex2f(0.0f, 0.0f);
            glVertex2f(value_of(p, cpw_primopt_width), 0.0f);
            glEnd();
            return;
        case cpw_prim_wiresquare2d:
        case cpw_prim_solidsquare2d:
            flat_rectangle(value_of(p, cpw_primopt_size), value_of(p, cpw_primopt_size), kind == cpw_prim_solidsquare2d);
            return;
        case cpw_prim_wirerectangle2d:
        case cpw_prim_solidrectangle2d:
            flat_rectangle(value_of(p, cpw_primopt_width), value_of(p, cpw_primopt_rectheight),
                           kind == cpw_prim_solidrectangle2d);
            return;
        default: return;  // kinds kept free
    }
}

}  // namespace

bool cpw_primitives_init(CpwContext* ctx) {
    std::unique_ptr<CpwPrimitives> p;
    try {
        p = std::make_unique<CpwPrimitives>();
    } catch (const std::bad_alloc&) {
        cpw_error_set(ctx, cpw_error_nomemory);
        return false;
    }
    set_defaults(*p);
    p->quadric = new_quadric();
    if (p->quadric == nullptr) {
        cpw_error_set(ctx, cpw_error_nomemory);
        return false;
    }
    ctx->ctx_primitives = p.release();
    return true;
}

void cpw_primitives_exit(CpwContext* ctx) {
    const std::unique_ptr<CpwPrimitives> p(ctx->ctx_primitives);
    ctx->ctx_primitives = nullptr;
    if (p) {
        delete_quadric(p->quadric);
    }
}

int cpwSetPrimitiveOpt(CpwContext* ctx, int option, float value) {
    CpwPrimitives* p = ctx->ctx_primitives;
    if (p == nullptr) {
        return bad_argument(ctx);
    }
    if (option == cpw_primopt_reset) {
        delete_quadric(p->quadric);
        set_defaults(*p);
        p->quadric = new_quadric();
        if (p->quadric == nullptr) {
            cpw_error_set(ctx, cpw_error_nomemory);
            return 0;
        }
        return 1;
    }
    if (option == cpw_primopt_texture) {
        p->texture = value == 1.0f;
        p->option[cpw_primopt_texture] = p->texture ? 1.0f : 0.0f;
        return 1;
    }
    if (option < cpw_primopt_radius || option > cpw_primopt_scale || !acceptable(option, value)) {
        return bad_argument(ctx);
    }
    const bool count = option == cpw_primopt_slices || option == cpw_primopt_stacks;
    p->option[static_cast<std::size_t>(option)] = count ? std::round(value) : value;
    return 1;
}

int cpwDrawPrimitive(CpwContext* ctx, int kind) {
    CpwPrimitives* p = ctx->ctx_primitives;
    if (kind < 0 || kind >= cpw_prim_kinds || p == nullptr) {
        return bad_argument(ctx);
    }
    const CpwGlFloatGuard guard;
    glPushMatrix();
    const float scale = value_of(*p, cpw_primopt_scale);
    glScalef(scale, scale, scale);
    draw(*p, kind);
    glPopMatrix();
    return 1;
}
