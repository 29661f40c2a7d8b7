// Karvo: results history, market figures and betting coupon for the Greek lottery games. The
// commands of the command line run without a display, before any window exists; everything else
// opens the main window.
#include "app/main/DesktopNotification.h"
#include "app/main/MainWindow.h"
#include "cli/CommandRunner.h"
#include "cli/DataFolder.h"
#include "cli/StopSignals.h"
#include "util/Environment.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/Numbers.h"

#include <QApplication>
#include <QLocale>
#include <clocale>
#include <cstdio>

namespace {

// Writes text at once. Output that can no longer be written (a pipe whose reader has gone, a full
// disk) stops the run as Cancel does: nobody reads what it would still say.
void Write(std::FILE* stream, std::string_view text)
{
    const bool written = std::fwrite(text.data(), 1, text.size(), stream) == text.size();
    if ((std::fflush(stream) != 0 || !written) && stream == stdout) {
        karvo::SetStopRequested(true);
    }
}

int RunCommand(int argc, char* argv[], const karvo::CommandLine& line)
{
    karvo::InstallStopSignals();
    QCoreApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    karvo::Console console{
        [](std::string_view text) { Write(stdout, text); }, [](std::string_view text) { Write(stderr, text); },
        [](const std::string& title, const std::string& body) { karvo::SendDesktopNotification(title, body); }};
    return karvo::RunCommandLine(line, QDate::currentDate(), console);
}

} // namespace

int main(int argc, char* argv[])
{
    karvo::ChooseUtf8CharacterType();
    karvo::IgnoreFileSizeSignal();
    const karvo::CommandLine line = karvo::ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.kind != karvo::CommandKind::Window) {
        return RunCommand(argc, argv, line);
    }
    QApplication app(argc, argv);
    // Desktops match the window to its launcher and metainfo by this name (Wayland's app id).
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.karvo_app.karvo"));
    // Qt takes the C library's locale from the environment; numbers in files and on screen are
    // written by our own code with the user's separators, never by the C library.
    std::setlocale(LC_NUMERIC, "C");
    if (line.dataFolderGiven) {
        const QString folder = line.dataFolder.empty() ? karvo::UserDataFolder() : QString::fromUtf8(line.dataFolder);
        if (!karvo::EnterFolder(folder)) {
            std::fprintf(stderr, "karvo: ο φάκελος δεν μπορεί να χρησιμοποιηθεί: %s\n", folder.toUtf8().constData());
            return karvo::kExitUsage;
        }
    }
    karvo::SetUserNumberFormat(karvo::NumberFormat::fromLocale(QLocale::system()));
    // The program works in the folder it is started in.
    karvo::MainWindow mainWindow(karvo::CurrentFolder(), [] { return QDate::currentDate(); });
    mainWindow.show();
    return app.exec();
}
