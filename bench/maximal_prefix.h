#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "landscape_generator.h"
#include "support/fake_wine_prefix.h"

// The demo's Wine prefix (tests/support/demo_setup.h) with Tarvex installed
// and the demo landscape's files (terrain header, airports, turnpoints,
// airspace) replaced by those of the maximal landscape, and its plan
// "BenchRace3.fpl" in Condor 3's FlightPlans folder.
struct MaximalPrefix {
    std::filesystem::path program;         // host path of the installed Tarvex
    std::filesystem::path program_folder;  // where Tarvex.ini lives and the runs start
    std::vector<std::string> files;        // host paths: .apt, .cup, .air, .fpl (the plan last)
    std::vector<std::string> environment;  // "NAME=value": the whole environment of a run
    LandscapeSample sample;
};

// Options of the prefix the maximal landscape is laid into: the demo's users.
tarvex_test::FakePrefixOptions maximal_prefix_options();

// Lays the demo and the maximal landscape into `prefix` with `program` as Tarvex.
MaximalPrefix lay_out_maximal(tarvex_test::FakeWinePrefix& prefix, const std::filesystem::path& program);

// The arguments of the benchmarked conversion (after the program's path).
std::vector<std::string> maximal_conversion_args(const MaximalPrefix& layout);
