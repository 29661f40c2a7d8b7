// The one-line input: an editable drop-down pre-filled with a proposal and listing the texts
// entered earlier in the run.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QComboBox;

namespace karvo {

// The texts confirmed in input dialogs during the run, oldest first, each once.
class InputHistory
{
public:
    static constexpr std::size_t kCapacity = 5000;

    const std::vector<std::string>& entries() const { return m_entries; }
    // Appends a text not yet present; when full, the oldest entry makes room.
    void add(const std::string& text);

private:
    std::vector<std::string> m_entries;
};

class InputDialog : public QDialog
{
    Q_OBJECT
public:
    InputDialog(const std::string& caption, const std::string& defaultText, const InputHistory& history,
                QWidget* parent);

    // The drop-down's text, Windows-1253.
    std::string text() const;
    QComboBox* inputBox() const { return m_inputBox; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QComboBox* m_inputBox = nullptr;
};

} // namespace karvo
