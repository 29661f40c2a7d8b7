#include "app/main/GamePanel.h"

#include "app/main/Appearance.h"
#include "app/main/GameCatalogue.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace karvo {

GamePanel::GamePanel(QAction* updateAll, QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("leftPanel"));
    setFixedWidth(kWidth);
    setMouseTracking(true);
    Paint(this, colours::teal);
    addGameButtons();
    addLabels();
    // Under the game buttons' block, as wide as the two columns of wider buttons.
    QPushButton* updateAllButton =
        PanelButton(QStringLiteral("Ενημέρωση όλων"), SansPixelFont(11, true), Qt::blue, QRect(48, 504, 209, 33), this);
    updateAllButton->setObjectName(QStringLiteral("updateAllButton"));
    updateAllButton->setToolTip(QStringLiteral("Ενημέρωση όλων των παιχνιδιών (Ctrl+U)"));
    connect(updateAllButton, &QPushButton::clicked, updateAll, &QAction::trigger);
    m_nextDraw = new QLabel(this);
    m_nextDraw->setObjectName(QStringLiteral("nextDrawLabel"));
    m_nextDraw->setFont(SansPixelFont(11, true));
    m_nextDraw->setAlignment(Qt::AlignCenter);
    m_nextDraw->setWordWrap(true);
    m_nextDraw->setGeometry(24, 541, 257, 34);
    Paint(m_nextDraw, Qt::white, QPalette::WindowText);
    m_nextDraw->hide();
    // The mouse over the link and over the panel around it.
    m_webLink->installEventFilter(this);
    installEventFilter(this);
}

void GamePanel::addGameButtons()
{
    // Three columns of small buttons, then two rows of two wider ones.
    static const QPoint places[] = {{24, 24},   {116, 24},  {208, 24}, {24, 88},  {116, 88},  {208, 88}, {24, 152},
                                    {116, 152}, {208, 152}, {48, 216}, {48, 272}, {168, 216}, {168, 272}};
    for (const GameEntry& game : GameCatalogue()) {
        const QPoint place = places[ToInt(game.code) - 1];
        // The nine small buttons come first; KINO and the rest are the wider ones.
        const QSize size = game.code < GameCode::Kino ? QSize(73, 41) : QSize(89, 33);
        QPushButton* gameButton =
            PanelButton(ButtonCaption(game.code), SansPixelFont(11, true), game.colour, QRect(place, size), this);
        gameButton->setObjectName(QString::fromLatin1(game.objectName));
        const GameCode code = game.code;
        connect(gameButton, &QPushButton::clicked, this, [this, code] { emit gameClicked(code); });
    }
}

void GamePanel::addLabels()
{
    auto* brand = new QLabel(QStringLiteral("KARVO"), this);
    brand->setObjectName(QStringLiteral("brandLabel"));
    brand->setFont(FixedPixelFont(40, true));
    brand->setAlignment(Qt::AlignCenter);
    brand->setGeometry(24, 328, 257, 56);
    Paint(brand, colours::yellow);
    auto* second = new QLabel(QStringLiteral("Νικήτριες 5.0"), this);
    second->setObjectName(QStringLiteral("versionLabel"));
    second->setFont(SansPixelFont(17, true));
    second->setAlignment(Qt::AlignCenter);
    second->setGeometry(24, 392, 257, 26);
    Paint(second, Qt::white, QPalette::WindowText);

    m_webLink = new QLabel(QStringLiteral("Karvo στο διαδίκτυο"), this);
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
    Paint(m_webLink, colours::silver, QPalette::WindowText);

    auto* emailField = new QLineEdit(QStringLiteral("karvo@example.org"), this);
    emailField->setObjectName(QStringLiteral("emailField"));
    emailField->setReadOnly(true);
    emailField->setFrame(false);
    emailField->setAlignment(Qt::AlignCenter);
    emailField->setGeometry(24, 468, 257, 22);
    Paint(emailField, colours::teal, QPalette::Base);
    Paint(emailField, Qt::white, QPalette::Text);
}

void GamePanel::setNextDraw(const QString& text)
{
    m_nextDraw->setText(text);
    m_nextDraw->setVisible(!text.isEmpty());
}

void GamePanel::onWebLinkHovered(bool overLabel)
{
    QPalette palette = m_webLink->palette();
    palette.setColor(QPalette::WindowText, overLabel ? QColor(Qt::blue) : colours::silver);
    m_webLink->setPalette(palette);
}

bool GamePanel::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        // Taken here, so that the move over the label does not travel on to the panel.
        if (watched == m_webLink) {
            onWebLinkHovered(true);
            return true;
        }
        if (watched == this) {
            onWebLinkHovered(false);
        }
        break;
    case QEvent::MouseButtonRelease:
        if (watched == m_webLink && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            emit webLinkClicked();
            return true;
        }
        break;
    default: break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace karvo
