#include "update/UpdateLists.h"

#include "domain/Games.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"

namespace karvo {

std::vector<std::string> YearListItems(int currentYear)
{
    std::vector<std::string> items;
    const std::string label = Utf8ToCp1253("  ΕΤΟΣ ");
    for (int year = FirstFetchYear; year <= currentYear; ++year) {
        items.push_back(label + ZeroPad(year, 4) + "  ");
    }
    return items;
}

std::vector<KinoPeriod> KinoPeriods(int currentYear, int currentMonth)
{
    const auto period = [](int year, int month) {
        return KinoPeriod{" " + ZeroPad(year, 4) + " - " + ZeroPad(month, 2) + " ", year, month};
    };
    const GameInfo& kino = GameInfoFor(GameCode::Kino);
    std::vector<KinoPeriod> periods;
    for (int year = kino.firstPublishedYear; year <= currentYear; ++year) {
        const int first = year == kino.firstPublishedYear ? kino.firstPublishedMonth : 1;
        const int last = year == currentYear ? currentMonth : 12;
        for (int month = first; month <= last; ++month) {
            periods.push_back(period(year, month));
        }
    }
    return periods;
}

std::vector<std::string> KinoPeriodLabels(const std::vector<KinoPeriod>& periods)
{
    std::vector<std::string> labels;
    labels.reserve(periods.size());
    for (const KinoPeriod& period : periods) {
        labels.push_back(period.label);
    }
    return labels;
}

std::vector<std::string> Super3MonthItems()
{
    static const char* const names[] = {"Ιανουάριος",  "Φεβρουάριος", "Μάρτιος",   "Απρίλιος",
                                        "Μάΐος",       "Ιούνιος",     "Ιούλιος",   "Αύγουστος",
                                        "Σεπτέμβριος", "Οκτώβριος",   "Νοέμβριος", "Δεκέμβριος"};
    std::vector<std::string> items;
    for (const char* name : names) {
        items.push_back(Utf8ToCp1253(name));
    }
    return items;
}

} // namespace karvo
