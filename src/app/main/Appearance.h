// Colours and fonts of the windows: the families the screens were drawn with mapped to the
// fonts a Linux desktop has, and the colours given once by name.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <string>

class QPushButton;
class QWidget;

namespace karvo {

namespace colours {
inline const QColor skyBlue{0xA6, 0xCA, 0xF0};    // main window
inline const QColor teal{0x00, 0x80, 0x80};       // game-button panel
inline const QColor pink{0xFF, 0xC0, 0xCB};       // title bar
inline const QColor cream{0xFF, 0xFB, 0xF0};      // grid cells
inline const QColor lightBlue{0xAD, 0xD8, 0xE6};  // fixed cells of the main grid
inline const QColor paleYellow{0xFF, 0xFF, 0xA8}; // fixed cells of the side grid, list background
inline const QColor moneyGreen{0xC0, 0xDC, 0xC0}; // bottom bar
inline const QColor silver{0xC0, 0xC0, 0xC0};
inline const QColor yellow{0xFF, 0xFF, 0x00};
inline const QColor listBlue{0xA5, 0xBB, 0xF8}; // list chooser background
// The coupon and the system's match table share these.
inline const QColor couponCaption{214, 215, 252}; // caption row
inline const QColor couponCode{255, 255, 187};    // match code (and payout, system columns)
inline const QColor couponTeam{233, 253, 254};    // home and away teams
inline const QColor couponOdds{255, 252, 255};    // odds
} // namespace colours

// The system's fixed-pitch font at a pixel or point size.
QFont FixedPixelFont(int pixelSize, bool bold = false);
QFont FixedPointFont(int pointSize, bool bold = false);
// The desktop's general font (stands in for "MS Sans Serif" and "Tahoma").
QFont SansPixelFont(int pixelSize, bool bold = false);
QFont SansPointFont(int pointSize, bool bold = false);
// A font named by the core: "Courier" and "Courier New" give the fixed-pitch font, anything else
// the general one. family is Windows-1253 text, compared without regard to case.
QFont NamedFont(const std::string& family, int pointSize);

// A widget painted in one colour; the window role fills its background too.
void Paint(QWidget* widget, const QColor& colour, QPalette::ColorRole role = QPalette::Window);
// A button of the main window's panels: its caption's font and colour, its place, never the focus.
QPushButton* PanelButton(const QString& text, const QFont& font, const QColor& textColour, QRect geometry,
                         QWidget* parent);

} // namespace karvo
