#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

#include "reader_harness.h"

namespace {

using airspace_test::ReaderTest;
using airspace_test::square_zone;

// Feeds truncated and garbage OpenAir text to the reader: it must neither
// crash nor read or write outside its tables (checked by the sanitizer
// build), with floating-point traps on.
class ReaderFuzzTest : public ReaderTest {
protected:
    std::mt19937 random_{20240501u};

    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

    std::string number() {
        static const std::array<std::string, 14> numbers = {
            "0", "-1", "1.5", "1e30", "-3e38", "nan", "inf", "", ",", "99999999999", "2.5e-40", "360", "-720", "x"};
        return numbers[pick(static_cast<int>(numbers.size()))];
    }

    std::string coordinate() {
        static const std::array<std::string, 10> coords = {
            "45:30:00 N 006:30:00 E", "45.30.00N 6.30.00E", "90:00:00 N 180:00:00 W", "45:30 N 6:30:00 E",
            "N E", "::N ::E", "45:30:00 S", "1e38:1e38:1e38 N 1e38:0:0 E", "-45:-30:-00 N -006:00:00 W", ""};
        return coords[pick(static_cast<int>(coords.size()))];
    }

    std::string garbage_line() {
        switch (pick(16)) {
            case 0: return "AC " + std::string(1, static_cast<char>('A' + pick(26)));
            case 1: return "AN " + std::string(static_cast<std::size_t>(pick(400)), static_cast<char>(pick(256)));
            case 2: return "AL " + number() + "FT AMSL";
            case 3: return "AH FL" + number();
            case 4: return "AY " + std::string(pick(2) ? "W" : "GSEC");
            case 5: return "DP " + coordinate();
            case 6: return "DY " + coordinate();
            case 7: return "V X=" + coordinate();
            case 8: return "V D=" + std::string(pick(2) ? "-" : "+");
            case 9: return "V W=" + number();
            case 10: return "DA " + number() + "," + number() + "," + number();
            case 11: return "DB " + coordinate() + "," + coordinate();
            case 12: return "DC " + number();
            case 13: return "SP " + number() + "," + number() + ",,1e10," + number();
            case 14: return "SB " + number() + "," + number();
            default: {
                std::string bytes(static_cast<std::size_t>(pick(300)), ' ');
                for (char& c : bytes) {
                    c = static_cast<char>(pick(256));
                }
                return bytes;
            }
        }
    }
};

TEST_F(ReaderFuzzTest, GarbageText) {
    for (int round = 0; round < 60; ++round) {
        std::string text;
        const int lines = 1 + pick(60);
        for (int i = 0; i < lines; ++i) {
            text += garbage_line() + (pick(4) == 0 ? "\r\n" : "\n");
        }
        const int maxzon = pick(8);
        const int maxpts = pick(200);
        as0003.qcropas = pick(2) == 0;
        as0003.qdeldup = pick(2) == 0;
        run(text, maxzon, maxpts);
        EXPECT_LE(nbzon_, maxzon);
    }
}

TEST_F(ReaderFuzzTest, TruncatedText) {
    std::string whole = "* header\n";
    for (int i = 0; i < 6; ++i) {
        whole += square_zone("D", "Z" + std::to_string(i), 45, 6 * i, 6, 0);
        whole += "AC R\nAN ARC\nV X=45:30:00 N 006:30:00 E\nDA 5,10,200\nDB 45:35:00 N 006:30:00 E,45:30:00 N 006:37:00 E\nDC 2\n";
    }
    for (std::size_t cut = 0; cut < whole.size(); cut += 7) {
        run(whole.substr(0, cut), 6, 300);
        EXPECT_TRUE(read_file("out.txt").size() > 0);
    }
}

}  // namespace
