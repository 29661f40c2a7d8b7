#include "app/main/NoticeBar.h"

#include "app/main/Appearance.h"

#include <QLabel>

namespace karvo {

NoticeBar::NoticeBar(int greetingWidth, QWidget* parent)
    : QStatusBar(parent)
{
    setObjectName(QStringLiteral("statusBar"));
    setSizeGripEnabled(false);
    m_greetingPanel = new QLabel(this);
    m_greetingPanel->setObjectName(QStringLiteral("greetingPanel"));
    m_greetingPanel->setFixedWidth(greetingWidth);
    m_greetingPanel->setAlignment(Qt::AlignCenter);
    m_noticePanel = new QLabel(this);
    m_noticePanel->setObjectName(QStringLiteral("noticePanel"));
    addWidget(m_greetingPanel);
    addWidget(m_noticePanel, 1);
}

void NoticeBar::greet()
{
    setFont(SansPointFont(10));
    m_greetingPanel->setText(QStringLiteral("ΚAΛΗ ΤΥΧΗ !"));
}

void NoticeBar::setNotice(const QString& text)
{
    m_noticePanel->setText(QStringLiteral("  ") + text);
    if (text.isEmpty()) {
        setAutoFillBackground(false);
        setPalette(QPalette());
    } else {
        QPalette yellow = palette();
        yellow.setColor(QPalette::Window, colours::yellow);
        setPalette(yellow);
        setAutoFillBackground(true);
    }
    repaint();
}

QString NoticeBar::notice() const
{
    return m_noticePanel->text().mid(2);
}

} // namespace karvo
