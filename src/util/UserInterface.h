// What the core asks of the screen: dialogs, the status notice, the desktop's "open", text
// extents and the work area. The window layer implements it with Qt; tests with scripted answers.
// All texts are Windows-1253.
#pragma once

#include <string>
#include <vector>

namespace karvo {

enum class NoticeKind { Information = 1, Warning = 2, Error = 3 };

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
    // mode 2 opens, anything else saves. fileName is the proposal and receives the choice,
    // with "." and the first extension appended when it ends in none of them.
    virtual bool ChooseFileName(const std::string& titleAndFilter, const std::string& extensions,
                                const std::string& startFolder, int mode, std::string& fileName) = 0;

    virtual void ShowNotice(NoticeKind kind, const std::string& text) = 0;

    // Returns the platform's code of the pressed button (6 Yes, 7 No, 1 OK, 2 Cancel).
    virtual int MessageChoice(const std::string& caption, const std::string& message, int type,
                              int defaultButton, int buttons) = 0;

    // The status bar's notice: empty clears it, any text shows it on yellow and paints at once.
    virtual void StatusNotice(const std::string& text) = 0;

    // Hands a file, folder or web address to the desktop's "open".
    virtual void ShellOpen(const std::string& target) = 0;

    // Pixel size of text in a font given by family and point size.
    virtual void TextExtent(const std::string& text, const std::string& fontFamily, int pointSize,
                            int& width, int& height) = 0;

    virtual int WorkAreaHeight() = 0;

    // Runs the window events already queued, so that a notice set just before is painted.
    virtual void processPendingEvents() = 0;
};

} // namespace karvo
