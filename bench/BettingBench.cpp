// The coupon and the calculator at the sizes users reach: the calculator window opening on a
// 729-column system (six matches of three signs) and computing it, and a pasted coupon of 2,000
// lines cut into rows. The windows run on the offscreen platform.
#include "app/betting/SystemGridView.h"
#include "app/betting/SystemWindow.h"
#include "betting/Coupon.h"
#include "betting/CouponImport.h"
#include "betting/SystemCheck.h"
#include "util/Cp1253.h"
#include "util/Numbers.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

// Six matches with the signs 1X2 each: 729 columns.
karvo::CellGrid systemCoupon()
{
    karvo::CellGrid coupon = karvo::NewCoupon(7);
    for (int r = 1; r <= 6; ++r) {
        coupon.setCell(karvo::CodeColumn, r, " " + std::to_string(100 + r));
        coupon.setCell(karvo::Odd1Column, r, " 2,10");
        coupon.setCell(karvo::OddXColumn, r, " 3,20");
        coupon.setCell(karvo::Odd2Column, r, " 3,60");
        coupon.setCell(karvo::SystemColumn, r, "1X2");
    }
    return coupon;
}

void CalculatorOpens729Columns(benchmark::State& state)
{
    const karvo::CellGrid coupon = systemCoupon();
    karvo::CellTable table;
    karvo::CheckSystem(coupon, table, 999);
    karvo::SystemWindow calculator;
    for (auto _ : state) {
        calculator.showSystem(table, coupon);
        QCoreApplication::processEvents(); // laid out and painted
        state.PauseTiming();
        calculator.close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["columns"] = calculator.columnCount();
}
BENCHMARK(CalculatorOpens729Columns)->Unit(benchmark::kMillisecond);

void CalculateOver729Columns(benchmark::State& state)
{
    const karvo::CellGrid coupon = systemCoupon();
    karvo::CellTable table;
    karvo::CheckSystem(coupon, table, 999);
    karvo::SystemWindow calculator;
    calculator.showSystem(table, coupon);
    auto* grid = calculator.findChild<karvo::SystemGridView*>(QStringLiteral("columnsGrid"));
    for (int c = 0; c < calculator.columnCount(); ++c) {
        grid->gridModel()->mutableGrid().setCell(c, 10, "1,5"); // the stake row of six matches
    }
    for (auto _ : state) {
        calculator.onCalculateClicked();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(CalculateOver729Columns)->Unit(benchmark::kMillisecond);

void PasteCoupon2000Lines(benchmark::State& state)
{
    std::string text;
    for (int i = 0; i < 2000; ++i) {
        text += karvo::Utf8ToCp1253("Σαβ 17:00 ") + std::to_string(100 + i)
            + karvo::Utf8ToCp1253(" 1,85 Ολυμπιακός Πειραιά 3,40 Άρης Θεσσαλονίκης 4,20")
            + " 1,30 1,25 2,60 1,90 1,80 1,70 2,05 1,75\r\n";
    }
    for (auto _ : state) {
        karvo::CellGrid coupon = karvo::NewCoupon(40);
        karvo::PasteCoupon(coupon, text, 0);
        karvo::RecalcCoupon(coupon);
        benchmark::DoNotOptimize(coupon);
    }
}
BENCHMARK(PasteCoupon2000Lines)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    karvo::SetUserNumberFormat(karvo::NumberFormat::greek());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
