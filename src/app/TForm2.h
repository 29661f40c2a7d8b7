// The payout calculator window "Σύστημα": created hidden at start-up and shown, without blocking
// the main window, when the coupon's system has been checked. It expands the system into its
// single columns and computes stakes and winnings.
#pragma once

#include "app/QtUserInterface.h"
#include "util/CellGrid.h"
#include "workbook/CellTable.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace karvo {

class SystemGridView;

class TForm2 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
    ~TForm2() override;

    // The largest system the coupon may hand over.
    int SystemColumnLimit = 999;
    int SystemMatchCount = 0;
    int SystemColumnCount = 0;

    // Builds the columns from the system's handover table and the coupon with the odds as they
    // are now, then shows the window. Nothing is read from them afterwards: the coupon may be
    // re-sorted or replaced by another view while the calculator stays open.
    void showSystem(const CellTable& handover, const CellGrid& coupon);

    // Handlers, named after the control and the event.
    void CALCClick();
    void ALL_POSOClick();
    void STROGYLEMA();
    void FormClose();
    // The one height the window may have for the shown system.
    int fixedHeight() const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPanels();
    QVariant matchesRole(int column, int row, int role) const;
    QVariant columnsRole(int column, int row, int role) const;
    void setRowHeights();
    void placeControls();
    void showSummary(const std::string& returnFactor, const std::string& totalCaption);

    QtUserInterface m_ui;
    SystemGridView* SG1 = nullptr;
    SystemGridView* SG2 = nullptr;
    QWidget* Panel4 = nullptr;
    QLabel* APOD = nullptr;
    QPushButton* CALC = nullptr;
    QPushButton* ALL_POSO = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    QWidget* BOTTOM_Panel = nullptr;
};

} // namespace karvo
