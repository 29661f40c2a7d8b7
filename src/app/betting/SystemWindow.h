// The payout calculator window "Σύστημα": made when the coupon's system has first been checked and
// shown then, without blocking the main window. It expands the system into its
// single columns and computes stakes and winnings.
#pragma once

#include "app/dialogs/QtUserInterface.h"
#include "util/CellGrid.h"
#include "workbook/CellTable.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace karvo {

class SystemGridView;

class SystemWindow : public QWidget
{
    Q_OBJECT
public:
    explicit SystemWindow(QWidget* parent = nullptr);
    ~SystemWindow() override;

    // The largest system the coupon may hand over.
    static constexpr int kColumnLimit = 999;
    // The shown system's matches and single columns; 0 before the first.
    int matchCount() const { return m_matchCount; }
    int columnCount() const { return m_columnCount; }

    // Builds the columns from the system's handover table and the coupon with the odds as they
    // are now, then shows the window. Nothing is read from them afterwards: the coupon may be
    // re-sorted or replaced by another view while the calculator stays open.
    void showSystem(const CellTable& handover, const CellGrid& coupon);

    // Handlers, named after the control and the event.
    void onCalculateClicked();
    void onSpreadTotalClicked();
    void roundStakes();
    void restoreRowHeights();
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
    int m_matchCount = 0;
    int m_columnCount = 0;
    SystemGridView* m_matchesGrid = nullptr;
    SystemGridView* m_columnsGrid = nullptr;
    QWidget* m_controlsPanel = nullptr;
    QLabel* m_systemReturnLabel = nullptr;
    QPushButton* m_calculateButton = nullptr;
    QPushButton* m_spreadTotalButton = nullptr;
    QPlainTextEdit* m_note = nullptr;
    QWidget* m_bottomPanel = nullptr;
};

} // namespace karvo
