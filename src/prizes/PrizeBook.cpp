#include "prizes/PrizeBook.h"

#include "domain/Endpoints.h"
#include "prizes/PrizeWorkbook.h"
#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/KarvoError.h"
#include "util/Paths.h"
#include "util/Text.h"

#include <QFileInfo>
#include <algorithm>
#include <limits>
#include <map>
#include <set>

namespace karvo {

namespace {

constexpr char kHeading[] = "KARVO-PRIZES 1";

std::string Optional(const std::optional<std::int64_t>& value)
{
    return value ? IntToText(*value) : std::string();
}

// A count the cache wrote: digits only, or empty for not known; false for anything else.
bool ReadCount(const std::string& text, std::optional<std::int64_t>& value)
{
    if (text.empty()) {
        value.reset();
        return true;
    }
    if (text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    std::int64_t n = 0;
    for (const char c : text) {
        n = n * 10 + (c - '0');
    }
    value = n;
    return true;
}

bool ReadNumber(const std::string& text, std::int64_t& value)
{
    std::optional<std::int64_t> read;
    if (!ReadCount(text, read) || !read) {
        return false;
    }
    value = *read;
    return true;
}

// Names and sentences never hold the separator or a line break in the cache.
std::string Field(std::string text)
{
    std::replace_if(text.begin(), text.end(), [](char c) { return c == ';' || c == '\n' || c == '\r'; }, ',');
    return text;
}

std::string DateText(QDate date)
{
    if (!date.isValid() || date.year() < 1000 || date.year() > 9999) {
        return {};
    }
    return ZeroPad(date.day(), 2) + "/" + ZeroPad(date.month(), 2) + "/" + ZeroPad(date.year(), 4);
}

// "dd/mm/yyyy" as the cache writes it; an invalid date for anything else.
QDate DateFromText(const std::string& text)
{
    std::optional<std::int64_t> day;
    std::optional<std::int64_t> month;
    std::optional<std::int64_t> year;
    if (text.size() != 10 || text[2] != '/' || text[5] != '/' || !ReadCount(text.substr(0, 2), day)
        || !ReadCount(text.substr(3, 2), month) || !ReadCount(text.substr(6), year) || !day || !month || !year) {
        return {};
    }
    return {static_cast<int>(*year), static_cast<int>(*month), static_cast<int>(*day)};
}

// The text split at each sep, empty fields kept.
std::vector<std::string> Split(std::string_view text, char sep)
{
    std::vector<std::string> fields;
    for (std::size_t from = 0;;) {
        const std::size_t at = text.find(sep, from);
        fields.emplace_back(text.substr(from, at == std::string_view::npos ? at : at - from));
        if (at == std::string_view::npos) {
            return fields;
        }
        from = at + 1;
    }
}

// The tiers of the names read so far: a cache repeats a handful of names thousands of times.
using TierMemo = std::map<std::string, std::optional<PrizeTier>, std::less<>>;

bool ReadCategory(GameCode game, const std::vector<std::string>& fields, PrizeCategory& category, TierMemo& tiers)
{
    // C;name;hits;bonus;winners;cents;J
    std::int64_t hits = 0;
    if (fields.size() != 7 || !ReadNumber(fields[2], hits) || (fields[3] != "0" && fields[3] != "1")
        || !ReadCount(fields[4], category.winners) || !ReadCount(fields[5], category.cents)
        || (!fields[6].empty() && fields[6] != "J")) {
        return false;
    }
    category.name = fields[1];
    category.tier = {static_cast<int>(hits), fields[3] == "1"};
    category.jackpot = fields[6] == "J";
    // The tier must still be one the game has: a cache of another game is no cache of this one.
    auto known = tiers.find(category.name);
    if (known == tiers.end()) {
        known = tiers.emplace(category.name, TierOfHeader(game, category.name)).first;
    }
    return known->second == std::optional<PrizeTier>(category.tier);
}

// The book's order: newest date first, then the higher number.
bool NewerDraw(const DrawPrizes& a, const DrawPrizes& b)
{
    const qint64 dayA = a.date.toJulianDay();
    const qint64 dayB = b.date.toJulianDay();
    return dayA != dayB ? dayA > dayB : a.draw > b.draw;
}

PrizeBook BuildPrizeBook(const std::string& folder, GameCode game, std::vector<PrizeSource> sources)
{
    PrizeBook book;
    book.sources = std::move(sources);
    // The newest workbook first: a draw two of them list is kept as the later one lists it. The
    // pools number their coupons anew each year, so a draw is its number and its date.
    std::set<std::pair<qint64, int>> seen;
    for (auto source = book.sources.rbegin(); source != book.sources.rend(); ++source) {
        try {
            for (DrawPrizes& draw : ReadPrizeWorkbook(game, folder + kDataFolderName + "/" + source->name)) {
                if (seen.insert({draw.date.toJulianDay(), draw.draw}).second) {
                    book.draws.push_back(std::move(draw));
                }
            }
        } catch (const KarvoError& error) {
            book.problems.emplace_back(error.what());
        }
    }
    std::reverse(book.problems.begin(), book.problems.end()); // in the workbooks' order
    std::sort(book.draws.begin(), book.draws.end(), NewerDraw);
    return book;
}

} // namespace

const DrawPrizes* PrizeBook::onDate(QDate date) const
{
    // Looked up for every stored draw of a ticket's history: by halves, the book being in date order.
    const auto found =
        std::lower_bound(draws.begin(), draws.end(), date.toJulianDay(),
                         [](const DrawPrizes& draw, qint64 day) { return draw.date.toJulianDay() > day; });
    return found != draws.end() && found->date == date ? &*found : nullptr;
}

const DrawPrizes* PrizeBook::numbered(int draw) const
{
    const auto found = std::find_if(draws.begin(), draws.end(), [draw](const DrawPrizes& d) { return d.draw == draw; });
    return found == draws.end() ? nullptr : &*found;
}

std::string PrizeCacheFile(const std::string& folder, GameCode game)
{
    std::string name = GameInfoFor(game).resultsFile;
    name = name.substr(0, name.rfind('.'));
    return folder + kDataFolderName + "/" + name + ".prz";
}

std::vector<PrizeSource> PrizeSourcesIn(const std::string& folder, GameCode game)
{
    std::vector<PrizeSource> sources;
    if (!HasPrizeTables(game)) {
        return sources;
    }
    const GameInfo& info = GameInfoFor(game);
    const QDate today = QDate::currentDate();
    const bool monthly = info.update == UpdateKind::Period;
    for (int year = info.firstPublishedYear; year <= today.year(); ++year) {
        for (int month = 1; month <= (monthly ? 12 : 1); ++month) {
            const std::string name = ResultEndpointFor(game, year, month, {}).fileName;
            const QFileInfo file(NativePath(LocalResultFile(folder, name)));
            if (file.isFile()) {
                sources.push_back({PathToSingleByte(file.fileName().toStdString()), file.size(),
                                   file.lastModified().toMSecsSinceEpoch()});
            }
        }
    }
    return sources;
}

std::string PrizeBookText(const PrizeBook& book)
{
    std::string text = std::string(kHeading) + "\n";
    text.reserve(book.draws.size() * 160);
    const auto line = [&text](std::initializer_list<std::string_view> fields) {
        for (const std::string_view field : fields) {
            text.append(field).push_back(';');
        }
        text.back() = '\n';
    };
    for (const PrizeSource& source : book.sources) {
        line({"S", Field(source.name), IntToText(source.size), IntToText(source.modifiedMs)});
    }
    for (const DrawPrizes& draw : book.draws) {
        line({"D", IntToText(draw.draw), DateText(draw.date), Optional(draw.columnsPlayed)});
        for (const PrizeCategory& c : draw.categories) {
            line({"C", Field(c.name), IntToText(c.tier.hits), c.tier.bonus ? "1" : "0", Optional(c.winners),
                  Optional(c.cents), c.jackpot ? "J" : ""});
        }
    }
    for (const std::string& problem : book.problems) {
        line({"!", Field(Utf8ToCp1253(problem))});
    }
    line({"END", IntToText(static_cast<std::int64_t>(book.draws.size()))});
    return text;
}

std::optional<PrizeBook> PrizeBookFromText(GameCode game, const std::string& text)
{
    const std::vector<std::string> lines = Split(text, '\n');
    if (lines.size() < 3 || lines.front() != kHeading || !lines.back().empty()) {
        return std::nullopt;
    }
    PrizeBook book;
    TierMemo tiers;
    for (std::size_t i = 1; i + 1 < lines.size(); ++i) {
        const std::vector<std::string> fields = Split(lines[i], ';');
        const std::string& kind = fields.front();
        if (kind == "S" && fields.size() == 4 && book.draws.empty()) {
            PrizeSource source{fields[1]};
            if (!ReadNumber(fields[2], source.size) || !ReadNumber(fields[3], source.modifiedMs)) {
                return std::nullopt;
            }
            book.sources.push_back(source);
        } else if (kind == "D" && fields.size() == 4) {
            DrawPrizes draw;
            std::int64_t number = 0;
            if (!ReadNumber(fields[1], number) || number > std::numeric_limits<int>::max()
                || !ReadCount(fields[3], draw.columnsPlayed)) {
                return std::nullopt;
            }
            draw.draw = static_cast<int>(number);
            draw.date = DateFromText(fields[2]);
            book.draws.push_back(std::move(draw));
        } else if (kind == "C" && !book.draws.empty()) {
            PrizeCategory category;
            if (!ReadCategory(game, fields, category, tiers)) {
                return std::nullopt;
            }
            book.draws.back().categories.push_back(std::move(category));
        } else if (kind == "!" && fields.size() == 2) {
            book.problems.push_back(Cp1253ToUtf8(fields[1]));
        } else if (kind == "END" && fields.size() == 2 && i + 2 == lines.size()) {
            std::int64_t count = 0;
            if (!ReadNumber(fields[1], count) || count != static_cast<std::int64_t>(book.draws.size())) {
                return std::nullopt;
            }
            // Only the very bytes the program writes are a cache: a date, a number or a name it
            // would write otherwise is damage, and the tables are read anew.
            if (!std::is_sorted(book.draws.begin(), book.draws.end(), NewerDraw) || PrizeBookText(book) != text) {
                return std::nullopt;
            }
            return book;
        } else {
            return std::nullopt;
        }
    }
    return std::nullopt; // no END: cut short
}

PrizeBook LoadPrizeBook(const std::string& folder, GameCode game)
{
    std::vector<PrizeSource> sources = PrizeSourcesIn(folder, game);
    if (sources.empty()) {
        return {};
    }
    const std::string cacheFile = PrizeCacheFile(folder, game);
    std::string kept;
    try {
        kept = LoadTextFile(cacheFile);
    } catch (const KarvoError&) {
        kept.clear(); // unreadable: built anew
    }
    if (std::optional<PrizeBook> cached = PrizeBookFromText(game, kept); cached && cached->sources == sources) {
        return std::move(*cached);
    }
    PrizeBook book = BuildPrizeBook(folder, game, std::move(sources));
    WriteFileAtomic(cacheFile, PrizeBookText(book));
    return book;
}

} // namespace karvo
