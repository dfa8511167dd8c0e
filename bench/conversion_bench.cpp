// Benchmarks of the real program as a user runs it, each against a small
// program in the same run, pair by pair, so that the ratio holds on a busy
// machine:
// - BM_ConversionVsReader: `tarvex -nogui -line -xcs -chkwp` converting a plan
//   over the maximal Condor 3 landscape (landscape_generator.h) in a fake
//   Wine prefix, against tools/plain_reader reading the same files;
// - BM_HelpVsNothing: `tarvex -help` against tools/do_nothing.
// Each repetition runs one pair; the counters give per pair the ratio of the
// wall times and of the processor times (user + system) and the times; their
// min, median and max are reported over the repetitions. The program's peak
// memory comes from one more run of it per benchmark, started through
// tools/peak_launcher: a child forked from the benchmark would report at least
// the benchmark's own size, which Linux carries across execve into ru_maxrss.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "maximal_prefix.h"

namespace {

namespace fs = std::filesystem;

struct ChildRun {
    double wall = 0.0;  // seconds
    double cpu = 0.0;   // user + system seconds
    int exit_code = -1;
};

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; }

// Runs a program in `folder` with exactly `environment`, its standard streams
// on /dev/null, and waits for it.
ChildRun run_child(const std::vector<std::string>& args, const std::vector<std::string>& environment,
                   const fs::path& folder) {
    std::vector<char*> argv;
    for (const std::string& a : args) {
        argv.push_back(const_cast<char*>(a.c_str()));
    }
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (const std::string& e : environment) {
        envp.push_back(const_cast<char*>(e.c_str()));
    }
    envp.push_back(nullptr);
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_RDWR);
        dup2(null, 0);
        dup2(null, 1);
        dup2(null, 2);
        if (chdir(folder.c_str()) != 0) {
            _exit(126);
        }
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
    ChildRun run;
    if (pid < 0) {
        return run;
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    run.wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.cpu = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

// The maximal landscape's prefix, made once for the whole run.
class MaximalInstall {
public:
    MaximalInstall() : prefix_(maximal_prefix_options()), layout_(lay_out_maximal(prefix_, TARVEX_EXE)) {}

    ChildRun convert() const {
        start_conversion();
        return run_child(conversion_args(), layout_.environment, layout_.program_folder);
    }
    ChildRun read_plainly() const {
        std::vector<std::string> args{TARVEX_PLAIN_READER};
        args.insert(args.end(), layout_.files.begin(), layout_.files.end());
        return run_child(args, layout_.environment, layout_.program_folder);
    }
    ChildRun help() const { return run_child(help_args(), layout_.environment, layout_.program_folder); }
    ChildRun do_nothing() const { return run_child({TARVEX_DO_NOTHING}, layout_.environment, layout_.program_folder); }

    // The program's peak resident memory in MiB, of one run through the
    // launcher; 0 when the run failed.
    double conversion_peak_mib() const {
        start_conversion();
        return peak_mib(conversion_args());
    }
    double help_peak_mib() const { return peak_mib(help_args()); }

    const LandscapeSample& sample() const { return layout_.sample; }

private:
    // The index of kept airspaces grows with every run; each run starts it afresh.
    void start_conversion() const { fs::remove(layout_.program_folder / "CroppedAirspace.txt"); }
    std::vector<std::string> conversion_args() const {
        std::vector<std::string> args{layout_.program.string()};
        const std::vector<std::string> options = maximal_conversion_args(layout_);
        args.insert(args.end(), options.begin(), options.end());
        return args;
    }
    std::vector<std::string> help_args() const { return {layout_.program.string(), "-help"}; }

    double peak_mib(const std::vector<std::string>& program_args) const {
        const fs::path report = prefix_.root() / "peak_kib.txt";
        fs::remove(report);
        std::vector<std::string> args{TARVEX_PEAK_LAUNCHER, report.string()};
        args.insert(args.end(), program_args.begin(), program_args.end());
        if (run_child(args, layout_.environment, layout_.program_folder).exit_code != 0) {
            return 0.0;
        }
        std::ifstream in(report);
        long kib = 0;
        in >> kib;
        return static_cast<double>(kib) / 1024.0;
    }

    tarvex_test::FakeWinePrefix prefix_;
    MaximalPrefix layout_;
};

const MaximalInstall& install() {
    static const MaximalInstall instance;
    return instance;
}

// Runs `program` and `reference` once per iteration and reports the pair,
// with the program's peak memory measured apart.
template <class Program, class Reference>
void run_pairs(benchmark::State& state, Program program, Reference reference, double peak_mib) {
    ChildRun a;
    ChildRun b;
    for (auto _ : state) {
        a = program();
        b = reference();
        if (a.exit_code != 0 || b.exit_code != 0) {
            state.SkipWithError(("exit codes " + std::to_string(a.exit_code) + " and " + std::to_string(b.exit_code))
                                    .c_str());
            return;
        }
        state.SetIterationTime(a.wall);
    }
    state.counters["ratio_wall"] = a.wall / std::max(b.wall, 1e-6);
    state.counters["ratio_cpu"] = a.cpu / std::max(b.cpu, 1e-6);
    state.counters["program_ms"] = a.wall * 1000.0;
    state.counters["reference_ms"] = b.wall * 1000.0;
    state.counters["program_cpu_ms"] = a.cpu * 1000.0;
    state.counters["reference_cpu_ms"] = b.cpu * 1000.0;
    state.counters["peak_MiB"] = peak_mib;
}

double smallest(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }
double largest(const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); }

void BM_ConversionVsReader(benchmark::State& state) {
    const MaximalInstall& i = install();
    state.counters["turnpoints"] = i.sample().turnpoint_count;
    state.counters["airports"] = i.sample().airport_count;
    state.counters["airspaces"] = i.sample().airspace_count;
    static const double peak = i.conversion_peak_mib();
    run_pairs(state, [&i] { return i.convert(); }, [&i] { return i.read_plainly(); }, peak);
}
BENCHMARK(BM_ConversionVsReader)
    ->Iterations(1)
    ->Repetitions(31)
    ->UseManualTime()
    ->ComputeStatistics("min", smallest)
    ->ComputeStatistics("max", largest)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

void BM_HelpVsNothing(benchmark::State& state) {
    const MaximalInstall& i = install();
    static const double peak = i.help_peak_mib();
    run_pairs(state, [&i] { return i.help(); }, [&i] { return i.do_nothing(); }, peak);
}
BENCHMARK(BM_HelpVsNothing)
    ->Iterations(1)
    ->Repetitions(51)
    ->UseManualTime()
    ->ComputeStatistics("min", smallest)
    ->ComputeStatistics("max", largest)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
