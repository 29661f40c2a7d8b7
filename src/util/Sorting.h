// In-place quicksorts over the closed index range [l, r] of a list (not stable).
#pragma once

#include <span>
#include <string>

namespace karvo {

void SortInts(int l, int r, bool descending, std::span<int> a);
// Every exchange of values is applied to texts too, so each text stays with its value.
void SortFloatsWithTexts(int l, int r, bool descending, std::span<float> values, std::span<std::string> texts);
// Greek collation, case-insensitive.
void SortTexts(int l, int r, bool descending, std::span<std::string> texts);

} // namespace karvo
