// Lookups run one at a time on a thread of their own, so that a long one keeps
// no window waiting. The latest request wins: it replaces one still waiting and
// makes one under way stale; a stale lookup may stop early and its result is
// never handed out.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "lookup/reading_pipeline.h"

namespace lexidrop {

struct LookupRequest {
    std::string text;
    std::uint32_t maxCandi = 0;
    std::uint32_t mappingFlags = 0;
    bool furigana = false;  // the furigana line is wanted
};

// What a lookup shows: the text as line 0, the furigana line (empty for none)
// and the readings.
struct LookupResult {
    std::string text;
    ReadingList readings;
    std::string furigana;
};

// Tells a running lookup whether a newer request (or a cancel) has made it stale.
class StaleCheck {
public:
    StaleCheck(const std::atomic<std::uint64_t>& latest, std::uint64_t id) : latest_(latest), id_(id) {}
    bool Stale() const { return latest_.load(std::memory_order_relaxed) != id_; }

private:
    const std::atomic<std::uint64_t>& latest_;
    std::uint64_t id_;
};

// The work of a lookup. Made on the worker thread and used only there, so it
// can keep state of its own (an engine) between lookups.
class LookupWork {
public:
    virtual ~LookupWork() = default;
    // Fills the readings and the furigana line of `out` for `request`; may stop
    // as soon as `check` says stale.
    virtual void Run(const LookupRequest& request, const StaleCheck& check, LookupResult& out) = 0;
};

class BackgroundLookup {
public:
    // Makes the work, on the worker thread, before its first lookup; null means
    // no lookup can run (each is then dropped).
    using WorkMaker = std::function<std::unique_ptr<LookupWork>()>;
    // Called on the worker thread whenever a result is ready to be taken.
    using ReadyNotice = std::function<void()>;

    explicit BackgroundLookup(ReadyNotice notice);
    // Makes any lookup stale and waits for the thread to end.
    ~BackgroundLookup();
    BackgroundLookup(const BackgroundLookup&) = delete;
    BackgroundLookup& operator=(const BackgroundLookup&) = delete;

    // Starts the worker thread, which makes its work with `makeWork`, unless it
    // runs; false when it cannot be started.
    bool Start(const WorkMaker& makeWork);
    // Hands `request` to the worker (once started) and makes any earlier one stale.
    void Request(LookupRequest request);
    // Makes any waiting or running lookup stale, and drops a result not yet taken.
    void Cancel();
    // The latest request's result, once, when it is ready.
    std::optional<LookupResult> TakeResult();

private:
    void Work();

    WorkMaker makeWork_;
    ReadyNotice notice_;
    std::mutex mutex_;
    std::condition_variable wake_;
    // Id of the latest request or cancel; a lookup with another id is stale.
    std::atomic<std::uint64_t> latest_{0};
    std::optional<LookupRequest> waiting_;  // with id latest_ when set
    std::optional<LookupResult> ready_;
    std::uint64_t readyId_ = 0;
    bool stop_ = false;
    std::thread thread_;
};

}  // namespace lexidrop
