#include "app/main/Appearance.h"

#include <QFontDatabase>
#include <QPushButton>

namespace karvo {

namespace {

// The system's fixed or general font at a size in pixels or points.
QFont sized(QFontDatabase::SystemFont kind, int size, bool pixels, bool bold)
{
    QFont font = QFontDatabase::systemFont(kind);
    if (pixels) {
        font.setPixelSize(size);
    } else {
        font.setPointSize(size);
    }
    font.setBold(bold);
    return font;
}

} // namespace

QFont FixedPixelFont(int pixelSize, bool bold)
{
    return sized(QFontDatabase::FixedFont, pixelSize, true, bold);
}

QFont FixedPointFont(int pointSize, bool bold)
{
    return sized(QFontDatabase::FixedFont, pointSize, false, bold);
}

QFont SansPixelFont(int pixelSize, bool bold)
{
    return sized(QFontDatabase::GeneralFont, pixelSize, true, bold);
}

QFont SansPointFont(int pointSize, bool bold)
{
    return sized(QFontDatabase::GeneralFont, pointSize, false, bold);
}

QFont NamedFont(const std::string& family, int pointSize)
{
    const QString name = QString::fromLatin1(family.data(), static_cast<int>(family.size())).trimmed().toLower();
    if (name == QLatin1String("courier") || name == QLatin1String("courier new")) {
        return FixedPointFont(pointSize);
    }
    return SansPointFont(pointSize);
}

void Paint(QWidget* widget, const QColor& colour, QPalette::ColorRole role)
{
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
    if (role == QPalette::Window) {
        widget->setAutoFillBackground(true);
    }
}

QPushButton* PanelButton(const QString& text, const QFont& font, const QColor& textColour, QRect geometry,
                         QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setFont(font);
    Paint(button, textColour, QPalette::ButtonText);
    button->setGeometry(geometry);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

} // namespace karvo
