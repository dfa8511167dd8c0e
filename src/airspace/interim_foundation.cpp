#include "airspace/interim_foundation.h"

#include <cmath>

#include "foundation/fortran_format.h"
#include "platform/console.h"

Cmndta001 cmndta001;
Peldbg00 peldbg00;
Trn001 trn001;

void error_message(int&& msg_status, std::string_view msg, bool) {
    console_line("MSG " + std::to_string(msg_status) + " " + std::string(msg));
}

void error_message_pxr(int msg_status, std::string_view, std::string_view msg, bool) {
    if (msg_status == 2) {
        ++cmndta001.nbwarn;
    } else if (msg_status != 0) {
        ++cmndta001.nberr;
    }
    console_line("error_message_pxr : " + std::to_string(msg_status) + " " + std::string(msg));
}

void log_message_f(std::string_view msg) { console_line(" >>> " + std::string(msg)); }

// A plain equirectangular frame round 45 N 6 E, x westward.
int latlontoxy(float rlat, float rlon, float& rx, float& ry) {
    rx = static_cast<float>((6.0 - rlon) * 78846.8);
    ry = static_cast<float>((rlat - 45.0) * 111195.0);
    return 1;
}

int xytolatlon(float rx, float ry, float& rlat, float& rlon) {
    rlon = static_cast<float>(6.0 - rx / 78846.8);
    rlat = static_cast<float>(45.0 + ry / 111195.0);
    return 1;
}

void dms_oa(float lon, int nlon, std::string& clon) {
    const char letter = "NSEW"[lon > 0.0f ? 2 * nlon - 2 : 2 * nlon - 1];
    const double v = std::fabs(static_cast<double>(lon));
    int deg = static_cast<int>(v);
    int min = static_cast<int>((v - deg) * 60.0);
    int sec = static_cast<int>(std::lround(((v - deg) * 60.0 - min) * 60.0));
    while (sec >= 60) { sec -= 60; ++min; }
    while (min >= 60) { min -= 60; ++deg; }
    clon = fortran_write(nlon == 1 ? "(I2.2,':',I2.2,':',I2.2,' ',A)" : "(I3.3,':',I2.2,':',I2.2,' ',A)",
                         {deg, min, sec, std::string(1, letter)});
}
