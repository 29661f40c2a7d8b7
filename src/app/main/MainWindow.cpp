// Construction of the main window: panels, buttons, grids and status bar.
#include "app/main/MainWindow.h"

#include "app/betting/CouponView.h"
#include "app/main/Appearance.h"
#include "app/main/GameCatalogue.h"
#include "app/main/KeyCodes.h"

#include <QAction>
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

MainWindow::MainWindow(std::string workingFolder, TodayProvider today, QWidget* parent)
    : QMainWindow(parent)
    , m_folder(std::move(workingFolder))
    , m_today(std::move(today))
    , m_ui(this)
{
    setObjectName(QStringLiteral("MainWindow"));
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
    m_bet = new CouponView(m_sideGrid, m_state, m_ui, m_folder, this);
    m_ui.setStatusSink([this](const QString& text) { setStatusNotice(text); });

    resize(896, 580);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
    setTag(1);
    // Key preview: F3 is seen wherever the focus is in this window.
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow()
{
    qApp->removeEventFilter(this);
}

int MainWindow::tag() const
{
    return property(kTagProperty).toInt();
}

void MainWindow::setTag(int tag)
{
    setProperty(kTagProperty, tag);
}

SystemWindow* MainWindow::calculator() const
{
    return m_bet->calculator();
}

QWidget* MainWindow::buildLeftPanel()
{
    m_leftPanel = new QWidget(this);
    m_leftPanel->setObjectName(QStringLiteral("leftPanel"));
    m_leftPanel->setFixedWidth(kLeftPanelWidth);
    m_leftPanel->setMouseTracking(true);
    paint(m_leftPanel, colours::teal);

    // Three columns of small buttons, then two rows of two wider ones.
    static const QPoint places[] = {{24, 24},   {116, 24},  {208, 24}, {24, 88},  {116, 88},  {208, 88}, {24, 152},
                                    {116, 152}, {208, 152}, {48, 216}, {48, 272}, {168, 216}, {168, 272}};
    for (const GameEntry& game : GameCatalogue()) {
        const int index = ToInt(game.code) - 1;
        const QPoint place = places[index];
        // The nine small buttons come first; KINO and the rest are the wider ones.
        const QSize size = game.code < GameCode::Kino ? QSize(73, 41) : QSize(89, 33);
        QPushButton* gameButton = button(QString::fromUtf8(game.caption), SansPixelFont(11, true), game.colour,
                                         QRect(place, size), m_leftPanel);
        gameButton->setObjectName(QString::fromLatin1(game.objectName));
        gameButton->setProperty(kTagProperty, ToInt(game.code));
        connect(gameButton, &QPushButton::clicked, this, [this, gameButton] { onGameButtonClicked(gameButton); });
    }

    auto* brand = new QLabel(QStringLiteral("KARVO"), m_leftPanel);
    brand->setObjectName(QStringLiteral("brandLabel"));
    brand->setFont(FixedPixelFont(40, true));
    brand->setAlignment(Qt::AlignCenter);
    brand->setGeometry(24, 328, 257, 56);
    paint(brand, colours::yellow);
    auto* second = new QLabel(QStringLiteral("Νικήτριες 5.0"), m_leftPanel);
    second->setObjectName(QStringLiteral("versionLabel"));
    second->setFont(SansPixelFont(17, true));
    second->setAlignment(Qt::AlignCenter);
    second->setGeometry(24, 392, 257, 26);
    paint(second, Qt::white, QPalette::WindowText);

    m_webLink = new QLabel(QStringLiteral("Karvo στο διαδίκτυο"), m_leftPanel);
    m_webLink->setObjectName(QStringLiteral("webLink"));
    QFont serif(QStringLiteral("Times New Roman"));
    serif.setStyleHint(QFont::Serif);
    serif.setPixelSize(19);
    serif.setUnderline(true);
    m_webLink->setFont(serif);
    m_webLink->setAlignment(Qt::AlignCenter);
    m_webLink->setGeometry(24, 432, 257, 26);
    m_webLink->setCursor(Qt::PointingHandCursor);
    m_webLink->setMouseTracking(true);
    paint(m_webLink, colours::silver, QPalette::WindowText);

    m_emailField = new QLineEdit(QStringLiteral("karvo@example.org"), m_leftPanel);
    m_emailField->setObjectName(QStringLiteral("emailField"));
    m_emailField->setReadOnly(true);
    m_emailField->setFrame(false);
    m_emailField->setAlignment(Qt::AlignCenter);
    m_emailField->setGeometry(24, 468, 257, 22);
    paint(m_emailField, colours::teal, QPalette::Base);
    paint(m_emailField, Qt::white, QPalette::Text);
    buildUpdateAll();
    return m_leftPanel;
}

void MainWindow::buildUpdateAll()
{
    m_updateAllAction = new QAction(QStringLiteral("Ενημέρωση όλων"), this);
    m_updateAllAction->setObjectName(QStringLiteral("updateAllAction"));
    m_updateAllAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_U));
    m_updateAllAction->setShortcutContext(Qt::WindowShortcut);
    addAction(m_updateAllAction);
    connect(m_updateAllAction, &QAction::triggered, this, [this] { onUpdateAllTriggered(); });
    // Under the game buttons' block, as wide as the two columns of wider buttons.
    m_updateAllButton = button(QStringLiteral("Ενημέρωση όλων"), SansPixelFont(11, true), Qt::blue,
                               QRect(48, 504, 209, 33), m_leftPanel);
    m_updateAllButton->setObjectName(QStringLiteral("updateAllButton"));
    m_updateAllButton->setToolTip(QStringLiteral("Ενημέρωση όλων των παιχνιδιών (Ctrl+U)"));
    connect(m_updateAllButton, &QPushButton::clicked, m_updateAllAction, &QAction::trigger);
}

QWidget* MainWindow::buildRightPanel()
{
    m_rightPanel = new QWidget(this);
    m_rightPanel->setObjectName(QStringLiteral("rightPanel"));
    auto* column = new QVBoxLayout(m_rightPanel);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    m_titleLabel = new QLabel(m_rightPanel);
    m_titleLabel->setObjectName(QStringLiteral("titleLabel"));
    m_titleLabel->setFixedHeight(32);
    m_titleLabel->setFont(SansPixelFont(19, true));
    m_titleLabel->setAlignment(Qt::AlignCenter);
    paint(m_titleLabel, colours::pink);
    column->addWidget(m_titleLabel);

    m_mainGrid = new GridView(13, 47, m_rightPanel);
    m_mainGrid->setObjectName(QStringLiteral("mainGrid"));
    m_mainGrid->setColours(colours::lightBlue, colours::cream);
    m_sideGrid = new GridView(11, 64, m_rightPanel);
    m_sideGrid->setObjectName(QStringLiteral("sideGrid"));
    m_sideGrid->setColours(colours::paleYellow, Qt::white);
    m_sideGrid->setFixedWidth(185);
    m_sideGrid->showGrid(CellGrid(9, 2));
    m_sideGrid->hide();
    // The day list of the market views and the captions of their side grid.
    connect(m_mainGrid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!m_quietSelect && current.isValid()) {
                    onDaySelected(current.column(), GridModel::gridRow(current.row()));
                }
            });
    // The second press of a double click arrives as the double click alone: it sorts too.
    for (auto signal : {&QHeaderView::sectionPressed, &QHeaderView::sectionDoubleClicked}) {
        connect(m_sideGrid->horizontalHeader(), signal, this, [this](int section) { onSideCaptionPressed(section); });
    }
    auto* grids = new QHBoxLayout;
    grids->setSpacing(0);
    grids->addWidget(m_mainGrid, 1);
    grids->addWidget(m_sideGrid);
    column->addLayout(grids, 1);
    column->addWidget(buildBottomPanel());
    return m_rightPanel;
}

QWidget* MainWindow::buildBottomPanel()
{
    m_bottomPanel = new QWidget(m_rightPanel);
    m_bottomPanel->setObjectName(QStringLiteral("bottomPanel"));
    m_bottomPanel->setFixedHeight(55);
    paint(m_bottomPanel, colours::moneyGreen);
    m_updateButton =
        button(UpdateCaption(GameCode::PropoSunday), SansPixelFont(13), Qt::blue, QRect(16, 9, 97, 37), m_bottomPanel);
    m_updateButton->setObjectName(QStringLiteral("updateButton"));
    connect(m_updateButton, &QPushButton::clicked, this, [this] { onUpdateClicked(); });
    m_commandsButton =
        button(QStringLiteral("CLICK"), SansPixelFont(13, true), Qt::red, QRect(146, 9, 65, 37), m_bottomPanel);
    m_commandsButton->setObjectName(QStringLiteral("commandsButton"));
    m_menuButton = button(QStringLiteral("M E N U"), SansPixelFont(13, true), QColor(0x00, 0x80, 0x00),
                          QRect(730, 9, 79, 37), m_bottomPanel);
    m_menuButton->setObjectName(QStringLiteral("menuButton"));
    m_menuButton->hide();
    connect(m_menuButton, &QPushButton::clicked, this, [this] { onMenuClicked(); });
    connect(m_commandsButton, &QPushButton::clicked, this, [this] { onCommandsClicked(); });
    return m_bottomPanel;
}

void MainWindow::buildStatusBar()
{
    m_statusBar = new QStatusBar(this);
    m_statusBar->setObjectName(QStringLiteral("statusBar"));
    m_statusBar->setSizeGripEnabled(false);
    m_greetingPanel = new QLabel(m_statusBar);
    m_greetingPanel->setObjectName(QStringLiteral("greetingPanel"));
    m_greetingPanel->setFixedWidth(kLeftPanelWidth);
    m_greetingPanel->setAlignment(Qt::AlignCenter);
    m_noticePanel = new QLabel(m_statusBar);
    m_noticePanel->setObjectName(QStringLiteral("noticePanel"));
    m_statusBar->addWidget(m_greetingPanel);
    m_statusBar->addWidget(m_noticePanel, 1);
    setStatusBar(m_statusBar);
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        prepareFirstShow();
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        auto* widget = qobject_cast<QWidget*>(watched);
        const int code = KeyCodeOf(*static_cast<QKeyEvent*>(event));
        if (widget != nullptr && widget->window() == this && code == 114) {
            onKeyPressed(code);
            return true;
        }
        break;
    }
    case QEvent::MouseMove:
        // Taken here, so that the move over the label does not travel on to the panel.
        if (watched == m_webLink) {
            onWebLinkHovered(true);
            return true;
        }
        if (watched == m_leftPanel) {
            onWebLinkHovered(false);
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == m_webLink && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            onWebLinkClicked();
            return true;
        }
        break;
    default: break;
    }
    return QMainWindow::eventFilter(watched, event);
}

} // namespace karvo
