// A user interface that answers from a script, for the tests of everything that asks the screen.
#pragma once

#include "domain/UserInterface.h"

#include <deque>
#include <string>
#include <vector>

namespace karvo::test {

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

} // namespace karvo::test
