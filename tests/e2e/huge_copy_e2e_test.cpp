// The real Lexidrop.exe given a copy of several megabytes with the whole text
// taken: the window keeps answering while the readings are found and shown,
// and the latest copy is what it ends up showing.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

#include "e2e_harness.h"

namespace e2e {
namespace {

constexpr DWORD kAnswerLimitMs = 1000;

// About `bytes` of Japanese prose in lines, Shift-JIS.
std::string HugeText(std::size_t bytes)
{
    const char* const sentences[] = {
        "今日は良い天気です。",         "三日前に一本の映画を見た。",   "市場で会った人と駅前の本屋へ行く。",
        "東京都千代田区霞が関一丁目", "一人で行くのは上手ではない。", "明日の朝、二十日分の米を買う。",
    };
    std::string text;
    text.reserve(bytes + 64);
    for (std::size_t i = 0; text.size() < bytes; ++i) {
        text += sentences[i % std::size(sentences)];
        if (i % 3 == 2) text += "\r\n";
    }
    return text;
}

// Sends WM_NULL to a window again and again from a thread of its own while it
// lives, and keeps the longest wait for an answer; a wait past the limit is a miss.
class AnswerWatch {
public:
    explicit AnswerWatch(HWND window) : window_(window), thread_([this] { Watch(); }) {}
    ~AnswerWatch()
    {
        stop_ = true;
        thread_.join();
    }
    AnswerWatch(const AnswerWatch&) = delete;
    AnswerWatch& operator=(const AnswerWatch&) = delete;

    long LongestMs() const { return longestMs_; }
    int Misses() const { return misses_; }

private:
    void Watch()
    {
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        while (!stop_) {
            QueryPerformanceCounter(&start);
            DWORD_PTR answer = 0;
            const bool answered =
                SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerLimitMs, &answer) != 0;
            QueryPerformanceCounter(&end);
            const long ms = static_cast<long>((end.QuadPart - start.QuadPart) * 1000 / frequency.QuadPart);
            if (!answered) ++misses_;
            if (ms > longestMs_) longestMs_ = ms;
            Sleep(10);
        }
    }

    HWND window_;
    std::atomic<bool> stop_{false};
    std::atomic<long> longestMs_{0};
    std::atomic<int> misses_{0};
    std::thread thread_;
};

// Waits until Lexidrop has used no processor time for a while: any lookup is
// over, finished or given up.
bool WaitUntilIdle(const Lexidrop& app)
{
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, app.ProcessId());
    if (process == nullptr) return false;
    auto busy = [process] {
        FILETIME created, exited, kernel, user;
        GetProcessTimes(process, &created, &exited, &kernel, &user);
        return (ULONGLONG{kernel.dwHighDateTime} << 32 | kernel.dwLowDateTime) +
               (ULONGLONG{user.dwHighDateTime} << 32 | user.dwLowDateTime);
    };
    ULONGLONG last = busy();
    const bool idle = WaitFor(
        [&] {
            Sleep(480);
            const ULONGLONG now = busy();
            const bool same = now - last < 100000;  // under 10 ms in half a second
            last = now;
            return same;
        },
        120.0);
    CloseHandle(process);
    return idle;
}

class HugeCopyTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(SetClipboardText("start")); }
};

TEST_F(HugeCopyTest, WindowAnswersThroughoutAndEndsShowingTheLatestCopy)
{
    const std::string huge = HugeText(8u << 20);
    const std::string last = "今日は良い天気です";
    // The whole text taken, lines numbered, 20 readings.
    ResetRegistry({{"CBCRLimit", 0}, {"SetClipMod", MOD_ALT}});
    Lexidrop app;
    ASSERT_TRUE(app.StartAndFindWindow());
    ASSERT_TRUE(app.WaitForLine0("0 start"));

    {
        SCOPED_TRACE("the huge copy alone");
        AnswerWatch watch(app.Window());
        ASSERT_TRUE(SetClipboardText(huge));
        // Line 0 and the readings come together; the list box holds the start
        // of each line, all a screen can show.
        EXPECT_TRUE(WaitFor(
            [&] {
                const auto lines = app.Lines();
                return lines.size() >= 2 && lines[0].size() > 1000 && lines[0].rfind("0 ", 0) == 0 &&
                       huge.rfind(lines[0].substr(2), 0) == 0;
            },
            150.0));
        EXPECT_TRUE(WaitUntilIdle(app));
        // Line 0 goes back to the clipboard whole.
        SetForegroundWindow(app.Window());
        PressKeys({VK_MENU}, '0');
        EXPECT_TRUE(WaitFor([&] { return GetClipboardOwner() == app.Window(); }));
        EXPECT_TRUE(GetClipboardText() == huge);
        EXPECT_EQ(watch.Misses(), 0) << "longest wait " << watch.LongestMs() << " ms";
    }
    {
        SCOPED_TRACE("a short copy right after the huge one");
        AnswerWatch watch(app.Window());
        ASSERT_TRUE(SetClipboardText(huge));
        Sleep(300);
        ASSERT_TRUE(SetClipboardText(last));
        EXPECT_TRUE(app.WaitForLine0("0 " + last, 60.0));
        EXPECT_TRUE(WaitUntilIdle(app));
        const auto lines = app.Lines();
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines[0], "0 " + last);
        EXPECT_EQ(lines[1].rfind("1 きょうはよいてんきです", 0), 0u) << lines[1];
        EXPECT_EQ(watch.Misses(), 0) << "longest wait " << watch.LongestMs() << " ms";
    }
    EXPECT_TRUE(app.Exit());
}

}  // namespace
}  // namespace e2e
