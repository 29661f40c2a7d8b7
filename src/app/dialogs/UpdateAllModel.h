// The rows of the update of every game: the game, the fetch under way, the steps done of its
// steps and the outcome (a short state while the game runs, its summary line at the end).
#pragma once

#include "update/UpdateAll.h"

#include <QAbstractTableModel>
#include <vector>

namespace karvo {

class UpdateAllModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    enum Column { GameColumn, StepColumn, ProgressColumn, OutcomeColumn, ColumnCount };

    using QAbstractTableModel::QAbstractTableModel;

    // A row per game, in the plans' order; a game with nothing to fetch is current already.
    void setPlans(const std::vector<GamePlan>& plans);
    void setStep(GameCode game, const UpdateStep& step);
    void setStepsDone(GameCode game, int stepsDone);
    void setFinished(const GameReport& report);
    // The rows still running once Cancel is pressed.
    void setStopping();
    int finishedCount() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Row
    {
        GameCode game = GameCode::Lotto;
        QString step;
        int steps = 0;
        int stepsDone = 0;
        QString outcome;
        bool finished = false;
    };
    int rowOf(GameCode game) const;
    void changed(int row);

    std::vector<Row> m_rows;
};

} // namespace karvo
