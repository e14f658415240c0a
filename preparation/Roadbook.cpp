#include "preparation/Roadbook.h"

#include <cstdio>

#include "services/Globals.h"
#include "services/ReadWrite.h"
#include "services/Settings.h"
#include "services/TextNumbers.h"

namespace gFunc {

using vm::g;

namespace {

void Read(const std::string& section, const char* key, std::int16_t& into) {
    if (auto v = vm::ToInteger(ReadWrite::ReadINI(section, key), g.gDecimalSep)) into = *v;
}

void Read(const std::string& section, const char* key, std::int32_t& into) {
    if (auto v = vm::ToLong(ReadWrite::ReadINI(section, key), g.gDecimalSep)) into = *v;
}

std::string SectionName(int n) {
    char name[4];
    std::snprintf(name, sizeof name, "%02d", n);
    return name;
}

}  // namespace

std::string RoadbookFile() { return qvrMod::ProgramFile("qvr-race.ini"); }

void ReadRoadbook() {
    // A retried log-in reads a new roadbook: nothing of the previous one may survive it.
    static_cast<RoadbookVars&>(rb) = RoadbookVars{};
    g.gRoadbookPwd.clear();
    g.gStartDelay = 0;

    g.gIniFile = RoadbookFile();
    rb.gRoadbookDesc = ReadWrite::ReadINI("MAIN", "DESC");
    g.gRoadbookPwd = ReadWrite::ReadINI("MAIN", "PWD");
    Read("MAIN", "DAM", rb.gRoadbookDamage);
    Read("MAIN", "DEL", g.gStartDelay);
    Read("MAIN", "TIP", rb.gRoadbookTip);

    for (int n = 1; n <= kRoadbookStages; ++n) {
        std::string section = SectionName(n);
        Read(section, "SS", rb.gRoadbookSS[n]);
        Read(section, "WH", rb.gRoadbookWeather[n]);
        Read(section, "TM", rb.gRoadbookTime[n]);
        Read(section, "SP", rb.gRoadbookService[n]);
        rb.gRoadbookSky[n] = ReadWrite::ReadINI(section, "BK");
        Read(section, "HU", rb.gRoadbookHumid[n]);
        Read(section, "GR", rb.gRoadbookWear[n]);
        Read(section, "SU", rb.gRoadbookSurface[n]);
        if (rb.gRoadbookSS[n] > 0) ++rb.gSSCount;
    }
}

}  // namespace gFunc
