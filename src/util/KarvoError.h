// The one exception type for failures below the program's own code: a file that cannot be
// written, a download that is not a workbook. The window's handler shows its text and ends the click.
#pragma once

#include <stdexcept>
#include <string>

namespace karvo {

class KarvoError : public std::runtime_error
{
public:
    // message: plain text for the user, in UTF-8.
    explicit KarvoError(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

} // namespace karvo
