#include "app/main/KeyCodes.h"

#include <QKeyEvent>
#include <QString>

namespace karvo {

namespace {

// Keys of the numeric keypad have codes of their own.
int keypadCode(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return kKeyPad0 + (key - Qt::Key_0);
    }
    switch (key) {
    case Qt::Key_Asterisk: return kKeyPadMultiply;
    case Qt::Key_Plus: return kKeyPadAdd;
    case Qt::Key_Minus: return kKeyPadSubtract;
    case Qt::Key_Period:
    case Qt::Key_Comma: return kKeyPadDecimal;
    case Qt::Key_Slash: return kKeyPadDivide;
    case Qt::Key_Enter: return kKeyEnter;
    default: return 0;
    }
}

} // namespace

int KeyCodeOf(const QKeyEvent& event)
{
    const int key = event.key();
    if (event.modifiers() & Qt::KeypadModifier) {
        if (int code = keypadCode(key)) {
            return code;
        }
    }
    if ((key >= Qt::Key_0 && key <= Qt::Key_9) || (key >= Qt::Key_A && key <= Qt::Key_Z)) {
        return key; // digits and letters share their ASCII values
    }
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24) {
        return kKeyF1 + (key - Qt::Key_F1);
    }
    switch (key) {
    case Qt::Key_Backspace: return kKeyBackspace;
    case Qt::Key_Tab: return kKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kKeyEnter;
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Space: return kKeySpace;
    case Qt::Key_PageUp: return kKeyPageUp;
    case Qt::Key_PageDown: return kKeyPageDown;
    case Qt::Key_End: return kKeyEnd;
    case Qt::Key_Home: return kKeyHome;
    case Qt::Key_Left: return kKeyLeft;
    case Qt::Key_Up: return kKeyUp;
    case Qt::Key_Right: return kKeyRight;
    case Qt::Key_Down: return kKeyDown;
    case Qt::Key_Insert: return kKeyInsert;
    case Qt::Key_Delete: return kKeyDelete;
    case Qt::Key_Plus:
    case Qt::Key_Equal: return kKeyPlus;
    case Qt::Key_Comma: return kKeyComma;
    case Qt::Key_Minus: return kKeyMinus;
    case Qt::Key_Period: return kKeyPeriod;
    case Qt::Key_Slash: return kKeySlash;
    default: return 0;
    }
}

std::set<int> AllowedKeys(const std::string& keys)
{
    std::set<int> allowed{kKeyEnter, kKeyEscape};
    const QStringList parts = QString::fromLatin1(keys.data(), static_cast<int>(keys.size())).split(QLatin1Char(','));
    for (const QString& part : parts) {
        bool ok = false;
        const int code = part.trimmed().toInt(&ok);
        if (ok && code > 0) {
            allowed.insert(code);
        }
    }
    return allowed;
}

} // namespace karvo
