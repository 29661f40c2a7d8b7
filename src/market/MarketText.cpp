#include "market/MarketText.h"

#include "util/Numbers.h"
#include "util/Text.h"

namespace karvo {

void PlaceRight(std::string& record, int endColumn, const std::string& text)
{
    const int length = TextLength(text);
    if (length == 0 || endColumn < 1) {
        return;
    }
    const int start = endColumn - length + 1;
    if (start >= 1) {
        Overwrite(record, start, text);
    } else {
        Overwrite(record, 1, RightPart(text, endColumn));
    }
}

std::string DashedDay(QDate day)
{
    return ZeroPad4(day.year()) + "-" + ZeroPad(day.month(), 2) + "-" + ZeroPad(day.day(), 2);
}

std::string CompactDay(QDate day)
{
    return ZeroPad4(day.year()) + ZeroPad(day.month(), 2) + ZeroPad(day.day(), 2);
}

std::string SlashedDay(QDate day)
{
    return ZeroPad(day.day(), 2) + "/" + ZeroPad(day.month(), 2) + "/" + ZeroPad4(day.year());
}

} // namespace karvo
