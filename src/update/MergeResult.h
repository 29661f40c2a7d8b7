// What a merge of downloaded draws into a stored file gives: the new file's bytes, or the
// reason the answer was refused, in which case nothing may be written.
#pragma once

#include <string>

namespace karvo {

struct MergeResult
{
    std::string bytes;   // the whole new file, unmasked
    std::string refusal; // Windows-1253 warning text; empty when the merge is accepted

    bool refused() const { return !refusal.empty(); }
    static MergeResult refuse(std::string text)
    {
        MergeResult result;
        result.refusal = std::move(text);
        return result;
    }
};

} // namespace karvo
