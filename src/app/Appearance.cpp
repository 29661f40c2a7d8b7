#include "app/Appearance.h"

#include <QFontDatabase>

namespace karvo {

namespace {

QFont withWeight(QFont font, bool bold)
{
    font.setBold(bold);
    return font;
}

} // namespace

QFont FixedPixelFont(int pixelSize, bool bold)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(pixelSize);
    return withWeight(font, bold);
}

QFont FixedPointFont(int pointSize, bool bold)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(pointSize);
    return withWeight(font, bold);
}

QFont SansPixelFont(int pixelSize, bool bold)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(pixelSize);
    return withWeight(font, bold);
}

QFont SansPointFont(int pointSize, bool bold)
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(pointSize);
    return withWeight(font, bold);
}

QFont NamedFont(const std::string& family, int pointSize)
{
    const QString name = QString::fromLatin1(family.data(), static_cast<int>(family.size())).trimmed().toLower();
    if (name == QLatin1String("courier") || name == QLatin1String("courier new")) {
        return FixedPointFont(pointSize);
    }
    return SansPointFont(pointSize);
}

} // namespace karvo
