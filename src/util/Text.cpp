// Text operations on single-byte texts: search, cut, replace, blank cleaning and field splitting.
#include "util/Text.h"

#include <algorithm>

namespace karvo {

namespace {

int toPos(std::size_t index)
{
    return index == std::string::npos ? 0 : static_cast<int>(index) + 1;
}

} // namespace

int TextLength(const std::string& s)
{
    return static_cast<int>(s.size());
}

int TextPos(const std::string& s, const std::string& sub)
{
    return sub.empty() ? 0 : toPos(s.find(sub));
}

int TextPosFrom(const std::string& s, const std::string& sub, int start)
{
    if (start == 0 || sub.empty() || sub.size() > s.size()) {
        return 0;
    }
    const auto last = static_cast<long long>(s.size() - sub.size()) + 1; // last possible start, 1-based
    if (start > 0) {
        return start > last ? 0 : toPos(s.find(sub, static_cast<std::size_t>(start - 1)));
    }
    // Negative start: search backwards from position -start (a match may run past it).
    const long long from = std::min<long long>(-static_cast<long long>(start), last);
    return toPos(s.rfind(sub, static_cast<std::size_t>(from - 1)));
}

int CountOccurrences(const std::string& s, const std::string& sub)
{
    if (sub.empty()) {
        return 0;
    }
    int count = 0;
    for (std::size_t at = s.find(sub); at != std::string::npos; at = s.find(sub, at + sub.size())) {
        ++count;
    }
    return count;
}

std::string Spaces(int n)
{
    return Replicate(n, ' ');
}

std::string Replicate(int n, char ch)
{
    return n <= 0 ? std::string() : std::string(static_cast<std::size_t>(n), ch);
}

std::string LeftPart(const std::string& s, int n)
{
    const auto size = static_cast<long long>(s.size());
    const long long keep = n >= 0 ? std::min<long long>(n, size) : std::max<long long>(size + n, 0);
    return s.substr(0, static_cast<std::size_t>(keep));
}

std::string RightPart(const std::string& s, int n)
{
    if (n <= 0) {
        return {};
    }
    const auto keep = std::min(static_cast<std::size_t>(n), s.size());
    return s.substr(s.size() - keep);
}

std::string TailFrom(const std::string& s, int p)
{
    if (p <= 1) {
        return s;
    }
    const auto from = static_cast<std::size_t>(p - 1);
    return from >= s.size() ? std::string() : s.substr(from);
}

std::string Chars(const std::string& s, int from, int to)
{
    if (from < 1) {
        from = 1;
    }
    if (to < from || from > TextLength(s)) {
        return {};
    }
    return s.substr(static_cast<std::size_t>(from - 1), static_cast<std::size_t>(to - from + 1));
}

void Overwrite(std::string& s, int p, const std::string& sub)
{
    if (p < 1 || static_cast<std::size_t>(p) > s.size()) {
        return;
    }
    const auto at = static_cast<std::size_t>(p - 1);
    const auto count = std::min(sub.size(), s.size() - at);
    s.replace(at, count, sub, 0, count);
}

std::string ReplaceAll(const std::string& s, const std::string& find, const std::string& repl)
{
    if (find.empty() || s.empty()) {
        return s;
    }
    std::string out;
    out.reserve(s.size());
    std::size_t from = 0;
    // A replacement is never scanned again: the search goes on after the occurrence.
    for (std::size_t at = s.find(find); at != std::string::npos; at = s.find(find, from)) {
        out.append(s, from, at - from);
        out += repl;
        from = at + find.size();
    }
    out.append(s, from, std::string::npos);
    return out;
}

std::string CleanSpaces(const std::string& s, int flags)
{
    std::string out;
    out.reserve(s.size());
    if (flags == 0 || flags == -1) {
        for (char c : s) {
            if (c != ' ' && !(flags == -1 && c == '\t')) {
                out.push_back(c);
            }
        }
        return out;
    }
    out = s;
    if (flags & 8) {
        std::replace(out.begin(), out.end(), '\t', ' ');
    }
    if (out.find_first_not_of(' ') == std::string::npos) {
        return {};
    }
    if (flags & 1) {
        out.erase(0, out.find_first_not_of(' '));
    }
    if (flags & 4) {
        out.erase(out.find_last_not_of(' ') + 1);
    }
    if (flags & 2) {
        auto pairOfBlanks = [](char a, char b) { return a == ' ' && b == ' '; };
        out.erase(std::unique(out.begin(), out.end(), pairOfBlanks), out.end());
    }
    if (flags & 16) {
        const auto end = out.find_last_not_of('\t');
        out.erase(end == std::string::npos ? 0 : end + 1);
    }
    return out;
}

std::vector<std::string> SplitFields(const std::string& s, const std::string& delim, std::size_t capacity)
{
    const std::string text = delim == " " ? CleanSpaces(s, 7) : s;
    std::vector<std::string> fields;
    if (text.empty() || capacity == 0) {
        return fields;
    }
    std::size_t fieldStart = 0;
    if (!delim.empty()) {
        // Every position is tested, so overlapping delimiters each end a (then empty) field.
        for (std::size_t at = text.find(delim); at != std::string::npos; at = text.find(delim, at + 1)) {
            fields.push_back(at > fieldStart ? text.substr(fieldStart, at - fieldStart) : std::string());
            fieldStart = at + delim.size();
            if (fields.size() == capacity) {
                return fields;
            }
        }
    }
    fields.push_back(fieldStart < text.size() ? text.substr(fieldStart) : std::string());
    return fields;
}

} // namespace karvo
