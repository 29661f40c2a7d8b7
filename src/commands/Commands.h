// The command menu of each game and the dispatcher that runs a menu position's command.
#pragma once

#include "domain/CommandCodes.h"
#include "domain/ProgramState.h"
#include "util/CellGrid.h"

#include <functional>
#include <string>
#include <vector>

namespace karvo {

class UserInterface;

// The captions of a game's menu, top to bottom (Windows-1253).
std::vector<std::string> MenuCaptions(GameCode game);

// Menu position to command number: the position itself, except for the coupon, where it is the
// position + 20 and position 6 gives 27.
int CommandNumber(GameCode game, int position);

// Everything a command works on. Commands of subsystems that are not part of this build are
// reached through the optional hooks; an empty hook does nothing.
struct CommandContext
{
    ProgramState& state;
    CellGrid& mainGrid;
    CellGrid& sideGrid;
    UserInterface& ui;
    std::string folder; // working folder, ending in "/"
    std::function<void(Command command)> otherCommand;
};

// Runs the command of a menu position. Returns the grid it changed, or nullptr.
CellGrid* RunCommand(int position, CommandContext& context);

} // namespace karvo
