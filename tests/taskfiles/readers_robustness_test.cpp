// Each reader fed truncated, binary and oversized inputs: it reports and
// returns, stays within its tables, and never traps (the tests run with
// floating-point traps on, and under the sanitizers in scripts/test.sh).

#include "taskfiles/apt_file.h"
#include "taskfiles/cup_reader.h"
#include "taskfiles/fpl_reader.h"

#include "reader_fixture.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

using tarvex_test::crlf;
using tarvex_test::ReaderTest;

namespace {

class Robustness : public ReaderTest {
protected:
    std::string random_bytes(std::size_t count) {
        std::uniform_int_distribution<int> byte(0, 255);
        std::string bytes(count, '\0');
        for (char& c : bytes) {
            c = static_cast<char>(byte(random_));
        }
        return bytes;
    }
    std::size_t pick(std::size_t below) { return std::uniform_int_distribution<std::size_t>(0, below - 1)(random_); }

    // A text made of pieces of real lines, random bytes and line ends.
    std::string mixed_text(const std::vector<std::string>& pieces, std::size_t count) {
        std::string text;
        for (std::size_t n = 0; n < count; ++n) {
            switch (pick(5)) {
                case 0:
                    text += random_bytes(pick(40));
                    break;
                case 1:
                    text += "\r\n";
                    break;
                default:
                    text += pieces[pick(pieces.size())];
            }
        }
        return text;
    }

    std::mt19937 random_{20240501u};
};

const std::vector<std::string> kPlanPieces{
    "[Task]\r\n", "[Weather]\r\n", "[Plane]\r\n", "[Version]\r\n", "[WeatherZone", "]\r\n", "Condor version=3000\r\n",
    "Condor version=2000\r\n", "Count=", "TPName", "TPPosX", "TPRadius", "TPAzimuth", "TPAngle", "PZCount=",
    "PZPos", "PZBase", "DisabledAirspaces=", "Polygon", "X", "Y", "=", ",", "1e38", "-1e38", "3e9", "-2147483649",
    "31", "32", "-1", "16", "17", "8192", "8193", "NaN", "Inf", "1.5", "Text=", "LCONFPL", "LCONFlightInfo",
    "ThermalsTemp=", "Pressure=", "TaskDate=", "Name=", "Landscape=AA3\r\n", "\t", "\xFF\xFE", std::string(1, '\0')};

const std::vector<std::string> kCupPieces{
    "name,code,country,lat,lon,elev,style,rwdir,rwlen,rwwidth,freq,desc\r\n", "\"", ",", "4530.250N", "00612.500E",
    "4530.25000S", "9999.999N", "1e38ft", "500m", "1nm", "5", "-999999999999", "{M}", "\"version=\"",
    "----Related Tasks----\r\n", "???", "ObsZone=", "R1=", "A1=", "R2=", "A2=", "MaxAlt=", "Line=1", "Options",
    "2147483647", "-2147483648", "1e39", "\r\n", std::string(1, '\0')};

}  // namespace

TEST_F(Robustness, AirportFiles) {
    std::vector<std::string> files;
    // Random bytes of every length around a record.
    for (std::size_t length = 0; length < 3 * kAptRecordLength; length += 7) {
        files.push_back(random_bytes(length));
    }
    // Records with every special number in every field.
    const std::vector<std::uint32_t> specials{
        std::bit_cast<std::uint32_t>(std::numeric_limits<float>::quiet_NaN()),
        std::bit_cast<std::uint32_t>(std::numeric_limits<float>::infinity()),
        std::bit_cast<std::uint32_t>(-std::numeric_limits<float>::infinity()),
        std::bit_cast<std::uint32_t>(std::numeric_limits<float>::max()),
        std::bit_cast<std::uint32_t>(std::numeric_limits<float>::denorm_min()),
        0x80000000u, 0x7FFFFFFFu, 0xFFFFFFFFu, 0x7FA00000u /* a signalling NaN */, 0u};
    std::string special_file;
    for (const std::uint32_t value : specials) {
        for (std::size_t field = 36; field < 72; field += 4) {
            std::string record = random_bytes(kAptRecordLength);
            record[0] = static_cast<char>(pick(40));
            for (std::size_t i = 0; i < 4; ++i) {
                record[field + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
            }
            special_file += record;
        }
    }
    files.push_back(special_file);
    files.push_back(random_bytes(1200 * kAptRecordLength + 13));  // beyond the capacity, with a short tail
    for (const std::string& bytes : files) {
        write("fuzz.apt", bytes);
        int nb_apt = -1;
        int ios = -1;
        read_apt("fuzz.apt", kMaxLandscapeAirports, tarveap2, tarveap3, nb_apt, ios);
        EXPECT_EQ(ios, 0);
        EXPECT_GE(nb_apt, 0);
        EXPECT_LE(nb_apt, kMaxLandscapeAirports);
        EXPECT_LE(nb_apt, static_cast<int>(bytes.size() / kAptRecordLength));
        for (int n = 1; n <= nb_apt; ++n) {
            EXPECT_LE(std::abs(tarveap2.apt_lat[static_cast<std::size_t>(n)]), 90.01f);
            EXPECT_LE(tarveap3.apt_nam[static_cast<std::size_t>(n)].size(), kAptNameCapacity);
        }
        std::vector<AptRawEntry> raw(50);
        read_apt_raw("fuzz.apt", 1000, raw, nb_apt, ios);
        EXPECT_EQ(ios, 0);
        EXPECT_LE(nb_apt, 49);
    }
    EXPECT_TRUE(boxes.empty());
}

TEST_F(Robustness, SeeYouFiles) {
    std::vector<std::string> files;
    const std::string real = crlf({"name,code,country,lat,lon,elev,style,rwdir,rwlen,freq,desc",
                                   "\"Alpha\",A,FR,4530.250N,00612.500E,500m,5,090,800m,122.500,\"Field {M}\"",
                                   "\"Bravo\",B,FR,4540.250N,00622.500E,1640ft,1,,,,", "----Related Tasks----",
                                   "\"Task\",\"???\",\"Alpha\",\"Bravo\",\"Alpha\"",
                                   "ObsZone=0,Style=2,R1=3000m,A1=180,Line=1", "ObsZone=1,R1=500m,A1=180,MaxAlt=1500m"});
    for (std::size_t cut = 0; cut <= real.size(); cut += 3) {
        files.push_back(real.substr(0, cut));  // truncated anywhere
    }
    for (int n = 0; n < 40; ++n) {
        files.push_back(mixed_text(kCupPieces, 60 + pick(200)));
    }
    files.push_back(random_bytes(20000));
    files.push_back(crlf({"h", std::string(100000, 'x') + ",A,FR,4530.250N,00612.500E,500m,5,,,,"}));  // oversized line
    files.push_back(crlf({"h", std::string(5000, ',')}));
    std::string many_points = "\"T\"";
    for (int n = 0; n < 500; ++n) {
        many_points += ",\"???\"";
    }
    files.push_back(crlf({"h", "----Related Tasks----", many_points, "ObsZone=2147483647,R1=1m", "ObsZone=-2147483648"}));
    for (const std::string& text : files) {
        write("fuzz.cup", text);
        for (const bool qlnd : {false, true}) {
            int nb_wp = -1;
            int ios = -1;
            read_cup("fuzz.cup", kMaxLandscapeWaypoints, tarvewp2, tarvewp3, nb_wp, qlnd, false, false, ios);
            EXPECT_EQ(ios, 0);
            EXPECT_GE(nb_wp, 0);
            EXPECT_LE(rd_cup_0.nb_cup, kCupTaskSlots - 1);
            EXPECT_GE(rd_cup_0.nb_cup, -1);
            for (int k = 1; k <= nb_wp; ++k) {
                EXPECT_LE(tarvewp3.wp_nam[static_cast<std::size_t>(k)].size(), kWpNameCapacity);
            }
        }
        boxes.clear();
    }
}

TEST_F(Robustness, FlightPlans) {
    std::vector<std::string> files;
    const std::string real = crlf({"[Version]", "Condor version=3000", "[Task]", "Landscape=AA3", "Count=3",
                                   "TPName0=Field", "TPPosX0=1000", "TPRadius1=500", "TPAzimuth1=1.57", "PZCount=1",
                                   "PZPos0X0=5", "DisabledAirspaces=1,2,3", "[Weather]", "[WeatherZone1]",
                                   "Polygon0X1=3", "ThermalsTemp=20", "[Plane]", "Name=LS8", "Text=Desc", "line"});
    for (std::size_t cut = 0; cut <= real.size(); cut += 2) {
        files.push_back(real.substr(0, cut));
    }
    for (int n = 0; n < 60; ++n) {
        files.push_back(mixed_text(kPlanPieces, 50 + pick(300)));
    }
    files.push_back(random_bytes(30000));
    files.push_back("[Task]\r\nCount=99999999999\r\nCount=2147483647\r\n");
    files.push_back("DisabledAirspaces=" + std::string(200000, '9') + "\r\n");
    files.push_back("[Version]\r\nCondor version=3000\r\nPZCount=1\r\nDisabledAirspaces=" + std::string(60000, ',') +
                    "\r\n");
    int counts_beyond = 0;
    for (const std::string& text : files) {
        write("fuzz.fpl", text);
        for (const bool fresh : {true, false}) {
            int nl = -1;
            int ios = 0;
            read_fpl(TextFileReader("fuzz.fpl"), fresh, true, false, nl, ios);
            EXPECT_GE(nl, 0);
            // A count the tables cannot hold stops the reading; the caller refuses the plan.
            if (rd_fpl_0.nb_wp > kMaxTaskPoints) {
                EXPECT_EQ(ios, 0);
                ++counts_beyond;
            }
            EXPECT_GE(rd_fpl_0.nb_wp, 0);
            EXPECT_LE(rd_fpl_0.nb_pz, 11);
            EXPECT_LE(rd_fpl_0.nwpmax, 30);
            EXPECT_LE(rd_fpl_0.npzmax, 10);
            EXPECT_LE(rd_fpl_0.last_dis_as, 8192);
        }
        boxes.clear();
    }
    EXPECT_GT(counts_beyond, 0);  // "Count=2147483647" at least
}
