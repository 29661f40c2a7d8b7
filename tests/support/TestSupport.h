// Shared test helpers: a user interface that answers from a script, temporary working folders,
// Windows-1253 literals written in UTF-8, results files built by hand and forced write failures.
#pragma once

#include "domain/UserInterface.h"

#include <QTemporaryDir>
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace karvo::test {

// UTF-8 source text to a Windows-1253 text.
std::string W(const char* utf8);
// Windows-1253 to UTF-8, for readable failure messages.
std::string U(const std::string& cp1253);

// Records every call and answers the dialogs from queues filled by the test. An empty queue
// answers "cancel".
class ScriptedUserInterface : public UserInterface
{
public:
    struct ListCall
    {
        std::string caption;
        std::vector<std::string> items;
    };
    struct Notice
    {
        NoticeKind kind;
        std::string text;
    };

    std::deque<int> listAnswers;
    std::deque<std::string> inputAnswers; // each answer confirms with that text
    std::deque<std::vector<std::string>> memoAnswers;
    std::deque<std::string> fileAnswers;
    std::deque<MessageAnswer> choiceAnswers;

    std::vector<ListCall> listCalls;
    std::vector<std::vector<std::string>> memoFields; // each box's fields as it was opened
    std::vector<Notice> notices;
    std::vector<std::string> statusHistory; // every StatusNotice text, in order
    std::string status;                     // the notice now shown
    std::vector<std::string> opened;        // ShellOpen targets
    int pendingEventRuns = 0;

    int ChooseFromList(const std::string& caption, const std::vector<std::string>& items, const std::string& keys,
                       bool tableMode) override;
    bool InputChoice(const std::string& caption, const std::string& defaultText, std::string& result) override;
    bool MemoBox(const std::string& caption, std::vector<std::string>& fields, const std::vector<std::string>& labels,
                 std::vector<int>& lines, int mode) override;
    bool ChooseFileName(const std::string& titleAndFilter, const std::string& extensions,
                        const std::string& startFolder, FileChooserMode mode, std::string& fileName) override;
    void ShowNotice(NoticeKind kind, const std::string& text) override;
    MessageAnswer MessageChoice(const std::string& caption, const std::string& message, MessageType type,
                                MessageAnswer defaultButton, MessageButtons buttons) override;
    void StatusNotice(const std::string& text) override;
    void ShellOpen(const std::string& target) override;
    void TextExtent(const std::string& text, const std::string& fontFamily, int pointSize, int& width,
                    int& height) override;
    int WorkAreaHeight() override { return 1000; }
    void processPendingEvents() override;
};

// A fresh temporary folder; path() ends in "/".
class TempFolder
{
public:
    TempFolder();
    std::string path() const;
    std::string file(const std::string& name) const { return path() + name; }

private:
    QTemporaryDir m_dir;
};

// A read for the loads (a FileReadFunction) that fails once lastByte bytes of the file have been
// read: with error (EIO, ...), or with error 0 as if the file ended there.
std::function<long(int fd, void* buffer, std::size_t count)> FailingRead(long lastByte, int error);

// While it lives, every file the program reads fails as FailingRead's do.
class FailingReader
{
public:
    FailingReader(long lastByte, int error);
    ~FailingReader();
    FailingReader(const FailingReader&) = delete;
    FailingReader& operator=(const FailingReader&) = delete;
};

// check() run where a missing read permission bites: as root in a child process that has become
// "nobody", otherwise in this process. Folders on the way must let others through.
bool AsOrdinaryUser(const std::function<bool()>& check);

// Whole-file helpers for tests that must not depend on the code under test.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

// Results-file bytes built by hand: each value one byte; masked as stored, byte k XOR ((k + 1) mod 77).
std::string Bytes(const std::vector<int>& values);
std::string Masked(std::string bytes);
// One slot record: day, month, year - 1950, then the numbers.
std::string Slot(int day, int month, int year, const std::vector<int>& numbers);
// KINO: a header with the first draw number (little-endian); a record of 20 numbers, day, hour, minute.
std::string KinoHeaderBytes(std::uint32_t firstDraw);
std::string KinoRecord(const std::vector<int>& numbers, int day, int hour, int minute);

// Runs f while writes past bytes fail with EFBIG (instead of a signal), then lifts the limit.
void WithFileSizeLimit(unsigned long bytes, const std::function<void()>& f);
// The message of the KarvoError thrown by f, or "no error".
std::string ErrorOf(const std::function<void()>& f);
// Whether f throws a KarvoError whose message holds problem ("": any message).
bool Fails(const std::function<void()>& f, const std::string& problem = "");

} // namespace karvo::test
