// The list chooser: a caption, an optional yellow header line and a list of lines; Enter or a
// double-click picks a line, Esc cancels, and further keys named by the caller close it too.
#pragma once

#include <QDialog>
#include <set>
#include <string>
#include <vector>

class QListView;
class QStringListModel;

namespace karvo {

class ListDialog : public QDialog
{
    Q_OBJECT
public:
    // caption: Windows-1253, byte 01 separates the window caption from the header line.
    ListDialog(const std::string& caption, const std::vector<std::string>& items, const std::string& keys,
               bool tableMode, QWidget* parent);

    // The exec() result: 1-based line for Enter or double-click, 0 for cancel, else the key code.
    QListView* list() const { return m_list; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fitToItems(const QStringList& lines, bool hasHeader, bool tableMode);
    void closeWithKey(int code);

    QListView* m_list = nullptr;
    QStringListModel* m_model = nullptr;
    std::set<int> m_allowed;
};

} // namespace karvo
