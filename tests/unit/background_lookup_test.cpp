#include "lookup/background_lookup.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace lexidrop {
namespace {

// The readings of a text are the text itself; "hold" waits until the lookup is
// stale, "fail" throws. Counts the works made and where they run.
struct Shared {
    std::atomic<int> made{0};
    std::atomic<int> started{0};
    std::thread::id thread;
};

class EchoWork : public LookupWork {
public:
    explicit EchoWork(Shared& shared) : shared_(shared) {}
    void Run(const LookupRequest& request, const StaleCheck& check, LookupResult& out) override
    {
        shared_.thread = std::this_thread::get_id();
        ++shared_.started;
        if (request.text == "fail") throw std::runtime_error("fail");
        while (request.text == "hold" && !check.Stale()) std::this_thread::yield();
        out.readings.push_back(request.text + "!");
        if (request.furigana) out.furigana = "[" + request.text + "]";
    }

private:
    Shared& shared_;
};

class BackgroundLookupTest : public ::testing::Test {
protected:
    BackgroundLookupTest() : lookup_([this] { ++notices_; }) {}

    bool Start()
    {
        return lookup_.Start([this] {
            ++shared_.made;
            return std::make_unique<EchoWork>(shared_);
        });
    }
    void WaitForStarted(int count)
    {
        while (shared_.started < count) std::this_thread::yield();
    }
    // Waits for the notice of a ready result and takes it.
    std::optional<LookupResult> Next()
    {
        while (notices_ == 0) std::this_thread::yield();
        --notices_;
        return lookup_.TakeResult();
    }

    Shared shared_;
    std::atomic<int> notices_{0};
    BackgroundLookup lookup_;
};

TEST_F(BackgroundLookupTest, ResultsAreTakenOnceFromOneWorkOnItsOwnThread)
{
    ASSERT_TRUE(Start());
    for (const char* text : {"a", "b"}) {
        lookup_.Request({text, 5, 0, true});
        const auto result = Next();
        ASSERT_TRUE(result.has_value());
        EXPECT_EQ(result->text, text);
        EXPECT_EQ(result->readings, ReadingList{std::string(text) + "!"});
        EXPECT_EQ(result->furigana, "[" + std::string(text) + "]");
        EXPECT_FALSE(lookup_.TakeResult().has_value());
    }
    EXPECT_EQ(shared_.made, 1);
    EXPECT_NE(shared_.thread, std::this_thread::get_id());
    EXPECT_TRUE(Start());  // already running: the same thread and work
    EXPECT_EQ(shared_.made, 1);
}

TEST_F(BackgroundLookupTest, ANewerRequestOrACancelMakesTheOneUnderWayStale)
{
    ASSERT_TRUE(Start());
    lookup_.Request({"hold", 5, 0, false});
    WaitForStarted(1);
    lookup_.Request({"latest", 5, 0, false});
    auto result = Next();
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->text, "latest");

    // A cancel ends a held lookup without a result, and drops one not yet taken.
    lookup_.Request({"hold", 5, 0, false});
    WaitForStarted(3);
    lookup_.Cancel();
    lookup_.Request({"dropped", 5, 0, false});
    while (notices_ == 0) std::this_thread::yield();
    lookup_.Cancel();
    EXPECT_FALSE(lookup_.TakeResult().has_value());
}

TEST_F(BackgroundLookupTest, AFailedLookupShowsNothingAndTheNextOneRuns)
{
    ASSERT_TRUE(Start());
    lookup_.Request({"fail", 5, 0, false});
    WaitForStarted(1);
    lookup_.Request({"after", 5, 0, false});
    const auto result = Next();
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(result->text, "after");
}

TEST(BackgroundLookup, EndsWhileALookupIsUnderWayOrBeforeAnyStarted)
{
    std::atomic<bool> running{false};
    class Hold : public LookupWork {
    public:
        explicit Hold(std::atomic<bool>& running) : running_(running) {}
        void Run(const LookupRequest&, const StaleCheck& check, LookupResult&) override
        {
            running_ = true;
            while (!check.Stale()) std::this_thread::yield();
        }

    private:
        std::atomic<bool>& running_;
    };
    {
        BackgroundLookup lookup([] {});
        ASSERT_TRUE(lookup.Start([&] { return std::make_unique<Hold>(running); }));
        lookup.Request({"text", 1, 0, false});
        while (!running) std::this_thread::yield();
    }
    BackgroundLookup never([] {});
}

}  // namespace
}  // namespace lexidrop
