#include "airspace/airspace_records.h"
#include "conversion_fixture.h"
#include "foundation/terrain_extents.h"
#include "taskfiles/task_model.h"

#include <gtest/gtest.h>

#include <string>

using tarvex_test::ConversionTest;
using tarvex_test::RunStopped;

namespace {

class ConversionSteps : public ConversionTest {
protected:
    std::string plan3() const { return demo.condor3_plan; }
    std::string plan2() const { return demo.condor2_plan; }
};

TEST_F(ConversionSteps, TargetFollowsTheSwitchesAndTheInput) {
    const auto target = [](const std::string& input) {
        tarvex_c.infile = input;
        choose_target();
        return tarvex01.ntarg;
    };
    EXPECT_EQ(target("Race.fpl"), kTargetTsk);
    EXPECT_EQ(target("Task.CUP"), kTargetFpl);
    EXPECT_TRUE(tarvex01.qcup_in);
    tarvex01.qjson = true;
    EXPECT_EQ(target("Task.cup"), kTargetJson);
    tarvex01.qcup = true;
    EXPECT_EQ(target("Race.fpl"), kTargetCup);
    tarvex01.qlk8000 = true;
    EXPECT_EQ(target("Race.fpl"), kTargetLkt);
    EXPECT_FALSE(tarvex01.qcup_in);
}

TEST_F(ConversionSteps, XcsoarNamesAndTheAirspaceFile) {
    prepare(plan2());
    set_output_names(conversion);
    EXPECT_EQ(conversion.target_root, "C:\\XCSoarData");
    EXPECT_EQ(conversion.base_name, "DemoRace2");
    EXPECT_EQ(conversion.airspace_file, "C:\\XCSoarData\\CondorAirspace.txt");
    EXPECT_EQ(tarvex_c.airnam, "CondorAirspace.txt");
    EXPECT_EQ(conversion.profile_file, "C:\\XCSoarData\\Condor.prf");
    EXPECT_TRUE(tarvex01.qwrprf);
    EXPECT_TRUE(conversion.aircraft_file.empty());

    tarvex_c.airnam = "Zones.txt";
    set_output_names(conversion);
    EXPECT_EQ(conversion.airspace_file, "C:\\XCSoarData\\Zones.txt");
    tarvex_c.airnam = "D:\\Air\\Zones.txt";
    set_output_names(conversion);
    EXPECT_EQ(conversion.airspace_file, "D:\\Air\\Zones.txt");

    // A Condor 2 plan without penalty zones has no airspace file.
    rd_fpl_0.nb_pz = 0;
    set_output_names(conversion);
    EXPECT_TRUE(conversion.airspace_file.empty());
    EXPECT_TRUE(tarvex_c.airnam.empty());
    // A Condor 3 plan always has one.
    rd_fpl_0.nvcnd = 3;
    set_output_names(conversion);
    EXPECT_EQ(conversion.airspace_file, "C:\\XCSoarData\\CondorAirspace.txt");

    // "0" asks for no profile; the glider of a fixed mass is marked.
    tarvex_c.prfnam = "0";
    gggmas.fmass = 10.0f;
    set_output_names(conversion);
    EXPECT_FALSE(tarvex01.qwrprf);
    EXPECT_EQ(conversion.profile_file, "C:\\XCSoarData\\");
    EXPECT_EQ(conversion.glider_name, "Discus-FXB");
}

TEST_F(ConversionSteps, Lk8000TreeAndItsDefaultNames) {
    tarvex01.qlk8000 = true;
    prepare(plan3());
    EXPECT_TRUE(tarvex01.qarbo);
    set_output_names(conversion);
    EXPECT_EQ(tarvex_c.outfile, "C:\\LK8000\\_Tasks\\DemoRace3.lkt");
    EXPECT_EQ(conversion.airspace_file, "C:\\LK8000\\_Airspaces\\CondorAirspace.txt");
    EXPECT_EQ(conversion.profile_file, "C:\\LK8000\\_Configuration\\Condor.prf");
    EXPECT_EQ(conversion.aircraft_file, "C:\\LK8000\\_Configuration\\Discus.acf");
    EXPECT_TRUE(tarvex01.qchkwp);

    tarvex01.ndeftsk = 1;
    set_output_names(conversion);
    EXPECT_EQ(tarvex_c.prfnam, "DEFAULT_PROFILE.prf");
    EXPECT_EQ(conversion.aircraft_file, "C:\\LK8000\\_Configuration\\DEFAULT_AIRCRAFT.acf");
    tarvex01.ndeftsk = 2;
    set_output_names(conversion);
    EXPECT_EQ(conversion.profile_file, "C:\\LK8000\\_Configuration\\DemoRace3.prf");
    EXPECT_EQ(conversion.aircraft_file, "C:\\LK8000\\_Configuration\\DemoRace3.acf");

    // The profile switch off writes none, default files or not.
    tarvex01.qwrprf = false;
    set_output_names(conversion);
    EXPECT_FALSE(tarvex01.qwrprf);
    EXPECT_TRUE(tarvex_c.prfnam.empty());
    tarvex01.qwrprf = true;

    // Outside an LK8000 tree everything lies in the root.
    tarvex01.qarbo = false;
    tarvex01.ndeftsk = 0;
    tarvex_c.prfnam.clear();
    set_output_names(conversion);
    EXPECT_EQ(conversion.airspace_file, "C:\\LK8000\\CondorAirspace.txt");
    EXPECT_EQ(conversion.profile_file, "C:\\LK8000\\Condor.prf");
}

TEST_F(ConversionSteps, SeeYouJsonAndSeeYouInputNames) {
    tarvex01.qcup = true;
    prepare(plan3());
    set_output_names(conversion);
    EXPECT_EQ(conversion.target_root, "C:\\SeeYou");
    EXPECT_FALSE(tarvex01.qwrprf);
    EXPECT_TRUE(tarvex_c.prfnam.empty());
    EXPECT_EQ(tarvex01.ndeftsk, 0);
    EXPECT_TRUE(tarvex01.qchkwp);

    tarvex01.qcup = false;
    tarvex01.qjson = true;
    tarvex01.qwrprf = true;
    choose_target();
    set_output_names(conversion);
    EXPECT_TRUE(conversion.target_root.empty());

    // A SeeYou task: no profile and no waypoint check.
    tarvex01.qjson = false;
    tarvex01.qchkwp = true;
    tarvex_c.infile = demo.seeyou_task;
    choose_target();
    set_output_names(conversion);
    EXPECT_EQ(conversion.target_root, "C:\\XCSoarData");
    EXPECT_FALSE(tarvex01.qwrprf);
    EXPECT_FALSE(tarvex01.qchkwp);
}

TEST_F(ConversionSteps, PlanOfTheOtherVersionBecomesActive) {
    EXPECT_EQ(inst00.condor_version, 3);
    prepare(plan2());
    EXPECT_EQ(inst00.condor_version, 2);
    EXPECT_EQ(inst00.cndrinstpath, "C:\\Condor2");
    EXPECT_EQ(inst00.cndrrootpath, prefix.user_root(2));
    EXPECT_EQ(inst00.pilot_path, inst00.pilpath2);
}

TEST_F(ConversionSteps, PlanVersionNotInstalled) {
    inst00.qc2 = false;
    const RunStopped stopped = stop_of([&] { prepare(plan2()); });
    EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
    EXPECT_EQ(stopped.text, "*** Flight plan version = 2 - Condor 2 installation not found ***");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NE(log().find("Condor 2 installation not found"), std::string::npos);
}

TEST_F(ConversionSteps, Condor1PlanIsRefusedWithoutCondor1) {
    const std::string plan = demo.program_folder + "\\Old.fpl";
    prefix.add_file(plan, "[Version]\r\nCondor version=1150\r\n[Task]\r\nLandscape=DemoProvence\r\nCount=2\r\n"
                          "TPName0=Takeoff\r\nTPName1=Start\r\n");
    const RunStopped stopped = stop_of([&] { prepare(plan); });
    EXPECT_EQ(stopped.text, "*** Flight plan version = 1 - Condor 1 installation not found ***");
}

TEST_F(ConversionSteps, UnreadableInputs) {
    // A plan that is not there: one message, from the reader.
    RunStopped stopped = stop_of([&] { prepare(demo.program_folder + "\\Missing.fpl"); });
    EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "*** C:\\Tarvex\\Missing.fpl : cannot be opened ***");

    // A plan that ends before its announced turnpoints.
    boxes.clear();
    std::string text = file(plan3());
    text = text.substr(0, text.find("TPName3="));
    prefix.add_file(demo.program_folder + "\\Short.fpl", text);
    stopped = stop_of([&] { prepare(demo.program_folder + "\\Short.fpl"); });
    EXPECT_EQ(stopped.text, "*** C:\\Tarvex\\Short.fpl : unexpected end of file ***");
    EXPECT_NE(log().find("unexpected end of file"), std::string::npos);

    // An empty or a binary plan names no landscape: it cannot be read, and no
    // landscape file is looked for.
    std::string binary("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16);
    for (int b = 0; b < 512; ++b) {
        binary += static_cast<char>((b * 37 + 11) % 256);
    }
    for (const auto& [name, bytes] : {std::pair<std::string, std::string>{"Empty.fpl", ""}, {"Binary.fpl", binary}}) {
        SCOPED_TRACE(name);
        boxes.clear();
        reset_task_model();
        const std::string plan = demo.program_folder + "\\" + name;
        prefix.add_file(plan, bytes);
        stopped = stop_of([&] { prepare_all(plan); });
        EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
        const std::string text = "*** C:\\Tarvex\\" + name + " : flight plan cannot be read, no landscape ***";
        EXPECT_EQ(stopped.text, text);
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, text);
        EXPECT_NE(log().find(text), std::string::npos);
        EXPECT_EQ(log().find(".trn"), std::string::npos);
    }
    cmndta001.qfr = true;
    stopped = stop_of([&] { prepare_all(demo.program_folder + "\\Empty.fpl"); });
    EXPECT_EQ(stopped.text, "*** C:\\Tarvex\\Empty.fpl : plan de vol illisible, aucun paysage ***");
    cmndta001.qfr = false;

    // A SeeYou file without a task.
    prefix.add_file(demo.program_folder + "\\Points.cup",
                    "name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc\r\n"
                    "\"A\",\"A\",FR,4403.582N,00559.466E,460.0m,1,,,,\r\n");
    tarvex_c.outfile.clear();
    stopped = stop_of([&] { prepare(demo.program_folder + "\\Points.cup"); });
    EXPECT_EQ(stopped.text, "*** C:\\Tarvex\\Points.cup : no task found ***");
}

TEST_F(ConversionSteps, ATaskOfMorePointsThanATaskHoldsIsRefused) {
    // Count 32: one message, from the conversion, naming no target.
    std::string text = file(plan3());
    const std::size_t count = text.find("Count=");
    text.replace(count, text.find('\r', count) - count, "Count=32");
    prefix.add_file(demo.program_folder + "\\Long.fpl", text);
    RunStopped stopped = stop_of([&] { prepare(demo.program_folder + "\\Long.fpl"); });
    EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
    EXPECT_EQ(stopped.text, "Count=32 : a task holds at most 30 turnpoints");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Count=32 : a task holds at most 30 turnpoints");
    EXPECT_EQ(boxes[0].title, "Tarvex");
    EXPECT_EQ(boxes[0].status, 1);
    EXPECT_NE(log().find("Count=32 : a task holds at most 30 turnpoints\r\n"), std::string::npos);

    cmndta001.qfr = true;
    reset_task_model();
    tarvex_c.outfile.clear();
    stopped = stop_of([&] { prepare(demo.program_folder + "\\Long.fpl"); });
    EXPECT_EQ(stopped.text, "Count=32 : un circuit compte au plus 30 points de virage");
}

TEST_F(ConversionSteps, AatMarkDetectionAndTime) {
    // The mark in the input's name forces the AAT of a Condor 2 plan; it stays
    // only with an AAT time.
    prefix.add_file(demo.program_folder + "\\Race-AAT.fpl", file(plan2()));
    prepare(demo.program_folder + "\\Race-AAT.fpl");
    EXPECT_FALSE(rd_fpl_6.qaat);

    reset_task_model();
    tarvex_c.outfile.clear();
    tarvex01.t_aat_arg = 120.0f;
    prepare(plan2());
    EXPECT_FALSE(rd_fpl_6.qaat);
    tarvex01.qaat_arg = true;
    tarvex_c.outfile.clear();
    prepare(plan2());
    EXPECT_TRUE(rd_fpl_6.qaat);
    EXPECT_EQ(tarvex_c.outfile, "C:\\XCSoarData\\Tasks\\DemoRace2-AAT.tsk");
}

TEST_F(ConversionSteps, LandscapeFrameAndItsFiles) {
    prepare_all(plan3());
    EXPECT_EQ(trn00c.trnfile, "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.trn");
    EXPECT_FLOAT_EQ(trn001.x_scn_mx, 115200.0f);
    EXPECT_FLOAT_EQ(trn001.y_scn_mx, 115200.0f);
    EXPECT_GT(rd_fpl_1.tplat[1], 44.0f);

    // The waypoint check reads the landscape's airports and turnpoints.
    tarvex01.qchkwp = true;
    match_landscape(conversion, run);
    EXPECT_EQ(conversion.airport_file, "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.apt");
    EXPECT_EQ(conversion.turnpoint_file, prefix.user_root(3) + "Turnpoints\\DemoProvence.cup");
    EXPECT_EQ(tarvex01.nb_apt, 6);
    EXPECT_GT(tarvex01.nb_wp_file, 6);

    // Missing airports end the run.
    prefix.remove("C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.apt");
    const RunStopped stopped = stop_of([&] { match_landscape(conversion, run); });
    EXPECT_EQ(stopped.text, "*** C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.apt : Error ***");
}

TEST_F(ConversionSteps, MissingTerrainHeader) {
    prefix.remove("C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.trn");
    const RunStopped stopped = stop_of([&] { prepare_all(plan3()); });
    EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
    EXPECT_EQ(stopped.text, "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.trn\n*** File not found ***");
}

TEST_F(ConversionSteps, FinishMinimumAgainstTheGround) {
    prepare_all(plan3());
    const float ground = rd_fpl_1.tpz[5];
    rd_fpl_4.finishminalt = ground;
    check_finish_altitude();
    rd_fpl_4.finishminalt = ground - 0.1f;
    const RunStopped stopped = stop_of([] { check_finish_altitude(); });
    EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
    EXPECT_EQ(stopped.text, "Finish Min Altitude (539.9) below ground elevation (540)");
    cmndta001.qfr = true;
    EXPECT_EQ(stop_of([] { check_finish_altitude(); }).text,
              "Altitude min. d'arriv\xE9" "e (539.9) sous l'altitude du sol (540)");
    cmndta001.qfr = false;
    // Only XCSoar and LK8000 know a finish minimum.
    tarvex01.ntarg = kTargetCup;
    check_finish_altitude();
    // A task without points has nothing to check.
    tarvex01.ntarg = kTargetTsk;
    rd_fpl_0.nb_wp = 0;
    check_finish_altitude();
}

TEST_F(ConversionSteps, FailedWriterEndsTheRunBeforeAnythingElse) {
    prepare_all(plan3());
    tarvex_c.outfile = "C:\\No such folder\\DemoRace3.tsk";
    const RunStopped stopped = stop_of([&] { write_target_task(conversion); });
    EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
    EXPECT_EQ(stopped.text, "Error writing: \n C:\\No such folder\\DemoRace3.tsk");
    EXPECT_FALSE(has("C:\\XCSoarData\\CondorAirspace.txt"));
    EXPECT_FALSE(has("C:\\XCSoarData\\Condor.prf"));
}

TEST_F(ConversionSteps, AirspaceStatusOfACondor3Plan) {
    prepare_all(plan3());
    ASSERT_TRUE(write_target_task(conversion));
    write_task_airspace(conversion);
    EXPECT_EQ(conversion.airspace_status, 0);
    EXPECT_TRUE(as0003.qwriteas);
    EXPECT_EQ(as000c.aspfile, "C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.air");
    EXPECT_EQ(as000c.asp_d_file, prefix.user_root(3) + "FlightPlans\\DemoRace3-AS_LIST.txt");
    const std::string airspace = file("C:\\XCSoarData\\CondorAirspace.txt");
    EXPECT_NE(airspace.find("AN DEMO TMA PROVENCE"), std::string::npos);
    EXPECT_NE(airspace.find("AC P"), std::string::npos);

    // The landscape's airspace cannot be read: the output starts anew with the
    // notice header and holds this plan's penalty zones, none of the last run.
    prefix.remove("C:\\Condor3\\Landscapes\\DemoProvence\\DemoProvence.air");
    write_task_airspace(conversion);
    EXPECT_EQ(conversion.airspace_status, 0);
    std::string alone = file("C:\\XCSoarData\\CondorAirspace.txt");
    EXPECT_TRUE(alone.starts_with(std::string(71, '*') + "\r\n"));
    EXPECT_NE(alone.find("AN PZ#00"), std::string::npos);
    EXPECT_EQ(alone.find("AN DEMO TMA PROVENCE"), std::string::npos);
    EXPECT_EQ(alone.find("AN PZ#00"), alone.rfind("AN PZ#00"));
    // And without penalty zones, the header alone.
    rd_fpl_0.nb_pz = 0;
    write_task_airspace(conversion);
    EXPECT_EQ(conversion.airspace_status, 0);
    alone = file("C:\\XCSoarData\\CondorAirspace.txt");
    EXPECT_EQ(alone.find("AC "), std::string::npos);
    EXPECT_NE(alone.find("PLEASE DO NOT REMOVE THIS NOTICE"), std::string::npos);
    EXPECT_FALSE(any_file_unwritten());
}

TEST_F(ConversionSteps, AirspaceOutputThatCannotBeWrittenKeepsItsBytes) {
    prepare_all(plan3());
    ASSERT_TRUE(write_target_task(conversion));
    prefix.add_file("C:\\XCSoarData\\CondorAirspace.txt", "LAST RUN\r\n");
    prefix.add_file(prefix.user_root(3) + "FlightPlans\\DemoRace3-AS_LIST.txt", "     1 LAST RUN\r\n");
    for (const FileStep step : {FileStep::create, FileStep::write, FileStep::flush, FileStep::rename}) {
        SCOPED_TRACE(static_cast<int>(step));
        reset_unwritten_files();
        arm_file_fault({step, step == FileStep::write ? 40 : 1, "CondorAirspace.txt", ENOSPC});
        write_task_airspace(conversion);
        EXPECT_EQ(conversion.airspace_status, ENOSPC);
        EXPECT_EQ(file("C:\\XCSoarData\\CondorAirspace.txt"), "LAST RUN\r\n");
        EXPECT_EQ(unwritten_files.names, std::vector<std::string>{"C:\\XCSoarData\\CondorAirspace.txt"});
        EXPECT_TRUE(temporary_files("C:\\XCSoarData").empty());
    }
    // A read-only output is not touched, nor is the zone list.
    prefix.add_file(prefix.user_root(3) + "FlightPlans\\DemoRace3-AS_LIST.txt", "     1 LAST RUN\r\n");
    std::filesystem::permissions(prefix.host("C:\\XCSoarData\\CondorAirspace.txt"), std::filesystem::perms::owner_read);
    write_task_airspace(conversion);
    EXPECT_EQ(conversion.airspace_status, EACCES);
    EXPECT_EQ(file(prefix.user_root(3) + "FlightPlans\\DemoRace3-AS_LIST.txt"), "     1 LAST RUN\r\n");
    EXPECT_NE(log().find("Error writing:"), std::string::npos);
}

TEST_F(ConversionSteps, AirspaceWindowAroundTheTask) {
    tarvex01.maxtaskmargin = 10;
    prepare_all(plan3());
    write_target_task(conversion);
    write_task_airspace(conversion);
    // The task spans x 20987..55773, y 28118..80862 with 3 to 5 km radii,
    // held 2880 m inside the frame, then 10 km more on each side.
    EXPECT_NEAR(as0002.as_xmin, 20987.47f - 3000.0f - 10000.0f, 1.0f);
    EXPECT_NEAR(as0002.as_xmax, 54759.64f + 5000.0f + 10000.0f, 1.0f);
    EXPECT_NEAR(as0002.as_ymin, 28118.87f - 3000.0f - 10000.0f, 1.0f);
    EXPECT_NEAR(as0002.as_ymax, 80862.52f + 5000.0f + 10000.0f, 1.0f);
    // A margin beyond the frame is held to it.
    tarvex01.maxtaskmargin = 500;
    write_task_airspace(conversion);
    EXPECT_FLOAT_EQ(as0002.as_xmin, 0.0f);
    EXPECT_FLOAT_EQ(as0002.as_ymin, 0.0f);
    EXPECT_FLOAT_EQ(as0002.as_xmax, 115200.0f);
    EXPECT_FLOAT_EQ(as0002.as_ymax, 115200.0f);
}

TEST_F(ConversionSteps, AirspaceListKeepsOnlyTheListedZones) {
    as0003.qlistas = true;
    prepare_all(plan3());
    // Without its list the run ends before anything is written, saying where
    // the list was looked for.
    const std::string missing = "*** -listAS : CroppedAirspaceSorted.txt not found in C:\\Tarvex ***";
    RunStopped stopped = stop_of([] { find_airspace_list(); });
    EXPECT_EQ(stopped.exit_code, kExitConversionFailed);
    EXPECT_EQ(stopped.text, missing);
    EXPECT_NE(log().find(missing), std::string::npos);
    write_target_task(conversion);
    EXPECT_EQ(stop_of([&] { write_task_airspace(conversion); }).text, missing);

    // Zone 3 and 0 listed, a number out of range ignored, the list ends at
    // the first line without a number.
    prefix.add_file(demo.program_folder + "\\CroppedAirspaceSorted.txt", "3\r\n\r\n99999\r\n-4\r\n0\r\nend\r\n1\r\n");
    find_airspace_list();
    write_task_airspace(conversion);
    EXPECT_EQ(conversion.airspace_status, 0);
    EXPECT_FALSE(rd_fpl_5.qas_disa[0]);
    EXPECT_TRUE(rd_fpl_5.qas_disa[1]);
    EXPECT_FALSE(rd_fpl_5.qas_disa[3]);
    EXPECT_TRUE(rd_fpl_5.qas_disa[8192]);
    EXPECT_EQ(as000c.asp_d_file, prefix.user_root(3) + "FlightPlans\\DemoRace3-AS_DISABLED.txt");
    const std::string airspace = file("C:\\XCSoarData\\CondorAirspace.txt");
    EXPECT_NE(airspace.find("AN DEMO TMA PROVENCE"), std::string::npos);
    EXPECT_EQ(airspace.find("SAINT-AUBAN"), std::string::npos);
}

TEST_F(ConversionSteps, AatAreasThatAreNotCylinders) {
    prepare_all(plan3());
    check_aat_areas();
    EXPECT_TRUE(boxes.empty());
    rd_fpl_6.qaat = true;
    check_aat_areas();
    // Lure and Valensole are sectors, Digne a cylinder.
    EXPECT_EQ(tarvex01.nb_cyl, 1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "AAT defined, some areas are not circular");
    EXPECT_EQ(boxes[0].status, 2);
    boxes.clear();
    rd_fpl_1.tpang[2] = 360;
    rd_fpl_1.tpang[4] = 360;
    check_aat_areas();
    EXPECT_TRUE(boxes.empty());
}

}  // namespace
