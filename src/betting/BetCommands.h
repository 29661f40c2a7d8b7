// The coupon's menu commands: import a pasted coupon, export it, add a match, open and save bet
// files, and check the system before the calculator is shown.
#pragma once

#include "domain/CommandCodes.h"
#include "domain/ProgramState.h"
#include "util/CellGrid.h"
#include "workbook/CellTable.h"

#include <ctime>
#include <string>

namespace karvo {

class UserInterface;

// The operator's betting page: KARVO_BET_URL when set, the operator's page otherwise.
std::string BetPageAddress();

struct BetContext
{
    ProgramState& state;
    CellGrid& coupon;
    UserInterface& ui;
    std::string folder;    // working folder, ending in "/"
    CellTable& cellTable;  // receives the system for the calculator
    int systemColumnLimit; // the calculator's largest system
    bool calculatorShown;  // the calculator is open: the system command does nothing
    std::string betPage;   // opened at the first import of the run
    std::time_t now;       // seconds since 1970: old scratch files beside a bet file are removed
};

enum class BetOutcome { Nothing, CouponChanged, ShowCalculator };

// Runs command 21 to 27 of the coupon's menu. Other numbers do nothing.
BetOutcome RunBetCommand(Command command, BetContext& context);

// Command 21 without the dispatcher's notice and recalculation: counts the run, opens the betting
// page the first time, asks for the pasted text and, from the second run on, whether to append.
// False when the user cancels.
bool ImportCoupon(BetContext& context);

} // namespace karvo
