#include "support/ScriptedUserInterface.h"

namespace karvo::test {

namespace {

// Takes the next scripted answer into answer; false when none is left.
template <class T>
bool NextAnswer(std::deque<T>& answers, T& answer)
{
    if (answers.empty()) {
        return false;
    }
    answer = answers.front();
    answers.pop_front();
    return true;
}

} // namespace

int ScriptedUserInterface::ChooseFromList(const std::string& caption, const std::vector<std::string>& items,
                                          const std::string&, bool)
{
    listCalls.push_back({caption, items});
    int answer = 0;
    NextAnswer(listAnswers, answer);
    return answer;
}

bool ScriptedUserInterface::InputChoice(const std::string&, const std::string&, std::string& result)
{
    return NextAnswer(inputAnswers, result);
}

bool ScriptedUserInterface::MemoBox(const std::string&, std::vector<std::string>& fields,
                                    const std::vector<std::string>&, std::vector<int>&, int)
{
    memoFields.push_back(fields);
    return NextAnswer(memoAnswers, fields);
}

bool ScriptedUserInterface::ChooseFileName(const std::string&, const std::string&, const std::string&, FileChooserMode,
                                           std::string& fileName)
{
    return NextAnswer(fileAnswers, fileName);
}

void ScriptedUserInterface::ShowNotice(NoticeKind kind, const std::string& text)
{
    notices.push_back({kind, text});
}

MessageAnswer ScriptedUserInterface::MessageChoice(const std::string&, const std::string&, MessageType,
                                                   MessageAnswer defaultButton, MessageButtons)
{
    MessageAnswer answer = defaultButton;
    NextAnswer(choiceAnswers, answer);
    return answer;
}

void ScriptedUserInterface::StatusNotice(const std::string& text)
{
    status = text;
    statusHistory.push_back(text);
}

void ScriptedUserInterface::ShellOpen(const std::string& target)
{
    opened.push_back(target);
}

void ScriptedUserInterface::TextExtent(const std::string& text, const std::string&, int pointSize, int& width,
                                       int& height)
{
    // A fixed-pitch stand-in: every character as wide as two thirds of the point size.
    width = static_cast<int>(text.size()) * (pointSize * 2 / 3 + 1);
    height = pointSize + 4;
}

void ScriptedUserInterface::processPendingEvents()
{
    ++pendingEventRuns;
}

} // namespace karvo::test
