// The conversions between Windows-1253 file names inside the program and the UTF-8 names on
// disk, a part of a path at a time.
#include "util/Paths.h"

#include "util/Cp1253.h"

#include <string_view>
#include <vector>

namespace karvo {

namespace {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isValidUtf8(std::string_view s)
{
    for (std::size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        if (b < 0x80) {
            ++i;
            continue;
        }
        const int extra = b >= 0xC2 && b < 0xE0 ? 1 : b >= 0xE0 && b < 0xF0 ? 2 : b >= 0xF0 && b < 0xF5 ? 3 : 0;
        if (extra == 0 || s.size() - i <= static_cast<std::size_t>(extra)) {
            return false;
        }
        char32_t cp = b & (0x3F >> extra);
        for (int k = 1; k <= extra; ++k) {
            const auto c = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if ((c & 0xC0) != 0x80) {
                return false;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        const char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (cp < smallest[extra] || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) {
            return false;
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

std::string asUtf8(std::string_view part)
{
    return isValidUtf8(part) ? std::string(part) : Cp1253ToUtf8(part);
}

// The Windows-1253 form of a UTF-8 name part, or the part itself when the code page lacks one
// of its characters (or it is not UTF-8 at all).
std::string asSingleByte(std::string_view part)
{
    const std::string converted = Utf8ToCp1253(part);
    return converted.empty() || converted.find('?') != std::string::npos ? std::string(part) : converted;
}

std::vector<std::string_view> splitPath(std::string_view path)
{
    std::vector<std::string_view> parts;
    std::size_t from = 0;
    for (std::size_t at = path.find('/'); at != std::string_view::npos; at = path.find('/', from)) {
        parts.push_back(path.substr(from, at - from));
        from = at + 1;
    }
    parts.push_back(path.substr(from));
    return parts;
}

} // namespace

QString PathToWide(const std::string& path)
{
    std::string_view rest = path;
    std::string result;
    // The root (or a network "//" prefix) is kept; the walk below drops empty parts.
    const std::size_t prefix = rest.starts_with("//") ? 2 : rest.starts_with("/") ? 1 : 0;
    result = path.substr(0, prefix);
    rest.remove_prefix(prefix);
    if (rest.find('/') == std::string_view::npos) {
        return QString::fromStdString(result + asUtf8(rest));
    }
    for (std::string_view part : splitPath(rest)) {
        if (!part.empty()) {
            result += asUtf8(part);
            result += '/';
        }
    }
    if (!path.ends_with('/') && result.size() > prefix && result.ends_with('/')) {
        result.pop_back();
    }
    return QString::fromStdString(result);
}

std::string PathToSingleByte(const std::string& utf8Path)
{
    std::string result;
    for (std::string_view part : splitPath(utf8Path)) {
        result += asSingleByte(part);
        result += '/';
    }
    result.pop_back();
    return result;
}

std::string FolderOf(const std::string& path)
{
    const QString wide = PathToWide(path);
    const qsizetype slash = wide.lastIndexOf(u'/');
    return slash < 0 ? std::string() : PathToSingleByte(wide.left(slash + 1).toStdString());
}

} // namespace karvo
