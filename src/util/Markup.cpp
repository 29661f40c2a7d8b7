// HTML pages to plain text lines.
#include "util/Markup.h"

#include "util/Cp1253.h"
#include "util/Files.h"
#include "util/Text.h"

#include <algorithm>

namespace karvo {

namespace {

// The text and its lower-cased twin during span removal: kept bytes move to the kept strings and
// removed stretches are skipped, so the work is one pass instead of shifting the text each time.
struct SpanRemover
{
    std::string text, lower; // the unread rest lives from position next on
    std::string keptText, keptLower;
    std::size_t next = 0;
};

} // namespace

void RemoveSpans(std::string& text, const std::string& open, const std::string& close)
{
    if (open.empty() || close.empty()) {
        return;
    }
    SpanRemover r{text, ToLower(text), {}, {}, 0};
    const std::string lowOpen = ToLower(open);
    const std::string lowClose = ToLower(close);
    const std::size_t overlap = std::max(open.size(), close.size()) - 1;
    for (;;) {
        // Joining the kept text to the rest may form a marker across the seam: give the last few
        // kept bytes back to the unread rest (their old places there are free) before searching.
        const std::size_t back = std::min({overlap, r.keptText.size(), r.next});
        r.next -= back;
        r.text.replace(r.next, back, r.keptText, r.keptText.size() - back, back);
        r.lower.replace(r.next, back, r.keptLower, r.keptLower.size() - back, back);
        r.keptText.resize(r.keptText.size() - back);
        r.keptLower.resize(r.keptLower.size() - back);

        std::size_t i = r.lower.find(lowOpen, r.next);
        std::size_t j = i == std::string::npos ? i : r.lower.find(lowClose, r.next);
        // A close that stands before the first open is blanked out and never found again.
        while (i != std::string::npos && j != std::string::npos && j <= i) {
            r.lower[j] = ' ';
            if (j == i) {
                i = r.lower.find(lowOpen, r.next);
            }
            j = i == std::string::npos ? i : r.lower.find(lowClose, j + 1);
        }
        if (i == std::string::npos || j == std::string::npos) {
            break;
        }
        r.keptText.append(r.text, r.next, i - r.next);
        r.keptLower.append(r.lower, r.next, i - r.next);
        r.next = j + close.size();
    }
    r.keptText.append(r.text, r.next, std::string::npos);
    text = std::move(r.keptText);
}

std::string MarkupToText(const std::string& source, bool fromFile)
{
    std::string markup = fromFile ? LoadTextFile(source) : source;
    RemoveSpans(markup, "<STYLE", "</STYLE>");
    RemoveSpans(markup, "<SCRIPT", "</SCRIPT>");
    markup.insert(0, 1, ' ');
    // A line break inside running text joins the lines; one right after a tag stays.
    for (std::size_t i = 1; i + 1 < markup.size(); ++i) {
        if (markup[i] == '\r' && markup[i + 1] == '\n' && markup[i - 1] != '>') {
            markup[i] = markup[i + 1] = ' ';
        }
    }
    RemoveSpans(markup, "<", ">");
    markup = ReplaceAll(markup, "&amp;", "&");
    RemoveSpans(markup, "&", ";");
    markup = ReplaceAll(markup, "&nbsp", "     ");

    std::string out;
    bool previousEmpty = true;
    for (std::string& line : SplitFields(markup, "\r\n", 3000000)) {
        line = CleanSpaces(line, 15);
        std::replace(line.begin(), line.end(), '\n', ' ');
        // Runs of empty lines become one; empty lines at the start vanish.
        if (!(line.empty() && previousEmpty)) {
            out += line;
            out += "\r\n";
        }
        previousEmpty = line.empty();
    }
    return out;
}

} // namespace karvo
