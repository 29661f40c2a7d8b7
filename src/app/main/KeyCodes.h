// The numeric key codes the dialogs' callers name ("46" is Delete) and their translation from Qt's
// key events, so that a caller's list of closing keys means the same key on every platform.
#pragma once

#include <set>
#include <string>

class QKeyEvent;

namespace karvo {

inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyEscape = 27;

// The code of the pressed key: 13 Enter, 27 Esc, 46 Delete, 65..90 letters, 112..123 F1..F12 and so
// on; 0 for a key without one.
int KeyCodeOf(const QKeyEvent& event);

// ",13,27," followed by keys and a comma: Enter and Esc always close, keys ("46,45") add more.
std::set<int> AllowedKeys(const std::string& keys);

} // namespace karvo
