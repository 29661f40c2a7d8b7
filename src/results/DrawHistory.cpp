#include "results/DrawHistory.h"

#include "results/DrawViews.h"
#include "results/PropoFile.h"
#include "results/ResultsFiles.h"
#include "results/SlotViews.h"
#include "results/Super3View.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/Numbers.h"

#include <QDate>

#include <algorithm>
#include <array>

namespace karvo {

namespace {

GameLayout LayoutFromShape(const DrawShape& draw)
{
    GameLayout layout;
    layout.width = draw.numbers + draw.bonus;
    layout.propo = draw.signs;
    layout.digits = draw.digits;
    if (draw.signs) {
        return layout;
    }
    if (draw.digits) {
        for (int p = 0; p < draw.numbers; ++p) {
            layout.groups.push_back({p, 1, draw.low, draw.high});
        }
        return layout;
    }
    if (draw.numbers > 0) {
        layout.groups.push_back({0, draw.numbers, draw.low, draw.high});
    }
    if (draw.bonus > 0) {
        layout.groups.push_back({draw.numbers, draw.bonus, draw.bonusLow, draw.bonusHigh});
    }
    return layout;
}

std::int32_t DateOf(int year, int month, int day)
{
    return year * 10000 + month * 100 + day;
}

// Masked slot files: byte 1 the day (0 empty), 2 the month, 3 the year - 1950, then the numbers.
void AppendSlots(DrawHistory& history, std::string bytes, int recordSize, GameCode game)
{
    const std::size_t size = static_cast<std::size_t>(recordSize);
    const std::int64_t slotCount = static_cast<std::int64_t>(bytes.size() / size);
    if (game == GameCode::Extra && slotCount >= ExtraFixedSlot) {
        bytes.replace(static_cast<std::size_t>(ExtraFixedSlot - 1) * size, size, ExtraFixedDraw());
    }
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
    for (std::int64_t r = 0; r < slotCount; ++r) {
        const std::uint8_t* record = data + static_cast<std::size_t>(r) * size;
        if (record[0] == 0) {
            continue;
        }
        history.dates.push_back(DateOf(kRecordYearBase + record[2], record[1], record[0]));
        history.values.insert(history.values.end(), record + 3, record + size);
    }
}

void AppendPropo(DrawHistory& history, const std::vector<std::uint16_t>& words)
{
    const std::int64_t slotCount = words.empty() ? 0 : static_cast<std::int64_t>(words.size() - 1) / 2;
    for (std::int64_t d = 1; d <= slotCount; ++d) {
        const std::uint16_t first = words[static_cast<std::size_t>(2 * d - 1)];
        const std::uint16_t second = words[static_cast<std::size_t>(2 * d)];
        std::uint8_t signs[14];
        bool any = false;
        for (int j = 0; j < 14; ++j) {
            const std::uint16_t word = j < 7 ? first : second;
            signs[j] = static_cast<std::uint8_t>((word >> (2 * (j % 7))) & 3);
            any = any || signs[j] != 3;
        }
        if (!any) {
            continue;
        }
        const int year = static_cast<int>((d - 1) / PropoSlotsPerYear) + PropoFirstYear;
        history.dates.push_back(year * 10000 + static_cast<int>((d - 1) % PropoSlotsPerYear) + 1);
        history.values.insert(history.values.end(), signs, signs + 14);
    }
}

// SUPER3: three digit characters a draw, dated by the draw's number.
void AppendSuper3(DrawHistory& history, const std::string& text)
{
    const std::int64_t draws = static_cast<std::int64_t>(text.size()) / 3;
    for (std::int64_t n = 1; n <= draws; ++n) {
        const QDate date = Super3DrawDate(n);
        history.dates.push_back(DateOf(date.year(), date.month(), date.day()));
        for (std::size_t k = 0; k < 3; ++k) {
            const char c = text[static_cast<std::size_t>(3 * (n - 1)) + k];
            history.values.push_back(static_cast<std::uint8_t>(c >= '0' && c <= '9' ? c - '0' : 255));
        }
    }
}

} // namespace

const GameLayout& LayoutOf(GameCode game)
{
    static const std::array<GameLayout, kGameCount> layouts = [] {
        std::array<GameLayout, kGameCount> built;
        for (const GameInfo& info : AllGames()) {
            built[static_cast<std::size_t>(ToInt(info.code) - 1)] = LayoutFromShape(info.draw);
        }
        return built;
    }();
    return layouts[static_cast<std::size_t>(ToInt(GameInfoFor(game).code) - 1)];
}

std::vector<KinoMonthFile> KinoMonthFiles(const std::string& folder, int fromYear)
{
    // The folder's own spelling, found once, so that no month's path needs a search by letter case.
    const std::vector<std::string> data = ListFiles(folder + kDataFolderName, ListKinds::Folders);
    if (data.empty()) {
        return {};
    }
    std::vector<KinoMonthFile> files;
    for (const std::string& name : ListFiles(folder + data.front() + "/kino_*.qav", ListKinds::Files)) {
        int year = 0;
        int month = 0;
        if (KinoMonthOfFileName(name, year, month) && year >= std::max(fromYear, 1)) {
            files.push_back({folder + data.front() + "/" + name, DateOf(year, month, 0)});
        }
    }
    std::sort(files.begin(), files.end(),
              [](const KinoMonthFile& a, const KinoMonthFile& b) { return a.monthDate < b.monthDate; });
    return files;
}

KinoMonth ReadKinoMonth(const KinoMonthFile& file, std::string& buffer)
{
    const std::size_t records = ReadKinoFileInto(file.path, buffer) / KinoRecordSize;
    auto* data = reinterpret_cast<std::uint8_t*>(buffer.data());
    KinoMonth month{file.monthDate, data + KinoRecordSize, records > 1 ? static_cast<std::int64_t>(records - 1) : 0};
    // Records without numbers are rare: a look without branches first, the moving only when needed.
    bool gaps = false;
    for (std::size_t r = 1; r < records; ++r) {
        gaps |= data[r * KinoRecordSize] == 0;
    }
    if (!gaps) {
        return month;
    }
    std::size_t kept = 0;
    for (std::size_t r = 1; r < records; ++r) {
        const std::uint8_t* record = data + r * KinoRecordSize;
        if (record[0] == 0) {
            continue; // a draw number without numbers
        }
        ++kept;
        if (kept != r) {
            std::copy(record, record + KinoRecordSize, data + kept * KinoRecordSize);
        }
    }
    month.count = static_cast<std::int64_t>(kept);
    return month;
}

DrawHistory LoadHistory(const std::string& folder, GameCode game, int fromYear)
{
    DrawHistory history;
    history.width = LayoutOf(game).width;
    history.stride = game == GameCode::Kino ? KinoRecordSize : history.width;
    switch (GameInfoFor(game).view) {
    case ViewKind::Propo: AppendPropo(history, ReadPropoFile(folder + GameInfoFor(game).resultsFile)); break;
    case ViewKind::NumberGame:
    case ViewKind::Proto:
    case ViewKind::Extra:
        AppendSlots(history, ReadMaskedFile(folder + GameInfoFor(game).resultsFile), GameInfoFor(game).recordSize,
                    game);
        break;
    case ViewKind::Super3: AppendSuper3(history, LoadTextFile(folder + GameInfoFor(game).resultsFile)); break;
    case ViewKind::Kino: {
        // Room for every record at once: growing month by month would copy the table each time.
        const std::vector<KinoMonthFile> files = KinoMonthFiles(folder, fromYear);
        std::int64_t records = 0;
        for (const KinoMonthFile& file : files) {
            records += FileSizeOf(file.path) / KinoRecordSize;
        }
        history.values.reserve(static_cast<std::size_t>(records) * KinoRecordSize);
        history.dates.reserve(static_cast<std::size_t>(records));
        std::string buffer;
        for (const KinoMonthFile& file : files) {
            const KinoMonth month = ReadKinoMonth(file, buffer);
            history.values.insert(history.values.end(), month.first, month.first + month.count * KinoRecordSize);
            for (std::int64_t d = 0; d < month.count; ++d) {
                history.dates.push_back(month.dateOf(d));
            }
        }
        break;
    }
    default: break;
    }
    return history;
}

HistoryEnd HistoryEndOf(const DrawHistory& history)
{
    if (history.dates.empty()) {
        return {0, 0};
    }
    const std::int32_t last = history.dates.back();
    return {last, std::count(history.dates.begin(), history.dates.end(), last)};
}

HistoryEnd LastStoredDraw(const std::string& folder, GameCode game)
{
    if (game != GameCode::Kino) {
        return HistoryEndOf(LoadHistory(folder, game));
    }
    const std::vector<KinoMonthFile> files = KinoMonthFiles(folder, 0);
    std::string buffer;
    for (auto file = files.rbegin(); file != files.rend(); ++file) {
        const KinoMonth month = ReadKinoMonth(*file, buffer);
        if (month.count > 0) {
            // A day's draws all lie in its month's file.
            const std::int32_t last = month.dateOf(month.count - 1);
            std::int64_t sameDay = 0;
            for (std::int64_t d = 0; d < month.count; ++d) {
                sameDay += month.dateOf(d) == last ? 1 : 0;
            }
            return {last, sameDay};
        }
    }
    return {0, 0};
}

std::int64_t FirstDrawAfter(const DrawHistory& history, const HistoryEnd& end)
{
    // Read from the end: a merge may leave an earlier draw after a later one (a year fetched
    // again), and what counts is what follows the last of the old ones.
    const auto& dates = history.dates;
    std::int64_t afterDay = 0; // after the last draw dated end.date or before
    std::int64_t dayStart = 0; // after the last draw dated before end.date
    for (auto i = static_cast<std::int64_t>(dates.size()); i > 0; --i) {
        const std::int32_t date = dates[static_cast<std::size_t>(i - 1)];
        if (afterDay == 0 && date <= end.date) {
            afterDay = i;
        }
        if (date < end.date) {
            dayStart = i;
            break;
        }
    }
    if (end.drawsThatDay < 0) {
        return afterDay;
    }
    return std::min(dayStart + end.drawsThatDay, afterDay);
}

} // namespace karvo
