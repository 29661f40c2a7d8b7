#include "util/Cp1253.h"

#include <QList>
#include <array>

namespace karvo {

namespace {

constexpr char32_t kUndefined = 0xFFFF;

// Code points of the bytes 80 to BF hex; 0 marks a byte the code page does not define.
constexpr std::array<char32_t, 64> kHighTable = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0,      0x2030, 0,      0x2039, 0,
    0,      0,      0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0,      0x2122,
    0,      0x203A, 0,      0,      0,      0,      0x00A0, 0x0385, 0x0386, 0x00A3, 0x00A4, 0x00A5, 0x00A6,
    0x00A7, 0x00A8, 0x00A9, 0,      0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x2015, 0x00B0, 0x00B1, 0x00B2, 0x00B3,
    0x0384, 0x00B5, 0x00B6, 0x00B7, 0x0388, 0x0389, 0x038A, 0x00BB, 0x038C, 0x00BD, 0x038E, 0x038F};

char32_t definedCodePoint(unsigned char byte)
{
    if (byte < 0x80) {
        return byte;
    }
    if (byte < 0xC0) {
        char32_t cp = kHighTable[byte - 0x80];
        return cp == 0 ? kUndefined : cp;
    }
    // C0..FE follow the Greek block from U+0390; D2 and FF are not defined.
    if (byte == 0xD2 || byte == 0xFF) {
        return kUndefined;
    }
    return 0x0390 + (byte - 0xC0);
}

struct ReverseTable
{
    std::array<unsigned char, 0x0400> low{}; // U+0000..U+03FF
    ReverseTable()
    {
        for (int b = 0; b < 256; ++b) {
            char32_t cp = definedCodePoint(static_cast<unsigned char>(b));
            if (cp < low.size()) {
                low[cp] = static_cast<unsigned char>(b);
            }
        }
    }
};

const ReverseTable& reverseTable()
{
    static const ReverseTable table;
    return table;
}

struct CaseTables
{
    std::array<char, 256> upper{};
    std::array<char, 256> lower{};
    CaseTables()
    {
        for (int b = 0; b < 256; ++b) {
            upper[b] = lower[b] = static_cast<char>(b);
        }
        auto pair = [this](int capital, int small) {
            upper[small] = static_cast<char>(capital);
            lower[capital] = static_cast<char>(small);
        };
        for (int b = 'a'; b <= 'z'; ++b) {
            pair(b - 32, b);
        }
        // α..ρ and σ..ϋ sit 20 hex above their capitals; D2 (no capital final sigma) is a hole.
        for (int b = 0xE1; b <= 0xFB; ++b) {
            if (b != 0xF2) {
                pair(b - 0x20, b);
            }
        }
        upper[0xF2] = static_cast<char>(0xD3); // final sigma has only the one capital
        pair(0xA2, 0xDC);                      // ά Ά
        pair(0xB8, 0xDD);                      // έ Έ
        pair(0xB9, 0xDE);                      // ή Ή
        pair(0xBA, 0xDF);                      // ί Ί
        pair(0xBC, 0xFC);                      // ό Ό
        pair(0xBE, 0xFD);                      // ύ Ύ
        pair(0xBF, 0xFE);                      // ώ Ώ
        upper[0xB5] = static_cast<char>(0xCC); // micro sign: its capital is the Greek Mu
    }
};

const CaseTables& caseTables()
{
    static const CaseTables tables;
    return tables;
}

} // namespace

char32_t Cp1253ToUnicode(unsigned char byte)
{
    char32_t cp = definedCodePoint(byte);
    return cp == kUndefined ? char32_t(byte) : cp;
}

char UnicodeToCp1253(char32_t codePoint)
{
    if (codePoint < 0x80) {
        return static_cast<char>(codePoint);
    }
    if (codePoint < 0x0400) {
        unsigned char b = reverseTable().low[codePoint];
        if (b != 0) {
            return static_cast<char>(b);
        }
        // The undefined bytes decode to C1 controls of the same value: give them back.
        if (codePoint < 0x100 && definedCodePoint(static_cast<unsigned char>(codePoint)) == kUndefined) {
            return static_cast<char>(codePoint);
        }
        return '?';
    }
    for (int i = 0; i < 64; ++i) {
        if (kHighTable[i] == codePoint) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

QString ToQString(std::string_view cp1253)
{
    QString out;
    out.reserve(static_cast<qsizetype>(cp1253.size()));
    for (char c : cp1253) {
        out.append(QChar(static_cast<char16_t>(Cp1253ToUnicode(static_cast<unsigned char>(c)))));
    }
    return out;
}

std::string FromQString(const QString& text)
{
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (char32_t cp : text.toUcs4()) {
        out.push_back(UnicodeToCp1253(cp));
    }
    return out;
}

std::string Utf8ToCp1253(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    const std::size_t n = utf8.size();
    while (i < n) {
        auto b = static_cast<unsigned char>(utf8[i]);
        if (b < 0x80) {
            out.push_back(static_cast<char>(b));
            ++i;
            continue;
        }
        // Lead byte: C2..DF one continuation byte, E0..EF two, F0..F7 three; others are malformed.
        int extra = b >= 0xC2 && b < 0xE0 ? 1 : b >= 0xE0 && b < 0xF0 ? 2 : b >= 0xF0 && b < 0xF8 ? 3 : 0;
        char32_t cp = extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
        bool ok = extra > 0 && i + static_cast<std::size_t>(extra) < n;
        for (int k = 1; ok && k <= extra; ++k) {
            auto c = static_cast<unsigned char>(utf8[i + k]);
            if ((c & 0xC0) != 0x80) {
                ok = false;
            } else {
                cp = (cp << 6) | (c & 0x3F);
            }
        }
        if (!ok) {
            out.push_back('?');
            ++i;
            continue;
        }
        out.push_back(UnicodeToCp1253(cp));
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

std::string Cp1253ToUtf8(std::string_view cp1253)
{
    QByteArray bytes = ToQString(cp1253).toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

char UpperByte(char byte)
{
    return caseTables().upper[static_cast<unsigned char>(byte)];
}

char LowerByte(char byte)
{
    return caseTables().lower[static_cast<unsigned char>(byte)];
}

// The table is fetched once per text: the guarded static behind caseTables() costs more per byte
// than the lookup itself, and long texts (whole day files) are cased in one call.
std::string ToUpper(std::string_view text)
{
    const auto& upper = caseTables().upper;
    std::string out(text);
    for (char& c : out) {
        c = upper[static_cast<unsigned char>(c)];
    }
    return out;
}

std::string ToLower(std::string_view text)
{
    const auto& lower = caseTables().lower;
    std::string out(text);
    for (char& c : out) {
        c = lower[static_cast<unsigned char>(c)];
    }
    return out;
}

} // namespace karvo
