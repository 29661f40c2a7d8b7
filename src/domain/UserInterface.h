// What the core asks of the screen: dialogs, the status notice, the desktop's "open", text
// extents and the work area. The window layer implements it with Qt; tests with scripted answers.
// All texts are Windows-1253.
#pragma once

#include "util/Cp1253.h"

#include <string>
#include <vector>

namespace karvo {

// "Παρακαλώ περιμένετε", the status notice while a command fetches, reads or writes.
inline std::string WaitNoticeText()
{
    return Utf8ToCp1253("Παρακαλώ περιμένετε");
}

enum class NoticeKind { Information = 1, Warning = 2, Error = 3 };

// The kind of question box: its icon. The values are the platform's codes.
enum class MessageType { Plain = 0, Error = 0x10, Question = 0x20, Warning = 0x30, Information = 0x40 };

// A question box's set of buttons.
enum class MessageButtons { Ok = 0, OkCancel = 1, AbortRetryIgnore = 2, YesNoCancel = 3, YesNo = 4, RetryCancel = 5 };

// The button a question box was closed with (also names the default button).
enum class MessageAnswer { None = 0, Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

// What a file chooser does.
enum class FileChooserMode { Save = 1, Open = 2 };

class UserInterface
{
public:
    virtual ~UserInterface() = default;

    // caption: window caption, optionally byte 01 and a header line. items[0] is line 1.
    // tableMode pads every item with two blanks on each side and uses a fixed-pitch font.
    // keys: comma-separated extra key codes that close the list ("46"), empty for none.
    // Returns the 1-based line chosen (Enter, double-click), 0 on cancel, or the code of another
    // allowed key.
    virtual int ChooseFromList(const std::string& caption, const std::vector<std::string>& items,
                               const std::string& keys, bool tableMode) = 0;

    // A one-line input with the history of earlier entries for the run. True when confirmed;
    // result receives the text, unchanged on cancel.
    virtual bool InputChoice(const std::string& caption, const std::string& defaultText, std::string& result) = 0;

    // Labelled text boxes. fields[i], labels[i] and lines[i] describe box i (0-based); mode 1
    // makes every box one line high. On confirm the fields receive the boxes' texts.
    virtual bool MemoBox(const std::string& caption, std::vector<std::string>& fields,
                         const std::vector<std::string>& labels, std::vector<int>& lines, int mode) = 0;

    // titleAndFilter: optional title, byte 01, then the filter description; extensions: "bet,txt".
    // fileName is the proposal and receives the choice,
    // with "." and the first extension appended when it ends in none of them.
    virtual bool ChooseFileName(const std::string& titleAndFilter, const std::string& extensions,
                                const std::string& startFolder, FileChooserMode mode, std::string& fileName) = 0;

    virtual void ShowNotice(NoticeKind kind, const std::string& text) = 0;

    // The button pressed; closing the box otherwise answers Cancel (or No when there is no Cancel).
    virtual MessageAnswer MessageChoice(const std::string& caption, const std::string& message, MessageType type,
                                        MessageAnswer defaultButton, MessageButtons buttons) = 0;

    // The status bar's notice: empty clears it, any text shows it on yellow and paints at once.
    virtual void StatusNotice(const std::string& text) = 0;

    // Hands a file, folder or web address to the desktop's "open".
    virtual void ShellOpen(const std::string& target) = 0;

    // Pixel size of text in a font given by family and point size.
    virtual void TextExtent(const std::string& text, const std::string& fontFamily, int pointSize, int& width,
                            int& height) = 0;

    virtual int WorkAreaHeight() = 0;

    // Runs the window events already queued, so that a notice set just before is painted, but
    // leaves the user's clicks and keys queued: no other command may start inside a running one.
    virtual void processPendingEvents() = 0;
};

} // namespace karvo
