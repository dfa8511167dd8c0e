#include "writer_support.h"

#include "foundation/option_records.h"
#include "taskfiles/landscape_records.h"
#include "taskfiles/layer_reset.h"
#include "taskfiles/task_model.h"

#include <expat.h>

namespace tarvex_test {

namespace {

// The elements found and the names of those open, innermost last.
struct ParseState {
    std::vector<XmlElement>* elements = nullptr;
    std::vector<std::string> open;
};

void XMLCALL on_start(void* user, const XML_Char* name, const XML_Char** attributes) {
    auto* state = static_cast<ParseState*>(user);
    XmlElement element{name, {}, state->open.empty() ? std::string() : state->open.back()};
    for (int i = 0; attributes[i] != nullptr; i += 2) {
        element.attributes.emplace_back(attributes[i], attributes[i + 1]);
    }
    state->elements->push_back(std::move(element));
    state->open.emplace_back(name);
}

void XMLCALL on_end(void* user, const XML_Char*) { static_cast<ParseState*>(user)->open.pop_back(); }

}  // namespace

std::string XmlElement::attribute(const std::string& key) const {
    for (const auto& [k, v] : attributes) {
        if (k == key) {
            return v;
        }
    }
    return {};
}

bool XmlElement::has(const std::string& key) const {
    for (const auto& entry : attributes) {
        if (entry.first == key) {
            return true;
        }
    }
    return false;
}

bool parse_xml(const std::string& bytes, std::vector<XmlElement>& elements, std::string& error) {
    elements.clear();
    XML_Parser parser = XML_ParserCreate("UTF-8");
    ParseState state{&elements, {}};
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(parser, on_start, on_end);
    const bool ok = XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) == XML_STATUS_OK;
    if (!ok) {
        error = std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " at line " +
                std::to_string(XML_GetCurrentLineNumber(parser));
    }
    XML_ParserFree(parser);
    return ok;
}

std::vector<XmlElement> elements_named(const std::vector<XmlElement>& elements, const std::string& name) {
    std::vector<XmlElement> found;
    for (const XmlElement& element : elements) {
        if (element.name == name) {
            found.push_back(element);
        }
    }
    return found;
}

void set_task(const std::vector<TestPoint>& points) {
    rd_fpl_0.nb_wp = static_cast<int>(points.size());
    for (std::size_t n = 0; n < points.size(); ++n) {
        const TestPoint& p = points[n];
        rd_fpl_2.tpnam[n] = p.name;
        rd_fpl_1.tpx[n] = p.x;
        rd_fpl_1.tpy[n] = p.y;
        rd_fpl_1.tpz[n] = p.z;
        rd_fpl_1.tplat[n] = 45.0f + p.y / 111000.0f;
        rd_fpl_1.tplon[n] = 6.0f - p.x / 78000.0f;
        rd_fpl_1.tpsec[n] = 0;
        rd_fpl_1.tprad[n] = p.radius;
        rd_fpl_1.tpang[n] = p.angle;
        rd_fpl_1.tphei[n] = 10000.0f;
        rd_fpl_1.tpwid[n] = 0.0f;
    }
}

void set_racing_task() {
    set_task({{"Airfield", 0, -10000, 480.0f},
              {"Start", 0, 0, 500.4f, 1000, 180},
              {"TP2", 0, 20000, 612.5f, 500, 360},
              {"B&B \"Q\" &lt;x&gt;", -20000, 20000, 700.0f, 3000, 90},
              {"Cr\xEAte", -20000, 0, 800.0f, 3000, 180},
              {"TP5", -40000, 0, 900.0f, 3000, 90},
              {"Finish", -40000, 20000, 250.0f, 3000, 45}});
    RdFpl1& t = rd_fpl_1;
    const float lat[] = {44.9f, 45.0f, 45.25f, 45.25f, 45.0f, 45.0f, 45.25f};
    const float lon[] = {6.0f, 6.0f, 6.0f, 6.5f, 6.5f, 7.0f, -7.125f};
    for (int n = 0; n < 7; ++n) {
        t.tplat[n] = lat[n];
        t.tplon[n] = lon[n];
    }
    t.tphei[1] = 2000.0f;  // start: maximum height
    t.tphei[2] = 2460.0f;  // TP2: upper limit only
    t.tpsec[5] = 1;  // TP5: a window
    t.tpazi[5] = 300.7f;
    t.tpwid[5] = 2000.0f;
    t.tphei[5] = 1000.0f;
    t.tpalt[5] = 1500.0f;
    rd_fpl_4.finishminalt = 300.0f;
    rd_fpl_6.start_max_speed = 150;
}

std::string join_crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + "\r\n";
    }
    return text;
}

std::vector<std::string> crlf_lines(const std::string& bytes) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t feed = bytes.find('\n', start);
        if (feed == std::string::npos) {
            ADD_FAILURE() << "last line without a line end";
            lines.push_back(bytes.substr(start));
            break;
        }
        if (feed == start || bytes[feed - 1] != '\r') {
            ADD_FAILURE() << "line end without CR after: " << bytes.substr(start, feed - start);
            lines.push_back(bytes.substr(start, feed - start));
        } else {
            lines.push_back(bytes.substr(start, feed - 1 - start));
        }
        start = feed + 1;
    }
    return lines;
}

void WriterTest::SetUp() {
    reset_taskfiles_layer();
    tarvex_c.cvers = "4.4.0.0";
    dir_ = std::make_unique<TempDir>("tarvex-writer");
    cwd_ = std::make_unique<ScopedCwd>(dir_->path());
}

void WriterTest::TearDown() {
    cwd_.reset();
    dir_.reset();
    reset_taskfiles_layer();
}

std::string WriterTest::read_file(const std::string& name) const { return TempDir::read(dir_->path() / name); }

}  // namespace tarvex_test
