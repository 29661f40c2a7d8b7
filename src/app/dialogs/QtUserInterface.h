// The screen side of the core's user-interface seam: Qt dialogs, message boxes, the desktop's
// "open", font metrics and the status notice of the main window.
#pragma once

#include "app/dialogs/InputDialog.h"
#include "domain/UserInterface.h"

#include <QString>
#include <functional>

class QWidget;

namespace karvo {

class QtUserInterface : public UserInterface
{
public:
    // dialogWindow: the window the dialogs are centred on and owned by (may be null).
    explicit QtUserInterface(QWidget* dialogWindow = nullptr);

    // Where StatusNotice texts go (the main window's status bar); unset, they are dropped.
    void setStatusSink(std::function<void(const QString&)> sink) { m_statusSink = std::move(sink); }
    const InputHistory& inputHistory() const { return m_history; }

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
    int WorkAreaHeight() override;
    void processPendingEvents() override;

private:
    QWidget* m_window;
    InputHistory m_history;
    std::function<void(const QString&)> m_statusSink;
};

// The filter line of a file dialog: "BET (*.bet *.txt)" for the description BET and "bet,txt".
QString FileFilter(const QString& description, const QStringList& extensions);
// name, with "." and the first extension appended unless it already ends in one of them (any case).
QString WithExtension(const QString& name, const QStringList& extensions);

} // namespace karvo
