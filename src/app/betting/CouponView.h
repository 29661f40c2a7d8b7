// The betting coupon on the main window's side grid: its look, the store kept while another game
// is shown, the caption sort and the coupon's menu commands.
#pragma once

#include "app/main/GridView.h"
#include "domain/CommandCodes.h"
#include "domain/ProgramState.h"
#include "domain/UserInterface.h"
#include "workbook/CellTable.h"

#include <QFont>
#include <QObject>
#include <memory>

namespace karvo {

class SystemWindow;

class CouponView : public QObject
{
    Q_OBJECT
public:
    CouponView(GridView* grid, ProgramState& state, UserInterface& ui, std::string folder, QObject* parent);
    ~CouponView() override;

    // The calculator window that the system command shows, made when it is first shown; null before.
    SystemWindow* calculator() const { return m_calculator.get(); }
    // The coupon on the grid: captions, widths, colours, the system column editable, the stored rows.
    void show();
    // Keeps the coupon in the store and gives the grid its list settings back.
    void store();
    // Runs coupon command 21..27 on the grid.
    void runCommand(Command command);
    CellTable& cellTable() { return m_cellTable; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QVariant cellRole(int column, int gridRow, int role) const;
    void sortBy(int column);

    GridView* m_grid;
    QObject* m_captions; // the caption row's viewport, whose presses sort
    ProgramState& m_state;
    UserInterface& m_ui;
    std::string m_folder;
    CellTable m_cellTable; // the handover of a checked system to the calculator
    // A window of its own, without a parent: it stays up while the coupon gives way to another view.
    std::unique_ptr<SystemWindow> m_calculator;
    QFont m_listFont;
    int m_listRowHeight;
    bool m_shown = false;
    bool m_pressed = false; // a caption press not yet released
};

} // namespace karvo
