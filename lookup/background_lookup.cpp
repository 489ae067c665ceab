#include "lookup/background_lookup.h"

#include <new>
#include <system_error>

namespace lexidrop {

BackgroundLookup::BackgroundLookup(ReadyNotice notice) : notice_(std::move(notice)) {}

BackgroundLookup::~BackgroundLookup()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stop_ = true;
        latest_.fetch_add(1);
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

bool BackgroundLookup::Start(const WorkMaker& makeWork)
try {
    if (!thread_.joinable()) {
        makeWork_ = makeWork;
        thread_ = std::thread(&BackgroundLookup::Work, this);
    }
    return true;
} catch (const std::system_error&) {
    return false;
} catch (const std::bad_alloc&) {
    return false;
}

void BackgroundLookup::Request(LookupRequest request)
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        latest_.fetch_add(1);
        waiting_ = std::move(request);
        ready_.reset();
    }
    wake_.notify_one();
}

void BackgroundLookup::Cancel()
{
    std::lock_guard<std::mutex> lock(mutex_);
    latest_.fetch_add(1);
    waiting_.reset();
    ready_.reset();
}

std::optional<LookupResult> BackgroundLookup::TakeResult()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (!ready_ || readyId_ != latest_.load()) return std::nullopt;
    std::optional<LookupResult> result = std::move(ready_);
    ready_.reset();
    return result;
}

void BackgroundLookup::Work()
{
    std::unique_ptr<LookupWork> work;
    bool made = false;
    for (;;) {
        LookupRequest request;
        std::uint64_t id = 0;
        {
            std::unique_lock<std::mutex> lock(mutex_);
            wake_.wait(lock, [this] { return stop_ || waiting_.has_value(); });
            if (stop_) return;
            request = std::move(*waiting_);
            waiting_.reset();
            id = latest_.load();
        }
        LookupResult result;
        bool done = false;
        // The worker thread's boundary: a lookup that fails (memory ran out)
        // shows nothing, and the thread goes on with the next one.
        try {
            if (!made) {
                made = true;
                work = makeWork_();
            }
            if (work) {
                work->Run(request, StaleCheck(latest_, id), result);
                result.text = std::move(request.text);
                done = true;
            }
        } catch (...) {
            done = false;
        }
        bool ready = false;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (done && !stop_ && latest_.load() == id) {
                ready_ = std::move(result);
                readyId_ = id;
                ready = true;
            }
        }
        if (ready) notice_();
    }
}

}  // namespace lexidrop
