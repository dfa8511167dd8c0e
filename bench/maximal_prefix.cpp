#include "maximal_prefix.h"

#include "foundation/local_frame.h"
#include "support/demo_setup.h"

using tarvex_test::FakeWinePrefix;

tarvex_test::FakePrefixOptions maximal_prefix_options() {
    tarvex_test::FakePrefixOptions options;
    options.user = "pilot";
    options.condor2 = tarvex_test::CondorInstall{2200, "Demo Pilot"};
    options.condor3 = tarvex_test::CondorInstall{3000, "Demo Pilot"};
    return options;
}

MaximalPrefix lay_out_maximal(FakeWinePrefix& prefix, const std::filesystem::path& program) {
    tarvex_test::DemoOptions demo;
    demo.program = program;
    const tarvex_test::DemoSetup setup = tarvex_test::lay_out_demo(prefix, demo);
    MaximalPrefix layout;
    layout.program = prefix.host(setup.program);
    layout.program_folder = prefix.host(setup.program_folder);

    const std::string name = tarvex_test::kDemoLandscape;
    const std::string landscape = FakeWinePrefix::landscape_dir(3, name) + "\\" + name;
    // The generator computes the plan's positions in the landscape's frame.
    const std::filesystem::path header = prefix.add_file(landscape + ".trn", maximal_terrain_header());
    float width = 0.0f;
    float height = 0.0f;
    utm_init(header.string(), width, height);
    const std::string demo_plan = tarvex_test::demo_text(tarvex_test::demo_source_folder(), "flightplans/DemoRace3.fpl");
    layout.sample = generate_maximal_landscape(name, demo_plan.substr(demo_plan.find("[Weather]")));
    const std::string user_root = prefix.user_root(3);
    layout.files = {
        prefix.add_file(landscape + ".apt", layout.sample.airports).string(),
        prefix.add_file(user_root + "Turnpoints\\" + name + ".cup", layout.sample.turnpoints).string(),
        prefix.add_file(landscape + ".air", layout.sample.airspace).string(),
        prefix.add_file(user_root + "FlightPlans\\BenchRace3.fpl", layout.sample.plan).string(),
    };
    for (const auto& [variable, value] : prefix.environment()) {
        layout.environment.push_back(variable + "=" + value);
    }
    layout.environment.push_back("PATH=/usr/bin:/bin");
    layout.environment.push_back("HOME=" + prefix.root().string());
    layout.environment.push_back("LANG=C.UTF-8");
    layout.environment.push_back("TARVEX_DIALOGS=console");
    return layout;
}

std::vector<std::string> maximal_conversion_args(const MaximalPrefix& layout) {
    return {"-nogui", "-line", "-xcs", "-chkwp", layout.files.back()};
}
