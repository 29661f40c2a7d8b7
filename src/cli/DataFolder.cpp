#include "cli/DataFolder.h"

#include <QDir>
#include <QStandardPaths>

namespace karvo {

QString UserDataFolder()
{
    QString folder = qEnvironmentVariable("KARVO_DATA_DIR");
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/karvo");
    }
    return folder;
}

bool EnterFolder(const QString& folder)
{
    return !folder.isEmpty() && QDir().mkpath(folder) && QDir::setCurrent(folder);
}

} // namespace karvo
