// HTML to plain text lines.
#pragma once

#include <string>

namespace karvo {

// Removes every stretch from open to the next close, letter case ignored.
void RemoveSpans(std::string& text, const std::string& open, const std::string& close);
// fromFile: source names a file to read; otherwise source is the markup. Lines end in CR LF.
std::string MarkupToText(const std::string& source, bool fromFile);

} // namespace karvo
