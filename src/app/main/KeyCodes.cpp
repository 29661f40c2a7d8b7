#include "app/main/KeyCodes.h"

#include <QKeyEvent>
#include <QString>

namespace karvo {

namespace {

// Keys of the numeric keypad have codes of their own.
int keypadCode(int key)
{
    if (key >= Qt::Key_0 && key <= Qt::Key_9) {
        return 96 + (key - Qt::Key_0);
    }
    switch (key) {
    case Qt::Key_Asterisk: return 106;
    case Qt::Key_Plus: return 107;
    case Qt::Key_Minus: return 109;
    case Qt::Key_Period:
    case Qt::Key_Comma: return 110;
    case Qt::Key_Slash: return 111;
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
        return 112 + (key - Qt::Key_F1);
    }
    switch (key) {
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Tab: return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kKeyEnter;
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return 33;
    case Qt::Key_PageDown: return 34;
    case Qt::Key_End: return 35;
    case Qt::Key_Home: return 36;
    case Qt::Key_Left: return 37;
    case Qt::Key_Up: return 38;
    case Qt::Key_Right: return 39;
    case Qt::Key_Down: return 40;
    case Qt::Key_Insert: return 45;
    case Qt::Key_Delete: return 46;
    case Qt::Key_Plus:
    case Qt::Key_Equal: return 187;
    case Qt::Key_Comma: return 188;
    case Qt::Key_Minus: return 189;
    case Qt::Key_Period: return 190;
    case Qt::Key_Slash: return 191;
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
