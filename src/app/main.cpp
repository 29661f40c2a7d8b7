// Karvo: results history, market figures and betting coupon for the Greek lottery games.
#include "app/betting/SystemWindow.h"
#include "app/main/MainWindow.h"
#include "util/Files.h"
#include "util/Numbers.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <clocale>
#include <cstdio>
#include <cstring>

namespace {

// The launcher's way in: the user's data folder (KARVO_DATA_DIR, else the desktop's data
// location, ~/.local/share/karvo), made when missing, becomes the working folder.
bool EnterDataFolder()
{
    QString folder = qEnvironmentVariable("KARVO_DATA_DIR");
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/karvo");
    }
    return QDir().mkpath(folder) && QDir::setCurrent(folder);
}

} // namespace

int main(int argc, char* argv[])
{
    karvo::IgnoreFileSizeSignal();
    QApplication app(argc, argv);
    // Qt takes the C library's locale from the environment; numbers in files and on screen are
    // written by our own code with the user's separators, never by the C library.
    std::setlocale(LC_NUMERIC, "C");
    if (argc > 1 && std::strcmp(argv[1], "--data-folder") == 0 && !EnterDataFolder()) {
        std::fprintf(stderr, "karvo: cannot use the data folder\n");
        return 1;
    }
    karvo::SetUserNumberFormat(karvo::NumberFormat::fromLocale(QLocale::system()));
    // The program works in the folder it is started in.
    karvo::MainWindow mainWindow(karvo::CurrentFolder(), [] { return QDate::currentDate(); });
    karvo::SystemWindow calculator;
    mainWindow.setCalculator(&calculator);
    mainWindow.show();
    return app.exec();
}
