#include "cpw_fixture.h"

#include "cpw/primitives.h"
#include "cpw/teapot.h"

#include <cmath>
#include <limits>

using namespace cpw_test;

namespace {

using CpwPrimitivesTest = CpwTest;

float option(CpwContext* ctx, int n) {
    return ctx->ctx_primitives->option[static_cast<std::size_t>(n)];
}

TEST_F(CpwPrimitivesTest, OptionsAndTheirChecks) {
    ASSERT_NE(ctx->ctx_primitives, nullptr);
    EXPECT_NE(ctx->ctx_primitives->quadric, nullptr);
    EXPECT_EQ(option(ctx, cpw_primopt_scale), 1.0f);
    EXPECT_EQ(option(ctx, cpw_primopt_slices), 16.0f);
    EXPECT_FALSE(ctx->ctx_primitives->texture);

    EXPECT_EQ(cpwSetPrimitiveOpt(ctx, cpw_primopt_radius, 2.5f), 1);
    EXPECT_EQ(cpwSetPrimitiveOpt(ctx, cpw_primopt_slices, 7.4f), 1);
    EXPECT_EQ(cpwSetPrimitiveOpt(ctx, cpw_primopt_scale, -2.0f), 1);  // a mirror image
    EXPECT_EQ(cpwSetPrimitiveOpt(ctx, cpw_primopt_innerradius, 0.0f), 1);
    EXPECT_EQ(option(ctx, cpw_primopt_radius), 2.5f);
    EXPECT_EQ(option(ctx, cpw_primopt_slices), 7.0f);
    EXPECT_EQ(option(ctx, cpw_primopt_scale), -2.0f);
    EXPECT_EQ(cpwGetLastError(ctx), 0);

    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const struct {
        int option;
        float value;
    } bad[] = {{cpw_primopt_radius, -1.0f}, {cpw_primopt_size, nan},      {cpw_primopt_width, inf},
               {cpw_primopt_slices, 0.0f},  {cpw_primopt_stacks, 1001.0f}, {cpw_primopt_scale, 0.0f},
               {13, 1.0f},                  {-1, 1.0f}};
    for (const auto& b : bad) {
        cpwSetLastError(ctx, 0);
        EXPECT_EQ(cpwSetPrimitiveOpt(ctx, b.option, b.value), 0) << b.option;
        EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument) << b.option;
    }
    EXPECT_EQ(option(ctx, cpw_primopt_radius), 2.5f);

    EXPECT_EQ(cpwSetPrimitiveOpt(ctx, cpw_primopt_texture, 1.0f), 1);
    EXPECT_TRUE(ctx->ctx_primitives->texture);
    EXPECT_EQ(cpwSetPrimitiveOpt(ctx, cpw_primopt_texture, 0.5f), 1);
    EXPECT_FALSE(ctx->ctx_primitives->texture);
    cpwSetPrimitiveOpt(ctx, cpw_primopt_texture, 1.0f);

    EXPECT_EQ(cpwSetPrimitiveOpt(ctx, cpw_primopt_reset, 0.0f), 1);
    EXPECT_NE(ctx->ctx_primitives->quadric, nullptr);
    EXPECT_EQ(option(ctx, cpw_primopt_radius), 1.0f);
    EXPECT_EQ(option(ctx, cpw_primopt_slices), 16.0f);
    EXPECT_EQ(option(ctx, cpw_primopt_scale), 1.0f);
    EXPECT_EQ(option(ctx, cpw_primopt_tuberadius), 0.25f);
    EXPECT_FALSE(ctx->ctx_primitives->texture);
}

TEST_F(CpwPrimitivesTest, KindsOutsideTheRange) {
    for (const int kind : {-1, 20, 1000}) {
        cpwSetLastError(ctx, 0);
        EXPECT_EQ(cpwDrawPrimitive(ctx, kind), 0) << kind;
        EXPECT_EQ(cpwGetLastError(ctx), cpw_error_badargument) << kind;
    }
}

using Point = std::array<float, 3>;

bool same(const Point& a, const Point& b) {
    return std::fabs(a[0] - b[0]) < 1e-5f && std::fabs(a[1] - b[1]) < 1e-5f && std::fabs(a[2] - b[2]) < 1e-5f;
}

// Whether row `ra` of patch a equals row `rb` of patch b (v rows), or columns (u) when `columns`.
bool edges_meet(const CpwTeapotPatch& a, int ea, const CpwTeapotPatch& b, int eb, bool columns) {
    for (std::size_t i = 0; i < 4; ++i) {
        const Point& pa = columns ? a[i][static_cast<std::size_t>(ea)] : a[static_cast<std::size_t>(ea)][i];
        const Point& pb = columns ? b[i][static_cast<std::size_t>(eb)] : b[static_cast<std::size_t>(eb)][i];
        if (!same(pa, pb)) {
            return false;
        }
    }
    return true;
}

TEST(CpwTeapot, PatchesFitTogether) {
    const auto& p = cpw_teapot_patches();
    ASSERT_EQ(p.size(), 32u);
    // Patches: 0-3 rim, 4-7 upper body, 8-11 lower body, 12-15 handle,
    // 16-19 spout, 20-23 lid top, 24-27 lower lid, 28-31 bottom.
    for (int q = 0; q < 4; ++q) {
        const auto next = static_cast<std::size_t>((q + 1) % 4);
        const auto i = static_cast<std::size_t>(q);
        for (const std::size_t part : {0u, 4u, 8u, 20u, 24u, 28u}) {
            EXPECT_TRUE(edges_meet(p[part + i], 3, p[part + next], 0, true)) << "quarters of part " << part;
        }
        EXPECT_TRUE(edges_meet(p[i], 3, p[4 + i], 0, false)) << "rim to body";
        EXPECT_TRUE(edges_meet(p[4 + i], 3, p[8 + i], 0, false)) << "upper to lower body";
        EXPECT_TRUE(edges_meet(p[20 + i], 3, p[24 + i], 0, false)) << "lid top to lower lid";
        // The bottom's rim is the body's lowest ring.
        EXPECT_TRUE(edges_meet(p[8 + i], 3, p[28 + i], 3, false)) << "body to bottom";
    }
    for (const std::size_t tube : {12u, 14u, 16u, 18u}) {
        // A tube's two halves share their edges in the y = 0 plane.
        EXPECT_TRUE(edges_meet(p[tube], 0, p[tube + 1], 0, true));
        EXPECT_TRUE(edges_meet(p[tube], 3, p[tube + 1], 3, true));
    }
    EXPECT_TRUE(edges_meet(p[12], 3, p[14], 0, false)) << "handle";
    EXPECT_TRUE(edges_meet(p[16], 3, p[18], 0, false)) << "spout";
    // The handle ends on the body's seam at r 2, z 0.9.
    EXPECT_TRUE(same(p[14][3][0], Point{-2.0f, 0.0f, 0.9f}));
    // The lid's knob and the bottom close at the axis.
    EXPECT_TRUE(same(p[20][0][1], Point{0.0f, 0.0f, 3.15f}));
    EXPECT_TRUE(same(p[28][0][2], Point{0.0f, 0.0f, 0.0f}));
    for (const CpwTeapotPatch& patch : p) {
        for (const auto& row : patch) {
            for (const Point& pt : row) {
                EXPECT_TRUE(pt[0] >= -3.0f && pt[0] <= 3.525f && pt[1] >= -2.0f && pt[1] <= 2.0f && pt[2] >= 0.0f &&
                            pt[2] <= 3.15f);
            }
        }
    }
}

}  // namespace
