#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <string>

#include "foundation/message_records.h"
#include "foundation/option_records.h"
#include "airspace/openair_text.h"
#include "airspace_fixture.h"

namespace {

using airspace_test::AirspaceTest;

class OpenAirTextTest : public AirspaceTest {};

// The text read as it stands and through the general reading (a remark after
// it sends it there): the same status, in `status`, and when read the same bits.
::testing::AssertionResult read_as_the_general_reading(const std::string& text, int& status) {
    float lat = 1.0f;
    float lon = 2.0f;
    float general_lat = 3.0f;
    float general_lon = 4.0f;
    status = extract_coord(text, lat, lon);
    const int general = extract_coord(text + " *X", general_lat, general_lon);
    if (status != general) {
        return ::testing::AssertionFailure() << text << ": status " << status << ", general " << general;
    }
    if (status == 0 && (std::bit_cast<std::uint32_t>(lat) != std::bit_cast<std::uint32_t>(general_lat) ||
                        std::bit_cast<std::uint32_t>(lon) != std::bit_cast<std::uint32_t>(general_lon))) {
        return ::testing::AssertionFailure() << text << ": " << lat << " " << lon << ", general " << general_lat
                                             << " " << general_lon;
    }
    return ::testing::AssertionSuccess();
}

TEST_F(OpenAirTextTest, ClassLookup) {
    EXPECT_EQ(get_typ("UNCLASSIFIED"), 13);
    EXPECT_EQ(get_typ("W"), 10);
    EXPECT_EQ(get_typ("GSEC"), 10);
    EXPECT_EQ(get_typ("CTR"), 12);
    EXPECT_EQ(get_typ("D   "), 3);
    EXPECT_EQ(get_typ("A"), 0);
    EXPECT_EQ(get_typ("P"), 7);
    EXPECT_EQ(get_typ(""), 14);      // the first blank class
    EXPECT_EQ(get_typ("d"), 13);     // case counts
    EXPECT_EQ(get_typ(" D"), 13);    // a leading blank counts
    EXPECT_EQ(get_typ("TMZ"), 13);
}

TEST_F(OpenAirTextTest, NameCleaning) {
    std::string name = "Ch\xE2teau \xE9t\xE8 \xE0 ";
    EXPECT_EQ(clean_text(name), 13);
    EXPECT_EQ(name, "Ch\xE2teau ete a ");
}

TEST_F(OpenAirTextTest, CoordinatesInTheirForms) {
    float lat = 0.0f;
    float lon = 0.0f;
    EXPECT_EQ(extract_coord("45:30:15.5N 006:10:00E", lat, lon), 0);
    EXPECT_NEAR(lat, 45.504306f, 1e-5f);
    EXPECT_NEAR(lon, 6.166667f, 1e-5f);
    EXPECT_EQ(extract_coord("  45:30:15 S 006:10:00 W  ", lat, lon), 0);  // blanks, southern, western
    EXPECT_NEAR(lat, -45.504167f, 1e-5f);
    EXPECT_NEAR(lon, -6.166667f, 1e-5f);
    EXPECT_EQ(extract_coord("45:30:15 n 6:10:00 e", lat, lon), 0);  // lower-case letters
    EXPECT_NEAR(lat, 45.504167f, 1e-5f);
    EXPECT_NEAR(lon, 6.166667f, 1e-5f);
    EXPECT_EQ(cmndta001.nberr, 0);
    EXPECT_EQ(cmndta001.nbwarn, 0);
}

// The usual form is read in one pass; a remark after it sends the same text
// through the general reading, which must give the same bits.
TEST_F(OpenAirTextTest, UsualCoordinatesReadAsTheGeneralReadingReadsThem) {
    for (const std::string text : {"45:30:15 N 006:10:00 E", "45:30:15.5N 006:10:00.25E", "  44:12:34 s 7:23:45 w  ",
                                   "90:00:00 S 180:00:00 W", "00:00:00 N 000:00:00 E", "45:59:59.999 N 006:59:60 E",
                                   "123456789:0:0 N 0:0:0 E", "1:2:3  N   4:5:6   E", "45:30:15. N 006:10:00 E",
                                   "45:30:15 n 006:10:00 e", "44:12:34 S 007:23:45 W", "89:59:59 s 179:59:59 w",
                                   "45:30:15 N 0006:10:00 E", "45:30:15N  006:10:00 E", "45:30:15 N 006:10:00E "}) {
        int status = 0;
        EXPECT_TRUE(read_as_the_general_reading(text, status));
    }
    EXPECT_EQ(cmndta001.nbwarn, 0);
    // Out of range: the general reading tells, once for each of the two texts.
    float lat = 1.0f;
    float lon = 2.0f;
    EXPECT_EQ(extract_coord("91:00:00 N 006:10:00 E", lat, lon), -1);
    EXPECT_EQ(extract_coord("45:00:00 N 181:00:00 E", lat, lon), -1);
    EXPECT_EQ(lat, 1.0f);
    EXPECT_EQ(lon, 2.0f);
    EXPECT_EQ(cmndta001.nberr, 4);
}

// The layout read at its columns, every value in every field and every letter
// of either case: the results of the general reading, the same messages.
TEST_F(OpenAirTextTest, ColumnLayoutReadAsTheGeneralReadingReadsIt) {
    const auto two = [](int value) {
        return std::string{static_cast<char>('0' + value / 10), static_cast<char>('0' + value % 10)};
    };
    int errors = cmndta001.nberr;
    for (int value = 0; value < 1000; ++value) {
        const std::string f = two(value % 100);
        const std::string ddd = std::to_string(value / 100) + f;
        const std::string n(1, "NSns"[value % 4]);
        const std::string e(1, "EWew"[(value / 4) % 4]);
        for (const std::string& text :
             {f + ":30:15 " + n + " 006:10:00 " + e, "45:" + f + ":15 " + n + " 006:10:00 " + e,
              "45:30:" + f + " " + n + " 006:10:00 " + e, "45:30:15 " + n + " " + ddd + ":10:00 " + e,
              "45:30:15 " + n + " 006:" + f + ":00 " + e, "45:30:15 " + n + " 006:10:" + f + " " + e}) {
            int status = 0;
            ASSERT_TRUE(read_as_the_general_reading(text, status));
            errors += status == 0 ? 0 : 2;
        }
    }
    EXPECT_EQ(cmndta001.nberr, errors);
    EXPECT_EQ(cmndta001.nbwarn, 0);
}

TEST_F(OpenAirTextTest, DotsRepairedWithOneWarning) {
    float lat = 0.0f;
    float lon = 0.0f;
    EXPECT_EQ(extract_coord("45.30.15.5N 006.10.00.0E", lat, lon), 0);
    EXPECT_NEAR(lat, 45.504306f, 1e-5f);
    EXPECT_NEAR(lon, 6.166667f, 1e-5f);
    EXPECT_EQ(cmndta001.nbwarn, 1);
    // A dot before the last colon is a separator too.
    EXPECT_EQ(extract_coord("45.30:15N 006:10:00E", lat, lon), 0);
    EXPECT_NEAR(lat, 45.504167f, 1e-5f);
    EXPECT_EQ(cmndta001.nbwarn, 2);
    EXPECT_EQ(cmndta001.nberr, 0);
}

TEST_F(OpenAirTextTest, MalformedCoordinatesAreErrorsAndChangeNothing) {
    float lat = 1.0f;
    float lon = 2.0f;
    // 45.30.15N becomes 45:30.15N, whose minutes have no closing colon.
    EXPECT_EQ(extract_coord("45.30.15N 006:10:00E", lat, lon), -1);
    EXPECT_EQ(extract_coord("45:30:15 006:10:00E", lat, lon), -1);  // no N or S
    EXPECT_EQ(extract_coord("45:30:15N 006:10:00", lat, lon), -1);  // no E or W
    EXPECT_EQ(extract_coord("4x:30:15N 006:10:00E", lat, lon), -1);  // unreadable field
    EXPECT_EQ(extract_coord("95:00:00N 006:10:00E", lat, lon), -1);  // beyond 90
    EXPECT_EQ(extract_coord("45:00:00N 181:00:00E", lat, lon), -1);  // beyond 180
    EXPECT_EQ(extract_coord("1E38:1E38:3E38N 006:10:00E", lat, lon), -1);  // absurd, no overflow
    EXPECT_EQ(extract_coord("", lat, lon), -1);
    // The usual layout with a fault in any one column.
    for (const char* text : {"4x:30:15 N 006:10:00 E", "45:3x:15 N 006:10:00 E", "45:30:1x N 006:10:00 E",
                             "45:30:15 X 006:10:00 E", "45:30:15 N x06:10:00 E", "45:30:15 N 006:1x:00 E",
                             "45:30:15 N 006:10:0x E", "45:30:15 N 006:10:00 N", "45;30:15 N 006:10:00 E",
                             "#5:30:15 N 006:10:00 E", "45:30:1? N 006:10:00 E", "4\xB5:30:15 N 006:10:00 E",
                             "45:30:15 N 006:1\xB9:00 E", "45:30:1: N 006:10:00 E", "45:30:15 N 006::0:00 E"}) {
        EXPECT_EQ(extract_coord(text, lat, lon), -1) << text;
    }
    EXPECT_EQ(lat, 1.0f);
    EXPECT_EQ(lon, 2.0f);
    EXPECT_EQ(cmndta001.nberr, 23);
}

TEST_F(OpenAirTextTest, AltitudeTexts) {
    EXPECT_EQ(decode_alt_as("SFC"), 0.0f);
    EXPECT_EQ(decode_alt_as("  GND"), 0.0f);
    EXPECT_EQ(decode_alt_as("UNLIMITED"), 20000.0f);
    EXPECT_FLOAT_EQ(decode_alt_as("FL65"), 65.0f * 30.48f);
    EXPECT_FLOAT_EQ(decode_alt_as("FL 95"), 95.0f * 30.48f);
    EXPECT_EQ(decode_alt_as("FLXX"), -999999.0f);
    EXPECT_FLOAT_EQ(decode_alt_as("1500FT AMSL"), 1500.0f * 0.3048f);
    EXPECT_FLOAT_EQ(decode_alt_as("1500F MSL"), 1500.0f * 0.3048f);
    EXPECT_FLOAT_EQ(decode_alt_as("1500M AMSL"), 1500.0f);
    EXPECT_FLOAT_EQ(decode_alt_as("500M AGL"), -500.0f);
    EXPECT_FLOAT_EQ(decode_alt_as("1000FT GND"), -1000.0f * 0.3048f);
    EXPECT_FLOAT_EQ(decode_alt_as("500ALT"), 500.0f * 0.3048f);
    // Without a unit marker the text is the number it holds, in feet.
    EXPECT_FLOAT_EQ(decode_alt_as("2000"), 2000.0f * 0.3048f);
    EXPECT_FLOAT_EQ(decode_alt_as("3000 MSL"), 3000.0f * 0.3048f);
    EXPECT_EQ(decode_alt_as("ABCFT AMSL"), -999999.0f);
    EXPECT_EQ(decode_alt_as("XYZ AGL"), 999999.0f);  // negated with an above-ground reference
    EXPECT_EQ(decode_alt_as("3E38FT"), -999999.0f);  // no overflow
}

TEST_F(OpenAirTextTest, AltitudeWordsAndUnitsInAnyLetterCase) {
    EXPECT_FLOAT_EQ(decode_alt_as("1500ft AGL"), -1500.0f * 0.3048f);
    EXPECT_FLOAT_EQ(decode_alt_as("9500ft AMSL"), 9500.0f * 0.3048f);
    EXPECT_FLOAT_EQ(decode_alt_as("fl65"), 65.0f * 30.48f);
    EXPECT_FLOAT_EQ(decode_alt_as("Fl 95"), 95.0f * 30.48f);
    EXPECT_FLOAT_EQ(decode_alt_as("2500 Ft msl"), 2500.0f * 0.3048f);
    EXPECT_FLOAT_EQ(decode_alt_as("600m agl"), -600.0f);
    EXPECT_FLOAT_EQ(decode_alt_as("1000 f gnd"), -1000.0f * 0.3048f);
    EXPECT_EQ(decode_alt_as("sfc"), 0.0f);
    EXPECT_EQ(decode_alt_as("Gnd"), 0.0f);
    EXPECT_EQ(decode_alt_as("unl"), 20000.0f);
    EXPECT_EQ(decode_alt_as("UNLIM"), 20000.0f);
}

TEST_F(OpenAirTextTest, DisplayNames) {
    std::string asn = "NAME";
    std::string assn;
    build_name(asn, assn, "TMA", "1500FT AMSL", "FL65", 3);
    EXPECT_EQ(asn, "NAME (D-TMA) : 1500FT AMSL - FL65");
    EXPECT_EQ(assn, "NAME");

    asn = "A VERY LONG AIRSPACE NAME";
    build_name(asn, assn, "", " SFC", "FL95", 12);
    EXPECT_EQ(asn, "A VERY LONG AIRSPACE NAME (CTR) : SFC - FL95");
    EXPECT_EQ(assn, "A VERY LONG AIRS");

    asn = "GLIDING";
    build_name(asn, assn, "W", "GND", "3000FT", 13);  // an unclassified zone shows its AY text alone
    EXPECT_EQ(asn, "GLIDING (W) : GND - 3000FT");
    asn = "GLIDING";
    build_name(asn, assn, "", "GND", "3000FT", 13);
    EXPECT_EQ(asn, "GLIDING () : GND - 3000FT");

    asn = std::string(250, 'X');
    build_name(asn, assn, "", "GND", "FL100", 0);
    EXPECT_EQ(asn.size(), 256u);  // cut at the name's capacity
}

TEST_F(OpenAirTextTest, DisplayNamesWithConvertedAltitudes) {
    as0003.qcnvalt = true;
    std::string asn = "NAME";
    std::string assn;
    build_name(asn, assn, "TMA", "1500ft AGL", "FL65", 3);
    EXPECT_EQ(asn, "NAME (D-TMA) : 457m AGL - 1981m");
    EXPECT_EQ(assn, "NAME            :457m AGL-1981m");
    // In feet, the ground floor in any case shown as such.
    tarvex01.fmulalt = 1.0f / 0.3048f;
    tarvex_c.cunitalt = "ft";
    asn = "A VERY LONG AIRSPACE NAME";
    build_name(asn, assn, "", "gnd", "9500FT AMSL", 12);
    EXPECT_EQ(asn, "A VERY LONG AIRSPACE NAME (CTR) : GND  - 9500ft");
    EXPECT_EQ(assn, "A VERY LONG AIRS:GND -9500ft");
}

}  // namespace
