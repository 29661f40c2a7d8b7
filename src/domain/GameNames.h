// The games by name: as their buttons read, on one line, and the ASCII names the command line
// also takes ("lotto", "propo-sun", "funds").
#pragma once

#include "domain/Games.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace karvo {

// The button's caption on one line, Windows-1253: "ΠΡΟΠΟ ΚΥΡΙΑΚΗ", "LOTTO", "ΑΜΟΙΒΑΙΑ".
std::string GameName(GameCode game);

// The ASCII name of a game: "propo-sun", "lotto", "funds".
std::string GameAsciiName(GameCode game);

// A game from a name typed by the user (UTF-8): the caption with its line break as a blank, a
// dash or nothing, the ASCII name, or an alias ("κινο", "τζοκερ"); letter case and Greek accents
// ignored.
std::optional<GameCode> GameFromName(std::string_view utf8);

// The games the update buttons bring up to date, in button order: all but BET.
std::vector<GameCode> UpdatableGames();

} // namespace karvo
