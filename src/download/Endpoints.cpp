#include "download/Endpoints.h"

#include "util/Numbers.h"

#include <cstdlib>

namespace karvo {

namespace {

std::string BaseFrom(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    std::string base = value && *value ? value : fallback;
    while (!base.empty() && base.back() == '/') {
        base.pop_back();
    }
    return base;
}

} // namespace

OperatorServers ServersInUse()
{
    return {BaseFrom("KARVO_OPAP_WEB_URL", "https://www.opap.gr"),
            BaseFrom("KARVO_OPAP_MEDIA_URL", "https://media.opap.gr")};
}

ResultEndpoint ResultEndpointFor(int gameCode, int year, int month, const OperatorServers& servers)
{
    const std::string y = ZeroPad4(year);
    const std::string mm = ZeroPad(month, 2);
    std::string folder;
    std::string file;
    switch (gameCode) {
    case 1: folder = "/Excel/3100/"; file = "propo_" + y + "_Sun.xlsx"; break;
    case 2: folder = "/Excel/3102/"; file = "propo_" + y + "_Sat.xlsx"; break;
    case 3: folder = "/Excel/3101/"; file = "propo_" + y + "_Wed.xlsx"; break;
    case 4: folder = "/Excel_xlsx/5103/"; file = "lotto_" + y + ".xlsx"; break;
    case 5: folder = "/Excel_xlsx/5105/"; file = "propogoal_" + y + ".xlsx"; break;
    case 6: folder = "/Excel_xlsx/5104/"; file = "Joker_" + y + ".xlsx"; break;
    case 7: folder = "/Excel_xlsx/2101/"; file = "proto_" + y + ".xlsx"; break;
    case 8: folder = "/Excel_xlsx/5106/"; file = "extra5_" + y + ".xlsx"; break;
    case 9: folder = "/Excel_xlsx/2100/" + y + "/"; file = "super3_" + y + "_" + mm + ".xlsx"; break;
    case 10: folder = "/Excel_xlsx/1100/" + y + "/"; file = "kino_" + y + "_" + mm + ".xlsx"; break;
    default: return {};
    }
    // The pools come from the web server, everything else from the media server.
    const std::string& base = gameCode <= 3 ? servers.web : servers.media;
    return {base + folder + file, file};
}

std::string LocalResultFile(const std::string& folder, const std::string& fileName)
{
    return folder + "DATA/" + fileName;
}

} // namespace karvo
