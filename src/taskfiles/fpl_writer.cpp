#include "taskfiles/fpl_writer.h"

#include "foundation/condor_install.h"
#include "foundation/fixed_text.h"
#include "foundation/message_records.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/paths_files.h"
#include "foundation/text_edit.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/glue_dialogs.h"
#include "taskfiles/list_rewrite.h"
#include "taskfiles/task_model.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

constexpr std::string_view kTaskSection = "[Task]";
constexpr std::string_view kWeatherSection = "[Weather]";

// Format of the positions and window sizes of the task section.
constexpr std::string_view kRealFormat = "(F16.6)";

// The template of the run: "" with iost set when none can be used.
std::string choose_template(int& iost) {
    const std::string shipped(inst00.condor_version == 3 ? kCondor3Template : kCondor2Template);
    if (!tarvex01.qtemplate) {
        return shipped;
    }
    const std::string folder = join_path(inst00.cndrrootpath, "FlightPlans\\");
    console_line(folder);
    if (cmndta001.qline) {
        // No dialog in console mode: the shipped template of the active version.
        return shipped;
    }
    std::string answer;
    int length = 0;
    if (GetFileName(answer, "Tarvex : Select template flight plan", folder, "*.fpl", "Condor Flight Plans (*.fpl)", 0,
                    length) != 1) {
        iost = kTemplateNotChosen;
        return {};
    }
    remove_trail_0(answer);
    return answer;
}

void write_task_section(FileWriter& out) {
    const auto& tp = rd_fpl_1;
    const int last = std::clamp(rd_fpl_0.nb_wp, 0, kTurnpointSlots) - 1;
    out.write_line("Landscape=" + trim_right(rd_fpl_2.landscape));
    out.write_line("Count=" + i2b(last + 1));
    for (int i = 0; i <= last; ++i) {
        const std::string n = i2b(i);
        console_line("write_fpl " + n + " " + f2b(tp.tpwid[i], kRealFormat));
        out.write_line("TPName" + n + "=" + trim_right(rd_fpl_2.tpnam[i]));
        out.write_line("TPPosX" + n + "=" + f2b(tp.tpx[i], kRealFormat));
        out.write_line("TPPosY" + n + "=" + f2b(tp.tpy[i], kRealFormat));
        out.write_line("TPPosZ" + n + "=" + f2b(tp.tpz[i], kRealFormat));
        out.write_line("TPAirport" + n + "=" + i2b(tp.tpair[i]));
        out.write_line("TPSectorType" + n + "=" + i2b(tp.tpsec[i]));
        if (inst00.condor_version == 3) {
            out.write_line("TPSectorDirection" + n + "=0");
        }
        out.write_line("TPRadius" + n + "=" + (tp.tprad[i] > 0 ? i2b(tp.tprad[i]) : i2b(kDefaultZoneRadius)));
        out.write_line("TPAngle" + n + "=" + (tp.tpang[i] > 0 ? i2b(tp.tpang[i]) : i2b(kDefaultZoneAngle)));
        out.write_line("TPAltitude" + n + "=" + f2b(tp.tpalt[i], kRealFormat));
        out.write_line("TPWidth" + n + "=" + f2b(tp.tpwid[i], kRealFormat));
        out.write_line("TPHeight" + n + "=" + f2b(tp.tphei[i], kRealFormat));
        out.write_line("TPAzimuth" + n + "=" + f2b(tp.tpazi[i], kRealFormat));
    }
    out.write_line("PZCount=0");
    out.write_line("DisabledAirspaces=");
}

}  // namespace

void write_fpl(std::string_view outfi_0, int& iost) {
    iost = 0;
    const std::string tmpltfile = choose_template(iost);
    tarvex_c.tmpltfile = tmpltfile;
    if (iost != 0) {
        return;
    }
    if (!file_exists(tmpltfile)) {
        console_line("write_fpl template missing " + tmpltfile);
        iost = kTemplateMissing;
        return;
    }

    // The template is read whole first, so that a template that cannot be
    // used leaves the output as it was.
    std::vector<std::string> lines;
    const int read_status = read_text_lines(tmpltfile, lines);
    console_line("write_fpl template " + i2b(read_status) + " " + tmpltfile);
    if (read_status != 0) {
        iost = kTemplateUnreadable;
        return;
    }
    const auto is_task = [](const std::string& line) { return blank_equal(line, kTaskSection); };
    if (std::none_of(lines.begin(), lines.end(), is_task)) {
        iost = kTemplateWithoutTask;
        return;
    }

    FileWriter out(outfi_0);
    console_line("write_fpl output " + i2b(out.open_status()) + " " + std::string(outfi_0));
    if (!out.is_open()) {
        iost = out.open_status();
        return;
    }
    bool skipping = false;
    bool section_written = false;
    const auto write_section_once = [&] {
        if (!section_written) {
            write_task_section(out);
            section_written = true;
        }
    };
    for (const std::string& line : lines) {
        if (!skipping) {
            out.write_line(trim_right(line));
            skipping = is_task(line);
        } else if (blank_equal(line, kWeatherSection)) {
            write_section_once();
            out.write_line(trim_right(line));
            skipping = false;
        } else {
            // A line of the template's own task: dropped, the new task in its place.
            write_section_once();
        }
    }
    if (skipping) {
        write_section_once();
    }
    iost = out.close();
}

const std::string& fpl_template_file() {
    return tarvex_c.tmpltfile;
}
