#include "app/dialogs/MemoDialog.h"

#include "app/main/Appearance.h"
#include "util/Cp1253.h"

#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <algorithm>

namespace karvo {

namespace {

constexpr int kLineHeight = 25;
constexpr int kBoxUnit = 185; // width of a one-line box

QString toBoxText(const std::string& field)
{
    QString text = ToQString(field);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

Cp1253TextEdit::Cp1253TextEdit(bool singleLine, QWidget* parent)
    : QPlainTextEdit(parent)
    , m_singleLine(singleLine)
{
    setFont(FixedPixelFont(13));
    setTabChangesFocus(true);
    document()->setDocumentMargin(2);
    if (singleLine) {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    } else {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    }
    setLineWrapMode(QPlainTextEdit::NoWrap);
}

void Cp1253TextEdit::insertFromMimeData(const QMimeData* source)
{
    if (source == nullptr || !source->hasText()) {
        return;
    }
    // The round trip through the code page turns every foreign character into "?".
    insertPlainText(ToQString(FromQString(source->text())));
}

void Cp1253TextEdit::keyPressEvent(QKeyEvent* event)
{
    // In a one-line box Enter confirms the form instead of starting a second line.
    if (m_singleLine && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

MemoDialog::MemoDialog(const std::string& caption, const std::vector<std::string>& fields,
                       const std::vector<std::string>& labels, const std::vector<int>& lines, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("MemoDialog"));
    setWindowTitle(ToQString(caption));
    setFont(SansPixelFont(11));
    auto linesOf = [&lines](std::size_t i) { return i < lines.size() ? std::max(lines[i], 1) : 1; };
    const int factor = std::any_of(lines.begin(), lines.end(), [](int n) { return n > 1; }) ? 2 : 1;

    // Boxes one under the other, each below its label.
    int labelTop = 13;
    int nextTop = 13;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        labelTop = nextTop;
        auto* label = new QLabel(i < labels.size() ? ToQString(labels[i]) : QString(), this);
        label->setObjectName(QStringLiteral("fieldLabel%1").arg(i + 1));
        label->setStyleSheet(QStringLiteral("color: blue"));
        label->setGeometry(24, labelTop, factor * kBoxUnit, 15);
        auto* box = new Cp1253TextEdit(linesOf(i) == 1, this);
        box->setObjectName(QStringLiteral("fieldBox%1").arg(i + 1));
        box->setGeometry(24, labelTop + 15, factor * kBoxUnit, linesOf(i) * kLineHeight);
        box->setPlainText(toBoxText(fields[i]));
        m_boxes.push_back(box);
        nextTop = labelTop + 15 + linesOf(i) * kLineHeight + 13;
    }
    const int buttonsTop = fields.empty() ? 20 : nextTop - 13 + 20;
    const int shift = (factor - 1) * 90;
    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(24 + shift, buttonsTop, 81, 26);
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setGeometry(128 + shift, buttonsTop, 81, 26);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    // The buttons' row plus a margin: the rule's 70 pixels less the frame a desktop adds.
    setFixedSize(factor * kBoxUnit + 57, buttonsTop + 40);
    if (!m_boxes.empty()) {
        m_boxes.front()->setFocus();
    }
}

std::string MemoDialog::text(int box) const
{
    if (box < 0 || box >= boxCount()) {
        return std::string();
    }
    QString text = m_boxes[static_cast<std::size_t>(box)]->toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return FromQString(text);
}

} // namespace karvo
