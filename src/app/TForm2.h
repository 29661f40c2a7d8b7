// The payout calculator window: created hidden at start-up and shown when a system is expanded.
#pragma once

#include <QWidget>

namespace karvo {

class TForm2 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm2(QWidget* parent = nullptr);
};

} // namespace karvo
