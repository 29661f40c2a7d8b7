// A form of labelled text boxes (date ranges, pasted coupon text). Pasted text is taken as plain
// text and limited to the Greek code page, since every text inside the program is single-byte.
#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <string>
#include <vector>

namespace karvo {

// A text box whose paste keeps only the characters of Windows-1253; the others become "?".
class Cp1253TextEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    Cp1253TextEdit(bool singleLine, QWidget* parent);

protected:
    void insertFromMimeData(const QMimeData* source) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_singleLine;
};

class MemoDialog : public QDialog
{
    Q_OBJECT
public:
    // fields, labels: Windows-1253, one per box; lines: each box's height in lines.
    MemoDialog(const std::string& caption, const std::vector<std::string>& fields,
               const std::vector<std::string>& labels, const std::vector<int>& lines, QWidget* parent);

    // Box i's text, Windows-1253 with CR LF between lines.
    std::string text(int box) const;
    int boxCount() const { return static_cast<int>(m_boxes.size()); }

private:
    std::vector<Cp1253TextEdit*> m_boxes;
};

} // namespace karvo
