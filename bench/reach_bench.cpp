// Benchmarks of the glide reachability passes and the reach driver on
// Condor-size scenes: alpine relief of 4096 x 4096 cells with a 1601 x 1601
// reach grid (start at 2800 m) and rolling relief of 5120 x 3840 cells with a
// 2401 x 2401 reach grid (start at 2500 m), glide ratio 35, safety height
// 150 m, start in the middle. Besides Google Benchmark's table, each run
// prints one JSON line with the stage's figures:
// - first pass at step 1 on 1 and 8 threads: seconds, traced cells per
//   second, the balance of the threads (busiest thread's time over the mean)
//   and, on 8 threads, the speedup over 1;
// - one complete computation (marking, both passes) at step 2 on 8 threads:
//   the seconds of each stage;
// - the driver with steps 8 to 1 and refinement: seconds and the step it
//   reached;
// each with the hash of its result. REACH_TRACE=1 adds the passes' trace.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>

#include "airspace/airspace_trace.h"
#include "foundation/reach_settings.h"
#include "foundation/terrain_extents.h"
#include "terrain/reach_clock.h"
#include "terrain/reach_driver.h"
#include "terrain/reach_passes.h"
#include "terrain/reach_records.h"
#include "terrain_scenes.h"

namespace {

using terrain_scenes::Relief;

struct Scene {
    Relief relief;
    const char* name;
    int ni;
    int nj;
    int reach;
    float z0;
};

constexpr Scene kAlpine{Relief::alpine, "alpine", 4096, 4096, 1601, 2800.0f};
constexpr Scene kRolling{Relief::rolling, "rolling", 5120, 3840, 2401, 2500.0f};

float steady_seconds() {
    static const auto origin = std::chrono::steady_clock::now();
    return std::chrono::duration<float>(std::chrono::steady_clock::now() - origin).count();
}

// The scene loaded, the settings of the benchmarks, the trace off.
void prepare(const Scene& s, int threads) {
    static Relief loaded = Relief::alpine;
    static bool any = false;
    if (!any || loaded != s.relief || altitude.zp.ni() != s.ni) {
        terrain_scenes::set_scene(s.relief, s.ni, s.nj);
        loaded = s.relief;
        any = true;
    }
    set_airspace_trace(std::getenv("REACH_TRACE") != nullptr);
    set_reach_clock(steady_seconds);
    reset_reach_settings();
    loca00.sfty_g = 150.0f;
    loca00.fcalc_inv = 1.0f / 35.0f;
    loca00.vtrans = 25.0f;
    pelrn00.num_threads = threads;
    pelrn00.min_gri = 1;
    pelrn00.max_gri = 8;
}

struct Start {
    float x;
    float y;
};

Start start_of(const Scene& s) {
    return {trn001.x_scn_mx - 90.0f * static_cast<float>(s.ni / 2) + 45.0f,
            90.0f * static_cast<float>(s.nj / 2) - 45.0f};
}

CellTable<GlidePoint> ppp;
CellTable<int> state;

std::string hash_text() {
    char text[32];
    std::snprintf(text, sizeof text, "%016" PRIx64, terrain_scenes::reach_hash(ppp, state, reachable_mod.l_connect));
    return text;
}

bool pass(const Scene& s, int& nex, int ngri) {
    const Start p = start_of(s);
    float xd = 0.0f;
    float yd = 0.0f;
    return get_reach_p(s.reach, s.reach, ppp, state, nex, ngri, p.x, p.y, s.z0, 0.0f, 0, xd, yd);
}

// Seconds of the first pass on one thread, per scene, for the speedup.
std::map<std::string, double>& single_thread_seconds() {
    static std::map<std::string, double> seconds;
    return seconds;
}

void first_pass(benchmark::State& st, const Scene& s, int threads) {
    prepare(s, threads);
    double seconds = 0.0;
    long long traced = 0;
    double balance = 0.0;
    int used = 0;
    double cpu = 0.0;
    for (auto _ : st) {
        int nex = kNewComputation;
        const std::clock_t cpu_began = std::clock();
        if (!pass(s, nex, 1)) {
            st.SkipWithError("refused");
            return;
        }
        cpu += static_cast<double>(std::clock() - cpu_began) / CLOCKS_PER_SEC;
        const ReachPass& rp = reach_pass;
        st.SetIterationTime(rp.t_first);
        seconds += rp.t_first;
        used = rp.threads_used;
        double busiest = 0.0;
        double sum = 0.0;
        for (int k = 1; k <= used; ++k) {
            traced += rp.nt_para[static_cast<std::size_t>(k)];
            busiest = std::max(busiest, rp.tm_para[static_cast<std::size_t>(k)]);
            sum += rp.tm_para[static_cast<std::size_t>(k)];
        }
        balance += sum > 0.0 ? busiest / (sum / used) : 1.0;
    }
    const double n = static_cast<double>(st.iterations());
    const double mean = seconds / n;
    const double rate = static_cast<double>(traced) / seconds;
    st.counters["traced_per_s"] = rate;
    st.counters["balance"] = balance / n;
    std::string speedup;
    if (threads == 1) {
        single_thread_seconds()[s.name] = mean;
    } else if (single_thread_seconds().count(s.name) != 0) {
        const double x = single_thread_seconds()[s.name] / mean;
        st.counters["speedup"] = x;
        speedup = ",\"speedup\":" + std::to_string(x);
    }
    std::printf(
        "{\"bench\":\"reach_first_pass\",\"scene\":\"%s\",\"ngri\":1,\"threads\":%d,\"seconds\":%.4f,"
        "\"cpu_seconds\":%.4f,\"traced_cells\":%lld,\"traced_per_s\":%.0f,\"balance\":%.3f%s,\"hash\":\"%s\"}\n",
        s.name, used, mean, cpu / n, static_cast<long long>(static_cast<double>(traced) / n), rate, balance / n,
        speedup.c_str(), hash_text().c_str());
}

void complete(benchmark::State& st, const Scene& s, int ngri, int threads) {
    prepare(s, threads);
    double mark = 0.0;
    double first = 0.0;
    double sweeps = 0.0;
    double confirm = 0.0;
    double total = 0.0;
    for (auto _ : st) {
        const float began = steady_seconds();
        int nex = kNewComputation;
        if (!pass(s, nex, ngri) || !pass(s, nex, ngri)) {
            st.SkipWithError("refused");
            return;
        }
        const float took = steady_seconds() - began;
        st.SetIterationTime(took);
        total += took;
        mark += reach_pass.t_mark;
        first += reach_pass.t_first;
        sweeps += reach_pass.t_sweeps;
        confirm += reach_pass.t_confirm;
    }
    airspace_trace_flush();
    const double n = static_cast<double>(st.iterations());
    std::printf(
        "{\"bench\":\"reach_complete\",\"scene\":\"%s\",\"ngri\":%d,\"threads\":%d,\"seconds\":%.4f,"
        "\"marking\":%.4f,\"first_pass\":%.4f,\"second_pass\":%.4f,\"confirmation\":%.4f,\"hash\":\"%s\"}\n",
        s.name, ngri, reach_pass.threads_used, total / n, mark / n, first / n, sweeps / n, confirm / n,
        hash_text().c_str());
}

void driver(benchmark::State& st, const Scene& s, int threads) {
    prepare(s, threads);
    pelrn00.qrefgri = true;
    double total = 0.0;
    int ngri = 0;
    for (auto _ : st) {
        reset_reach_nav();
        const Start p = start_of(s);
        int nex = 0;
        float xd = 0.0f;
        float yd = 0.0f;
        const float began = steady_seconds();
        if (!get_reach_p_nav(s.reach, s.reach, ppp, state, nex, ngri, p.x, p.y, s.z0, 0.0f, 0, xd, yd)) {
            st.SkipWithError("refused");
            return;
        }
        const float took = steady_seconds() - began;
        st.SetIterationTime(took);
        total += took;
    }
    st.counters["final_step"] = ngri;
    std::printf(
        "{\"bench\":\"reach_driver\",\"scene\":\"%s\",\"max_gri\":8,\"min_gri\":1,\"threads\":%d,\"seconds\":%.4f,"
        "\"final_step\":%d,\"hash\":\"%s\"}\n",
        s.name, reach_pass.threads_used, total / static_cast<double>(st.iterations()), ngri, hash_text().c_str());
}

void BM_reach_first_pass_alpine_1(benchmark::State& st) { first_pass(st, kAlpine, 1); }
void BM_reach_first_pass_alpine_8(benchmark::State& st) { first_pass(st, kAlpine, 8); }
void BM_reach_complete_alpine_ngri2_8(benchmark::State& st) { complete(st, kAlpine, 2, 8); }
void BM_reach_driver_alpine_8(benchmark::State& st) { driver(st, kAlpine, 8); }
void BM_reach_first_pass_rolling_1(benchmark::State& st) { first_pass(st, kRolling, 1); }
void BM_reach_first_pass_rolling_8(benchmark::State& st) { first_pass(st, kRolling, 8); }
void BM_reach_complete_rolling_ngri2_8(benchmark::State& st) { complete(st, kRolling, 2, 8); }
void BM_reach_driver_rolling_8(benchmark::State& st) { driver(st, kRolling, 8); }

BENCHMARK(BM_reach_first_pass_alpine_1)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_reach_first_pass_alpine_8)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_reach_complete_alpine_ngri2_8)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_reach_driver_alpine_8)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_reach_first_pass_rolling_1)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_reach_first_pass_rolling_8)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_reach_complete_rolling_ngri2_8)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_reach_driver_rolling_8)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

}  // namespace
