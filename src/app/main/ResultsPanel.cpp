#include "app/main/ResultsPanel.h"

#include "app/main/Appearance.h"
#include "app/main/GameCatalogue.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace karvo {

ResultsPanel::ResultsPanel(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("rightPanel"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_titleLabel = new QLabel(this);
    m_titleLabel->setObjectName(QStringLiteral("titleLabel"));
    m_titleLabel->setFixedHeight(32);
    m_titleLabel->setFont(SansPixelFont(19, true));
    m_titleLabel->setAlignment(Qt::AlignCenter);
    Paint(m_titleLabel, colours::pink);
    column->addWidget(m_titleLabel);

    m_mainGrid = new GridView(13, 47, this);
    m_mainGrid->setObjectName(QStringLiteral("mainGrid"));
    m_mainGrid->setColours(colours::lightBlue, colours::cream);
    m_sideGrid = new GridView(11, 64, this);
    m_sideGrid->setObjectName(QStringLiteral("sideGrid"));
    m_sideGrid->setColours(colours::paleYellow, Qt::white);
    m_sideGrid->setFixedWidth(185);
    m_sideGrid->showGrid(CellGrid(9, 2));
    m_sideGrid->hide();
    auto* grids = new QHBoxLayout;
    grids->setSpacing(0);
    grids->addWidget(m_mainGrid, 1);
    grids->addWidget(m_sideGrid);
    column->addLayout(grids, 1);
    column->addWidget(buildBottomPanel());
}

QWidget* ResultsPanel::buildBottomPanel()
{
    auto* bottomPanel = new QWidget(this);
    bottomPanel->setObjectName(QStringLiteral("bottomPanel"));
    bottomPanel->setFixedHeight(55);
    Paint(bottomPanel, colours::moneyGreen);
    m_updateButton = PanelButton(UpdateCaption(GameCode::PropoSunday), SansPixelFont(13), Qt::blue,
                                 QRect(16, 9, 97, 37), bottomPanel);
    m_updateButton->setObjectName(QStringLiteral("updateButton"));
    m_commandsButton =
        PanelButton(QStringLiteral("CLICK"), SansPixelFont(13, true), Qt::red, QRect(146, 9, 65, 37), bottomPanel);
    m_commandsButton->setObjectName(QStringLiteral("commandsButton"));
    // MENU shows on the screens that hide the game buttons.
    m_menuButton = PanelButton(QStringLiteral("M E N U"), SansPixelFont(13, true), QColor(0x00, 0x80, 0x00),
                               QRect(730, 9, 79, 37), bottomPanel);
    m_menuButton->setObjectName(QStringLiteral("menuButton"));
    m_menuButton->hide();
    return bottomPanel;
}

} // namespace karvo
