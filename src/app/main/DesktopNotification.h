// One notification on the desktop through the freedesktop notification service on the session
// bus. Without a session bus, or with no service answering within two seconds, nothing is shown
// and nothing is reported: the notification only repeats what the output already says.
#pragma once

#include <string>

namespace karvo {

// title and body in UTF-8; true when the service took the notification.
bool SendDesktopNotification(const std::string& title, const std::string& body);

} // namespace karvo
