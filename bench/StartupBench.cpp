// Start-up cost of the program against a minimal Qt window: the time from starting a process to
// its window's first paint, and the resident memory once it idles. Each window runs in a fresh
// child process (offscreen), several times, alternating, and the medians are compared.
#include "app/main/MainWindow.h"
#include "util/Numbers.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLocale>
#include <QMainWindow>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kRuns = 11;
constexpr int kIdleMs = 1000;

// VmRSS of this process in KiB.
long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) {
        return 0;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:")) {
            return line.mid(6).trimmed().split(' ').front().toLong();
        }
    }
    return 0;
}

// Reports the first paint of a window on stdout.
class FirstPaint : public QObject
{
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            std::printf("shown\n");
            std::fflush(stdout);
            QTimer::singleShot(kIdleMs, [] {
                std::printf("rss %ld\n", residentKiB());
                std::fflush(stdout);
                QCoreApplication::quit();
            });
        }
        return false;
    }

private:
    bool m_seen = false;
};

int runChild(int argc, char* argv[], bool program)
{
    QApplication app(argc, argv);
    FirstPaint watcher;
    QTemporaryDir folder;
    std::unique_ptr<QMainWindow> window;
    if (program) {
        // As the program starts: separators, then the main window.
        karvo::SetUserNumberFormat(karvo::NumberFormat::fromLocale(QLocale::system()));
        window =
            std::make_unique<karvo::MainWindow>(folder.path().toStdString() + "/", [] { return QDate::currentDate(); });
    } else {
        window = std::make_unique<QMainWindow>();
        window->setCentralWidget(new QLabel(QStringLiteral("Καλημέρα")));
        window->resize(896, 580);
    }
    window->centralWidget()->installEventFilter(&watcher);
    window->show();
    return app.exec();
}

struct Sample
{
    double ms = 0;
    long kib = 0;
};

Sample measure(const QString& self, const char* kind)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    child.setProcessEnvironment(environment);
    QElapsedTimer clock;
    clock.start();
    child.start(self, {QStringLiteral("--child"), QString::fromLatin1(kind)});
    Sample sample;
    QByteArray output;
    while (child.waitForReadyRead(30000)) {
        output += child.readAllStandardOutput();
        if (sample.ms == 0 && output.contains("shown")) {
            sample.ms = static_cast<double>(clock.nsecsElapsed()) / 1e6;
        }
        if (output.contains("rss ")) {
            break;
        }
    }
    child.waitForFinished(30000);
    output += child.readAllStandardOutput();
    const qsizetype at = output.indexOf("rss ");
    sample.kib = at < 0 ? 0 : output.mid(at + 4).trimmed().toLong();
    return sample;
}

template <class T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc >= 3 && QByteArray(argv[1]) == "--child") {
        return runChild(argc, argv, QByteArray(argv[2]) == "karvo");
    }
    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    std::vector<double> minimalMs, karvoMs;
    std::vector<long> minimalKiB, karvoKiB;
    measure(self, "minimal"); // warms the file cache for both
    for (int run = 0; run < kRuns; ++run) {
        const Sample minimal = measure(self, "minimal");
        const Sample program = measure(self, "karvo");
        minimalMs.push_back(minimal.ms);
        minimalKiB.push_back(minimal.kib);
        karvoMs.push_back(program.ms);
        karvoKiB.push_back(program.kib);
    }
    const double timeRatio = median(karvoMs) / median(minimalMs);
    const double memoryRatio = static_cast<double>(median(karvoKiB)) / static_cast<double>(median(minimalKiB));
    std::printf("%-22s %14s %14s %8s\n", "medians of 11 runs", "minimal Qt 6", "karvo", "ratio");
    std::printf("%-22s %11.1f ms %11.1f ms %7.2fx\n", "time to first paint", median(minimalMs), median(karvoMs),
                timeRatio);
    std::printf("%-22s %10.1f MiB %10.1f MiB %7.2fx\n", "resident at idle",
                static_cast<double>(median(minimalKiB)) / 1024.0, static_cast<double>(median(karvoKiB)) / 1024.0,
                memoryRatio);
    std::printf("goal: no more than 1.30x on both: %s\n", timeRatio <= 1.3 && memoryRatio <= 1.3 ? "met" : "missed");
    return 0;
}
