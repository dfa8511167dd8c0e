#pragma once

#include <span>

// Plane geometry on the turnpoints of a task, in the landscape's local frame
// (metres; x grows to the west, y to the north): the task's bounding box, the
// observation-zone tests and the aiming point on a cylinder's edge.
//
// The arrays are the task model's turnpoint tables (index 0 the takeoff, 1
// the start, nb_wp - 1 the finish). A point index outside the arrays given
// never reads beyond them: the zone tests then answer "outside" and the
// aiming offset is zero. Angles are degrees; a direction is atan2(dy, dx) in
// degrees with pi taken as 3.1415927. Everything is computed in double, so no
// position however far out overflows.
//
// The conversion calls only task_minmax; the zone tests and opt_branch are
// offered to the forms and the terrain code.

// Widens the box xmi..xma, ymi..yma (in and out; the incoming values are the
// starting extremes) over every point 0..nb_wp - 1 plus and minus its radius,
// then holds each extreme within the terrain frame less a margin of 2880 m
// (trn001.x_scn_mx, y_scn_mx): max(2880, min(value, size - 2880)). Writes the
// box before and after on the console.
void task_minmax(int nb_wp, std::span<const float> tpx, std::span<const float> tpy, std::span<const int> tprad,
                 float& xmi, float& xma, float& ymi, float& yma);

// True when (xx, yy) at altitude zz lies in the start or finish zone of the
// point (tpx1, tpy1), whose neighbouring task point is (tpx2, tpy2): within
// tprad, between tpwid and tphei, and for a line (tpang 180) on the far side
// of the line from the neighbour. Only cylinders (360) and lines (180) are
// zones of this kind: any other angle is written on the console and stops the
// program with the text "TPANG".
bool in_sta_fin(float xx, float yy, float zz, float tpx1, float tpy1, float tpx2, float tpy2, int tprad, int tpang,
                float tpwid, float tphei);

// True when (xx, yy, zz) lies in the observation zone of turnpoint ns1 of a
// task of nwp points: within tprad, at or above tpwid (for the finish the
// larger of tpwid and fimialt), at or below tphei, and for a sector within
// tpang around its axis (the start's opens away from the first leg, the
// finish's beyond the last leg, a turnpoint's to the outside of its turn).
bool in_sector(float xx, float yy, float zz, int ns1, int nwp, std::span<const float> tpx,
               std::span<const float> tpy, std::span<const int> tprad, std::span<const int> tpang,
               std::span<const float> tpwid, std::span<const float> tphei, float fimialt);

// The window of turnpoint ns1 (tpwid wide, tphei high around tpalt): 0 when
// (xx, yy, zz) is outside it, 1 inside on the side its normal (tp_dx, tp_dy)
// points to, 2 inside on the other side. nwp is not used. Writes its work on
// the console.
int in_window(float xx, float yy, float zz, int ns1, int nwp, std::span<const float> tpx,
              std::span<const float> tpy, std::span<const float> tpalt, std::span<const float> tpwid,
              std::span<const float> tphei, std::span<const float> tp_dx, std::span<const float> tp_dy);

// The offset (dxtgt, dytgt) from cylinder turnpoint np to the point of its
// edge that the shortest route touches: towards the first turnpoint for the
// start, back along the last leg for the finish, along the bisector into the
// turn for a turnpoint, tprad long. Zero for a point that is not a cylinder,
// for the takeoff, beyond the finish, or where the direction is undefined.
void opt_branch(int np, int nb_wp, std::span<const float> tpx, std::span<const float> tpy,
                std::span<const int> tpang, std::span<const int> tprad, float& dxtgt, float& dytgt);
