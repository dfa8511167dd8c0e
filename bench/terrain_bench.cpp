// Benchmarks of the terrain code on a 4096 x 4096 grid (368 km square): the
// 11 x 11 neighbourhood maximum, the loading of a terrain file measured
// beside the plain reading of its bytes, and a straight glide over 100 km
// (time per 90 m step).

#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "airspace/airspace_trace.h"
#include "foundation/messages.h"
#include "foundation/terrain_extents.h"
#include "foundation/little_endian.h"
#include "platform/files.h"
#include "platform/path_map.h"
#include "terrain/glide_line.h"
#include "terrain/grid_access.h"
#include "terrain/reach_records.h"
#include "terrain/trn_heights.h"

namespace {

constexpr int kCells = 4096;

// Rolling hills of 0..2000 m with integer noise, the same on every run.
float hill_height(int i, int j) {
    const unsigned h = static_cast<unsigned>(i) * 73856093u ^ static_cast<unsigned>(j) * 19349663u;
    return static_cast<float>(1000 + ((i * 7 + j * 3) % 900) - 450 + static_cast<int>(h % 97));
}

void set_hills() {
    if (altitude.zp.ni() == kCells) {
        return;
    }
    altitude.zp.assign(kCells, kCells, 0.0f);
    for (int i = 1; i <= kCells; ++i) {
        for (int j = 1; j <= kCells; ++j) {
            altitude.zp(i, j) = hill_height(i, j);
        }
    }
    trn001.ni_00 = kCells;
    trn001.nj_00 = kCells;
    trn001.i_00 = 1;
    trn001.j_00 = 1;
    trn001.rew = trn001.rns = trn001.dxy = 90.0f;
    trn001.x_scn_mx = trn001.y_scn_mx = 90.0f * kCells;
}

void BM_alt_voisinage_4096(benchmark::State& state) {
    set_hills();
    for (auto _ : state) {
        alt_voisinage();
        benchmark::DoNotOptimize(altitude.zp_mx5(100, 100));
    }
}
BENCHMARK(BM_alt_voisinage_4096)->Unit(benchmark::kMillisecond);

// A 4096 x 4096 terrain file in the temporary folder, written once.
const std::string& trn_file() {
    static const std::string name = [] {
        const std::filesystem::path path = std::filesystem::temp_directory_path() / "tarvex_bench_4096.trn";
        std::string bytes(36, '\0');
        put_i32(bytes, 0, kCells);
        put_i32(bytes, 4, kCells);
        put_f32(bytes, 8, 90.0f);
        put_f32(bytes, 12, 90.0f);
        put_f32(bytes, 16, 90.0f);
        bytes[28] = 32;
        bytes[32] = 'N';
        bytes.reserve(36 + 2u * kCells * kCells);
        for (int c = 0; c < kCells; ++c) {
            for (int r = 0; r < kCells; ++r) {
                const auto h = static_cast<std::uint16_t>(hill_height(kCells - c, r + 1));
                bytes += static_cast<char>(h & 0xFF);
                bytes += static_cast<char>(h >> 8);
            }
        }
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }();
    return name;
}

std::string windows_path(const std::string& host) { return map_from_host(host); }

// Reading the file's bytes whole into memory: a buffer kept from one read to
// the next, and fresh memory each time.
void read_bytes(benchmark::State& state, bool fresh) {
    const std::string path = windows_path(trn_file());
    const auto size = static_cast<std::size_t>(file_size(path));
    std::string kept;
    for (auto _ : state) {
        std::string fresh_bytes;
        std::string& bytes = fresh ? fresh_bytes : kept;
        ByteFileReader reader(path);
        if (!reader.read(bytes, size)) {
            state.SkipWithError("the terrain file was not read whole");
        }
        benchmark::DoNotOptimize(bytes.data());
    }
}

void BM_read_trn_bytes_4096(benchmark::State& state) { read_bytes(state, false); }
BENCHMARK(BM_read_trn_bytes_4096)->Unit(benchmark::kMillisecond);

void BM_read_trn_bytes_fresh_4096(benchmark::State& state) { read_bytes(state, true); }
BENCHMARK(BM_read_trn_bytes_fresh_4096)->Unit(benchmark::kMillisecond);

// Loading the heights: again into the grid loaded before (its memory kept),
// and into fresh memory.
void load_heights(benchmark::State& state, bool fresh) {
    const std::string path = windows_path(trn_file());
    set_message_box([](const std::string&, const std::string&, int&) {});
    int status = 0;
    for (auto _ : state) {
        if (fresh) {
            state.PauseTiming();
            reset_altitude();
            state.ResumeTiming();
        }
        read_trn_heights(path, status);
        benchmark::DoNotOptimize(altitude.zp(1, 1));
    }
    set_message_box(nullptr);
    if (status != 0) {
        state.SkipWithError("the terrain file was refused");
    }
}

void BM_read_trn_heights_4096(benchmark::State& state) { load_heights(state, false); }
BENCHMARK(BM_read_trn_heights_4096)->Unit(benchmark::kMillisecond);

void BM_read_trn_heights_fresh_4096(benchmark::State& state) { load_heights(state, true); }
BENCHMARK(BM_read_trn_heights_fresh_4096)->Unit(benchmark::kMillisecond);

// A straight glide of 100 km over the hills. Kept between 1 and 2 safety
// heights above the ground, the line advances in 90 m steps: 1111 steps and
// the target, so the time per step is the time of the line / 1112. Far above
// the ground the steps grow to 540 m.
void glide_100km(benchmark::State& state, float sfty, float fcalc_inv, float z0, double points) {
    set_hills();
    reset_loca00();
    loca00.sfty_g = sfty;
    loca00.sfty_h = sfty;
    loca00.fcalc_inv = fcalc_inv;
    const float x0 = 20000.0f;
    const float y0 = 150000.0f;
    bool clear = false;
    for (auto _ : state) {
        float x = x0;
        float y = y0;
        float z = z0;
        float zg = 0.0f;
        float dhg = 0.0f;
        clear = ligne_droite(false, true, x, y, z, x0 + 100000.0f, y0, altitude.zp, zg, dhg);
        benchmark::DoNotOptimize(dhg);
    }
    if (!clear) {
        state.SkipWithError("the line was not clear");
    }
    if (points > 0.0) {
        // Seconds per step (shown with an SI prefix: "n" for nanoseconds).
        state.counters["per_step"] = benchmark::Counter(points * static_cast<double>(state.iterations()),
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    }
}

void BM_ligne_droite_100km_90m_steps(benchmark::State& state) {
    // Hills of 550..1545 m; the glide from 5200 m loses 100 m: between 3555
    // and 4650 m above the ground, within 1 and 2 x 2400 m.
    glide_100km(state, 2400.0f, 0.001f, 5200.0f, 1112.0);
}
BENCHMARK(BM_ligne_droite_100km_90m_steps)->Unit(benchmark::kMicrosecond);

void BM_ligne_droite_100km_high(benchmark::State& state) {
    glide_100km(state, 100.0f, 0.001f, 5200.0f, 0.0);
}
BENCHMARK(BM_ligne_droite_100km_high)->Unit(benchmark::kMicrosecond);

}  // namespace
