// Fetching many URLs at once over one libcurl multi handle, with the limits of every other fetch:
// a range of market days does not cost a full request time per day, and a dead server still
// cannot hang the window or fill the memory.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace karvo {

// Why a fetch brought no body. Unreachable: the server could not be reached at all (connection
// refused, unknown host, TLS handshake or certificate); Other: time-out, broken transfer,
// oversized body, an HTTP error status.
enum class FetchFailure { None, Unreachable, Other };

struct FetchedBody
{
    std::string body;
    FetchFailure failure = FetchFailure::None;
};

// Fetches urls with up to `parallel` transfers under way, never more than `parallel` ahead of the
// first body not yet delivered. deliver(index, body) is called once per URL in index order, on
// the calling thread. cancelled() is asked while transfers run (about ten times a second and after
// each completion); once it answers true no further transfer starts, the ones under way finish
// and are delivered, and the remaining URLs are not delivered at all.
void FetchMany(const std::vector<std::string>& urls, int parallel, const std::function<bool()>& cancelled,
               const std::function<void(std::size_t index, FetchedBody body)>& deliver);

} // namespace karvo
