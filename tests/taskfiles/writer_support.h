#pragma once

// Support for the tests of the task-file writers: a fixture that starts from
// clean records in a temporary current folder, a task-model builder, and the
// checks of the XML and JSON outputs with real parsers.

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tarvex_test {

// One element of a parsed XML document: its name and its attributes in the
// order written, values decoded (UTF-8).
struct XmlElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    // The name of the element it stands in; empty for the root.
    std::string parent;

    // The value of an attribute; empty when the element lacks it.
    std::string attribute(const std::string& key) const;
    bool has(const std::string& key) const;
};

// Parses a whole document with expat. True when it is well-formed UTF-8 XML;
// `elements` then holds its elements in document order, else `error` says why.
bool parse_xml(const std::string& bytes, std::vector<XmlElement>& elements, std::string& error);

// The elements of the given name, in document order.
std::vector<XmlElement> elements_named(const std::vector<XmlElement>& elements, const std::string& name);

// A classic turnpoint of the task model at (x, y) metres with its zone.
struct TestPoint {
    std::string name;
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    int radius = 3000;
    int angle = 360;
};

// Fills the task model with the points (index 0 the takeoff), classic zones
// without altitude limits (tphei 10000, tpwid 0), latitude and longitude
// derived from x and y so that every point has its own.
void set_task(const std::vector<TestPoint>& points);

// A racing task with every kind of zone: a start line, a cylinder, a 90°
// sector, a 180° turnpoint, a window and a 45° finish sector, with accents,
// "&", quotes and an escaped name; no point linked to the landscape.
void set_racing_task();

// The lines joined, each ended with CR LF.
std::string join_crlf(const std::vector<std::string>& lines);

// Lines of a file's bytes split at CR LF; a line end without CR fails the test.
std::vector<std::string> crlf_lines(const std::string& bytes);

// Clean task model, options and landscape records, in a fresh temporary
// current folder; everything is restored after the test.
class WriterTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The bytes of a file of the temporary folder.
    std::string read_file(const std::string& name) const;
    const TempDir& dir() const { return *dir_; }

private:
    std::unique_ptr<TempDir> dir_;
    std::unique_ptr<ScopedCwd> cwd_;
};

}  // namespace tarvex_test
