// The views of the masked slot files: LOTTO, GOAL and JOKER, PROTO and EXTRA. Each non-empty
// slot gives one row with its date in column 0 and its numbers in column 1, in slot order.
#include "results/SlotViews.h"

#include "results/ResultsFiles.h"
#include "results/ViewFrame.h"
#include "results/WholeFile.h"
#include "util/Numbers.h"

#include <algorithm>
#include <charconv>
#include <string_view>
#include <utility>

namespace karvo {

namespace {

// The slots of one file, unmasked; slot r counts from 1.
class SlotTable
{
public:
    SlotTable(const std::string& path, int recordSize)
        : m_bytes(ReadMaskedFile(path))
        , m_recordSize(recordSize)
        , m_count(static_cast<std::int64_t>(m_bytes.size()) / recordSize)
    {
        // Each slot is a line of ResultsLines, whose capacity bounds what a view shows.
        if (m_count >= ResultsLinesLimit) {
            ThrowTooLarge(path, static_cast<std::int64_t>(m_bytes.size()), (ResultsLinesLimit - 1) * recordSize);
        }
    }

    std::int64_t count() const { return m_count; }
    int byte(std::int64_t slot, int k) const
    {
        return static_cast<unsigned char>(m_bytes[static_cast<std::size_t>((slot - 1) * m_recordSize + k - 1)]);
    }
    bool empty(std::int64_t slot) const { return byte(slot, 1) == 0; }
    int year(std::int64_t slot) const { return kRecordYearBase + byte(slot, 3); }
    std::string date(std::int64_t slot) const { return DateText(byte(slot, 1), byte(slot, 2), year(slot)); }
    std::int64_t nonEmptyCount() const
    {
        std::int64_t n = 0;
        for (std::int64_t r = 1; r <= m_count; ++r) {
            n += empty(r) ? 0 : 1;
        }
        return n;
    }
    void overwrite(std::int64_t slot, const std::string& record)
    {
        m_bytes.replace(static_cast<std::size_t>((slot - 1) * m_recordSize), record.size(), record);
    }

    // prefix, then the slot's numbers from byte 4 on, each followed by a blank but the last: two
    // digits with a leading zero, or one character per digit for PROTO. One allocation at most.
    std::string numbers(std::int64_t slot, bool twoDigits, std::string_view prefix) const
    {
        char text[128];
        char* out = std::copy(prefix.begin(), prefix.end(), text);
        for (int k = 4; k <= m_recordSize; ++k) {
            if (k > 4) {
                *out++ = ' ';
            }
            const int n = byte(slot, k);
            if (twoDigits) {
                *out++ = static_cast<char>('0' + n / 10 % 10);
                *out++ = static_cast<char>('0' + n % 10);
            } else {
                out = std::to_chars(out, out + 3, n).ptr;
            }
        }
        return std::string(text, out);
    }
    std::string numberedDate(std::int64_t n, int width, std::int64_t slot) const
    {
        return NumberedDate(n, width, byte(slot, 1), byte(slot, 2), year(slot));
    }

private:
    std::string m_bytes;
    int m_recordSize;
    std::int64_t m_count;
};

const ViewSettings LottoSettings = {"LOTTO", "LOTTO", 365, 130, "  No Ημερομηνία", "        Νικήτριες"};
const ViewSettings GoalSettings = {"GOAL", "GOAL", 370, 130, "  No Ημερομηνία", "        Νικήτριες"};
const ViewSettings JokerSettings = {"JOKER", "JOKER", 365, 130, "  No Ημερομηνία", "        Νικήτριες"};

const ViewSettings ProtoSettings = {"PROTO", "PROTO", 300, 127, "  No Ημερομηνία", "    Νικήτριες"};
const ViewSettings ExtraSettings = {"EXTRA", "EXTRA", 310, 140, "  No  Ημερομηνία", "    Νικήτριες"};

// One row per non-empty slot, in slot order; cells(row, slot) gives the two cell texts.
template <typename Cells>
DrawView FillSlotView(const ViewSettings& settings, const SlotTable& table, int firstYear, Cells cells)
{
    DrawView view = StartView(settings, table.nonEmptyCount());
    int row = 0;
    for (std::int64_t r = 1; r <= table.count(); ++r) {
        if (table.empty(r)) {
            continue;
        }
        ++row;
        auto [column0, column1] = cells(row, r);
        view.grid.setCell(0, row, std::move(column0));
        view.grid.setCell(1, row, std::move(column1));
        NoteFirstYear(view, row, table.year(r), firstYear);
    }
    ScrollToLastDraw(view.grid);
    return view;
}

} // namespace

// The draw of 20-01-2020 is always shown in its slot, whatever the file holds there.
std::string ExtraFixedDraw()
{
    return {20, 1, 70, 7, 11, 18, 20, 27};
}

DrawView BuildLottoView(const std::string& folder, GameCode game, int firstYear)
{
    const GameInfo& info = GameInfoFor(game);
    const SlotTable table(folder + info.resultsFile, info.recordSize);
    const ViewSettings& settings =
        game == GameCode::Goal ? GoalSettings : (game == GameCode::Joker ? JokerSettings : LottoSettings);
    // GOAL's eight numbers take the room of LOTTO's indent.
    const char* indent = game == GameCode::Goal ? " " : "    ";
    return FillSlotView(settings, table, firstYear, [&](int row, std::int64_t r) {
        return std::pair(table.numberedDate(row, 4, r), table.numbers(r, true, indent));
    });
}

DrawView BuildProtoView(const std::string& folder, int firstYear)
{
    const SlotTable table(folder + GameInfoFor(GameCode::Proto).resultsFile, GameInfoFor(GameCode::Proto).recordSize);
    return FillSlotView(ProtoSettings, table, firstYear, [&](int row, std::int64_t r) {
        return std::pair(ZeroPad4(row) + ' ' + table.date(r), table.numbers(r, false, "  "));
    });
}

DrawView BuildExtraView(const std::string& folder, int firstYear)
{
    SlotTable table(folder + GameInfoFor(GameCode::Extra).resultsFile, GameInfoFor(GameCode::Extra).recordSize);
    if (table.count() >= ExtraFixedSlot) {
        table.overwrite(ExtraFixedSlot, ExtraFixedDraw());
    }
    // Numbered by slot, so an empty slot leaves a gap in column 0.
    return FillSlotView(ExtraSettings, table, firstYear, [&](int, std::int64_t r) {
        return std::pair(table.numberedDate(r, 5, r), table.numbers(r, true, " "));
    });
}

} // namespace karvo
