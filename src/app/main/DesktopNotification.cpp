#include "app/main/DesktopNotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

namespace karvo {

namespace {

constexpr int kReplyTimeoutMs = 2000;
constexpr int kShownMs = -1; // as long as the desktop keeps notifications

} // namespace

bool SendDesktopNotification(const std::string& title, const std::string& body)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        return false;
    }
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QStringLiteral("Karvo") << 0U << QStringLiteral("io.github.karvo_app.karvo")
         << QString::fromStdString(title) << QString::fromStdString(body) << QStringList() << QVariantMap() << kShownMs;
    const QDBusMessage reply = bus.call(call, QDBus::Block, kReplyTimeoutMs);
    return reply.type() == QDBusMessage::ReplyMessage;
}

} // namespace karvo
