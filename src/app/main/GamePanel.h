// The main window's left panel: the game buttons, the program's name, the web link, the e-mail
// address, the button that updates every game and the current game's next draw.
#pragma once

#include "domain/Games.h"

#include <QWidget>

class QAction;
class QLabel;

namespace karvo {

class GamePanel : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kWidth = 305;

    // updateAll: the window's action that the update-all button triggers.
    GamePanel(QAction* updateAll, QWidget* parent);

    // The line under the buttons that tells the current game's next draw; empty hides it.
    void setNextDraw(const QString& text);

signals:
    void gameClicked(GameCode game);
    void webLinkClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addGameButtons();
    void addLabels();
    // The link turns blue while the mouse is over it, silver again once it is over the panel.
    void onWebLinkHovered(bool overLabel);

    QLabel* m_webLink = nullptr;
    QLabel* m_nextDraw = nullptr;
};

} // namespace karvo
