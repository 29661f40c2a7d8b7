// Settings read from the process environment, so tests and users can point the program at
// other servers.
#pragma once

#include <string>

namespace karvo {

// A server's address: the variable's value when it is set and not empty, otherwise fallback;
// trailing "/" removed, so paths beginning with "/" can be appended.
std::string ServerAddressFrom(const char* variable, const char* fallback);

} // namespace karvo
