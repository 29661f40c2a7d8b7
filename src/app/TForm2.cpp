#include "app/TForm2.h"

#include "app/Appearance.h"
#include "app/GridView.h"
#include "app/KeyCodes.h"
#include "app/SystemGrid.h"
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

constexpr int kKeyF11 = 122;
constexpr int kRowHeight = 25;
constexpr int kSeparatorHeight = 5;
constexpr int kMatchesWidth = 623;
constexpr int kBottomHeight = 30;
const int kMatchWidths[] = {45, 175, 175, 50, 50, 50, 65, 5};

const char* const kNote = " Βάλε ποσό σε κάθε στήλη     Βάλε * στο ποσό για να\n"
                          " και πάτα το \"Υπολόγισε\"      μην παίζει η στήλη.\n"
                          "\n"
                          " Πάτα το \"Συνολικό ποσό\" και παίξε για\n"
                          " να έχεις ίδιο κέρδος σε όλες τις στήλες.";

QColor matchColour(int column)
{
    switch (column) {
    case 0:
    case 6: return colours::couponCode;
    case 1:
    case 2: return colours::couponTeam;
    default: return colours::couponOdds;
    }
}

} // namespace

TForm2::TForm2(QWidget* parent)
    : QWidget(parent)
    , m_ui(this)
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Σύστημα"));
    // Closing the calculator never ends the program; only the main window does.
    setAttribute(Qt::WA_QuitOnClose, false);
    SG1 = new SystemGridView([this](int c, int r, int role) { return matchesRole(c, r, role); }, this);
    SG1->setObjectName(QStringLiteral("SG1"));
    SG1->setFont(FixedPixelFont(13, true));
    SG1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    SG1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SG2 = new SystemGridView([this](int c, int r, int role) { return columnsRole(c, r, role); }, this);
    SG2->setObjectName(QStringLiteral("SG2"));
    SG2->setFont(FixedPointFont(11, true));
    buildPanels();
    resize(1033, fixedHeight());
    // Key preview: F11 reaches the window before the grids and their editors.
    qApp->installEventFilter(this);
}

TForm2::~TForm2()
{
    qApp->removeEventFilter(this);
}

void TForm2::buildPanels()
{
    Panel4 = new QWidget(this);
    Panel4->setObjectName(QStringLiteral("Panel4"));
    Panel4->setFixedSize(549, 93);
    Memo1 = new QPlainTextEdit(QString::fromUtf8(kNote), Panel4);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setFont(SansPixelFont(11));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setGeometry(0, 0, 330, 93);
    CALC = new QPushButton(QStringLiteral("Υπολόγισε"), Panel4);
    CALC->setObjectName(QStringLiteral("CALC"));
    CALC->setGeometry(336, 2, 100, 28);
    connect(CALC, &QPushButton::clicked, this, [this] { CALCClick(); });
    ALL_POSO = new QPushButton(QStringLiteral("Συνολικό Ποσό"), Panel4);
    ALL_POSO->setObjectName(QStringLiteral("ALL_POSO"));
    ALL_POSO->setGeometry(336, 33, 211, 28);
    connect(ALL_POSO, &QPushButton::clicked, this, [this] { ALL_POSOClick(); });
    APOD = new QLabel(Panel4);
    APOD->setObjectName(QStringLiteral("APOD"));
    APOD->setFont(SansPixelFont(12, true));
    APOD->setGeometry(336, 66, 211, 24);

    BOTTOM_Panel = new QWidget(this);
    BOTTOM_Panel->setObjectName(QStringLiteral("BOTTOM_Panel"));
    BOTTOM_Panel->setFixedHeight(kBottomHeight);
    auto* logo = new QLabel(BOTTOM_Panel);
    logo->setObjectName(QStringLiteral("Logo"));
    logo->setPixmap(QPixmap(QStringLiteral(":/images/betlogo.jpg")));
    logo->setGeometry(4, (kBottomHeight - 23) / 2, 101, 23);
    auto* luck = new QLabel(QStringLiteral("ΚAΛΗ ΤΥΧΗ !"), BOTTOM_Panel);
    luck->setObjectName(QStringLiteral("Luck"));
    luck->setFont(SansPixelFont(13, true));
    luck->setAlignment(Qt::AlignCenter);
    luck->setGeometry(110, 0, 200, kBottomHeight);
}

int TForm2::fixedHeight() const
{
    return (SystemMatchCount + 5) * 26 + kBottomHeight + 32;
}

void TForm2::showSystem(const CellTable& handover, const CellGrid& coupon)
{
    SystemGrids grids = ExpandSystem(handover, coupon);
    SystemMatchCount = grids.matchCount;
    SystemColumnCount = grids.columnCount;
    SG1->gridModel()->setGrid(std::move(grids.matches), -1);
    SG2->gridModel()->setGrid(std::move(grids.columns), StakeRow(SystemMatchCount));
    for (int c = 0; c < 8; ++c) {
        SG1->setColumnWidth(c, kMatchWidths[c]);
    }
    SG2->horizontalHeader()->setDefaultSectionSize(99);
    setRowHeights();
    APOD->setText(ToQString(grids.returnFactor));
    ALL_POSO->setText(QStringLiteral("Συνολικό Ποσό"));
    setMinimumHeight(fixedHeight());
    setMaximumHeight(fixedHeight());
    resize(1033, fixedHeight());
    placeControls();
    show();
    raise();
}

void TForm2::setRowHeights()
{
    const int n = SystemMatchCount;
    for (SystemGridView* grid : {SG1, SG2}) {
        grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
        grid->verticalHeader()->resizeSection(n + 1, kSeparatorHeight);
    }
    SG1->verticalHeader()->resizeSection(n + 5, 15);
}

void TForm2::placeControls()
{
    const int gridHeight = height() - kBottomHeight;
    SG1->setGeometry(0, 0, kMatchesWidth, gridHeight);
    SG2->setGeometry(kMatchesWidth, 0, std::max(width() - kMatchesWidth, 0), gridHeight);
    Panel4->move(0, (SystemMatchCount + 1) * 26 + 7);
    Panel4->raise();
    BOTTOM_Panel->setGeometry(0, gridHeight, width(), kBottomHeight);
}

QVariant TForm2::matchesRole(int column, int row, int role) const
{
    const int n = SystemMatchCount;
    if (role == Qt::TextAlignmentRole) {
        return column >= 3 ? QVariant(Qt::AlignCenter) : QVariant(Qt::AlignLeft | Qt::AlignTop);
    }
    if (role != Qt::BackgroundRole || column == 7 || row == n + 1) {
        return QVariant();
    }
    if (row == 0) {
        return colours::couponCaption;
    }
    if (column == 6) {
        switch (row - n) {
        case 2: return QColor(128, 255, 128);
        case 3: return QColor(255, 128, 255);
        case 4: return QColor(228, 226, 222);
        default: return matchColour(6);
        }
    }
    return row > n ? QColor(243, 243, 243) : matchColour(column);
}

QVariant TForm2::columnsRole(int /*column*/, int row, int role) const
{
    const int n = SystemMatchCount;
    switch (role) {
    case Qt::TextAlignmentRole: return QVariant(Qt::AlignCenter);
    case Qt::BackgroundRole:
        if (row == 0) {
            return colours::couponCaption;
        }
        if (row == n + 1) {
            return QVariant();
        }
        return row == n + 2 ? QColor(183, 255, 183)
            : row == n + 3  ? QColor(255, 174, 255)
            : row == n + 4  ? QColor(Qt::white)
                            : QColor(245, 254, 218);
    default: return QVariant();
    }
}

void TForm2::showSummary(const std::string& returnFactor, const std::string& totalCaption)
{
    SG2->gridModel()->refresh();
    APOD->setText(ToQString(returnFactor));
    ALL_POSO->setText(ToQString(totalCaption));
}

void TForm2::CALCClick()
{
    CommitOpenEditor(SG2);
    const StakeSummary summary = CalcColumns(SG2->gridModel()->mutableGrid(), SystemMatchCount);
    showSummary(summary.returnFactor, summary.totalCaption);
}

void TForm2::ALL_POSOClick()
{
    CommitOpenEditor(SG2);
    std::string typed;
    if (!m_ui.InputChoice(Utf8ToCp1253("Συνολικό Ποσό €"), std::string(), typed)) {
        return;
    }
    StakeSummary summary;
    if (SpreadTotal(SG2->gridModel()->mutableGrid(), SystemMatchCount, typed, summary)) {
        showSummary(summary.returnFactor, summary.totalCaption);
    }
}

void TForm2::STROGYLEMA()
{
    CommitOpenEditor(SG2);
    if (SystemColumnCount == 0) {
        return;
    }
    const StakeSummary summary = RoundStakes(SG2->gridModel()->mutableGrid(), SystemMatchCount);
    showSummary(summary.returnFactor, summary.totalCaption);
}

void TForm2::FormClose()
{
    for (SystemGridView* grid : {SG1, SG2}) {
        grid->verticalHeader()->resizeSection(SystemMatchCount + 1, grid->verticalHeader()->sectionSize(0));
    }
}

void TForm2::closeEvent(QCloseEvent* event)
{
    FormClose();
    QWidget::closeEvent(event);
}

void TForm2::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
    // A desktop without a window manager ignores the size limits: the height is put back.
    if (isVisible() && height() != fixedHeight()) {
        QTimer::singleShot(0, this, [this] { resize(width(), fixedHeight()); });
    }
}

bool TForm2::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isVisible()) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget != nullptr && widget->window() == this && KeyCodeOf(*static_cast<QKeyEvent*>(event)) == kKeyF11) {
            STROGYLEMA();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace karvo
