// "Κέρδη κλήρωσης": the prize table of the draw on the results' current row, from the kept
// workbooks, or for the latest draw from the draw service until its workbook arrives.
#pragma once

#include "prizes/DrawPrizesView.h"

#include <QWidget>

namespace karvo {

class MainWindow;

class DrawPrizesWindow : public QWidget
{
    Q_OBJECT
public:
    DrawPrizesWindow(const DrawPrizesView& view, QWidget* parent);
};

// Opens the table of the current row's draw of the window's game; tells the user when it is not known.
DrawPrizesWindow* RunDrawPrizes(MainWindow& mainWindow);

} // namespace karvo
