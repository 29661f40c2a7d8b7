#include "app/dialogs/QtUserInterface.h"

#include "app/dialogs/ListDialog.h"
#include "app/dialogs/MemoDialog.h"
#include "app/main/Appearance.h"
#include "util/Cp1253.h"
#include "util/FileNames.h"
#include "util/Files.h"
#include "util/Paths.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>
#include <algorithm>

namespace karvo {

namespace {

QMessageBox::Icon iconOf(NoticeKind kind)
{
    switch (kind) {
    case NoticeKind::Information: return QMessageBox::Information;
    case NoticeKind::Warning: return QMessageBox::Warning;
    case NoticeKind::Error: return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::Icon iconOf(MessageType type)
{
    switch (type) {
    case MessageType::Information: return QMessageBox::Information;
    case MessageType::Warning: return QMessageBox::Warning;
    case MessageType::Error: return QMessageBox::Critical;
    case MessageType::Question: return QMessageBox::Question;
    case MessageType::Plain: break;
    }
    return QMessageBox::NoIcon;
}

using Answer = MessageAnswer;

// The buttons of each button set, with the answer each one gives.
std::vector<std::pair<QMessageBox::StandardButton, Answer>> buttonsOf(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::OkCancel: return {{QMessageBox::Ok, Answer::Ok}, {QMessageBox::Cancel, Answer::Cancel}};
    case MessageButtons::AbortRetryIgnore:
        return {{QMessageBox::Abort, Answer::Abort},
                {QMessageBox::Retry, Answer::Retry},
                {QMessageBox::Ignore, Answer::Ignore}};
    case MessageButtons::YesNoCancel:
        return {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}, {QMessageBox::Cancel, Answer::Cancel}};
    case MessageButtons::YesNo: return {{QMessageBox::Yes, Answer::Yes}, {QMessageBox::No, Answer::No}};
    case MessageButtons::RetryCancel:
        return {{QMessageBox::Retry, Answer::Retry}, {QMessageBox::Cancel, Answer::Cancel}};
    case MessageButtons::Ok: break;
    }
    return {{QMessageBox::Ok, Answer::Ok}};
}

QStringList extensionList(const std::string& extensions)
{
    QStringList list;
    for (const QString& part : ToQString(extensions).split(QLatin1Char(','))) {
        if (!part.trimmed().isEmpty()) {
            list.append(part.trimmed());
        }
    }
    return list;
}

} // namespace

QString FileFilter(const QString& description, const QStringList& extensions)
{
    QStringList masks;
    for (const QString& extension : extensions) {
        masks.append(QStringLiteral("*.") + extension);
    }
    return description + QStringLiteral(" (") + masks.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QString WithExtension(const QString& name, const QStringList& extensions)
{
    for (const QString& extension : extensions) {
        if (name.endsWith(QLatin1Char('.') + extension, Qt::CaseInsensitive)) {
            return name;
        }
    }
    return extensions.isEmpty() ? name : name + QLatin1Char('.') + extensions.front();
}

QtUserInterface::QtUserInterface(QWidget* dialogWindow)
    : m_window(dialogWindow)
{
}

int QtUserInterface::ChooseFromList(const std::string& caption, const std::vector<std::string>& items,
                                    const std::string& keys, bool tableMode)
{
    ListDialog dialog(caption, items, keys, tableMode, m_window);
    return dialog.exec();
}

bool QtUserInterface::InputChoice(const std::string& caption, const std::string& defaultText, std::string& result)
{
    InputDialog dialog(caption, defaultText, m_history, m_window);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    result = dialog.text();
    m_history.add(result);
    return true;
}

bool QtUserInterface::MemoBox(const std::string& caption, std::vector<std::string>& fields,
                              const std::vector<std::string>& labels, std::vector<int>& lines, int mode)
{
    lines.resize(fields.size(), 1);
    if (mode == 1) {
        std::fill(lines.begin(), lines.end(), 1);
    }
    MemoDialog dialog(caption, fields, labels, lines, m_window);
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    for (int i = 0; i < dialog.boxCount(); ++i) {
        fields[static_cast<std::size_t>(i)] = dialog.text(i);
    }
    return true;
}

bool QtUserInterface::ChooseFileName(const std::string& titleAndFilter, const std::string& extensions,
                                     const std::string& startFolder, FileChooserMode mode, std::string& fileName)
{
    const std::size_t split = titleAndFilter.find('\x01');
    const QString title = split == std::string::npos ? QString() : ToQString(titleAndFilter.substr(0, split));
    const QString description =
        ToQString(split == std::string::npos ? titleAndFilter : titleAndFilter.substr(split + 1));
    const QStringList list = extensionList(extensions);

    QFileDialog dialog(m_window, title, startFolder.empty() ? QString() : PathToWide(startFolder),
                       FileFilter(description, list));
    dialog.setObjectName(QStringLiteral("FileDialog"));
    if (mode == FileChooserMode::Open) {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        if (!fileName.empty()) {
            dialog.selectFile(PathToWide(fileName));
        }
    }
    // The dialog may move the process's working folder; the program's files are relative to it.
    const QString workingFolder = QDir::currentPath();
    const bool chosen = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
    QDir::setCurrent(workingFolder);
    if (!chosen) {
        return false;
    }
    fileName = PathToSingleByte(WithExtension(dialog.selectedFiles().front(), list).toStdString());
    return true;
}

void QtUserInterface::ShowNotice(NoticeKind kind, const std::string& text)
{
    QMessageBox box(iconOf(kind), QStringLiteral("KARVO"), ToQString(text), QMessageBox::Ok, m_window);
    box.exec();
}

MessageAnswer QtUserInterface::MessageChoice(const std::string& caption, const std::string& message, MessageType type,
                                             MessageAnswer defaultButton, MessageButtons buttons)
{
    QMessageBox box(iconOf(type), ToQString(caption), ToQString(message), QMessageBox::NoButton, m_window);
    const auto set = buttonsOf(buttons);
    for (const auto& [button, code] : set) {
        box.addButton(button);
        if (code == defaultButton) {
            box.setDefaultButton(button);
        }
    }
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    for (const auto& [button, code] : set) {
        if (button == clicked) {
            return code;
        }
    }
    // Closed without a button: the box's way out.
    const bool hasCancel =
        std::any_of(set.begin(), set.end(), [](const auto& entry) { return entry.second == Answer::Cancel; });
    const bool hasNo =
        std::any_of(set.begin(), set.end(), [](const auto& entry) { return entry.second == Answer::No; });
    return hasCancel || !hasNo ? Answer::Cancel : Answer::No;
}

void QtUserInterface::StatusNotice(const std::string& text)
{
    if (m_statusSink) {
        m_statusSink(ToQString(text));
    }
}

void QtUserInterface::ShellOpen(const std::string& target)
{
    const QString text = ToQString(target);
    if (text.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        || text.startsWith(QLatin1String("https://"), Qt::CaseInsensitive)) {
        QDesktopServices::openUrl(QUrl(text));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(QFileInfo(NativePath(target)).absoluteFilePath()));
}

void QtUserInterface::TextExtent(const std::string& text, const std::string& fontFamily, int pointSize, int& width,
                                 int& height)
{
    const QSize size = QFontMetrics(NamedFont(fontFamily, pointSize)).size(Qt::TextSingleLine, ToQString(text));
    width = size.width();
    height = size.height();
}

int QtUserInterface::WorkAreaHeight()
{
    QScreen* screen = m_window ? m_window->screen() : QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry().height() : 0;
}

void QtUserInterface::processPendingEvents()
{
    // Clicks and keys wait: a command started now would run inside the one that asked.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace karvo
