#include "app/TForm2.h"

namespace karvo {

TForm2::TForm2(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("TForm2"));
    setWindowTitle(QStringLiteral("Σύστημα"));
    // Closing the calculator never ends the program; only the main window does.
    setAttribute(Qt::WA_QuitOnClose, false);
}

} // namespace karvo
