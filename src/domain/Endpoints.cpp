#include "domain/Endpoints.h"

#include "util/Environment.h"
#include "util/Numbers.h"
#include "util/Text.h"

namespace karvo {

OperatorServers ServersInUse()
{
    return {ServerAddressFrom("KARVO_OPAP_WEB_URL", "https://www.opap.gr"),
            ServerAddressFrom("KARVO_OPAP_MEDIA_URL", "https://media.opap.gr")};
}

ResultEndpoint ResultEndpointFor(GameCode game, int year, int month, const OperatorServers& servers)
{
    const GameInfo& info = GameInfoFor(game);
    if (info.workbook.server == WorkbookServer::None) {
        return {};
    }
    const ResultsWorkbook& source = info.workbook;
    const std::string path = source.folder + std::to_string(info.operatorId) + "/"
        + ReplaceAll(ReplaceAll(source.pattern, "YYYY", ZeroPad4(year)), "MM", ZeroPad(month, 2));
    const std::string& base = source.server == WorkbookServer::Web ? servers.web : servers.media;
    return {base + path, path.substr(path.rfind('/') + 1)};
}

std::string LocalResultFile(const std::string& folder, const std::string& fileName)
{
    return folder + kDataFolderName + "/" + fileName;
}

} // namespace karvo
