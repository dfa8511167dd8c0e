#include "driver/task_summary_text.h"

#include "foundation/fixed_text.h"
#include "foundation/number_text.h"
#include "foundation/option_records.h"
#include "foundation/output_targets.h"
#include "foundation/paths_files.h"
#include "foundation/tell.h"
#include "foundation/time_text.h"
#include "foundation/units.h"
#include "taskfiles/task_model.h"
#include "taskfiles/task_summary.h"
#include "taskfiles/task_zones.h"

#include <algorithm>
#include <string_view>

namespace {

constexpr std::size_t kSummaryNameLength = 12;

std::string altitude_text(float metres) {
    return i2b(nearest_int(static_cast<double>(metres) * tarvex01.fmulalt)) + " " + tarvex_c.cunitalt;
}

std::string speed_text(float kmh) {
    return i2b(nearest_int(static_cast<double>(kmh) * tarvex01.fmulspd)) + " " + tarvex_c.cunitspd;
}

struct Limits {
    float minimum = 0.0f;
    float maximum = 0.0f;
};

// The limits of a window sector: its height spread evenly round its centre.
Limits window_limits(int n) { return {static_cast<float>(window_bottom(n)), static_cast<float>(window_top(n))}; }

float whole_metres(double metres) { return static_cast<float>(nearest_int(metres)); }

class SummaryBuilder {
public:
    void line(std::string_view text) {
        text_ = fit_field(trim_right(text_) + std::string(text) + "\n", kSummaryCapacity);
        // fit_field drops a final blank but never the line feed, which is no blank.
    }
    // A minimum above 0 and a maximum below the no-limit mark give a line each.
    void limits(const Limits& limits, std::string_view minimum_label, std::string_view maximum_label) {
        if (limits.minimum > 0.0f) {
            line(std::string(minimum_label) + altitude_text(limits.minimum));
        }
        if (limits.maximum < kNoMaximumAltitude) {
            line(std::string(maximum_label) + altitude_text(limits.maximum));
        }
    }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

}  // namespace

std::string task_summary_text() {
    const RdFpl6& options = rd_fpl_6;
    const RdFpl1& t = rd_fpl_1;
    SummaryBuilder summary;

    if (options.qaat) {
        summary.line("AAT = " + i2b(nearest_int(options.t_aat)) + " min");
    }
    // A SeeYou task has no gate window nor race delay of Condor's, but its
    // own start opening and task time, when it gives them.
    const bool seeyou_task = tarvex01.qcup_in;
    if (seeyou_task) {
        if (options.nostart > 0) {
            summary.line(in_user_language("Start open = ", "Ouverture du d\xE9part = ") + clock_text(options.nostart));
        }
        if (options.tasktime > 0) {
            summary.line(in_user_language("Task time = ", "Dur\xE9" "e du circuit = ") +
                         i2b(nearest_int(static_cast<double>(options.tasktime) / kMinuteInSeconds)) + " min");
        }
    } else if (options.starttimewindow != 0.0f) {
        summary.line(in_user_language("Gate open = ", "Ouverture porte = ") +
                     i2b(nearest_int(static_cast<double>(options.starttimewindow) * kHourInMinutes)) + " min");
    } else {
        summary.line(in_user_language("Regatta start", "D\xE9part r\xE9gate"));
    }
    if (options.start_max_speed > 0) {
        summary.line(in_user_language("Start maximum speed = ", "Vitesse maximale de d\xE9part = ") +
                     speed_text(static_cast<float>(options.start_max_speed)));
    }

    const int nb_wp = std::clamp(rd_fpl_0.nb_wp, 0, kTurnpointSlots);
    if (nb_wp >= 2) {
        // The start: a classic sector's limits are first taken to whole metres.
        constexpr int start = 1;
        const Limits start_limits = zone_kind(start) == ZoneKind::window
                                        ? window_limits(start)
                                        : Limits{whole_metres(t.tpwid[start]), whole_metres(start_maximum_altitude())};
        summary.limits(start_limits, in_user_language("Start minimum altitude = ", "Altitude de d\xE9part minimale = "),
                       in_user_language("Start maximum altitude = ", "Altitude de d\xE9part maximale = "));

        // The finish: a classic sector without a minimum of its own takes the
        // plan's finish minimum altitude.
        const int finish = nb_wp - 1;
        const Limits finish_limits = zone_kind(finish) == ZoneKind::window
                                         ? window_limits(finish)
                                         : Limits{static_cast<float>(finish_minimum_altitude(finish)),
                                                  t.tphei[static_cast<std::size_t>(finish)]};
        summary.limits(finish_limits,
                       in_user_language("Finish minimum altitude = ", "Altitude d'arriv\xE9" "e minimale = "),
                       in_user_language("Finish maximum altitude = ", "Altitude d'arriv\xE9" "e maximale = "));
    }

    // The inner turnpoints: a classic sector's maximum is taken to whole metres.
    for (int n = 2; n <= nb_wp - 2; ++n) {
        const auto i = static_cast<std::size_t>(n);
        const Limits limits =
            zone_kind(n) == ZoneKind::window ? window_limits(n) : Limits{t.tpwid[i], whole_metres(t.tphei[i])};
        const std::string head =
            "TP" + i2b(n - 1) + " (" + fit_field(rd_fpl_2.tpnam[i], kSummaryNameLength);
        summary.limits(limits, head + in_user_language("): minimum altitude = ", ") : altitude minimale = "),
                       head + in_user_language("): maximum altitude = ", ") : altitude maximale = "));
    }

    if (options.penaltycloudflying() >= 1) {
        summary.line(in_user_language("Cloud flying penalty = ", "P\xE9nalit\xE9 de vol de nuage = ") +
                     i2b(options.penaltycloudflying()));
    }
    if (!seeyou_task) {
        summary.line("Race in = " +
                     i2b(nearest_int(static_cast<double>(options.racestartdelay) * kHourInMinutes)) + " min");
    }
    return summary.text();
}

std::string summary_file_text(const std::string& text) {
    std::string copy = text;
    const std::size_t at = copy.find(" kt");
    if (at != std::string::npos) {
        copy.replace(at, 3, " knots");
    }
    return copy.substr(0, std::min(copy.size(), kSummaryCapacity));
}

std::string notepad_file() {
    const TargetFacts& target = chosen_target();
    if (target.notepad.empty() || target.root == nullptr || target.tree == nullptr) {
        return {};
    }
    const std::string folder = join_path(tarvex_c.*target.root, target.tree->configuration);
    return path_field(join_path(folder, target.notepad));
}

void output_task_summary(const std::string& text, bool file_named) {
    const std::string notepad = notepad_file();
    if (file_named || !notepad.empty()) {
        const std::string copy = summary_file_text(text);
        if (file_named) {
            write_summary(copy, tarvex_c.tskwrnfile, false);
        }
        if (!notepad.empty()) {
            tarvex_c.tskwrnfile = notepad;
            write_summary(copy, tarvex_c.tskwrnfile, true);
        }
    }
    if (tarvex01.qtskwrn) {
        tell_and_log(kWarning, text, {.shown = !tarvex01.qsilent});
    }
}
