// The right side of the main window: the title, the two grids and, below them, the update button,
// the commands button and MENU.
#pragma once

#include "app/main/GridView.h"

#include <QWidget>

class QLabel;
class QPushButton;

namespace karvo {

class ResultsPanel : public QWidget
{
    Q_OBJECT
public:
    explicit ResultsPanel(QWidget* parent);

    QLabel* titleLabel() const { return m_titleLabel; }
    // The wide grid: a game's results, or the list of stored days in the market views.
    GridView* mainGrid() const { return m_mainGrid; }
    // Beside it: a day's securities or funds; widened over the whole right side, the coupon.
    GridView* sideGrid() const { return m_sideGrid; }
    QPushButton* updateButton() const { return m_updateButton; }
    QPushButton* commandsButton() const { return m_commandsButton; }
    QPushButton* menuButton() const { return m_menuButton; }

private:
    QWidget* buildBottomPanel();

    QLabel* m_titleLabel = nullptr;
    GridView* m_mainGrid = nullptr;
    GridView* m_sideGrid = nullptr;
    QPushButton* m_updateButton = nullptr;
    QPushButton* m_commandsButton = nullptr;
    QPushButton* m_menuButton = nullptr;
};

} // namespace karvo
