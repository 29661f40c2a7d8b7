#include "util/Environment.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>

namespace karvo {

std::string ServerAddressFrom(const char* variable, const char* fallback)
{
    const char* value = std::getenv(variable);
    std::string address = value != nullptr && *value != '\0' ? value : fallback;
    while (!address.empty() && address.back() == '/') {
        address.pop_back();
    }
    return address;
}

namespace {

// Whether the environment's locale, taken whole as Qt takes it, has UTF-8 characters.
bool EnvironmentIsUtf8()
{
    if (std::setlocale(LC_ALL, "") == nullptr) {
        return false; // names a locale this system does not have
    }
    const bool utf8 = std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
    std::setlocale(LC_ALL, "C");
    return utf8;
}

} // namespace

void ChooseUtf8CharacterType()
{
    if (EnvironmentIsUtf8()) {
        return;
    }
    // LC_ALL outranks LC_CTYPE, so where it is set, it is what has to change.
    const char* all = std::getenv("LC_ALL");
    if (all != nullptr && *all != '\0') {
        setenv("LC_ALL", "C.UTF-8", 1);
        return;
    }
    setenv("LC_CTYPE", "C.UTF-8", 1);
    if (!EnvironmentIsUtf8()) {
        // LC_CTYPE alone did not do it: LANG or a category names a locale this system lacks, and
        // then the C library takes none of them. All categories become C.UTF-8.
        setenv("LC_ALL", "C.UTF-8", 1);
    }
}

} // namespace karvo
