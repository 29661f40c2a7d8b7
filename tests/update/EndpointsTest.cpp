// The endpoint table: every game's URL and local file name, and the host configuration.
#include "update/Endpoints.h"

#include <cstdlib>
#include <gtest/gtest.h>

using namespace karvo;

TEST(Endpoints, EveryGamesPathAndFileName)
{
    const OperatorServers servers{"https://web.test", "https://media.test"};
    const std::vector<std::tuple<int, int, int, std::string, std::string>> cases{
        {1, 2024, 0, "https://web.test/Excel/3100/propo_2024_Sun.xlsx", "propo_2024_Sun.xlsx"},
        {2, 2024, 0, "https://web.test/Excel/3102/propo_2024_Sat.xlsx", "propo_2024_Sat.xlsx"},
        {3, 2019, 0, "https://web.test/Excel/3101/propo_2019_Wed.xlsx", "propo_2019_Wed.xlsx"},
        {4, 2024, 0, "https://media.test/Excel_xlsx/5103/lotto_2024.xlsx", "lotto_2024.xlsx"},
        {5, 2024, 0, "https://media.test/Excel_xlsx/5105/propogoal_2024.xlsx", "propogoal_2024.xlsx"},
        {6, 2023, 0, "https://media.test/Excel_xlsx/5104/Joker_2023.xlsx", "Joker_2023.xlsx"},
        {7, 2024, 0, "https://media.test/Excel_xlsx/2101/proto_2024.xlsx", "proto_2024.xlsx"},
        {8, 2024, 0, "https://media.test/Excel_xlsx/5106/extra5_2024.xlsx", "extra5_2024.xlsx"},
        {9, 2023, 7, "https://media.test/Excel_xlsx/2100/2023/super3_2023_07.xlsx", "super3_2023_07.xlsx"},
        {10, 2025, 1, "https://media.test/Excel_xlsx/1100/2025/kino_2025_01.xlsx", "kino_2025_01.xlsx"},
        {11, 2025, 1, "", ""},
    };
    for (const auto& [game, year, month, url, file] : cases) {
        const ResultEndpoint endpoint = ResultEndpointFor(game, year, month, servers);
        EXPECT_EQ(endpoint.url, url) << game;
        EXPECT_EQ(endpoint.fileName, file) << game;
    }
    EXPECT_EQ(LocalResultFile("/home/u/", "Joker_2023.xlsx"), "/home/u/DATA/Joker_2023.xlsx");
}

TEST(Endpoints, HostsComeFromTheEnvironmentOrTheOperator)
{
    unsetenv("KARVO_OPAP_WEB_URL");
    unsetenv("KARVO_OPAP_MEDIA_URL");
    EXPECT_EQ(ServersInUse().web, "https://www.opap.gr");
    EXPECT_EQ(ServersInUse().media, "https://media.opap.gr");
    setenv("KARVO_OPAP_MEDIA_URL", "http://127.0.0.1:8080/", 1);
    EXPECT_EQ(ServersInUse().media, "http://127.0.0.1:8080");
    EXPECT_EQ(ServersInUse().web, "https://www.opap.gr");
    unsetenv("KARVO_OPAP_MEDIA_URL");
}
