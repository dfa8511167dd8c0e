// tarvex_demo_prefix: lays the demo Condor setup of demo/ into a new Wine
// prefix, with Tarvex installed in it, for the demo command (scripts/demo.sh).
//
//   tarvex_demo_prefix FOLDER PROGRAM [USER]
//
// FOLDER becomes the prefix (created; it must not hold a prefix yet), PROGRAM
// is the Tarvex executable to install, USER the Windows user (default
// "pilot"). Standard output gets "name=value" lines with the host paths a
// script needs; the exit code is 0 on success, 1 on failure, 2 on a usage
// error.

#include "support/demo_setup.h"
#include "support/fake_wine_prefix.h"

#include "platform/encoding.h"

#include <exception>
#include <iostream>
#include <string>

namespace {

constexpr const char* kUsage = "usage: tarvex_demo_prefix FOLDER PROGRAM [USER]";

void print(const std::string& name, const std::string& value) { std::cout << name << '=' << value << '\n'; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4) {
        std::cerr << kUsage << '\n';
        return 2;
    }
    try {
        tarvex_test::FakePrefixOptions prefix_options;
        prefix_options.folder = argv[1];
        // The user's folder name is cp1252 inside the prefix, as Windows keeps it.
        prefix_options.user = argc == 4 ? utf8_to_cp1252(argv[3]) : std::string("pilot");
        prefix_options.condor2 = tarvex_test::CondorInstall{2200, "Demo Pilot"};
        prefix_options.condor3 = tarvex_test::CondorInstall{3000, "Demo Pilot"};
        tarvex_test::FakeWinePrefix prefix(prefix_options);
        tarvex_test::DemoOptions demo_options;
        demo_options.program = std::filesystem::absolute(argv[2]);
        const tarvex_test::DemoSetup setup = tarvex_test::lay_out_demo(prefix, demo_options);

        const auto host = [&prefix](const std::string& windows) { return prefix.host(windows).string(); };
        print("prefix", prefix.root().string());
        print("user", cp1252_to_utf8(prefix_options.user));
        print("program", host(setup.program));
        print("program_folder", host(setup.program_folder));
        print("settings_file", host(setup.settings_file));
        print("condor3_plan", host(setup.condor3_plan));
        print("condor2_plan", host(setup.condor2_plan));
        print("seeyou_task", host(setup.seeyou_task));
        print("xcsoar_root", host(tarvex_test::kDemoXcsoarRoot));
        print("lk8000_root", host(tarvex_test::kDemoLk8000Root));
        print("seeyou_root", host(tarvex_test::kDemoSeeYouRoot));
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "tarvex_demo_prefix: " << e.what() << '\n';
        return 1;
    }
}
