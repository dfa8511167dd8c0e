#include "taskfiles/apt_file.h"

#include "reader_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

using tarvex_test::ReaderTest;
using tarvex_test::TempDir;

namespace {

AptRawEntry airport(const std::string& name, float lat, float lon, float elev = 400.0f, int surface = 1) {
    AptRawEntry e;
    e.name = name;
    e.lat = lat;
    e.lon = lon;
    e.elev = elev;
    e.sty = surface;
    e.rwd = 270.0f;
    e.rwl = 1200;
    e.rww = 30;
    e.frq = 123.5f;
    return e;
}

class AptFile : public ReaderTest {
protected:
    // Writes entries (1-based, element 0 unused) to `name`.
    std::string write_entries(const std::string& name, const std::vector<AptRawEntry>& entries) {
        int ios = -1;
        write_apt(name, entries, static_cast<int>(entries.size()) - 1, ios);
        EXPECT_EQ(ios, 0);
        return name;
    }
    // Reads `name` into the airport records.
    void read(const std::string& name, int maxapt = kMaxLandscapeAirports) {
        read_apt(name, maxapt, tarveap2, tarveap3, nb_apt, ios);
    }
    // The bytes of `name`.
    std::string bytes(const std::string& name) const { return TempDir::read(dir_.path() / name); }

    int nb_apt = -1;
    int ios = -1;
};

}  // namespace

TEST_F(AptFile, WriterLaysOutTheRecordByteForByte) {
    AptRawEntry e = airport("Alpha", 45.5f, 6.25f, 412.5f, 1);
    e.rwd = 45.6f;
    e.fl1 = 1;
    e.fl2 = -2;
    e.fl3 = 3;
    write_entries("one.apt", {{}, e});
    const std::string b = bytes("one.apt");
    ASSERT_EQ(b.size(), kAptRecordLength);
    EXPECT_EQ(b[0], 5);
    EXPECT_EQ(b.substr(1, 5), "Alpha");
    EXPECT_EQ(b.substr(6, 30), std::string(30, '\0'));  // NUL after the name
    float lat = 0.0f;
    std::memcpy(&lat, b.data() + 36, 4);  // the test machine is little-endian, as the file
    EXPECT_EQ(lat, 45.5f);
    int dir = 0;
    std::memcpy(&dir, b.data() + 48, 4);
    EXPECT_EQ(dir, 100000 + 4560);
    EXPECT_EQ(static_cast<unsigned char>(b[56]), 30);  // width
    EXPECT_EQ(b[60], 1);                              // surface
    EXPECT_EQ(b.substr(68, 4), std::string("\x01\xFE\x03\x00", 4));
}

TEST_F(AptFile, ReadsEveryFieldAndRoundTrips) {
    std::vector<AptRawEntry> written{{}, airport("Alpha", 45.5f, 6.25f, 412.5f, 1),
                                     airport("Bravo \xE9t\xE9", -33.25f, -70.5f, 12.0f, 0)};
    written[2].rwd = 45.6f;
    written[2].fl2 = 7;
    write_entries("lands.apt", written);

    read("lands.apt");
    EXPECT_EQ(ios, 0);
    ASSERT_EQ(nb_apt, 2);
    EXPECT_EQ(tarveap3.apt_nam[1], "Alpha");
    EXPECT_EQ(tarveap2.apt_lat[1], 45.5f);
    EXPECT_EQ(tarveap2.apt_lon[1], 6.25f);
    EXPECT_EQ(tarveap2.apt_elev[1], 413);  // 412.5 to the nearest metre
    EXPECT_EQ(tarveap2.apt_sty[1], 5);     // paved
    EXPECT_EQ(tarveap2.apt_rwd[1], 270.0f);
    EXPECT_EQ(tarveap2.apt_rwl[1], 1200.0f);
    EXPECT_EQ(tarveap2.apt_frq[1], 123.5f);
    EXPECT_EQ(tarveap3.apt_nam[2], "Bravo \xE9t\xE9");  // cp1252 bytes kept
    EXPECT_EQ(tarveap2.apt_sty[2], 2);
    EXPECT_EQ(tarveap2.apt_rwd[2], 46.0f);

    std::vector<AptRawEntry> raw(10);
    int count = 0;
    int status = -1;
    read_apt_raw("lands.apt", 9, raw, count, status);
    EXPECT_EQ(status, 0);
    ASSERT_EQ(count, 2);
    for (int n = 1; n <= 2; ++n) {
        const AptRawEntry& a = written[static_cast<std::size_t>(n)];
        const AptRawEntry& b = raw[static_cast<std::size_t>(n)];
        EXPECT_EQ(b.name, a.name);
        EXPECT_EQ(b.lat, a.lat);
        EXPECT_EQ(b.lon, a.lon);
        EXPECT_EQ(b.elev, a.elev);
        EXPECT_EQ(b.sty, a.sty);
        EXPECT_NEAR(b.rwd, a.rwd, 1e-4f);
        EXPECT_EQ(b.rwl, a.rwl);
        EXPECT_EQ(b.rww, a.rww);
        EXPECT_EQ(b.frq, a.frq);
        EXPECT_EQ(b.fl1, a.fl1);
        EXPECT_EQ(b.fl2, a.fl2);
        EXPECT_EQ(b.fl3, a.fl3);
    }
    // Writing what was read gives the same bytes.
    write_entries("again.apt", raw.size() > 3 ? std::vector<AptRawEntry>(raw.begin(), raw.begin() + 3) : raw);
    EXPECT_EQ(bytes("again.apt"), bytes("lands.apt"));
}

TEST_F(AptFile, RunwayDirectionEncodings) {
    // write_apt stores 100000 + 100 x rwd: a stored value below 366 comes from
    // rwd = (value - 100000) / 100.
    const auto stored = [](int value) { return (static_cast<float>(value) - 100000.0f) / 100.0f; };
    std::vector<AptRawEntry> entries{{}};
    for (const float rwd : {270.0f, 45.6f, stored(270), stored(365), stored(366), 0.0f, 359.5f}) {
        AptRawEntry e = airport("X", 1.0f, 1.0f);
        e.rwd = rwd;
        entries.push_back(e);
    }
    write_entries("dir.apt", entries);
    read("dir.apt");
    ASSERT_EQ(nb_apt, 7);
    EXPECT_EQ(tarveap2.apt_rwd[1], 270.0f);  // 100000 + 100 x 270
    EXPECT_EQ(tarveap2.apt_rwd[2], 46.0f);   // 100000 + 100 x 45.6
    EXPECT_EQ(tarveap2.apt_rwd[3], 270.0f);  // 270 stored plainly
    EXPECT_EQ(tarveap2.apt_rwd[4], 365.0f);  // 365 stored plainly
    EXPECT_EQ(tarveap2.apt_rwd[5], -996.0f); // 366 is already the encoded form
    EXPECT_EQ(tarveap2.apt_rwd[6], 0.0f);
    EXPECT_EQ(tarveap2.apt_rwd[7], 360.0f);  // 359.5 to the nearest degree
}

TEST_F(AptFile, InvalidCoordinatesAreSkippedWithTheirLogLines) {
    write_entries("bad.apt", {{},
                              airport("North", 90.005f, 10.0f),
                              airport("TooNorth", 90.02f, 10.0f),
                              airport("TooSouth", -91.0f, 10.0f),
                              airport("TooEast", 10.0f, 180.02f),
                              airport("BothBad", 95.0f, 200.0f),
                              airport("West", 10.0f, -180.005f)});
    read("bad.apt");
    EXPECT_EQ(ios, 0);
    ASSERT_EQ(nb_apt, 2);
    EXPECT_EQ(tarveap3.apt_nam[1], "North");
    EXPECT_EQ(tarveap3.apt_nam[2], "West");
    EXPECT_TRUE(log_has("TooNorth: invalid latitude: 90.019997 - SKIPPED\r\n"));
    EXPECT_TRUE(log_has("TooSouth: invalid latitude: -91 - SKIPPED\r\n"));
    EXPECT_TRUE(log_has("TooEast: invalid longitude: 180.020004 - SKIPPED\r\n"));
    EXPECT_TRUE(log_has("BothBad: invalid latitude: 95 - SKIPPED\r\n"));  // latitude tested first
    EXPECT_FALSE(log_has("BothBad: invalid longitude"));
    EXPECT_TRUE(boxes.empty());  // the log only
}

TEST_F(AptFile, CapacityKeepsTheFirstAndLogsOnce) {
    std::vector<AptRawEntry> entries{{}};
    for (int n = 1; n <= kMaxLandscapeAirports + 2; ++n) {
        entries.push_back(airport("A" + std::to_string(n), 1.0f, 1.0f));
    }
    write_entries("many.apt", entries);
    read("many.apt");
    EXPECT_EQ(ios, 0);
    EXPECT_EQ(nb_apt, kMaxLandscapeAirports);
    EXPECT_EQ(tarveap3.apt_nam[kMaxLandscapeAirports], "A1000");
    const std::string log = log_text();
    const std::string line = "Max number of waypoints reached 1000\r\n";
    ASSERT_NE(log.find(line), std::string::npos);
    EXPECT_EQ(log.find(line, log.find(line) + 1), std::string::npos);

    read("many.apt", 3);  // a smaller capacity
    EXPECT_EQ(nb_apt, 3);
    EXPECT_TRUE(log_has("Max number of waypoints reached 3\r\n"));
    read("many.apt", 5000);  // never beyond the records
    EXPECT_EQ(nb_apt, kMaxLandscapeAirports);
}

TEST_F(AptFile, EmptyShortAndMissingFiles) {
    write("empty.apt", "");
    read("empty.apt");
    EXPECT_EQ(nb_apt, 0);
    EXPECT_EQ(ios, 0);

    write_entries("short.apt", {{}, airport("One", 1.0f, 1.0f), airport("Two", 2.0f, 2.0f)});
    const std::string two = bytes("short.apt");
    write("short.apt", two + two.substr(0, 40));  // a partial third record
    read("short.apt");
    EXPECT_EQ(nb_apt, 2);
    EXPECT_EQ(ios, 0);

    read("missing.apt");
    EXPECT_EQ(nb_apt, 0);
    EXPECT_NE(ios, 0);
    EXPECT_TRUE(log_has("missing.apt cannot be opened\r\n"));
}

TEST_F(AptFile, NameLengthByte) {
    write_entries("names.apt", {{}, airport("ABCDEFGHIJKLMNOP", 1.0f, 1.0f), airport("Second", 2.0f, 2.0f)});
    std::string b = bytes("names.apt");
    b[0] = 10;  // the bytes after the 10th stay in the file, not in the name
    write("names.apt", b);
    read("names.apt");
    ASSERT_EQ(nb_apt, 2);
    EXPECT_EQ(tarveap3.apt_nam[1], "ABCDEFGHIJ");

    b[0] = 36;  // beyond the name field: the record is skipped
    b[72] = -1;
    write("names.apt", b);
    read("names.apt");
    EXPECT_EQ(nb_apt, 0);
    EXPECT_TRUE(log_has("ABCDEFGHIJKLMNOP: invalid name length: 36 - SKIPPED\r\n"));
    EXPECT_TRUE(log_has(": invalid name length: -1 - SKIPPED\r\n"));

    std::vector<AptRawEntry> raw(4);
    int count = 0;
    int status = 0;
    read_apt_raw("names.apt", 3, raw, count, status);  // the raw reader holds the length to the field
    ASSERT_EQ(count, 2);
    EXPECT_EQ(raw[1].name, "ABCDEFGHIJKLMNOP" + std::string(19, '\0'));
    EXPECT_EQ(raw[2].name, "");
}

TEST_F(AptFile, WriterCutsLongNamesAndReportsAFailedCreate) {
    write_entries("long.apt", {{}, airport(std::string(40, 'N'), 1.0f, 1.0f)});
    read("long.apt");
    ASSERT_EQ(nb_apt, 1);
    EXPECT_EQ(tarveap3.apt_nam[1], std::string(35, 'N'));

    int status = 0;
    write_apt("no_such_folder\\x.apt", std::vector<AptRawEntry>(2), 1, status);
    EXPECT_NE(status, 0);
    write_apt("count.apt", std::vector<AptRawEntry>(2), 5, status);  // a count beyond the entries
    EXPECT_EQ(status, 0);
    EXPECT_EQ(bytes("count.apt").size(), kAptRecordLength);
}
