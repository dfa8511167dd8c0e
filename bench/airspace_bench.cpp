// Benchmarks of the OpenAir reader in filter mode (the conversion's mode),
// traces off: a file at the table limits, a national-size file, and files of
// 1, 2 and 4 times a base size with raised limits.

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "airspace/airspace_reader.h"
#include "airspace/airspace_records.h"
#include "airspace/airspace_trace.h"
#include "airspace/airspace_window.h"
#include "airspace/layer_reset.h"
#include "foundation/local_frame.h"
#include "foundation/utm_frame.h"
#include "landscape_generator.h"
#include "openair_generator.h"
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
        benchmark::DoNotOptimize(read_airspace(0, sp, sb, nbzon, zon, pp, maxzon, maxpts));
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

}  // namespace
