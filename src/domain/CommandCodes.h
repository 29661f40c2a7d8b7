// The program's commands by number: the draw and market menus run 1 to 5, the coupon's menu 21 to 27,
// the items after a game's own menu (statistics, kept tickets, the stock's price history, a draw's
// prizes) 31 to 35.
#pragma once

namespace karvo {

// A menu position runs one of these; the values are the command numbers.
enum class Command {
    SearchList = 1,
    SearchNext = 2,
    ExportList = 3,
    FindAllInList = 4,
    FindAllInFiles = 5,
    ImportCoupon = 21,
    ExportCoupon = 22,
    AddMatch = 23,
    OpenBetFile = 24,
    SaveBetFile = 25,
    SystemToColumns = 27,
    NumberStats = 31,
    TicketCheck = 32,
    PriceHistory = 33,
    KeptTickets = 34,
    DrawPrizes = 35,
};

} // namespace karvo
