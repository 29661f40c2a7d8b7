// The main window's status bar: the greeting under the game buttons and, beside it, the notice of
// the moment, the whole bar yellow while there is one.
#pragma once

#include <QStatusBar>

class QLabel;

namespace karvo {

class NoticeBar : public QStatusBar
{
    Q_OBJECT
public:
    // greetingWidth: the greeting's panel, as wide as the game buttons' panel above it.
    NoticeBar(int greetingWidth, QWidget* parent);

    // The greeting and the bar's font, set as the window is first shown.
    void greet();
    // Two blanks and text; painted at once, so that it is seen before a long fetch blocks the window.
    void setNotice(const QString& text);
    // The notice without its two leading blanks.
    QString notice() const;

private:
    QLabel* m_greetingPanel = nullptr;
    QLabel* m_noticePanel = nullptr;
};

} // namespace karvo
