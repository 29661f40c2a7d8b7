// Settings read from the process environment, so tests and users can point the program at
// other servers.
#pragma once

#include <string>

namespace karvo {

// A server's address: the variable's value when it is set and not empty, otherwise fallback;
// trailing "/" removed, so paths beginning with "/" can be appended.
std::string ServerAddressFrom(const char* variable, const char* fallback);

// Makes the character type of the process UTF-8 when the environment names no UTF-8 locale (no
// LANG at all, as under cron and systemd, or LANG=C, LANG=POSIX): C.UTF-8 is put in the
// environment before Qt reads it, so that Greek text reaches the terminal and the journal as
// UTF-8 and Qt has nothing to warn about. The other categories, numbers among them, keep what
// the environment said. Call it first thing in main, before any thread or QCoreApplication.
void ChooseUtf8CharacterType();

} // namespace karvo
