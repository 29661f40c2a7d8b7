// Construction of the main window: panels, buttons, grids and status bar.
#include "app/TForm1.h"

#include "app/Appearance.h"
#include "app/BetView.h"
#include "app/GameCatalogue.h"
#include "app/KeyCodes.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

namespace karvo {

namespace {

constexpr int kLeftPanelWidth = 305;
const char* const kTagProperty = "tag";

// A widget painted in one colour.
void paint(QWidget* widget, const QColor& colour, QPalette::ColorRole role = QPalette::Window)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
    if (role == QPalette::Window) {
        widget->setAutoFillBackground(true);
    }
}

QPushButton* button(const QString& text, const QFont& font, const QColor& textColour, QRect geometry, QWidget* parent)
{
    auto* result = new QPushButton(text, parent);
    result->setFont(font);
    paint(result, textColour, QPalette::ButtonText);
    result->setGeometry(geometry);
    result->setFocusPolicy(Qt::NoFocus);
    return result;
}

} // namespace

TForm1::TForm1(std::string workingFolder, TodayProvider today, QWidget* parent)
    : QMainWindow(parent)
    , m_folder(std::move(workingFolder))
    , m_today(std::move(today))
    , m_ui(this)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("KARVO-Νικήτριες 5.0"));
    auto* central = new QWidget(this);
    paint(central, colours::skyBlue);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildLeftPanel());
    layout->addWidget(buildRightPanel(), 1);
    setCentralWidget(central);
    buildStatusBar();
    m_bet = new BetView(SG1, m_state, m_ui, m_folder, this);
    m_ui.setStatusSink([this](const QString& text) { StatusNotice(text); });

    resize(896, 580);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    setTag(1);
    // Key preview: F3 is seen wherever the focus is in this window.
    qApp->installEventFilter(this);
}

TForm1::~TForm1()
{
    qApp->removeEventFilter(this);
}

int TForm1::tag() const
{
    return property(kTagProperty).toInt();
}

void TForm1::setTag(int tag)
{
    setProperty(kTagProperty, tag);
}

void TForm1::setCalculator(TForm2* calculator)
{
    m_bet->setCalculator(calculator);
}

QWidget* TForm1::buildLeftPanel()
{
    P_LEFT = new QWidget(this);
    P_LEFT->setObjectName(QStringLiteral("P_LEFT"));
    P_LEFT->setFixedWidth(kLeftPanelWidth);
    P_LEFT->setMouseTracking(true);
    paint(P_LEFT, colours::teal);

    // Three columns of small buttons, then two rows of two wider ones.
    static const QPoint places[] = {{24, 24},   {116, 24},  {208, 24}, {24, 88},  {116, 88},  {208, 88}, {24, 152},
                                    {116, 152}, {208, 152}, {48, 216}, {48, 272}, {168, 216}, {168, 272}};
    for (const GameEntry& game : GameCatalogue()) {
        const int index = ToInt(game.GameCode) - 1;
        const QPoint place = places[index];
        // The nine small buttons come first; KINO and the rest are the wider ones.
        const QSize size = game.GameCode < GameCode::Kino ? QSize(73, 41) : QSize(89, 33);
        QPushButton* b =
            button(QString::fromUtf8(game.caption), SansPixelFont(11, true), game.colour, QRect(place, size), P_LEFT);
        b->setObjectName(QString::fromLatin1(game.objectName));
        b->setProperty(kTagProperty, ToInt(game.GameCode));
        connect(b, &QPushButton::clicked, this, [this, b] { OPAPClick(b); });
    }

    auto* brand = new QLabel(QStringLiteral("KARVO"), P_LEFT);
    brand->setObjectName(QStringLiteral("BRAND"));
    brand->setFont(FixedPixelFont(40, true));
    brand->setAlignment(Qt::AlignCenter);
    brand->setGeometry(24, 328, 257, 56);
    paint(brand, colours::yellow);
    auto* second = new QLabel(QStringLiteral("Νικήτριες 5.0"), P_LEFT);
    second->setObjectName(QStringLiteral("BRAND2"));
    second->setFont(SansPixelFont(17, true));
    second->setAlignment(Qt::AlignCenter);
    second->setGeometry(24, 392, 257, 26);
    paint(second, Qt::white, QPalette::WindowText);

    WEB = new QLabel(QStringLiteral("Karvo στο διαδίκτυο"), P_LEFT);
    WEB->setObjectName(QStringLiteral("WEB"));
    QFont serif(QStringLiteral("Times New Roman"));
    serif.setStyleHint(QFont::Serif);
    serif.setPixelSize(19);
    serif.setUnderline(true);
    WEB->setFont(serif);
    WEB->setAlignment(Qt::AlignCenter);
    WEB->setGeometry(24, 432, 257, 26);
    WEB->setCursor(Qt::PointingHandCursor);
    WEB->setMouseTracking(true);
    paint(WEB, colours::silver, QPalette::WindowText);

    Edit1 = new QLineEdit(QStringLiteral("karvo@example.org"), P_LEFT);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setReadOnly(true);
    Edit1->setFrame(false);
    Edit1->setAlignment(Qt::AlignCenter);
    Edit1->setGeometry(24, 468, 257, 22);
    paint(Edit1, colours::teal, QPalette::Base);
    paint(Edit1, Qt::white, QPalette::Text);
    return P_LEFT;
}

QWidget* TForm1::buildRightPanel()
{
    P_RIGHT = new QWidget(this);
    P_RIGHT->setObjectName(QStringLiteral("P_RIGHT"));
    auto* column = new QVBoxLayout(P_RIGHT);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    P_TOP = new QLabel(P_RIGHT);
    P_TOP->setObjectName(QStringLiteral("P_TOP"));
    P_TOP->setFixedHeight(32);
    P_TOP->setFont(SansPixelFont(19, true));
    P_TOP->setAlignment(Qt::AlignCenter);
    paint(P_TOP, colours::pink);
    column->addWidget(P_TOP);

    SG = new GridView(13, 47, P_RIGHT);
    SG->setObjectName(QStringLiteral("SG"));
    SG->setColours(colours::lightBlue, colours::cream);
    SG1 = new GridView(11, 64, P_RIGHT);
    SG1->setObjectName(QStringLiteral("SG1"));
    SG1->setColours(colours::paleYellow, Qt::white);
    SG1->setFixedWidth(185);
    SG1->showGrid(CellGrid(9, 2));
    SG1->hide();
    // The day list of the market views and the captions of their side grid.
    connect(SG->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& current) {
        if (!m_quietSelect && current.isValid()) {
            SGSelectCell(current.column(), GridModel::gridRow(current.row()));
        }
    });
    // The second press of a double click arrives as the double click alone: it sorts too.
    for (auto signal : {&QHeaderView::sectionPressed, &QHeaderView::sectionDoubleClicked}) {
        connect(SG1->horizontalHeader(), signal, this, [this](int section) { SG1MouseDown(section); });
    }
    auto* grids = new QHBoxLayout;
    grids->setSpacing(0);
    grids->addWidget(SG, 1);
    grids->addWidget(SG1);
    column->addLayout(grids, 1);
    column->addWidget(buildBottomPanel());
    return P_RIGHT;
}

QWidget* TForm1::buildBottomPanel()
{
    P_BOTTOM = new QWidget(P_RIGHT);
    P_BOTTOM->setObjectName(QStringLiteral("P_BOTTOM"));
    P_BOTTOM->setFixedHeight(55);
    paint(P_BOTTOM, colours::moneyGreen);
    UPDATE = button(UpdateCaption(GameCode::PropoSunday), SansPixelFont(13), Qt::blue, QRect(16, 9, 97, 37), P_BOTTOM);
    UPDATE->setObjectName(QStringLiteral("UPDATE"));
    connect(UPDATE, &QPushButton::clicked, this, [this] { UpdateClick(); });
    CLICK = button(QStringLiteral("CLICK"), SansPixelFont(13, true), Qt::red, QRect(146, 9, 65, 37), P_BOTTOM);
    CLICK->setObjectName(QStringLiteral("CLICK"));
    MENU = button(QStringLiteral("M E N U"), SansPixelFont(13, true), QColor(0x00, 0x80, 0x00), QRect(730, 9, 79, 37),
                  P_BOTTOM);
    MENU->setObjectName(QStringLiteral("MENU"));
    MENU->hide();
    connect(MENU, &QPushButton::clicked, this, [this] { MENUClick(); });
    connect(CLICK, &QPushButton::clicked, this, [this] { CLICKClick(); });
    return P_BOTTOM;
}

void TForm1::buildStatusBar()
{
    SBar = new QStatusBar(this);
    SBar->setObjectName(QStringLiteral("SBar"));
    SBar->setSizeGripEnabled(false);
    m_panel0 = new QLabel(SBar);
    m_panel0->setObjectName(QStringLiteral("Panel0"));
    m_panel0->setFixedWidth(kLeftPanelWidth);
    m_panel0->setAlignment(Qt::AlignCenter);
    m_panel1 = new QLabel(SBar);
    m_panel1->setObjectName(QStringLiteral("Panel1"));
    SBar->addWidget(m_panel0);
    SBar->addWidget(m_panel1, 1);
    setStatusBar(SBar);
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* widget = qobject_cast<QWidget*>(watched);
        const int code = KeyCodeOf(*static_cast<QKeyEvent*>(event));
        if (widget != nullptr && widget->window() == this && code == 114) {
            FormKeyDown(code);
            return true;
        }
        break;
    }
    case QEvent::MouseMove:
        // Taken here, so that the move over the label does not travel on to the panel.
        if (watched == WEB) {
            WEBMouseMove(true);
            return true;
        }
        if (watched == P_LEFT) {
            WEBMouseMove(false);
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == WEB && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            WEBClick();
            return true;
        }
        break;
    default: break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace karvo
