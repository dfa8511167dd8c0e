// The files pilots and other programs wrote (shared/real-files), converted by
// the real program as a pilot runs it: every Condor plan and SeeYou task for
// every target, every national OpenAir file as a landscape's airspace. The
// landscapes get terrain headers made from the frames of the files' README;
// the inputs are read as they are, copied byte for byte into the prefix
// (the run writes beside its input). What is written is read back by strict
// parsers, and the points are checked where they lie on Earth.

#include "e2e/harness/checks.h"
#include "e2e/harness/tarvex_install.h"
#include "e2e/real_files.h"
#include "taskfiles/writer_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <set>

using namespace tarvex_test;

namespace {

const std::vector<std::string> kCondor3Plans = {
    "Proving Grounds 24-25-Competition day 19-_CC.fpl", "condorclub_race_AA3_9tp.fpl",
    "downloads_AA3_28294_windows_12tp.fpl",             "downloads_Japan-Shikoku3_18m_6tp.fpl",
    "downloads_LakeKeepitC3_213km_6tp.fpl",             "downloads_Palmeira_28348_AAT_6tp.fpl",
    "install_Slovenia3_Slo300_triangle_6tp_wz2.fpl",    "local_Slovenia3_winch_8tp.fpl",
    "race_Slovenia3_6tp.fpl"};
const std::string kCondor1Plan = "pycondor_default.fpl";
const std::vector<std::string> kSeeYouTasks = {"709-km-Dreieck-DMSt-Aachen-Stolberg-TV.cup", "task_container.cup"};
// Each airspace file with its zone count (the README's) and the plan whose
// landscape takes it (every zone kept, none cropped: the file need not lie
// in the landscape).
struct AirspaceCase {
    std::string file;
    int zones;
    std::string plan;
};
const std::vector<AirspaceCase> kAirspaces = {
    {"CZ-ASP-National-XCSoar.txt", 288, "install_Slovenia3_Slo300_triangle_6tp_wz2.fpl"},
    {"NL-ASP-National-XCSoar.txt", 166, "race_Slovenia3_6tp.fpl"},
    {"si_asp_230525.txt", 57, "race_Slovenia3_6tp.fpl"}};
void PrintTo(const AirspaceCase& c, std::ostream* os) { *os << c.file << " in the landscape of " << c.plan; }

// Places of AA3 turnpoints, by a part of their name, with a box of half a
// tenth of a degree: AA3's frame is known by them alone.
struct Place {
    std::string name;
    double lat;
    double lon;
};
const std::vector<Place> kAa3Places = {
    {"Courtelary", 47.18, 7.07}, {"St-Di", 48.28, 6.95}, {"Puimoisson", 43.87, 6.13}};
constexpr double kPlaceBox = 0.05;
// AA3's area, the Alps from the Rhône to Carinthia, round its frame's corners.
constexpr double kAa3South = 43.0, kAa3North = 49.0, kAa3West = 4.0, kAa3East = 17.0;
constexpr double kAirfieldTolerance = 0.001;

enum class Target { xcsoar, lk8000, seeyou, json };
const std::vector<Target> kTargets = {Target::xcsoar, Target::lk8000, Target::seeyou, Target::json};

std::string option(Target t) {
    switch (t) {
        case Target::xcsoar: return "-xcs";
        case Target::lk8000: return "-lk8";
        case Target::seeyou: return "-cup";
        case Target::json: return "-json";
    }
    return "";
}

// The extension of the task file written for a target.
std::string extension(Target t) {
    switch (t) {
        case Target::xcsoar: return ".tsk";
        case Target::lk8000: return ".lkt";
        case Target::seeyou: return ".cup";
        case Target::json: return ".json";
    }
    return "";
}

void PrintTo(Target t, std::ostream* os) { *os << option(t); }

struct LatLon {
    double lat;
    double lon;
};
// What a task file written holds: the position of each plan point by its
// index (0 the takeoff), where the file has it, and its number of points
// from the start to the finish.
struct WrittenTask {
    std::vector<std::optional<LatLon>> points;
    int task_points = 0;
};

double number(const std::string& text) { return text.empty() ? NAN : std::stod(text); }

WrittenTask read_xml_task(const std::string& bytes, Target target) {
    WrittenTask w;
    std::vector<XmlElement> xml;
    std::string error;
    if (!parse_xml(bytes, xml, error)) {
        ADD_FAILURE() << "not XML: " << error;
        return w;
    }
    w.points.emplace_back();
    if (target == Target::xcsoar) {
        for (const XmlElement& e : elements_named(xml, "Location")) {
            w.points.push_back(LatLon{number(e.attribute("latitude")), number(e.attribute("longitude"))});
        }
        w.task_points = static_cast<int>(elements_named(xml, "Point").size());
        return w;
    }
    std::map<std::string, LatLon> waypoints;
    std::vector<std::string> names;
    for (const XmlElement& e : elements_named(xml, "point")) {
        if (e.parent == "waypoints") {
            waypoints[e.attribute("name")] = {number(e.attribute("latitude")), number(e.attribute("longitude"))};
        } else if (e.parent == "taskpoints") {
            EXPECT_EQ(e.attribute("idx"), std::to_string(names.size()));
            names.push_back(e.attribute("name"));
        }
    }
    for (const std::string& name : names) {
        const auto at = waypoints.find(name);
        EXPECT_NE(at, waypoints.end()) << "task point without its waypoint: " << name;
        w.points.push_back(at == waypoints.end() ? std::nullopt : std::optional<LatLon>(at->second));
    }
    w.task_points = static_cast<int>(names.size());
    return w;
}

WrittenTask read_cup_task(const std::string& bytes) {
    WrittenTask w;
    CupFile cup;
    std::string error;
    EXPECT_TRUE(parse_cup(bytes, cup, error)) << error;
    // Takeoff, start to finish, landing.
    for (std::size_t k = 0; k + 1 < cup.task.size(); ++k) {
        const CupWaypoint* p = cup.waypoint(cup.task[k]);
        w.points.push_back(p == nullptr ? std::nullopt : std::optional<LatLon>(LatLon{p->lat, p->lon}));
    }
    w.task_points = static_cast<int>(cup.task.size()) - 2;
    EXPECT_EQ(cup.zones, w.task_points);
    return w;
}

WrittenTask read_json_task(const std::string& bytes) {
    WrittenTask w;
    nlohmann::json json;
    try {
        json = nlohmann::json::parse(bytes);
    } catch (const nlohmann::json::exception& e) {
        ADD_FAILURE() << "not JSON: " << e.what();
        return w;
    }
    if (!json.contains("tasks") || json["tasks"].empty()) {
        ADD_FAILURE() << "no task in the JSON";
        return w;
    }
    w.points.emplace_back();
    for (const auto& leg : json["tasks"][0]["legs"]) {
        if (leg.size() == 2 && leg[0].is_number() && leg[1].is_number()) {
            w.points.push_back(LatLon{leg[0].get<double>(), leg[1].get<double>()});
            ++w.task_points;
        }
    }
    return w;
}

WrittenTask read_task(const std::string& bytes, Target target) {
    switch (target) {
        case Target::xcsoar:
        case Target::lk8000: return read_xml_task(bytes, target);
        case Target::seeyou: return read_cup_task(bytes);
        case Target::json: return read_json_task(bytes);
    }
    return {};
}

bool near(const LatLon& p, double lat, double lon, double tolerance) {
    return std::fabs(p.lat - lat) <= tolerance && std::fabs(p.lon - lon) <= tolerance;
}

// A conversion of real files: Tarvex installed in the demo prefix, with the
// landscapes those files need.
class RealFileRun : public ::testing::Test {
protected:
    std::string flight_plans() const { return install.prefix().user_root(3) + "FlightPlans"; }

    // The landscape of a frame for Condor 2 and 3, its airports, the
    // turnpoints and the maps the XCSoar and LK8000 profiles name.
    void add_landscape(const RealFrame& frame, const std::string& airports = "") {
        for (const int version : {2, 3}) {
            install.prefix().add_landscape(version, frame.landscape,
                                           {{".trn", trn_bytes(frame.header)}, {".apt", airports}});
            install.prefix().add_file(install.prefix().user_root(version) + "Turnpoints\\" + frame.landscape + ".cup",
                                      "name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc\r\n");
        }
        const std::string folder = install.demo().program_folder + "\\";
        for (const auto& [list, entry] :
             {std::pair{"Tarvex_maps.txt", frame.landscape + ".xcm"},
              std::pair{"Tarvex_LK8000_maps.txt", frame.landscape + ".LKM," + frame.landscape + ".DEM"}}) {
            const std::string text = TempDir::read(install.host(folder + list));
            install.prefix().add_file(folder + list, text + frame.landscape + "=" + entry + "\r\n");
        }
    }

    // A real file, byte for byte, among the Condor 3 pilot's flight plans;
    // its host path.
    std::string copy_in(const std::string& folder, const std::string& name) {
        bytes = TempDir::read(real_files_folder() / folder / name);
        EXPECT_FALSE(bytes.empty()) << folder << "/" << name;
        return install.prefix().add_file(flight_plans() + "\\" + name, bytes).string();
    }

    // The one file of a Windows folder whose name begins with `stem` and ends
    // with `extension` (an AAT's name gets "-AAT"), other than XCSoar's copy.
    std::string written(const std::string& folder, const std::string& stem, const std::string& extension) const {
        std::vector<std::filesystem::path> found;
        const std::filesystem::path host = install.host(folder);
        for (const auto& entry : std::filesystem::directory_iterator(host)) {
            const std::string name = entry.path().filename().string();
            if (name.starts_with(stem) && name.ends_with(extension) && name != "Condor.tsk") {
                found.push_back(entry.path());
            }
        }
        EXPECT_EQ(found.size(), 1u) << "files " << stem << "*" << extension << " in " << folder;
        if (found.size() != 1) {
            return "";
        }
        const std::string text = TempDir::read(found[0]);
        crlf_lines(text);  // every line ended by CR LF
        return text;
    }

    std::string task_folder(Target t) const {
        switch (t) {
            case Target::xcsoar: return install.demo().xcsoar_tasks;
            case Target::lk8000: return install.demo().lk8000_tasks;
            case Target::seeyou: return install.demo().seeyou_tasks;
            case Target::json: return flight_plans();
        }
        return "";
    }

    TarvexInstall install;
    std::string bytes;  // of the input
};

std::string stem_of(const std::string& file) { return file.substr(0, file.rfind('.')); }

std::string test_name(const std::string& file, Target t) {
    std::string name = stem_of(file) + option(t);
    for (char& c : name) {
        c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    }
    return name;
}

// ---- Condor plans, for every target ----------------------------------------

class RealPlan : public RealFileRun, public ::testing::WithParamInterface<std::tuple<std::string, Target>> {};

TEST_P(RealPlan, ConvertsWithItsPointsWhereTheyLie) {
    const auto& [file, target] = GetParam();
    const std::string plan = copy_in("plans", file);
    std::string error;
    const auto keys = ini_values(bytes, error);
    ASSERT_TRUE(error.empty()) << error;
    const std::optional<RealFrame> frame = real_frame(keys.at("Landscape"));
    ASSERT_TRUE(frame) << keys.at("Landscape");
    add_landscape(*frame);

    const RunOutcome outcome = install.run({"-nogui", "-line", option(target), plan});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success)) << outcome.out;
    const WrittenTask task = read_task(written(task_folder(target), stem_of(file), extension(target)), target);
    const int count = std::stoi(keys.at("Count"));
    EXPECT_EQ(task.task_points, count - 1);
    int airfields = 0;  // points of the task file checked at the frame's airfield
    bool plan_has_airfield = false;
    for (std::size_t k = 0; k < task.points.size() && k < static_cast<std::size_t>(count); ++k) {
        const double x = std::stod(keys.at("TPPosX" + std::to_string(k)));
        const double y = std::stod(keys.at("TPPosY" + std::to_string(k)));
        const bool at_airfield = frame->has_airfield && std::hypot(x - frame->x, y - frame->y) < 50.0;
        plan_has_airfield = plan_has_airfield || at_airfield;
        if (!task.points[k]) {
            continue;
        }
        const LatLon& p = *task.points[k];
        const std::string name = keys.at("TPName" + std::to_string(k));
        SCOPED_TRACE("point " + std::to_string(k) + " " + name + " at " + std::to_string(p.lat) + " " +
                     std::to_string(p.lon));
        // The frame's airfield where it lies; every point near it.
        if (at_airfield) {
            EXPECT_TRUE(near(p, frame->lat, frame->lon, kAirfieldTolerance));
            ++airfields;
        }
        if (frame->has_airfield) {
            EXPECT_TRUE(near(p, frame->lat, frame->lon, 5.0));
        }
        if (frame->landscape == "AA3") {
            EXPECT_TRUE(p.lat > kAa3South && p.lat < kAa3North && p.lon > kAa3West && p.lon < kAa3East);
        }
        for (const Place& place : kAa3Places) {
            if (frame->landscape == "AA3" && name.find(place.name) != std::string::npos) {
                EXPECT_TRUE(near(p, place.lat, place.lon, kPlaceBox)) << place.name;
            }
        }
    }
    // The SeeYou task holds the takeoff too: the airfield is always checked there.
    if (target == Target::seeyou && plan_has_airfield) {
        EXPECT_GT(airfields, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(RealFiles, RealPlan,
                         ::testing::Combine(::testing::ValuesIn(kCondor3Plans), ::testing::ValuesIn(kTargets)),
                         [](const auto& info) { return test_name(std::get<0>(info.param), std::get<1>(info.param)); });

// The Condor 1 plan where Condor 1 is not installed (Condor 2 and 3 are, with
// its landscape): the version's own message, whatever the plan holds.
TEST_F(RealFileRun, TheCondor1PlanWithoutCondor1) {
    add_landscape(*real_frame("Provence-Oisans2"));
    const std::string plan = copy_in("plans", kCondor1Plan);
    for (const Target target : kTargets) {
        const RunOutcome outcome = install.run({"-nogui", "-line", option(target), plan});
        EXPECT_TRUE(ExitedWith(outcome, exit_code::conversion_failed));
        EXPECT_TRUE(HasLine(outcome.out, "*** Flight plan version = 1 - Condor 1 installation not found ***"));
        EXPECT_TRUE(HasLineContaining(outcome.err, "Condor 1 installation not found"));
    }
}

// ---- SeeYou tasks, for every target ----------------------------------------

class RealSeeYouTask : public RealFileRun, public ::testing::WithParamInterface<std::tuple<std::string, Target>> {};

// Aachen-Merzbrück, the airport of the landscape made for the SeeYou tasks.
std::string germany_airports() {
    std::string record(1, '\x11');
    record += std::string("Aachen-Merzbrueck") + std::string(35 - 17, '\0');
    record += le_bytes(50.8231f) + le_bytes(6.1864f) + le_bytes(189.0f);
    record += le_bytes(std::uint32_t{80}) + le_bytes(std::uint32_t{520}) + le_bytes(std::uint32_t{30});
    record += le_bytes(std::uint32_t{1}) + le_bytes(122.875f) + std::string(4, '\0');
    return record;
}

TEST_P(RealSeeYouTask, ConvertsWithItsPointsWhereTheyLie) {
    const auto& [file, target] = GetParam();
    const RealFrame frame = *real_frame("Germany");
    add_landscape(frame, germany_airports());
    const std::string task_path = copy_in("cup", file);
    CupFile input;
    std::string error;
    ASSERT_TRUE(parse_cup(bytes, input, error)) << error;
    const int points = static_cast<int>(input.task.size()) - 2;  // start to finish

    const RunOutcome outcome = install.run({"-nogui", "-line", option(target), task_path},
                                           "C:\\Condor3\\Landscapes\\Germany\\Germany.trn\n");
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success)) << outcome.out;
    if (target == Target::xcsoar) {
        // A Condor plan: the takeoff and every point inside the landscape.
        const auto plan = ini_values(written(flight_plans(), stem_of(file), ".fpl"), error);
        ASSERT_TRUE(error.empty()) << error;
        EXPECT_EQ(plan.at("Landscape"), "Germany");
        ASSERT_EQ(plan.at("Count"), std::to_string(points + 1));
        for (int k = 0; k <= points; ++k) {
            const double x = std::stod(plan.at("TPPosX" + std::to_string(k)));
            const double y = std::stod(plan.at("TPPosY" + std::to_string(k)));
            EXPECT_TRUE(x >= 0 && x <= frame.header.columns * 90.0 && y >= 0 && y <= frame.header.rows * 90.0)
                << "TPPosX" << k << "=" << x << " TPPosY" << k << "=" << y;
            if (k > 0) {
                EXPECT_EQ(plan.at("TPName" + std::to_string(k)), input.task[static_cast<std::size_t>(k)]);
            }
        }
        return;
    }
    const WrittenTask task = read_task(written(task_folder(target), stem_of(file), extension(target)), target);
    EXPECT_EQ(task.task_points, points);
    // Every point from the start to the finish where the task's file puts it.
    for (int k = 1; k <= points && k < static_cast<int>(task.points.size()); ++k) {
        const CupWaypoint* in = input.waypoint(input.task[static_cast<std::size_t>(k)]);
        ASSERT_NE(in, nullptr);
        ASSERT_TRUE(task.points[static_cast<std::size_t>(k)]) << in->name;
        EXPECT_TRUE(near(*task.points[static_cast<std::size_t>(k)], in->lat, in->lon, kAirfieldTolerance)) << in->name;
    }
}

INSTANTIATE_TEST_SUITE_P(RealFiles, RealSeeYouTask,
                         ::testing::Combine(::testing::ValuesIn(kSeeYouTasks), ::testing::ValuesIn(kTargets)),
                         [](const auto& info) { return test_name(std::get<0>(info.param), std::get<1>(info.param)); });

// ---- National OpenAir files as a landscape's airspace ----------------------

class RealAirspace : public RealFileRun, public ::testing::WithParamInterface<AirspaceCase> {};

// The plan's "DisabledAirspaces" numbers.
std::set<int> disabled_airspaces(const std::map<std::string, std::string>& keys) {
    std::set<int> numbers;
    const auto at = keys.find("DisabledAirspaces");
    std::stringstream list(at == keys.end() ? "" : at->second);
    for (std::string n; std::getline(list, n, ',');) {
        if (!n.empty()) {
            numbers.insert(std::stoi(n));
        }
    }
    return numbers;
}

TEST_P(RealAirspace, EveryZoneTheTaskKeepsIsWritten) {
    const AirspaceCase& c = GetParam();
    std::vector<std::string> names;
    std::string error;
    const std::string air = TempDir::read(real_files_folder() / "air" / c.file);
    ASSERT_TRUE(parse_openair(air, names, error)) << error;
    ASSERT_EQ(names.size(), static_cast<std::size_t>(c.zones));

    const std::string plan = copy_in("plans", c.plan);
    const auto keys = ini_values(bytes, error);
    const RealFrame frame = *real_frame(keys.at("Landscape"));
    add_landscape(frame);
    install.prefix().add_file(FakeWinePrefix::landscape_dir(3, frame.landscape) + "\\" + frame.landscape + ".air", air);
    install.set_setting("Crop_Airspace", "0");

    const RunOutcome outcome = install.run({"-nogui", "-line", "-xcs", plan});
    ASSERT_TRUE(ExitedWith(outcome, exit_code::success)) << outcome.out;
    const std::string copy = TempDir::read(install.host("C:\\XCSoarData\\CondorAirspace.txt"));
    crlf_lines(copy);
    std::vector<std::string> kept;
    ASSERT_TRUE(parse_openair(copy, kept, error)) << error;
    std::erase_if(kept, [](const std::string& name) { return name.starts_with("PZ#"); });
    const std::set<int> disabled = disabled_airspaces(keys);
    std::vector<std::string> expected;
    for (int n = 0; n < c.zones; ++n) {
        if (!disabled.contains(n)) {
            expected.push_back(names[static_cast<std::size_t>(n)]);
        }
    }
    // The zones missing from the copy, in the file's order.
    std::string missing;
    for (std::size_t k = 0, e = 0; e < expected.size(); ++e) {
        if (k < kept.size() && kept[k] == expected[e]) {
            ++k;
        } else {
            missing += " \"" + expected[e] + "\"";
        }
    }
    EXPECT_EQ(kept.size(), expected.size()) << "missing:" << missing;
    EXPECT_EQ(kept, expected);
}

INSTANTIATE_TEST_SUITE_P(RealFiles, RealAirspace, ::testing::ValuesIn(kAirspaces), [](const auto& info) {
    return test_name(info.param.file, Target::xcsoar);
});

// Every file of the folder is one of the tables above: none is left out, and
// without the folder this fails.
TEST(RealFiles, EveryFileIsConverted) {
    std::set<std::string> known(kCondor3Plans.begin(), kCondor3Plans.end());
    known.insert(kCondor1Plan);
    known.insert(kSeeYouTasks.begin(), kSeeYouTasks.end());
    for (const AirspaceCase& c : kAirspaces) {
        known.insert(c.file);
    }
    std::set<std::string> found;
    for (const char* folder : {"plans", "cup", "air"}) {
        const std::filesystem::path path = real_files_folder() / folder;
        ASSERT_TRUE(std::filesystem::is_directory(path)) << path;
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            found.insert(entry.path().filename().string());
        }
    }
    EXPECT_EQ(found, known);
}

}  // namespace
