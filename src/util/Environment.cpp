#include "util/Environment.h"

#include <cstdlib>

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

} // namespace karvo
