// Answers the next modal dialog from inside its own event loop: the test queues what to do before
// the call that opens the dialog, and the dialog is found as the application's active modal widget.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

namespace karvo::test {

template <class Dialog>
void AnswerNextDialog(std::function<void(Dialog*)> answer)
{
    QTimer::singleShot(0, [answer]() {
        auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr) {
            qWarning("no modal dialog of the expected kind is open");
            if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                other->reject();
            }
            return;
        }
        answer(dialog);
    });
}

} // namespace karvo::test
