// Shared test helpers: a user interface that answers from a script, temporary working folders,
// and Windows-1253 literals written in UTF-8.
#pragma once

#include "util/UserInterface.h"

#include <QTemporaryDir>
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
        std::string keys;
        bool tableMode;
    };
    struct Notice
    {
        NoticeKind kind;
        std::string text;
    };
    struct MemoCall
    {
        std::string caption;
        std::vector<std::string> fields;
        std::vector<std::string> labels;
    };

    std::deque<int> listAnswers;
    std::deque<std::string> inputAnswers; // each answer confirms with that text
    std::deque<std::vector<std::string>> memoAnswers;
    std::deque<std::string> fileAnswers;
    std::deque<MessageAnswer> choiceAnswers;

    std::vector<ListCall> listCalls;
    std::vector<std::string> inputCaptions;
    std::vector<MemoCall> memoCalls; // the boxes as they were opened, fields prefilled
    std::vector<std::string> memoCaptions;
    std::vector<std::vector<std::string>> memoLabels;
    std::vector<std::vector<int>> memoLines;
    std::vector<std::string> choiceMessages; // MessageChoice texts, in order
    std::vector<FileChooserMode> fileModes;  // ChooseFileName modes, in order
    std::vector<Notice> notices;
    std::vector<std::string> statusHistory; // every StatusNotice text, in order
    std::string status;                     // the notice now shown
    std::vector<std::string> opened;        // ShellOpen targets
    int pendingEventRuns = 0;
    std::function<void()> onProcessEvents; // hook to look at the state during a fetch

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

// While it lives, every file the program reads fails once lastByte bytes of it have been read:
// with error (EIO, ...), or with error 0 as if the file ended there.
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

} // namespace karvo::test
