// Helpers shared by the window and dialog tests: scripted answers to modal dialogs, the main window
// in a fresh working folder, and a catcher for the desktop's "open" so that nothing is launched.
#pragma once

#include "app/dialogs/InputDialog.h"
#include "app/main/MainWindow.h"
#include "support/TestSupport.h"

#include <QtTest>
#include <QtWidgets>
#include <memory>
#include <type_traits>

namespace karvo::test {

// Answers the next modal dialog from inside its own event loop: queued before the call that opens it.
template <class Dialog>
void AnswerNextDialog(std::function<void(Dialog*)> answer)
{
    QTimer::singleShot(0, [answer]() {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (auto* dialog = qobject_cast<Dialog*>(modal)) {
            answer(dialog);
        } else if (modal != nullptr) {
            qWarning("the open dialog is not of the expected kind");
            modal->reject(); // so that the test goes on instead of waiting for ever
        }
    });
}

// Answers the first modal dialog of the kind that opens from now on, also after other dialogs.
// One that has not come within timeoutMs fails the test it was set up in, and whatever dialog is
// open then is closed, so that the test ends instead of waiting for ever.
template <class Dialog>
void AnswerWhenShown(std::function<void(Dialog*)> answer, int timeoutMs = 30000)
{
    auto* poll = new QTimer;
    poll->setInterval(5);
    auto waited = std::make_shared<QElapsedTimer>();
    waited->start();
    QObject::connect(poll, &QTimer::timeout, [poll, answer, waited, timeoutMs]() {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(dialog);
        } else if (waited->elapsed() > timeoutMs) {
            poll->stop();
            poll->deleteLater();
            QTest::qFail("the dialog to answer never opened", __FILE__, __LINE__);
            if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                other->reject();
            }
        }
    });
    poll->start();
}

// Answers the next input line: the text typed in, then Return.
inline void AnswerInput(const QString& text)
{
    AnswerNextDialog<InputDialog>([text](InputDialog* dialog) {
        dialog->inputBox()->setEditText(text);
        QTest::keyClick(dialog, Qt::Key_Return);
    });
}

// Every message box that opens while it lives, as "title|object name|text" with its icon, each
// closed at once.
struct BoxWatch
{
    QStringList boxes;
    QList<QMessageBox::Icon> icons;
    QTimer poll;

    BoxWatch()
    {
        poll.setInterval(5);
        QObject::connect(&poll, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                boxes << box->windowTitle() + u'|' + box->objectName() + u'|' + box->text();
                icons << box->icon();
                box->accept();
            }
        });
        poll.start();
    }
};

// A named child that must exist. One that does not fails the test that asked; the test goes on
// with a stand-in of that kind (and fails further on), instead of ending the whole program. Kinds
// that cannot be made without arguments still end it.
template <class T = QWidget>
T* Child(const QObject* parent, const char* name)
{
    auto* found = parent->findChild<T*>(QString::fromLatin1(name));
    if (found != nullptr) {
        return found;
    }
    if constexpr (std::is_default_constructible_v<T>) {
        QTest::qFail(qPrintable(QStringLiteral("no child %1").arg(QLatin1String(name))), __FILE__, __LINE__);
        static T* standIn = new T;
        return standIn;
    } else {
        qFatal("no child %s", name);
    }
}

// One Qt Test data row per entry of a table, named by the entry, fetched as QFETCH(int, row).
template <class Entry, std::size_t N>
void AddRows(const Entry (&table)[N])
{
    QTest::addColumn<int>("row");
    for (std::size_t row = 0; row < N; ++row) {
        QTest::newRow(table[row].name) << int(row);
    }
}

// LOTTO draws k = 0..n-1 on day 1 + k % 28 of month 1 + k / 28 % 12 of year 2020 + k / 336: six
// numbers 1 + (7k + 8i) % 49, spread so that every number comes and the gaps differ. There are
// only seven different draws: draw 0 (1 9 17 25 33 41) comes back every seventh draw.
inline std::string LottoDraws(int n)
{
    std::string bytes;
    for (int k = 0; k < n; ++k) {
        bytes += static_cast<char>(1 + k % 28);
        bytes += static_cast<char>(1 + k / 28 % 12);
        bytes += static_cast<char>(2020 + k / 336 - 1950);
        for (int i = 0; i < 6; ++i) {
            bytes += static_cast<char>(1 + (k * 7 + i * 8) % 49);
        }
    }
    return bytes;
}

// The real main window, shown, working in a temporary folder on 6 December 2026; both grids' models
// are watched throughout.
struct OpenWindow
{
    TempFolder folder;
    MainWindow form{folder.path(), [] { return QDate(2026, 12, 6); }};

    OpenWindow()
    {
        for (const char* grid : {"mainGrid", "sideGrid"}) {
            QAbstractItemModel* model = child<QTableView>(grid)->model();
            new QAbstractItemModelTester(model, QAbstractItemModelTester::FailureReportingMode::QtTest, model);
        }
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
    template <class T = QWidget>
    T* child(const char* name)
    {
        return Child<T>(&form, name);
    }
    void press(const char* name) { QTest::mouseClick(child<QPushButton>(name), Qt::LeftButton); }
    // Presses the commands button and runs the item of its menu with that caption.
    void runMenuItem(const QString& caption)
    {
        press("commandsButton");
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QVERIFY(menu != nullptr);
        QAction* found = nullptr;
        for (QAction* item : menu->actions()) {
            found = item->text() == caption ? item : found;
        }
        menu->close();
        QVERIFY(found != nullptr);
        found->trigger();
    }
    // A press on the caption of column c of grid; twice: two presses quick enough to make a double
    // click, through the window as the desktop delivers them (press, release, press, double click, release).
    void pressCaption(const char* grid, int c, bool twice = false)
    {
        QHeaderView* header = child<QTableView>(grid)->horizontalHeader();
        const QPoint at(header->sectionViewportPosition(c) + 5, header->height() / 2);
        if (twice) {
            QTest::mouseDClick(form.windowHandle(), Qt::LeftButton, {}, header->viewport()->mapTo(&form, at));
        } else {
            QTest::mouseClick(header->viewport(), Qt::LeftButton, {}, at);
        }
    }
};

// Watches a fetch from inside the event processing that keeps the window answering: the longest
// pause between the ticks of a 50 ms timer, when the fetch's progress dialog showed, and a press of
// its Cancel button a quarter of a second later. Times in milliseconds from start().
class FetchWatch
{
public:
    explicit FetchWatch(QWidget* window)
        : m_window(window)
    {
        m_tick.setInterval(50);
        QObject::connect(&m_tick, &QTimer::timeout, [this] { tick(); });
    }
    void start()
    {
        m_clock.start();
        m_tick.start();
    }
    // Stops the watch and checks what the user saw: the progress shown after a second, the window
    // answering all along, and Cancel ending the fetch at once (the bounds allow for a loaded machine).
    void verifyShownAnsweringAndCancelled()
    {
        m_tick.stop();
        const qint64 ended = m_clock.elapsed();
        qInfo("progress shown at %lld ms, longest pause %lld ms, ended %lld ms after Cancel", shownAt, longestPause,
              ended - cancelAt);
        QVERIFY2(shownAt >= 900 && shownAt < 3000, qPrintable(QString::number(shownAt)));
        QVERIFY2(longestPause < 1000, qPrintable(QString::number(longestPause)));
        QVERIFY(cancelAt > 0);
        QVERIFY2(ended - cancelAt < 3000, qPrintable(QString::number(ended - cancelAt)));
    }

    qint64 shownAt = -1;
    qint64 cancelAt = -1;
    qint64 longestPause = 0;

private:
    void tick()
    {
        const qint64 now = m_clock.elapsed();
        longestPause = std::max(longestPause, now - m_last);
        m_last = now;
        auto* dialog = m_window->findChild<QProgressDialog*>(QStringLiteral("FetchProgress"));
        if (shownAt < 0) {
            shownAt = dialog != nullptr && dialog->isVisible() ? now : -1;
        } else if (cancelAt < 0 && dialog != nullptr && now - shownAt >= 250) {
            cancelAt = now;
            QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
        }
    }

    QWidget* m_window;
    QTimer m_tick;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
};

// Takes the desktop's "open" for one URL scheme while it lives.
class OpenedUrls : public QObject
{
    Q_OBJECT
public:
    explicit OpenedUrls(const char* name) { QDesktopServices::setUrlHandler(scheme = name, this, "open"); }
    ~OpenedUrls() override { QDesktopServices::unsetUrlHandler(scheme); }
    QList<QUrl> urls;
    QString scheme;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

} // namespace karvo::test
