// The KINO view of one month file: draw number, day and time in column 0, the twenty numbers
// in column 1.
#include "results/KinoView.h"

#include "results/ResultsFiles.h"
#include "results/ViewFrame.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"
#include "util/Text.h"

namespace karvo {

namespace {

constexpr int DrawFieldLength = 16;
constexpr int NumbersLength = 59;

// "yyyy_mm" of the chosen month's file; empty before any choice.
std::string KinoPeriod(const std::string& kinoPeriodFile)
{
    int year = 0;
    int month = 0;
    if (!KinoMonthOfFileName(kinoPeriodFile, year, month)) {
        return {};
    }
    return ZeroPad(year, 4) + "_" + ZeroPad(month, 2);
}

int Byte(const std::string& bytes, std::int64_t record, int k)
{
    return static_cast<unsigned char>(bytes[static_cast<std::size_t>(record * KinoRecordSize + k - 1)]);
}

// Draw number from position 1, day and time from position 9, cut at 16 characters.
std::string DrawField(std::int64_t draw, int day, int hour, int minute)
{
    std::string field = Spaces(DrawFieldLength);
    Overwrite(field, 1, IntToText(draw));
    Overwrite(field, 9, IntToText(day) + ' ' + IntToText(hour) + ':' + IntToText(minute));
    return field;
}

// Twenty two-digit numbers, a blank after each but the last; digits written in place, as the
// widest month has tens of thousands of lines.
std::string NumbersLine(const std::string& bytes, std::int64_t record)
{
    std::string line(NumbersLength, ' ');
    for (int k = 1; k <= 20; ++k) {
        const int n = Byte(bytes, record, k);
        line[static_cast<std::size_t>(3 * k - 3)] = static_cast<char>('0' + n / 10 % 10);
        line[static_cast<std::size_t>(3 * k - 2)] = static_cast<char>('0' + n % 10);
    }
    return line;
}

} // namespace

DrawView BuildKinoView(const std::string& folder, const std::string& kinoPeriodFile)
{
    const ViewSettings settings = {"K I N O", "KINO", 654, 135, "   No   Μερα-Ωρα", ""};
    // Before any period is chosen there is no file to read.
    const std::string bytes = kinoPeriodFile.empty() ? std::string() : ReadKinoFile(folder + kinoPeriodFile);
    const std::int64_t records = static_cast<std::int64_t>(bytes.size()) / KinoRecordSize;
    // A file of the header alone shows no draw.
    DrawView view = StartView(settings, records > 1 ? records - 1 : 0);
    view.grid.setCell(1, 0, "   " + KinoPeriod(kinoPeriodFile) + Utf8ToCp1253("     Νικήτριες"));
    view.clearsStatus = true;
    if (records <= 1) {
        return view;
    }
    const std::int64_t first = KinoFirstDraw(bytes);
    for (std::int64_t r = 1; r < records; ++r) {
        const int row = static_cast<int>(r);
        view.grid.setCell(0, row, DrawField(first + r - 1, Byte(bytes, r, 21), Byte(bytes, r, 22), Byte(bytes, r, 23)));
        if (Byte(bytes, r, 1) != 0) {
            view.grid.setCell(1, row, NumbersLine(bytes, r));
        }
    }
    ScrollToLastDraw(view.grid);
    view.FirstYearRow = 1;
    return view;
}

} // namespace karvo
