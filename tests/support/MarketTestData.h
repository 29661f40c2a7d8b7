// Bodies and pages as the two market services send them, and stored stock days, built for the tests.
#pragma once

#include "market/MarketText.h"
#include "market/StockDay.h"
#include "support/TestSupport.h"
#include "util/FileNames.h"
#include "util/Files.h"

#include <string>
#include <vector>

namespace karvo::test {

// The request paths of a day ("2024-12-05") at the stock exchange's service and at the funds' report.
inline std::string StockPath(const std::string& day)
{
    return "/finance/Data/GetMetaStock.ashx?date=" + day + "&type=1&encoding=2";
}

inline std::string FundPath(const std::string& day)
{
    return "/index.php?view=mfbreakdowndate&reportDate=" + day
        + "&newmenu=Y&typeETF=&typeInst=&typecountry=&tmpl=component&print=1&layout=default"
          "&option=com_statistic&lang=el";
}

// One MetaStock line: symbol, two unused fields, high, low, close, opening, volume.
inline std::string StockLine(const std::string& symbol, const std::string& close, const std::string& volume,
                             const std::string& high = "1.25", const std::string& low = "1.10",
                             const std::string& open = "1.15")
{
    return symbol + ",20241205,x," + high + "," + low + "," + close + "," + open + "," + volume;
}

// The service's header line, the lines given, and padding lines of "ZZ" securities until the
// body has at least minimum characters.
inline std::string StockBody(const std::vector<std::string>& lines, std::size_t minimum = 500)
{
    std::string body = "<ticker>,<date>,<open>,<high>,<low>,<close>,<vol>\r\n";
    for (const std::string& line : lines) {
        body += line + "\r\n";
    }
    for (int i = 0; body.size() < minimum; ++i) {
        body += StockLine("ZZ" + std::to_string(i), "1.00", "10") + "\r\n";
    }
    return body;
}

struct FundRow
{
    std::string name, assets, units, price, change;
};

struct FundCategory
{
    std::string title;
    std::vector<FundRow> funds;
};

// A report page (UTF-8) with its heading, when given, and one table of the categories.
inline std::string FundPage(const std::vector<FundCategory>& categories, const std::string& heading)
{
    std::string page = "<html><head><title>Ημερήσια στοιχεία</title></head><body>";
    page += "<!-- " + std::string(420, '-') + " -->";
    if (!heading.empty()) {
        page += "<h1 class=\"report\">Στοιχεία ημέρας " + heading + "</h1>";
    }
    page += "<table class=\"stats\"><tr><th>Όνομα</th><th>Ενεργητικό</th></tr>";
    for (const FundCategory& category : categories) {
        page += "<tr class=\"row\"><td class=\"MenuHeaderSub\" colspan=\"5\">" + category.title + "</td></tr>";
        for (const FundRow& fund : category.funds) {
            page += "<tr><td>" + fund.name + "</td><td align=\"right\">" + fund.assets + "</td><td>" + fund.units
                + "</td><td>" + fund.price + "</td><td>" + fund.change + "</td></tr>";
        }
    }
    page += "</table><p>Πηγή: Ένωση</p></body></html>";
    return page;
}

// A stored stock record of symbol with its close and volume.
inline std::string Record(const std::string& symbol, const std::string& close, const std::string& volume = "100")
{
    return StockRecord(symbol + ",d,x,1,1," + close + ",1," + volume, "05/12/2024");
}

// The stock day file of day ("20241205") in folder: the header, then the records.
inline void StoreStockDay(const TempFolder& folder, const std::string& day, const std::vector<std::string>& records)
{
    std::vector<std::string> lines{StockHeader()};
    lines.insert(lines.end(), records.begin(), records.end());
    CreateFolder(folder.file("Data-STOCK"));
    SaveLines(folder.file("Data-STOCK/" + day + ".txt"), lines);
}

} // namespace karvo::test
