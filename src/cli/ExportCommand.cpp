#include "cli/ExportCommand.h"

#include "export/SpreadsheetExport.h"
#include "market/MarketViews.h"
#include "results/DrawHistory.h"
#include "results/DrawViews.h"
#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/KarvoError.h"

#include <QFile>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace karvo {

namespace {

// The newest stored KINO month as the window names a chosen period: relative to folder.
std::string NewestKinoMonth(const std::string& folder)
{
    const std::vector<KinoMonthFile> months = KinoMonthFiles(folder, 0);
    return months.empty() ? std::string() : months.back().path.substr(folder.size());
}

// The window's side grid after a market view opens: the frame, the stock's change caption, then
// the last stored day (against the day before it) when its file has rows.
CellGrid LastMarketDay(const std::string& folder, MarketKind kind)
{
    CellGrid grid = MarketGridFrame(kind);
    if (kind == MarketKind::Stock) {
        grid.setCell(1, 0, Utf8ToCp1253("ΜΕΤΑΒΟΛΗ%"));
    }
    const CellGrid days = MarketDateList(folder, kind);
    std::optional<CellGrid> shown = MarketDayGrid(folder, kind, days, days.currentRow());
    return shown ? std::move(*shown) : grid;
}

} // namespace

ExportList GameExportList(const std::string& folder, GameCode game, int firstYear)
{
    if (IsMarket(game)) {
        const bool stock = game == GameCode::Stock;
        return {LastMarketDay(folder, stock ? MarketKind::Stock : MarketKind::Funds), 1, stock ? "STOCK" : "AMB"};
    }
    DrawView view = BuildGameView(folder, game, firstYear, NewestKinoMonth(folder));
    return {std::move(view.grid), view.FirstYearRow, view.ExportBaseName};
}

std::string GameExportText(const std::string& folder, GameCode game, int firstYear)
{
    const ExportList list = GameExportList(folder, game, firstYear);
    return list.firstYearRow <= 0 ? std::string() : SpreadsheetText(list.grid, list.firstYearRow);
}

bool ExportGameList(const std::string& folder, GameCode game, int firstYear, const std::string& file)
{
    const std::string text = GameExportText(folder, game, firstYear);
    if (text.empty()) {
        return false;
    }
    WriteExportFile(file, text);
    return true;
}

void WriteExportFile(const std::string& file, std::string_view bytes)
{
    const QByteArray path = QFile::encodeName(NativePath(file));
    struct stat st;
    if (::stat(path.constData(), &st) != 0 || S_ISREG(st.st_mode)) {
        ReplaceFileOrThrow(file, bytes);
        return;
    }
    const auto fail = [&file](int error) {
        throw KarvoError("Δεν ήταν δυνατή η εγγραφή του αρχείου " + Cp1253ToUtf8(file) + ": " + std::strerror(error));
    };
    if (S_ISDIR(st.st_mode)) {
        fail(EISDIR);
    }
    // A FIFO gets two seconds for its reader to come; one nobody reads fails (ENXIO), never hangs.
    int fd = -1;
    for (int tries = 0; (fd = ::open(path.constData(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC)) < 0; ++tries) {
        if (errno != ENXIO || tries == 40) {
            fail(errno);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const int error = WriteAll(fd, bytes);
    const int closed = ::close(fd) == 0 ? 0 : errno;
    if (error != 0 || closed != 0) {
        fail(error != 0 ? error : closed);
    }
}

} // namespace karvo
