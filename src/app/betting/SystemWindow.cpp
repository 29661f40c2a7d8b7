#include "app/betting/SystemWindow.h"

#include "app/betting/SystemGridView.h"
#include "app/main/Appearance.h"
#include "app/main/GridView.h"
#include "app/main/KeyCodes.h"
#include "betting/SystemCalc.h"
#include "util/Cp1253.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

namespace karvo {

namespace {

constexpr int kRowHeight = 25;
constexpr int kSeparatorHeight = 5;
constexpr int kMatchesWidth = 623;
constexpr int kBottomHeight = 30;
const int kMatchWidths[kSystemMatchColumns] = {45, 175, 175, 50, 50, 50, 65, 5};

const char* const kNote = " Βάλε ποσό σε κάθε στήλη     Βάλε * στο ποσό για να\n"
                          " και πάτα το \"Υπολόγισε\"      μην παίζει η στήλη.\n"
                          "\n"
                          " Πάτα το \"Συνολικό ποσό\" και παίξε για\n"
                          " να έχεις ίδιο κέρδος σε όλες τις στήλες.";

QColor matchColour(int column)
{
    switch (column) {
    case CodeColumn:
    case MatchSignsColumn: return colours::couponCode;
    case HomeColumn:
    case AwayColumn: return colours::couponTeam;
    default: return colours::couponOdds;
    }
}

} // namespace

SystemWindow::SystemWindow(QWidget* parent)
    : QWidget(parent)
    , m_ui(this)
{
    setObjectName(QStringLiteral("SystemWindow"));
    setWindowTitle(QStringLiteral("Σύστημα"));
    // Closing the calculator never ends the program; only the main window does.
    setAttribute(Qt::WA_QuitOnClose, false);
    m_matchesGrid = new SystemGridView([this](int c, int r, int role) { return matchesRole(c, r, role); }, this);
    m_matchesGrid->setObjectName(QStringLiteral("matchesGrid"));
    m_matchesGrid->setFont(FixedPixelFont(13, true));
    m_matchesGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_matchesGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_columnsGrid = new SystemGridView([this](int c, int r, int role) { return columnsRole(c, r, role); }, this);
    m_columnsGrid->setObjectName(QStringLiteral("columnsGrid"));
    m_columnsGrid->setFont(FixedPointFont(11, true));
    buildPanels();
    resize(1033, fixedHeight());
    // Key preview: F11 reaches the window before the grids and their editors.
    qApp->installEventFilter(this);
}

SystemWindow::~SystemWindow()
{
    qApp->removeEventFilter(this);
}

void SystemWindow::buildPanels()
{
    m_controlsPanel = new QWidget(this);
    m_controlsPanel->setObjectName(QStringLiteral("controlsPanel"));
    m_controlsPanel->setFixedSize(549, 93);
    m_note = new QPlainTextEdit(QString::fromUtf8(kNote), m_controlsPanel);
    m_note->setObjectName(QStringLiteral("note"));
    m_note->setReadOnly(true);
    m_note->setFont(SansPixelFont(11));
    m_note->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_note->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_note->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_note->setGeometry(0, 0, 330, 93);
    m_calculateButton = new QPushButton(QStringLiteral("Υπολόγισε"), m_controlsPanel);
    m_calculateButton->setObjectName(QStringLiteral("calculateButton"));
    m_calculateButton->setGeometry(336, 2, 100, 28);
    connect(m_calculateButton, &QPushButton::clicked, this, [this] { onCalculateClicked(); });
    m_spreadTotalButton = new QPushButton(QStringLiteral("Συνολικό Ποσό"), m_controlsPanel);
    m_spreadTotalButton->setObjectName(QStringLiteral("spreadTotalButton"));
    m_spreadTotalButton->setGeometry(336, 33, 211, 28);
    connect(m_spreadTotalButton, &QPushButton::clicked, this, [this] { onSpreadTotalClicked(); });
    m_systemReturnLabel = new QLabel(m_controlsPanel);
    m_systemReturnLabel->setObjectName(QStringLiteral("systemReturnLabel"));
    m_systemReturnLabel->setFont(SansPixelFont(12, true));
    m_systemReturnLabel->setGeometry(336, 66, 211, 24);

    m_bottomPanel = new QWidget(this);
    m_bottomPanel->setObjectName(QStringLiteral("bottomPanel"));
    m_bottomPanel->setFixedHeight(kBottomHeight);
    auto* logo = new QLabel(m_bottomPanel);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setPixmap(QPixmap(QStringLiteral(":/images/betlogo.jpg")));
    logo->setGeometry(4, (kBottomHeight - 23) / 2, 101, 23);
    auto* luck = new QLabel(QStringLiteral("ΚAΛΗ ΤΥΧΗ !"), m_bottomPanel);
    luck->setObjectName(QStringLiteral("luckLabel"));
    luck->setFont(SansPixelFont(13, true));
    luck->setAlignment(Qt::AlignCenter);
    luck->setGeometry(110, 0, 200, kBottomHeight);
}

int SystemWindow::fixedHeight() const
{
    // The columns grid's rows at 26 pixels each, then the bottom panel and the frame.
    return (StakeRow(m_matchCount) + 1) * 26 + kBottomHeight + 32;
}

void SystemWindow::showSystem(const CellTable& handover, const CellGrid& coupon)
{
    SystemGrids grids = ExpandSystem(handover, coupon);
    m_matchCount = grids.matchCount;
    m_columnCount = grids.columnCount;
    m_matchesGrid->gridModel()->setGrid(std::move(grids.matches), -1);
    m_columnsGrid->gridModel()->setGrid(std::move(grids.columns), StakeRow(m_matchCount));
    for (int c = 0; c < kSystemMatchColumns; ++c) {
        m_matchesGrid->setColumnWidth(c, kMatchWidths[c]);
    }
    m_columnsGrid->horizontalHeader()->setDefaultSectionSize(99);
    setRowHeights();
    m_systemReturnLabel->setText(ToQString(grids.returnFactor));
    m_spreadTotalButton->setText(QStringLiteral("Συνολικό Ποσό"));
    setMinimumHeight(fixedHeight());
    setMaximumHeight(fixedHeight());
    resize(1033, fixedHeight());
    placeControls();
    show();
    raise();
}

void SystemWindow::setRowHeights()
{
    const int n = m_matchCount;
    for (SystemGridView* grid : {m_matchesGrid, m_columnsGrid}) {
        grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
        grid->verticalHeader()->resizeSection(SeparatorRow(n), kSeparatorHeight);
    }
    m_matchesGrid->verticalHeader()->resizeSection(SpacerRow(n), 15);
}

void SystemWindow::placeControls()
{
    const int gridHeight = height() - kBottomHeight;
    m_matchesGrid->setGeometry(0, 0, kMatchesWidth, gridHeight);
    m_columnsGrid->setGeometry(kMatchesWidth, 0, std::max(width() - kMatchesWidth, 0), gridHeight);
    // Just below the separator, over the rows of odds, winnings and stakes.
    m_controlsPanel->move(0, SeparatorRow(m_matchCount) * 26 + 7);
    m_controlsPanel->raise();
    m_bottomPanel->setGeometry(0, gridHeight, width(), kBottomHeight);
}

QVariant SystemWindow::matchesRole(int column, int row, int role) const
{
    const int n = m_matchCount;
    if (role == Qt::TextAlignmentRole) {
        return column >= Odd1Column ? QVariant(Qt::AlignCenter) : QVariant(Qt::AlignLeft | Qt::AlignTop);
    }
    if (role != Qt::BackgroundRole || column == MatchMarginColumn || row == SeparatorRow(n)) {
        return QVariant();
    }
    if (row == 0) {
        return colours::couponCaption;
    }
    if (column == MatchSignsColumn) {
        return row == OddsRow(n)    ? QColor(128, 255, 128)
            : row == WinningsRow(n) ? QColor(255, 128, 255)
            : row == StakeRow(n)    ? QColor(228, 226, 222)
                                    : matchColour(MatchSignsColumn);
    }
    return row > n ? QColor(243, 243, 243) : matchColour(column);
}

QVariant SystemWindow::columnsRole(int /*column*/, int row, int role) const
{
    const int n = m_matchCount;
    switch (role) {
    case Qt::TextAlignmentRole: return QVariant(Qt::AlignCenter);
    case Qt::BackgroundRole:
        if (row == 0) {
            return colours::couponCaption;
        }
        if (row == SeparatorRow(n)) {
            return QVariant();
        }
        return row == OddsRow(n)    ? QColor(183, 255, 183)
            : row == WinningsRow(n) ? QColor(255, 174, 255)
            : row == StakeRow(n)    ? QColor(Qt::white)
                                    : QColor(245, 254, 218);
    default: return QVariant();
    }
}

void SystemWindow::showSummary(const std::string& returnFactor, const std::string& totalCaption)
{
    m_columnsGrid->gridModel()->refresh();
    m_systemReturnLabel->setText(ToQString(returnFactor));
    m_spreadTotalButton->setText(ToQString(totalCaption));
}

void SystemWindow::onCalculateClicked()
{
    CommitOpenEditor(m_columnsGrid);
    const StakeSummary summary = CalcColumns(m_columnsGrid->gridModel()->mutableGrid(), m_matchCount);
    showSummary(summary.returnFactor, summary.totalCaption);
}

void SystemWindow::onSpreadTotalClicked()
{
    CommitOpenEditor(m_columnsGrid);
    std::string typed;
    if (!m_ui.InputChoice(Utf8ToCp1253("Συνολικό Ποσό €"), std::string(), typed)) {
        return;
    }
    StakeSummary summary;
    if (SpreadTotal(m_columnsGrid->gridModel()->mutableGrid(), m_matchCount, typed, summary)) {
        showSummary(summary.returnFactor, summary.totalCaption);
    }
}

void SystemWindow::roundStakes()
{
    CommitOpenEditor(m_columnsGrid);
    if (m_columnCount == 0) {
        return;
    }
    const StakeSummary summary = RoundStakes(m_columnsGrid->gridModel()->mutableGrid(), m_matchCount);
    showSummary(summary.returnFactor, summary.totalCaption);
}

void SystemWindow::restoreRowHeights()
{
    for (SystemGridView* grid : {m_matchesGrid, m_columnsGrid}) {
        grid->verticalHeader()->resizeSection(SeparatorRow(m_matchCount), grid->verticalHeader()->sectionSize(0));
    }
}

void SystemWindow::closeEvent(QCloseEvent* event)
{
    restoreRowHeights();
    QWidget::closeEvent(event);
}

void SystemWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
    // A desktop without a window manager ignores the size limits: the height is put back.
    if (isVisible() && height() != fixedHeight()) {
        QTimer::singleShot(0, this, [this] { resize(width(), fixedHeight()); });
    }
}

bool SystemWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isVisible()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this && KeyCodeOf(*static_cast<QKeyEvent*>(event)) == kKeyF11) {
            roundStakes();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace karvo
