#include "download/FetchMany.h"

#include "download/Download.h"
#include "download/TransferOptions.h"

#include <curl/curl.h>
#include <map>
#include <memory>

namespace karvo {

namespace {

// One transfer under way: its handle, the body so far and whether the body ran over the cap.
struct Transfer
{
    std::size_t index = 0;
    std::unique_ptr<CURL, void (*)(CURL*)> easy{nullptr, curl_easy_cleanup};
    std::string body;
    long long maxBody = 0;
    bool overflow = false;
};

std::size_t AppendBody(char* data, std::size_t size, std::size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    // A body past the cap is refused whole: returning less than given ends the transfer.
    if (static_cast<long long>(transfer->body.size() + bytes) > transfer->maxBody) {
        transfer->overflow = true;
        return 0;
    }
    transfer->body.append(data, bytes);
    return bytes;
}

bool IsUnreachable(CURLcode code)
{
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_CONNECT:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE: return true;
    default: return false;
    }
}

std::unique_ptr<Transfer> StartTransfer(CURLM* multi, const std::string& url, std::size_t index)
{
    const DownloadLimits& limits = UsedDownloadLimits();
    auto transfer = std::make_unique<Transfer>();
    transfer->index = index;
    transfer->maxBody = limits.maxBodyBytes;
    transfer->easy.reset(curl_easy_init());
    CURL* handle = transfer->easy.get();
    if (handle == nullptr) {
        return nullptr;
    }
    SetTransferOptions(handle, url, limits);
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, AppendBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, transfer.get());
    curl_easy_setopt(handle, CURLOPT_PRIVATE, transfer.get());
    if (curl_multi_add_handle(multi, handle) != CURLM_OK) {
        return nullptr;
    }
    return transfer;
}

// The outcome of a finished transfer. An error status brings an error page, not the data asked for.
FetchedBody Finish(Transfer& transfer, CURLcode code)
{
    long status = 0;
    curl_easy_getinfo(transfer.easy.get(), CURLINFO_RESPONSE_CODE, &status);
    if (code == CURLE_OK && !transfer.overflow && status < 400) {
        return {std::move(transfer.body), FetchFailure::None};
    }
    return {{}, IsUnreachable(code) ? FetchFailure::Unreachable : FetchFailure::Other};
}

} // namespace

void FetchMany(const std::vector<std::string>& urls, int parallel, const std::function<bool()>& cancelled,
               const std::function<void(std::size_t index, FetchedBody body)>& deliver)
{
    InitialiseCurl();
    std::unique_ptr<CURLM, CURLMcode (*)(CURLM*)> multi(curl_multi_init(), curl_multi_cleanup);
    const std::size_t width = parallel < 1 ? 1 : static_cast<std::size_t>(parallel);
    std::map<std::size_t, std::unique_ptr<Transfer>> running;
    std::map<std::size_t, FetchedBody> finished; // waiting for the bodies before them
    std::size_t next = 0;
    std::size_t delivered = 0;
    bool stopping = false;
    // Fills the free places of the window and sends their requests at once.
    auto topUp = [&] {
        const std::size_t before = next;
        while (!stopping && next < urls.size() && next < delivered + width) {
            std::unique_ptr<Transfer> transfer = multi ? StartTransfer(multi.get(), urls[next], next) : nullptr;
            if (transfer) {
                running.emplace(next, std::move(transfer));
            } else {
                finished.emplace(next, FetchedBody{{}, FetchFailure::Other});
            }
            ++next;
        }
        int active = 0;
        if (next != before && multi) {
            curl_multi_perform(multi.get(), &active);
        }
    };
    while (true) {
        topUp();
        // The next request is under way before a body is stored: storing waits for the disk.
        for (auto found = finished.find(delivered); found != finished.end(); found = finished.find(delivered)) {
            FetchedBody body = std::move(found->second);
            finished.erase(found);
            deliver(delivered++, std::move(body));
            stopping = stopping || (cancelled && cancelled());
            topUp();
        }
        if (running.empty() && (stopping || next == urls.size())) {
            return;
        }
        int active = 0;
        curl_multi_perform(multi.get(), &active);
        int left = 0;
        while (CURLMsg* message = curl_multi_info_read(multi.get(), &left)) {
            if (message->msg != CURLMSG_DONE) {
                continue;
            }
            Transfer* transfer = nullptr;
            curl_easy_getinfo(message->easy_handle, CURLINFO_PRIVATE, &transfer);
            const CURLcode code = message->data.result;
            curl_multi_remove_handle(multi.get(), message->easy_handle);
            finished.emplace(transfer->index, Finish(*transfer, code));
            running.erase(transfer->index);
        }
        if (!stopping && cancelled && cancelled()) {
            stopping = true;
        }
        if (!running.empty() && finished.find(delivered) == finished.end()) {
            curl_multi_poll(multi.get(), nullptr, 0, 100, nullptr);
        }
    }
}

} // namespace karvo
