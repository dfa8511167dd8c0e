#pragma once

// The glide reachability passes: which cells of a square reach grid round a
// glider it reaches in a straight or broken glide without coming closer to
// the terrain than the safety height loca00.sfty_g, and at what altitude it
// arrives over each.
//
// One call of get_reach_p makes one pass. A new computation marks the
// candidate cells (those a glide over flat ground at their own height would
// reach) and runs the first pass: a straight glide from the start to every
// candidate, the rows of the window dealt to the threads as they become free.
// Each cell's result depends only on the start and the terrain, so the result
// is the same bit for bit for any number of threads. A later call runs the
// second pass: four sweeps that reach cells from cells already reached up to
// four grid steps away, round obstacles, each sweep shared by the threads as
// a wavefront that keeps the one-thread order, then the confirmation of the
// cells it reached. Only every ngri-th cell of each row and column is
// computed, from cell 1.
//
// The reach grid (nrcdim1 columns x nrcdim2 rows): ppp_rch(ii, jj) the cell's
// centre in the landscape frame and its best arrival altitude (-1000 none),
// n_rch(ii, jj) its state (the kReach* codes), reachable_mod.l_connect the
// cell each cell was reached from (reach_records.h). Reach cell (ii, jj)
// stands on terrain cell (rch001.irch_1 + ii - 1, rch001.jrch_1 + jj - 1).
//
// Switches (pelrn00): qwind applies the wind factor to every glide; qnav
// builds the airspace short list of the computation (nav_airspace); with
// as0003.qcheckas_trj every point of every glide is tested against the
// short-listed airspace (check_as_gr); qdecentr shifts the window forward
// along the recorded track (loca02, pelloran_mod); qrefining centres the
// first pass on the start (a refinement, reach_driver.h). A start whose
// track speed exceeds loca00.vfmax first slides off the slope it is on.
// Trace lines go to the terrain code's trace (airspace/airspace_trace.h),
// never from inside a parallel region.

#include <array>

#include "terrain/ground_view.h"
#include "terrain/terrain_grid.h"

// States of a reach-grid cell (n_rch).
inline constexpr int kReachOutside = -1;   // off the terrain, on the start, or beyond a flat glide
inline constexpr int kReachCandidate = 0;  // a candidate without an arrival yet
inline constexpr int kReachStraight = 1;   // reached by a straight glide from the start
inline constexpr int kReachConfirmed = 2;  // reached through other cells, confirmed
inline constexpr int kReachFilled = 3;     // filled between computed cells when the step was halved
inline constexpr int kReachPending = 10;   // reached through other cells in the running second pass

// Arrival altitude of a cell not reached, and the connection code of a cell
// before a computation.
inline constexpr float kNoArrival = -1000.0f;
inline constexpr int kNoConnection = -999;

// nex on entry of get_reach_p asking for a new computation.
inline constexpr int kNewComputation = -100;

// Rings of neighbours the second pass looks at.
inline constexpr int kStencilRings = 4;

// The neighbour tables of the second pass for one grid step, indexed
// [a + 4][b + 4] for a neighbour a steps along x and b along y: its distance
// (dd9), the unit vector from it toward the centre (dx9, dy9), the wind
// factor of that direction (ff9, 1 without wind) and the height lost on that
// glide (dz9).
struct ReachStencil {
    using Table = std::array<std::array<float, 2 * kStencilRings + 1>, 2 * kStencilRings + 1>;
    Table dd9{};
    Table dx9{};
    Table dy9{};
    Table ff9{};
    Table dz9{};
};

// What get_reach_p keeps from call to call.
struct ReachPass {
    bool qinit_mp = false;  // the thread count has been set up (init_mp)
    float x00 = 0.0f;       // the start in the grid frame, and its altitude
    float y00 = 0.0f;
    float z00 = 0.0f;
    int ical_min = 1;  // window of the last first pass, used by the second passes
    int ical_max = 0;
    int jcal_min = 1;
    int jcal_max = 0;
    int nr1 = 0;      // cells reached in the running pass
    int npa = 0;      // second passes since the last first pass
    int nex_tot = 0;  // cells reached since the last new computation
    ReachStencil stencil;
    // Per thread k (1..32) of the last first pass: the first and last column
    // it took, the columns it took, the cells it traced and reached, and its
    // busy time in seconds.
    std::array<int, mxthrds + 1> first_para{};
    std::array<int, mxthrds + 1> last_para{};
    std::array<int, mxthrds + 1> lines_para{};
    std::array<int, mxthrds + 1> nt_para{};
    std::array<int, mxthrds + 1> nr_para{};
    std::array<double, mxthrds + 1> tm_para{};
    int threads_used = 0;  // threads of the last first pass
    // The sweep in which each reach cell last improved in the running
    // second pass (0: not yet).
    CellTable<int> stamps;
    // Seconds of the stages of the last passes (reach clock): marking, first
    // pass, second-pass sweeps, confirmation.
    float t_mark = 0.0f;
    float t_first = 0.0f;
    float t_sweeps = 0.0f;
    float t_confirm = 0.0f;
};
extern ReachPass reach_pass;
void reset_reach_pass();

// The thread count of the passes: requested held within 1 .. min(available,
// 32), available below 1 counting as 1.
int clamp_thread_count(int requested, int available);

// Sets pelrn00.num_threads to clamp_thread_count(num_threads,
// omp_get_max_threads()) and traces the count ("THREADS"). get_reach_p does
// it once, on its first call.
void init_mp();

// One pass over the reach grid. nex on entry: kNewComputation (-100) for a
// new computation from the landscape-frame start (x0, y0) at altitude z0 and
// time t0 followed by the first pass; another negative value for a first pass
// on the window of the last new computation; 0 or more for a second pass. On
// return nex holds the cells the pass newly reached and xdcnt, ydcnt the
// forward shift of the window (a new computation; 0 without qdecentr). nt0
// is not used. A new computation sizes ppp_rch and n_rch to the grid, and
// every call sizes l_connect to it (all -999) when it has another size.
// Refused with a message, nothing changed, and false: a grid of no cells, of
// more cells than a connection code numbers or of a side beyond INT_MAX / 5;
// a step below 1 or beyond the grid's larger side; heights that are not the
// grid of trn001; for a pass without a new computation, arrays of another
// size than the grid.
bool get_reach_p(int nrcdim1, int nrcdim2, CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, int& nex, int ngri,
                 float x0, float y0, float z0, float t0, int nt0, float& xdcnt, float& ydcnt);

// Clips the reach-grid bounds irch_min .. irch_max, jrch_min .. jrch_max so
// that their terrain cells (offset irch_1, jrch_1) lie on the ni_00 x nj_00
// grid; an empty range becomes the whole reach grid; each bound is held
// within 1 .. nrcdim; with ngri > 1 the minimum is raised and the maximum
// lowered to the nearest index of the computed cells 1, 1 + ngri, ...
void adjust_limits(int nrcdim1, int nrcdim2, int ni_00, int nj_00, int irch_1, int jrch_1, int ngri, int& irch_min,
                   int& irch_max, int& jrch_min, int& jrch_max);

// Straight glide from the start (x00, y00, z00, grid frame) to reach cell
// (ii, jj) over the terrain sampled by `ground`, in steps of 90 m that grow
// to 540 m while the glider stays high above the ground; kt goes to the
// airspace test. A cell within 90 m of the start is left as it is. On
// arrival clear of the ground by sfty_g (and of the airspace): the cell's
// arrival altitude, state kReachStraight, connection 0, nr1 + 1. Safe to
// run for different cells at once.
void rech_ld(float x00, float y00, float z00, int ii, int jj, const GroundView& ground, CellTable<GlidePoint>& ppp_rch,
             CellTable<int>& n_rch, int& nr1, int kt);

// Fills the neighbour tables for grid step ngri.
void fill_stencil(int ngri, ReachStencil& stencil);

// Improves reach cell (ii, jj) on terrain cell (i, j) from the reached cells
// (state above 0) of the candidate box of rch001 up to nvmax (at most 4)
// rings of ngri cells away: a glide from a neighbour that clears the ground
// by sfty_g all the way, in 90 m steps (the last one shortened, with its
// height loss), and arrives higher than the cell's best so far, makes the
// cell kReachPending with that altitude and the neighbour's number as its
// connection. The highest arrival wins, the first found on ties.
void rech_vois(int ii, int jj, int i, int j, int ngri, int nvmax, int nrcdim1, int nrcdim2,
               CellTable<GlidePoint>& ppp_rch, CellTable<int>& n_rch, const ReachStencil& stencil);
