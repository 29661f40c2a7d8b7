#include "app/tickets/TicketWinsNotice.h"

#include "results/DrawHistory.h"
#include "tickets/TicketResults.h"
#include "util/Cp1253.h"
#include "util/KarvoError.h"

#include <QMessageBox>
#include <QStringList>

namespace karvo {

namespace {

// More lines than this would make the box taller than a screen: a KINO ticket after months fetched.
constexpr int kLinesShown = 20;

} // namespace

void ShowTicketWins(QWidget* parent, const std::vector<std::string>& lines)
{
    if (lines.empty()) {
        return;
    }
    QStringList all;
    for (const std::string& line : lines) {
        all << ToQString(line);
    }
    QMessageBox box(QMessageBox::Information, QStringLiteral("Τα δελτία μου"), QString(), QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("ticketWinsNotice"));
    if (all.size() <= kLinesShown) {
        box.setText(all.join(u'\n'));
    } else {
        box.setText(all.mid(0, kLinesShown).join(u'\n')
                    + QStringLiteral("\nκαι άλλες %1 (στις λεπτομέρειες)").arg(all.size() - kLinesShown));
        box.setDetailedText(all.join(u'\n'));
    }
    box.exec();
}

std::optional<HistoryEnd> LastDrawBeforeUpdate(const std::string& folder, GameCode game)
{
    try {
        return LastStoredDraw(folder, game);
    } catch (const KarvoError&) {
        return std::nullopt;
    }
}

void TellTicketWins(QWidget* parent, const std::string& folder, GameCode game, const std::optional<HistoryEnd>& before)
{
    if (before && !(LastStoredDraw(folder, game) == *before)) {
        ShowTicketWins(parent, TicketWinsOfUpdate(folder, {{game, *before}}));
    }
}

} // namespace karvo
