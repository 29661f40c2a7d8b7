// The choice lists of the update button: the years that can be fetched, the KINO months and
// the SUPER3 month names. Items are Windows-1253 texts; item i of a list is element i - 1.
#pragma once

#include <string>
#include <vector>

namespace karvo {

constexpr int FirstFetchYear = 2017;

// "  ΕΤΟΣ 2017  " up to the current year; item i stands for 2016 + i.
std::vector<std::string> YearListItems(int currentYear);

// A month of the KINO list: the label shown and the month it stands for.
struct KinoPeriod
{
    std::string label; // " 2024 - 03 "
    int year = 0;
    int month = 0; // 1 to 12
};

// November 2003, December 2003, then every month from January 2004 to the current one.
std::vector<KinoPeriod> KinoPeriods(int currentYear, int currentMonth);

// The labels of a list, in its order.
std::vector<std::string> KinoPeriodLabels(const std::vector<KinoPeriod>& periods);

// The twelve Greek month names, January first.
std::vector<std::string> Super3MonthItems();

} // namespace karvo
