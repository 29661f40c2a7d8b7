#include "app/dialogs/InputDialog.h"

#include "app/main/Appearance.h"
#include "util/Cp1253.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace karvo {

void InputHistory::add(const std::string& text)
{
    if (std::find(m_entries.begin(), m_entries.end(), text) != m_entries.end()) {
        return;
    }
    if (m_entries.size() >= kCapacity) {
        m_entries.erase(m_entries.begin());
    }
    m_entries.push_back(text);
}

InputDialog::InputDialog(const std::string& caption, const std::string& defaultText, const InputHistory& history,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("InputDialog"));
    setWindowTitle(ToQString(caption));
    setFont(SansPixelFont(11));

    // The box is as wide as the proposal in the 10-point dialog font, within sensible bounds.
    const QString proposal = ToQString(defaultText);
    QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const int widest = screen->virtualGeometry().width() * 2 / 3;
    const int width = std::min(std::max(QFontMetrics(SansPointFont(10)).horizontalAdvance(proposal) + 30, 177), widest);
    setFixedSize(width + 60, 97);

    m_inputBox = new QComboBox(this);
    m_inputBox->setObjectName(QStringLiteral("inputBox"));
    m_inputBox->setEditable(true);
    m_inputBox->setInsertPolicy(QComboBox::NoInsert);
    m_inputBox->setFont(SansPixelFont(13));
    m_inputBox->setGeometry(30, 15, width, 24);
    for (const std::string& entry : history.entries()) {
        m_inputBox->addItem(ToQString(entry));
    }
    m_inputBox->setEditText(proposal);
    m_inputBox->lineEdit()->installEventFilter(this);

    auto* okButton = new QPushButton(QStringLiteral("OK"), this);
    okButton->setObjectName(QStringLiteral("okButton"));
    okButton->setGeometry(width / 2 - 57, 55, 81, 26);
    okButton->setDefault(true);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("cancelButton"));
    cancelButton->setGeometry(width / 2 + 37, 55, 81, 26);
    connect(okButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    m_inputBox->setFocus();
}

std::string InputDialog::text() const
{
    return FromQString(m_inputBox->currentText());
}

bool InputDialog::eventFilter(QObject* watched, QEvent* event)
{
    // Enter in the box confirms and Esc cancels, as the buttons do.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
        if (key == Qt::Key_Escape) {
            reject();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace karvo
