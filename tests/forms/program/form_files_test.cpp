// The four form files of data/: read by the form kit without an error, every
// box bound to a field and no other, what the forms rely on (version, radio
// group, dependency, lists, buttons, unit labels), Windows-1252 bytes, and a
// layout with real fonts in which no two items overlap.
#include "program_forms_fixture.h"

#include "forms/kit/engine_layout.h"
#include "forms/kit/form_create.h"
#include "forms/kit/form_reader.h"
#include "forms/program/form_file.h"
#include "support/std_streams.h"

#include <algorithm>
#include <array>
#include <set>

namespace program_forms_test {
namespace {

struct FormFile {
    const char* name;
    bool conversion;
};

constexpr std::array<FormFile, 4> kFormFiles = {{{"Tarvex_form.frm", true},
                                                  {"Tarvex_form_FR.frm", true},
                                                  {"Tarvex_Setup_form.frm", false},
                                                  {"Tarvex_Setup_form_FR.frm", false}}};

class FormFiles : public ProgramFormsTest {
protected:
    // Reads and binds a form file; the console while doing so.
    std::string read_and_bind(const FormFile& form) {
        tarvex_test::CapturedStdout out;
        EXPECT_EQ(frm_read_form(demo.program_folder + "\\" + form.name), 0) << form.name;
        bind_fields(form.conversion ? conversion_fields() : setup_fields());
        return out.finish();
    }
    static std::set<int> button_types() {
        std::set<int> types;
        for (int b = 1; b <= frm000.nb_butt; ++b) {
            types.insert(frmi01.butt_typ[b]);
        }
        return types;
    }
};

// A UTF-8 sequence: a lead byte followed by a continuation byte.
bool holds_utf8(const std::string& bytes) {
    for (std::size_t i = 0; i + 1 < bytes.size(); ++i) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        const auto next = static_cast<unsigned char>(bytes[i + 1]);
        if (lead >= 0xC2 && lead <= 0xF4 && next >= 0x80 && next <= 0xBF) {
            return true;
        }
    }
    return false;
}

TEST_F(FormFiles, EveryFileReadsAndBindsEveryNameAndNoOther) {
    for (const FormFile& form : kFormFiles) {
        SCOPED_TRACE(form.name);
        const std::string bytes = form_file(form.name);
        EXPECT_FALSE(holds_utf8(bytes));
        const bool french = std::string(form.name).find("_FR") != std::string::npos;
        EXPECT_EQ(std::any_of(bytes.begin(), bytes.end(), [](char c) { return static_cast<unsigned char>(c) > 127; }),
                  french);
        const std::string console = read_and_bind(form);
        EXPECT_EQ(console.find("form file corrupted"), std::string::npos) << console;
        EXPECT_TRUE(boxes.empty());
        const auto fields = form.conversion ? conversion_fields() : setup_fields();
        EXPECT_EQ(frm_get_count(), static_cast<int>(fields.size()));
        for (const FormField& field : fields) {
            EXPECT_GT(*field.box, 0) << field.name;
        }
        EXPECT_GE(frm_get_txt_count(), 1);
        EXPECT_FALSE(frmc00.wintit.empty());
    }
}

TEST_F(FormFiles, TheConversionFormsHoldWhatTheProgramNeeds) {
    for (const FormFile& form : kFormFiles) {
        if (!form.conversion) {
            continue;
        }
        SCOPED_TRACE(form.name);
        read_and_bind(form);
        EXPECT_EQ(frm_get_version(), 4400);
        // The targets are one radio group; the alternative file follows its tick.
        ASSERT_EQ(frm000.nb_rdio, 1);
        ASSERT_EQ(frmt01.tick_rdio_count[1], 3);
        EXPECT_EQ((std::array{frmt01.tick_rdio[1][1], frmt01.tick_rdio[1][2], frmt01.tick_rdio[1][3]}),
                  (std::array{tvxfrm.nb__qxcs, tvxfrm.nb__qlk8000, tvxfrm.nb__qcup}));
        EXPECT_EQ(frmi01.inpt_dep[tvxfrm.nb__altcupfile], tvxfrm.nb__qaltcup - 1);
        EXPECT_EQ(button_types(), (std::set<int>{-100, -1, 1, 102, 104}));
        // The unit boxes' labels end in their bracketed unit.
        EXPECT_TRUE(frmc01.inpt_txt[tvxfrm.nb__finishminalt].ends_with("(m)"));
        EXPECT_TRUE(frmc01.inpt_txt[tvxfrm.nb__start_margin].ends_with("(m)"));
        EXPECT_TRUE(frmc01.inpt_txt[tvxfrm.nb__start_max_speed].ends_with("(km/h)"));
        EXPECT_EQ(frmi01.inpt_typ[tvxfrm.nb__finishminalt], kTypeFlt);
        EXPECT_EQ(frmi01.inpt_typ[tvxfrm.nb__start_max_speed], kTypeInt);
        EXPECT_EQ(frmi01.inpt_typ[tvxfrm.nb__infile], kTypeIfp);
    }
}

TEST_F(FormFiles, TheSetupFormsHoldWhatTheProgramNeeds) {
    for (const FormFile& form : kFormFiles) {
        if (form.conversion) {
            continue;
        }
        SCOPED_TRACE(form.name);
        read_and_bind(form);
        for (const int n : {stpfrm.nb__nauto, stpfrm.nb__nunit, stpfrm.nb__nlang}) {
            EXPECT_EQ(frmi01.inpt_typ[n], kTypeDdl);
            EXPECT_EQ(frmi01.ddl_nbli[frmi01.inpt_ddl[n]], 3) << frmc01.inpt_txt[n];
        }
        for (const int n : {stpfrm.nb__xcsoar_tasks, stpfrm.nb__lk8000_tasks, stpfrm.nb__seeyou_tasks,
                            stpfrm.nb__defpath}) {
            EXPECT_EQ(frmi01.inpt_typ[n], kTypeFld);
        }
        EXPECT_EQ(button_types(), (std::set<int>{-1, 1, 102, 104}));
    }
}

// A rectangle of the laid-out form: x1, y1, x2, y2, and what it is.
struct Item {
    Rect r;
    std::string what;
};

bool overlap(const Rect& a, const Rect& b) { return a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3]; }

std::vector<Item> laid_out_items() {
    const EngineTables& t = engine_tables;
    const EngineMetrics& m = engine_metrics;
    std::vector<Item> items;
    for (std::size_t i = 0; i < static_cast<std::size_t>(t.nb_inpt); ++i) {
        Rect r = t.inpt_pos[i];
        r[2] += t.inpt_arr[i] == 1 ? 2 * m.DxI : 0;
        items.push_back({r, "box " + t.inpt_txt[i]});
        if (!t.inpt_txt[i].empty()) {
            const EngineTextBox text = engine_measure(EngineFont::label, m.font_size, t.inpt_txt[i]);
            const auto [x, y] = t.inpt_ptx[i];
            items.push_back({{x, y, x + text.width, y + text.height}, "label " + t.inpt_txt[i]});
        }
    }
    for (std::size_t b = 0; b < static_cast<std::size_t>(t.nb_butt); ++b) {
        items.push_back({t.butt_pos[b], "button " + t.butt_txt[b]});
    }
    for (std::size_t s = 0; s < static_cast<std::size_t>(t.nb_subt); ++s) {
        const EngineTextBox text =
            engine_measure(EngineFont::label, engine_title_size(static_cast<int>(s)), t.subt_txt[s]);
        const auto [x, y] = t.subt_pos[s];
        items.push_back({{x, y, x + text.width, y + text.height}, "title " + t.subt_txt[s]});
    }
    return items;
}

TEST_F(FormFiles, NoTwoItemsOverlapAndEverythingIsInTheWindow) {
    std::vector<std::vector<Rect>> english_boxes;
    for (const FormFile& form : kFormFiles) {
        SCOPED_TRACE(form.name);
        read_and_bind(form);
        add_version_to_titles();  // as the program shows them
        ASSERT_GT(frm_create_form(), 0);
        const std::vector<Item> items = laid_out_items();
        const int width = engine_metrics.windowInfo.width;
        const int height = engine_metrics.windowInfo.height;
        for (std::size_t i = 0; i < items.size(); ++i) {
            const Rect& a = items[i].r;
            EXPECT_TRUE(a[0] >= 0 && a[1] >= 0 && a[2] <= width && a[3] <= height) << items[i].what;
            for (std::size_t j = i + 1; j < items.size(); ++j) {
                EXPECT_FALSE(overlap(a, items[j].r)) << items[i].what << " / " << items[j].what;
            }
            // Separators run between the rows.
            for (std::size_t s = 0; s < static_cast<std::size_t>(engine_tables.nb_sepa); ++s) {
                const Rect& line = engine_tables.sepa_pos[s];
                EXPECT_FALSE(overlap(a, {line[0], line[1], line[2], line[3] + 1})) << items[i].what;
            }
        }
        // Texts stay clear of what frames them: every entry of a list of its
        // arrow, a button's caption of the button's edges.
        const EngineTables& t = engine_tables;
        const EngineMetrics& m = engine_metrics;
        for (std::size_t i = 0; i < static_cast<std::size_t>(t.nb_inpt); ++i) {
            if (t.inpt_typ[i] != frm_type_ddl) {
                continue;
            }
            const int arrow = t.inpt_pos[i][2] - 2 * m.DxI + 2;
            for (int entry = 0; entry < engine_list_count(t.inpt_ddl[i]); ++entry) {
                const std::string text = engine_list_entry(t.inpt_ddl[i], entry);
                const int right = t.inpt_pos[i][0] + m.Yoffset + engine_measure(EngineFont::input, m.font_size, text).width;
                EXPECT_LT(right, arrow) << text;
            }
        }
        for (std::size_t b = 0; b < static_cast<std::size_t>(t.nb_butt); ++b) {
            const int width = engine_measure(EngineFont::label, m.font_size, t.butt_txt[b]).width;
            EXPECT_LE(width + 4, t.butt_siz[b]) << t.butt_txt[b];
        }
        // The French form keeps the English one's boxes where they are.
        std::vector<Rect> rects(engine_tables.inpt_pos.begin(), engine_tables.inpt_pos.begin() + engine_tables.nb_inpt);
        if (std::string(form.name).find("_FR") == std::string::npos) {
            english_boxes.push_back(rects);
        } else {
            EXPECT_EQ(rects, english_boxes.back());
        }
        frm_close_graphics();
    }
}

}  // namespace
}  // namespace program_forms_test
