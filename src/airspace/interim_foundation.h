#pragma once

// TEMPORARY: stand-ins for foundation services that are being written on
// other branches (log and messages; local frame and coordinate texts). They
// carry the signatures of those branches so the airspace code compiles and
// its tests run; this file and interim_foundation.cpp are deleted when the
// real services are merged.

#include <string>
#include <string_view>

struct Cmndta001 {
    bool qfr = false;
    bool qline = false;
    int nauto_upd = 0;
    int nbwarn = 0;
    int nberr = 0;
};
extern Cmndta001 cmndta001;

struct Peldbg00 {
    bool qdis_wrn = false;
    bool qdbg_l_0 = false;
    bool qdbg_l_1 = false;
};
extern Peldbg00 peldbg00;

struct Trn001 {
    float x_scn_mx = 0.0f;
    float y_scn_mx = 0.0f;
    float xmin = 0.0f;
    float xmax = 0.0f;
    float ymin = 0.0f;
    float ymax = 0.0f;
    float zmin = 0.0f;
    float zmax = 0.0f;
    float zmoy = 0.0f;
    float xmin_r = 0.0f;
    float xmax_r = 0.0f;
    float ymin_r = 0.0f;
    float ymax_r = 0.0f;
};
extern Trn001 trn001;

void error_message(int&& msg_status, std::string_view msg, bool qline);
void error_message_pxr(int msg_status, std::string_view tit, std::string_view msg, bool qli);
void log_message_f(std::string_view msg);

int latlontoxy(float rlat, float rlon, float& rx, float& ry);
int xytolatlon(float rx, float ry, float& rlat, float& rlon);
void dms_oa(float lon, int nlon, std::string& clon);
