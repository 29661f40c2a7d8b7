#include "support/TestSupport.h"

#include "util/Cp1253.h"

#include "util/Files.h"

#include <QFile>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace karvo::test {

std::string W(const char* utf8)
{
    return Utf8ToCp1253(utf8);
}

std::string U(const std::string& cp1253)
{
    return Cp1253ToUtf8(cp1253);
}

int ScriptedUserInterface::ChooseFromList(const std::string& caption, const std::vector<std::string>& items,
                                          const std::string& keys, bool tableMode)
{
    listCalls.push_back({caption, items, keys, tableMode});
    if (listAnswers.empty()) {
        return 0;
    }
    int answer = listAnswers.front();
    listAnswers.pop_front();
    return answer;
}

bool ScriptedUserInterface::InputChoice(const std::string& caption, const std::string&, std::string& result)
{
    inputCaptions.push_back(caption);
    if (inputAnswers.empty()) {
        return false;
    }
    result = inputAnswers.front();
    inputAnswers.pop_front();
    return true;
}

bool ScriptedUserInterface::MemoBox(const std::string& caption, std::vector<std::string>& fields,
                                    const std::vector<std::string>& labels, std::vector<int>& lines, int)
{
    memoCalls.push_back({caption, fields, labels});
    memoCaptions.push_back(caption);
    memoLabels.push_back(labels);
    memoLines.push_back(lines);
    if (memoAnswers.empty()) {
        return false;
    }
    fields = memoAnswers.front();
    memoAnswers.pop_front();
    return true;
}

bool ScriptedUserInterface::ChooseFileName(const std::string&, const std::string&, const std::string&,
                                           FileChooserMode mode, std::string& fileName)
{
    fileModes.push_back(mode);
    if (fileAnswers.empty()) {
        return false;
    }
    fileName = fileAnswers.front();
    fileAnswers.pop_front();
    return true;
}

void ScriptedUserInterface::ShowNotice(NoticeKind kind, const std::string& text)
{
    notices.push_back({kind, text});
}

MessageAnswer ScriptedUserInterface::MessageChoice(const std::string&, const std::string& message, MessageType,
                                                   MessageAnswer defaultButton, MessageButtons)
{
    choiceMessages.push_back(message);
    if (choiceAnswers.empty()) {
        return defaultButton;
    }
    const MessageAnswer answer = choiceAnswers.front();
    choiceAnswers.pop_front();
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
    if (onProcessEvents) {
        onProcessEvents();
    }
}

TempFolder::TempFolder() = default;

std::string TempFolder::path() const
{
    return m_dir.path().toStdString() + "/";
}

std::string ReadBytes(const std::string& path)
{
    QFile f(QString::fromStdString(path));
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray b = f.readAll();
    return std::string(b.constData(), static_cast<std::size_t>(b.size()));
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    QFile f(QString::fromStdString(path));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        f.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }
}

FailingReader::FailingReader(long lastByte, int error)
{
    // The position in the file tells how much of it has been read.
    SetFileReadFunction([lastByte, error](int fd, void* buffer, std::size_t count) -> long {
        const long at = static_cast<long>(::lseek(fd, 0, SEEK_CUR));
        if (at >= lastByte) {
            errno = error;
            return error == 0 ? 0 : -1;
        }
        return static_cast<long>(
            ::read(fd, buffer, std::min<std::size_t>(count, static_cast<std::size_t>(lastByte - at))));
    });
}

FailingReader::~FailingReader()
{
    SetFileReadFunction({});
}

bool AsOrdinaryUser(const std::function<bool()>& check)
{
    if (::geteuid() != 0) {
        return check();
    }
    const pid_t child = ::fork();
    if (child == 0) {
        const uid_t nobody = 65534;
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setresgid(nobody, nobody, nobody) == 0
            && ::setresuid(nobody, nobody, nobody) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace karvo::test
