// The numeric key codes the dialogs' callers name ("46" is Delete) and their translation from Qt's
// key events, so that a caller's list of closing keys means the same key on every platform.
#pragma once

#include <set>
#include <string>

class QKeyEvent;

namespace karvo {

inline constexpr int kKeyBackspace = 8;
inline constexpr int kKeyTab = 9;
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;
inline constexpr int kKeySpace = 32;
inline constexpr int kKeyPageUp = 33;
inline constexpr int kKeyPageDown = 34;
inline constexpr int kKeyEnd = 35;
inline constexpr int kKeyHome = 36;
inline constexpr int kKeyLeft = 37;
inline constexpr int kKeyUp = 38;
inline constexpr int kKeyRight = 39;
inline constexpr int kKeyDown = 40;
inline constexpr int kKeyInsert = 45;
inline constexpr int kKeyDelete = 46;
// The keypad's digits run from kKeyPad0 to kKeyPad0 + 9.
inline constexpr int kKeyPad0 = 96;
inline constexpr int kKeyPadMultiply = 106;
inline constexpr int kKeyPadAdd = 107;
inline constexpr int kKeyPadSubtract = 109;
inline constexpr int kKeyPadDecimal = 110;
inline constexpr int kKeyPadDivide = 111;
// F1 to F24 run from kKeyF1 to kKeyF1 + 23.
inline constexpr int kKeyF1 = 112;
inline constexpr int kKeyF3 = 114;
inline constexpr int kKeyF11 = 122;
inline constexpr int kKeyPlus = 187;
inline constexpr int kKeyComma = 188;
inline constexpr int kKeyMinus = 189;
inline constexpr int kKeyPeriod = 190;
inline constexpr int kKeySlash = 191;

// The code of the pressed key: 13 Enter, 27 Esc, 46 Delete, 65..90 letters, 112..123 F1..F12 and so
// on; 0 for a key without one.
int KeyCodeOf(const QKeyEvent& event);

// ",13,27," followed by keys and a comma: Enter and Esc always close, keys ("46,45") add more.
std::set<int> AllowedKeys(const std::string& keys);

} // namespace karvo
