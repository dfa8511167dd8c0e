// Benchmarks of the OpenAir reader, traces off. Filter mode (the
// conversion's mode): a file at the table limits, a national-size file, and
// files of 1, 2 and 4 times a base size with raised limits. Load mode (the
// in-memory model of the terrain code): the limit-size file read with its
// raster, the raster alone (nodes per second), and 1, 2 and 4 times that file
// with the raster budget raised alike. Each load checks that the scanline
// raster is the per-node one.

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "airspace/airspace_grid.h"
#include "airspace/airspace_mod.h"
#include "airspace/airspace_reader.h"
#include "airspace/airspace_records.h"
#include "airspace/airspace_trace.h"
#include "airspace/airspace_window.h"
#include "airspace/layer_reset.h"
#include "foundation/airspace_names.h"
#include "foundation/local_frame.h"
#include "foundation/message_records.h"
#include "foundation/terrain_extents.h"
#include "foundation/utm_frame.h"
#include "landscape_generator.h"
#include "openair_generator.h"
#include "platform/write_batch.h"
#include "taskfiles/task_model.h"

namespace {

// A folder of its own for the benchmark's files, made the current folder.
class BenchFolder {
public:
    BenchFolder() : path_(std::filesystem::temp_directory_path() / "tarvex_airspace_bench") {
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
    }

private:
    std::filesystem::path path_;
};

// A Condor terrain header for a 200 km square frame in UTM zone 32 north,
// its south-east corner near 44.2 N 7.7 E.
void write_frame_header(const char* name) {
    std::ofstream(name, std::ios::binary) << terrain_header(2000, 100.0f, 600000.0f, 4900000.0f, 32);
}

void prepare(const OpenAirSample& sample) {
    static BenchFolder folder;
    std::ofstream("bench.air", std::ios::binary) << sample.text;
    reset_airspace_layer();
    rd_fpl_2.fpl_000 = "C:\\Condor3\\FlightPlans\\Bench.fpl";
    as000c.aspfile = "bench.air";
    as000c.new_aspfile = "bench-out.txt";
    as000c.asp_d_file = "bench-AS_LIST.txt";
    as0003.qwriteas = true;
    as0003.qcropas = true;
    as0003.qdeldup = true;
    set_airspace_trace(false);
    // Messages (the raster's cell-size warning) on the console, not in boxes.
    cmndta001.qline = true;
    write_frame_header("bench.trn");
    float width = 0.0f;
    float height = 0.0f;
    utm_init("bench.trn", width, height);
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    latlontoxy(44.5f, 7.5f, x1, y1);
    latlontoxy(46.5f, 5.5f, x2, y2);
    init_airspace_map_1(x1, x2, y1, y2);
}

long peak_rss_kib() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void run_reader(benchmark::State& state, const OpenAirSample& sample, int maxzon, int maxpts) {
    prepare(sample);
    std::vector<AirspaceZone> zon(static_cast<std::size_t>(maxzon));
    std::vector<PlanePoint> pp(static_cast<std::size_t>(maxpts));
    AirspacePens sp{};
    AirspaceBrushes sb{};
    for (auto _ : state) {
        // CroppedAirspace.txt grows with every run, as it does over real runs;
        // start it afresh so that the runs are alike.
        std::filesystem::remove(kCroppedAirspaceFile);
        int nbzon = 0;
        // As in a conversion, the filtered copy and the list are put in place
        // with the run's other files, in one batch: its flush is timed.
        const WriteBatch batch;
        benchmark::DoNotOptimize(read_airspace(0, sp, sb, nbzon, zon, pp, maxzon, maxpts));
        benchmark::DoNotOptimize(finish_write_batch());
    }
    // One more read with counting: zones held and points stored.
    int kept = 0;
    int last_point = 0;
    {
        std::ifstream list(as000c.asp_d_file);
        std::string line;
        while (std::getline(list, line)) {
            ++kept;
        }
    }
    for (const AirspaceZone& z : zon) {
        last_point = std::max(last_point, z.last + 1);
    }
    state.counters["zones"] = sample.zones;
    state.counters["lines"] = sample.lines;
    state.counters["kept"] = kept;
    state.counters["points"] = last_point;
    state.counters["peak_rss_MiB"] = static_cast<double>(peak_rss_kib()) / 1024.0;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(sample.text.size()));
}

void BM_ReadAirspaceAtLimits(benchmark::State& state) {
    static const OpenAirSample sample = generate_openair(4990, 9);
    run_reader(state, sample, kConversionMaxZones, kConversionMaxPoints);
}
BENCHMARK(BM_ReadAirspaceAtLimits)->Unit(benchmark::kMillisecond);

void BM_ReadAirspaceNational(benchmark::State& state) {
    static const OpenAirSample sample = generate_openair(1200, 15);
    run_reader(state, sample, kConversionMaxZones, kConversionMaxPoints);
}
BENCHMARK(BM_ReadAirspaceNational)->Unit(benchmark::kMillisecond);

void BM_ReadAirspaceScaling(benchmark::State& state) {
    const int factor = static_cast<int>(state.range(0));
    const OpenAirSample sample = generate_openair(1200 * factor, 15);
    run_reader(state, sample, kConversionMaxZones * factor, kConversionMaxPoints * factor);
}
BENCHMARK(BM_ReadAirspaceScaling)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

// Load mode over a window that holds every generated zone, with the raster
// budget given.
void prepare_load(const OpenAirSample& sample, int megabytes) {
    prepare(sample);
    as0003.qwriteas = false;
    as0003.as_maxmeg = megabytes;
    trn001.x_scn_mx = trn001.y_scn_mx = 200000.0f;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    latlontoxy(43.9f, 8.1f, x1, y1);
    latlontoxy(47.1f, 4.9f, x2, y2);
    init_airspace_map_1(x1, x2, y1, y2);
}

long long raster_nodes() {
    long long nodes = 0;
    for (const AirspaceGridDim& dim : airspace_mod.as_gr_dim) {
        nodes += static_cast<long long>(dim.nnxx + 1) * (dim.nnyy + 1);
    }
    return nodes;
}

// What the first load of an input showed: the process's peak memory right
// after it (before anything else of this input ran), and whether the
// per-node raster of the same model is the one the load built (checked once:
// the check holds a second raster).
struct LoadFacts {
    double peak_mib = 0.0;
    bool identical = false;
};

const LoadFacts& facts_of_first_load(std::size_t input) {
    static std::map<std::size_t, LoadFacts> facts;
    const auto known = facts.find(input);
    if (known != facts.end()) {
        return known->second;
    }
    LoadFacts& f = facts[input];
    f.peak_mib = static_cast<double>(peak_rss_kib()) / 1024.0;
    const AirspaceRaster built = airspace_mod.as_gr;
    airspace_grid(as0001.nb_zon, NodeFill::per_node);
    f.identical = built.code == airspace_mod.as_gr.code && built.seg == airspace_mod.as_gr.seg;
    return f;
}

// The model's sizes as counters.
void report_model(benchmark::State& state, std::size_t input) {
    const AirspaceMod& mod = airspace_mod;
    const double mib = 1024.0 * 1024.0;
    const double raster = static_cast<double>(mod.as_gr.code.size() * (sizeof(std::int8_t) + sizeof(std::int32_t)));
    const double tables = static_cast<double>(mod.as_pp.size() * sizeof(PlanePoint) +
                                              mod.as_nb.size() * sizeof(AirspaceRing) +
                                              as0001.as_lim.size() * sizeof(AirspaceLimits));
    state.counters["zones"] = as0001.nb_zon;
    state.counters["points"] = static_cast<double>(mod.as_pp.size());
    state.counters["cells"] = static_cast<double>(mod.as_gr.code.size());
    state.counters["nodes"] = static_cast<double>(raster_nodes());
    state.counters["cell_m"] = mod.as_gr_dim.empty() ? 0.0 : as0001.as_lim[0][kLimDx];
    state.counters["raster_MiB"] = raster / mib;
    state.counters["tables_MiB"] = tables / mib;
    const LoadFacts& facts = facts_of_first_load(input);
    // The process's peak: run one benchmark alone (a filter) to see a load's own.
    state.counters["peak_rss_MiB"] = facts.peak_mib;
    state.counters["identical"] = facts.identical ? 1 : 0;
    if (!facts.identical) {
        state.SkipWithError("the scanline raster differs from the per-node one");
    }
}

void run_load(benchmark::State& state, const OpenAirSample& sample, int megabytes, int maxzon, int maxpts) {
    prepare_load(sample, megabytes);
    std::vector<AirspaceZone> zon(static_cast<std::size_t>(maxzon));
    std::vector<PlanePoint> pp(static_cast<std::size_t>(maxpts));
    AirspacePens sp{};
    AirspaceBrushes sb{};
    for (auto _ : state) {
        int nbzon = 0;
        benchmark::DoNotOptimize(read_airspace(1, sp, sb, nbzon, zon, pp, maxzon, maxpts));
    }
    report_model(state, sample.text.size());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(sample.text.size()));
}

const OpenAirSample& limit_size_sample() {
    static const OpenAirSample sample = generate_openair(4990, 9);
    return sample;
}

void BM_LoadAirspaceWithRasterAtLimits(benchmark::State& state) {
    run_load(state, limit_size_sample(), 64, kConversionMaxZones, kConversionMaxPoints);
}
BENCHMARK(BM_LoadAirspaceWithRasterAtLimits)->Unit(benchmark::kMillisecond);

// The raster of the limit-size file alone: nodes per second.
void BM_AirspaceGridAtLimits(benchmark::State& state) {
    prepare_load(limit_size_sample(), 64);
    std::vector<AirspaceZone> zon(kConversionMaxZones);
    std::vector<PlanePoint> pp(kConversionMaxPoints);
    AirspacePens sp{};
    AirspaceBrushes sb{};
    int nbzon = 0;
    read_airspace(1, sp, sb, nbzon, zon, pp, kConversionMaxZones, kConversionMaxPoints);
    const auto fill = static_cast<NodeFill>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(airspace_grid(nbzon, fill));
    }
    state.counters["nodes_per_second"] = benchmark::Counter(
        static_cast<double>(raster_nodes()) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.SetLabel(fill == NodeFill::scanline ? "scanline" : "per node");
}
BENCHMARK(BM_AirspaceGridAtLimits)
    ->Arg(static_cast<int>(NodeFill::scanline))
    ->Arg(static_cast<int>(NodeFill::per_node))
    ->Unit(benchmark::kMillisecond);

// 1, 2 and 4 times the limit-size file, tables and raster budget alike, so
// that the cells stay of one size.
void BM_LoadAirspaceScaling(benchmark::State& state) {
    const int factor = static_cast<int>(state.range(0));
    const OpenAirSample sample = generate_openair(4990 * factor, 9);
    run_load(state, sample, 64 * factor, kConversionMaxZones * factor, kConversionMaxPoints * factor);
}
BENCHMARK(BM_LoadAirspaceScaling)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);

}  // namespace
