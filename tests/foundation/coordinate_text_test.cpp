#include "foundation/coordinate_forms.h"
#include "foundation/dms_text.h"
#include "foundation/run_stop.h"
#include "foundation/seeyou_coordinates.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace {


}  // namespace

TEST(SeeYouCoordinates, ReadsLatitudes) {
    EXPECT_NEAR(decode_lat_cu("4530.250N"), 45.50417f, 1e-5);
    EXPECT_NEAR(decode_lat_cu("4530.25000S"), -45.50417f, 1e-5);
    EXPECT_NEAR(decode_lat_cu("0000.000N"), 0.0f, 1e-7);
    EXPECT_NEAR(decode_lat_cu("4530.2500N  "), 45.50417f, 1e-5);  // trailing blanks of the field
    EXPECT_EQ(decode_lat_cu("4530.25N"), kNotACoordinate);           // two decimals
    EXPECT_EQ(decode_lat_cu("4530.250000N"), kNotACoordinate);       // six decimals
    EXPECT_EQ(decode_lat_cu("453.250N"), kNotACoordinate);           // "." not 5th
    EXPECT_EQ(decode_lat_cu("4530"), kNotACoordinate);               // shorter than 5
    EXPECT_EQ(decode_lat_cu(""), kNotACoordinate);
    EXPECT_EQ(decode_lat_cu("4530.250X"), kNotACoordinate);          // no letter
    EXPECT_EQ(decode_lat_cu("AB30.250N"), kNotACoordinate);          // degrees not a number
    EXPECT_EQ(decode_lat_cu("45AB.250N"), kNotACoordinate);          // minutes not a number
    EXPECT_EQ(decode_lat_cu("/530.250N"), kNotACoordinate);          // no degrees at all
    // Both letters: the later of the two first positions is the letter.
    EXPECT_NEAR(decode_lat_cu("4530.2 SN"), 45.503333f, 1e-5);
    EXPECT_NEAR(decode_lat_cu("4530.2 NS"), -45.503333f, 1e-5);
    EXPECT_EQ(decode_lat_cu("4530.25SN"), kNotACoordinate);  // the minutes then hold the other letter
    EXPECT_EQ(decode_lat_cu("4530.2S0N"), kNotACoordinate);  // minutes "30.2S0" do not read
}

TEST(SeeYouCoordinates, ReadsLongitudes) {
    EXPECT_NEAR(decode_lon_cu("00612.500W"), -6.20833f, 1e-5);
    EXPECT_NEAR(decode_lon_cu("00612.500E"), 6.20833f, 1e-5);
    EXPECT_NEAR(decode_lon_cu("17959.99999E"), 180.0f, 1e-4);
    EXPECT_EQ(decode_lon_cu("0612.500E"), kNotACoordinate);  // sixth character not "."
    EXPECT_EQ(decode_lon_cu("00612"), kNotACoordinate);      // shorter than 6
    EXPECT_EQ(decode_lon_cu("00612.50E"), kNotACoordinate);
}

TEST(SeeYouCoordinates, WritesWithCarries) {
    std::string s;
    lat_cu(45.504167f, s);
    EXPECT_EQ(s, "4530.250N");
    lat_cu(-45.504167f, s);
    EXPECT_EQ(s, "4530.250S");
    lat_cu(45.999996f, s);  // minutes round up to 60.000
    EXPECT_EQ(s, "4600.000N");
    lat_cu(0.0f, s);
    EXPECT_EQ(s, "0000.000N");
    lat_cu(45.0f + 59.9995f / 60.0f, s);  // thousandths round to 1000
    EXPECT_EQ(s, "4600.000N");
    lon_cu(-0.5f, s);
    EXPECT_EQ(s, "00030.000W");
    lon_cu(0.0f, s);
    EXPECT_EQ(s, "00000.000E");
    lon_cu(6.208333f, s);
    EXPECT_EQ(s, "00612.500E");
    lon_cu(-179.99999f, s);
    EXPECT_EQ(s, "17959.999W");
    lon_cu(6.0f + 59.9996f / 60.0f, s);
    EXPECT_EQ(s, "00700.000E");
    lat_cndr(45.504167f, s);
    EXPECT_EQ(s, "45.30.250N");
    lon_cndr(-6.208333f, s);
    EXPECT_EQ(s, "006.12.500W");
    // The readers' "no coordinate" value shows as asterisks, not as a position.
    lat_cu(kNotACoordinate, s);
    EXPECT_EQ(s, "**00.000S");
    lon_cu(kNotACoordinate, s);
    EXPECT_EQ(s, "***00.000W");
    // Values far beyond any coordinate show asterisks and do not overflow.
    lat_cu(3.0e38f, s);
    EXPECT_EQ(s.substr(0, 2), "**");
    lon_cu(-1.0e7f, s);
    EXPECT_EQ(s.substr(0, 3), "***");
    EXPECT_EQ(s.back(), 'W');
}

TEST(SeeYouCoordinates, RoundTrip) {
    for (const float lat : {-89.9f, -45.25f, -0.001f, 12.3456f, 60.5f}) {
        std::string s;
        lat_cu(lat, s);
        EXPECT_NEAR(decode_lat_cu(s), lat, 1.0f / 60000.0f) << s;
    }
    for (const float lon : {-179.5f, -6.2f, 0.004f, 120.75f}) {
        std::string s;
        lon_cu(lon, s);
        EXPECT_NEAR(decode_lon_cu(s), lon, 1.0f / 60000.0f) << s;
    }
}

TEST(DmsText, OpenAirForm) {
    std::string s;
    dms_oa(45.504167f, 1, s);
    EXPECT_EQ(s, "45:30:15 N");
    dms_oa(-45.504167f, 1, s);
    EXPECT_EQ(s, "45:30:15 S");
    dms_oa(6.083333f, 2, s);
    EXPECT_EQ(s, "006:05:00 E");
    dms_oa(-6.083333f, 2, s);
    EXPECT_EQ(s, "006:05:00 W");
    // Zero is "S" and "W".
    dms_oa(0.0f, 2, s);
    EXPECT_EQ(s, "000:00:00 W");
    dms_oa(0.0f, 1, s);
    EXPECT_EQ(s, "00:00:00 S");
    // Seconds rounding to 60 carry into the minutes, 60 minutes into the degrees.
    dms_oa(45.0f + 59.0f / 60.0f + 59.7f / 3600.0f, 1, s);
    EXPECT_EQ(s, "46:00:00 N");
    dms_oa(10.0f + 29.0f / 60.0f + 59.8f / 3600.0f, 2, s);
    EXPECT_EQ(s, "010:30:00 E");
    // A number other than 1 is a longitude; nothing outside the letter table is read.
    dms_oa(1.5f, 7, s);
    EXPECT_EQ(s, "001:30:00 E");
    dms_oa(kNotACoordinate, 1, s);
    EXPECT_EQ(s, "**:00:00 S");
    dms_oa(kNotACoordinate, 2, s);
    EXPECT_EQ(s, "***:00:00 W");
    dms_oa(-3.0e38f, 1, s);
    EXPECT_EQ(s.substr(0, 2), "**");
}

TEST(DmsText, DegreeSignForms) {
    std::string s;
    dms(45.504167f, 1, s);
    EXPECT_EQ(s, "45\xB0" "30'15\"N");
    dms(-6.083333f, 2, s);
    EXPECT_EQ(s, "006\xB0" "05'00\"W");
    dms_d(45.504167f, 1, s);
    EXPECT_EQ(s, "45\xB0" "30'15.00\"N");
    dms_d(7.0f + 59.0f / 60.0f + 59.998f / 3600.0f, 2, s);  // fraction above 0.994 carries
    EXPECT_EQ(s, "008\xB0" "00'00.00\"E");
    dms_d(7.0f + 1.0f / 60.0f + 2.25f / 3600.0f, 2, s);
    EXPECT_EQ(s, "007\xB0" "01'02.25\"E");
}

TEST(DmsText, ReadsDegreeSignTexts) {
    EXPECT_NEAR(decode_lat_lon("45\xB0" "30'15\"N"), 45.504167f, 1e-5);
    EXPECT_NEAR(decode_lat_lon("45\xB0" "30'15\"S"), -45.504167f, 1e-5);
    EXPECT_NEAR(decode_lat_lon("6\xB0" "5'0\"W"), -6.083333f, 1e-5);
    EXPECT_NEAR(decode_lat_lon("6\xB0" "5'30.5"), 6.0918055f, 1e-5);  // no letter: positive, seconds to the end
    EXPECT_NEAR(decode_lat_lon("12.5"), 12.5f, 1e-6);                  // degrees alone
    EXPECT_NEAR(decode_lat_lon("S12\xB0" "30'"), -12.5f, 1e-6);
    EXPECT_EQ(decode_lat_lon("\xB0" "30'15\"N"), kNoDegrees);
    EXPECT_EQ(decode_lat_lon("abc\xB0"), kNoDegrees);
    EXPECT_EQ(decode_lat_lon("3e38\xB0" "3e38'3e38\"N"), kNoDegrees);  // no coordinate, no overflow
}

TEST(CoordinateForms, RecognisesTheForm) {
    float v = 0.0f;
    EXPECT_EQ(what_format("4530.250N", v, "NS"), 1);
    EXPECT_NEAR(v, 45.50417f, 1e-5);
    EXPECT_EQ(what_format("00612.500W", v, "WE"), 1);
    EXPECT_NEAR(v, -6.20833f, 1e-5);
    EXPECT_EQ(what_format("45\xB0" "30'15\"N", v, "NS"), 1);
    EXPECT_NEAR(v, 45.504167f, 1e-5);
    EXPECT_EQ(what_format("  -12.25", v, "NS"), 1);
    EXPECT_NEAR(v, -12.25f, 1e-6);
    EXPECT_EQ(what_format("95.0", v, "NS"), 0);   // beyond 90
    EXPECT_EQ(what_format("355.0", v, "WE"), 1);
    EXPECT_EQ(what_format("365.0", v, "WE"), 0);  // beyond 360
    EXPECT_EQ(what_format("4530.25N", v, "NS"), 0);  // not a SeeYou latitude
    EXPECT_EQ(what_format("hello", v, "NS"), 0);

    float lat = 0.0f;
    float lon = 0.0f;
    int type = -1;
    decode_coord("4530.250N", "00612.500E", lat, lon, type);
    EXPECT_EQ(type, 1);
    EXPECT_NEAR(lat, 45.50417f, 1e-5);
    EXPECT_NEAR(lon, 6.20833f, 1e-5);
    decode_coord("4530.250N", "junk", lat, lon, type);
    EXPECT_EQ(type, 0);
}

TEST(CoordinateForms, PlacesPointsWithoutCoordinates) {
    std::array<int, 21> number{};
    std::array<float, 21> x{};
    std::array<float, 21> y{};
    std::array<float, 21> lat{};
    std::array<float, 21> lon{};
    // Point 0 and point 2 are known; points 1 and 3 are placed between.
    number = {1, 0, 5, 0, 7};
    x[0] = 0.0f; y[0] = 0.0f; lat[0] = 45.0f; lon[0] = 6.0f;
    x[2] = -1000.0f; y[2] = 2000.0f; lat[2] = 45.02f; lon[2] = 6.01f;
    x[4] = -100.0f; y[4] = 100.0f; lat[4] = 45.001f; lon[4] = 6.001f;
    x[1] = -500.0f; y[1] = 1000.0f;
    x[3] = -2000.0f; y[3] = -1000.0f;
    cnv_coord(5, number, x, y, lat, lon);
    EXPECT_NEAR(lon[1], 6.005f, 1e-5);
    EXPECT_NEAR(lat[1], 45.01f, 1e-5);
    EXPECT_NEAR(lon[3], 6.02f, 1e-5);
    EXPECT_NEAR(lat[3], 44.99f, 1e-5);
    EXPECT_EQ(lat[4], 45.001f);  // known points stay

    std::array<int, 21> none{};
    try {
        cnv_coord(5, none, x, y, lat, lon);
        ADD_FAILURE() << "no stop";
    } catch (const RunStopped& stop) {
        EXPECT_EQ(stop.text, "Conversion impossible");
        EXPECT_EQ(stop.exit_code, kExitConversionFailed);
    }
    // A reference point with point 0's x gives no longitude scale: no division by zero.
    std::array<float, 21> same_x{};
    same_x[2] = 0.0f;
    try {
        cnv_coord(5, number, same_x, y, lat, lon);
        ADD_FAILURE() << "no stop";
    } catch (const RunStopped& stop) {
        EXPECT_EQ(stop.text, "Conversion impossible");
    }
}
