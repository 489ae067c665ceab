// The built-in engine through the lookup's real converter (code page
// conversion, mapping, chunking) on Windows, chosen by ReadingSource.
#include "services/reverse_conversion_choice.h"
#include "services/reading_converter.h"
#include "services/window_lookup.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

namespace lexidrop {
namespace {

class Window {
public:
    Window()
        : hwnd_(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr))
    {
    }
    ~Window()
    {
        if (hwnd_) DestroyWindow(hwnd_);
    }
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    HWND Get() const { return hwnd_; }

private:
    HWND hwnd_;
};

std::vector<std::string> Convert(ReverseConversion* conversion, const std::string& text,
                                 std::uint32_t flags = 0)
{
    Window window;
    ReadingList out;
    if (conversion) {
        ReadingConverter converter(*conversion);
        converter.Convert(window.Get(), 20, flags, text, out);
    } else {
        ReadingConverter converter;
        converter.Convert(window.Get(), 20, flags, text, out);
    }
    return {out.begin(), out.end()};
}

TEST(EngineReadingSource, ImeThenEngineGivesTheSentenceReadingFirst)
{
    ReverseConversionChoice choice;
    ReverseConversion* conversion = choice.For(1, 20);
    ASSERT_NE(conversion, nullptr) << "Lexidrop.dic beside the test program: " << DictionaryBesideProgram();
    auto readings = Convert(conversion, "今日は良い天気です");
    ASSERT_FALSE(readings.empty());
    EXPECT_EQ(readings.front(), "きょうはよいてんきです");
    // A word alone offers its other readings too.
    readings = Convert(conversion, "今日");
    ASSERT_FALSE(readings.empty());
    EXPECT_EQ(readings.front(), "きょう");
    EXPECT_NE(std::find(readings.begin(), readings.end(), "こんにち"), readings.end());
}

TEST(EngineReadingSource, EngineOnlyAcrossChunksAndWithMapping)
{
    ReverseConversionChoice choice;
    ReverseConversion* engine = choice.For(2, 20);
    ASSERT_NE(engine, nullptr);
    // Over 100 bytes: cut after "、", each chunk read by the engine, then combined.
    std::string text =
        "東京都の市場で新しい野菜を買いました、それから駅の近くの喫茶店でコーヒーを飲みました。明日もまた行きたいと思います";
    ASSERT_GT(text.size(), 100u);
    auto readings = Convert(engine, text);
    ASSERT_FALSE(readings.empty());
    EXPECT_EQ(readings.front().rfind("とうきょうとのしじょうで", 0), 0u) << readings.front();
    EXPECT_NE(readings.front().find("、それから"), std::string::npos);

    auto katakana = Convert(engine, "今日", LCMAP_KATAKANA);
    ASSERT_FALSE(katakana.empty());
    EXPECT_EQ(katakana.front(), "キョウ");
    // A kana text's own reading equals the text and is dropped.
    auto kana = Convert(engine, "きょう");
    EXPECT_EQ(std::find(kana.begin(), kana.end(), "きょう"), kana.end());
}

TEST(EngineReadingSource, SettingChoosesAndAMissingDictionaryIsSilent)
{
    ReverseConversionChoice choice;
    EXPECT_EQ(choice.For(0, 20), nullptr);  // the IME alone: RunLookup's default
    EXPECT_NE(choice.For(7, 20), nullptr);  // unknown values act as the default
    EXPECT_EQ(choice.For(1, 20), choice.For(1, 20));

    ReverseConversionChoice missing("C:\\nonexistent\\Lexidrop.dic");
    EXPECT_EQ(missing.For(1, 20), nullptr);
    EXPECT_EQ(missing.FuriganaEngine(1), nullptr);
    EXPECT_EQ(choice.FuriganaEngine(0), nullptr);  // the IME alone: no furigana line
    EXPECT_NE(choice.FuriganaEngine(1), nullptr);
    EXPECT_EQ(choice.FuriganaEngine(2), choice.FuriganaEngine(1));
    ReverseConversion* none = missing.For(2, 20);
    ASSERT_NE(none, nullptr);
    EXPECT_TRUE(Convert(none, "今日は良い天気です").empty());

    std::string path = DictionaryBesideProgram();
    ASSERT_GT(path.size(), 12u);
    EXPECT_EQ(path.substr(path.size() - 13), "\\Lexidrop.dic");
    EXPECT_NE(GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES);
}

// The text handed to a lookup, and the lines it shows.
struct Given : TextSource {
    std::string text;
    bool ReadText(std::string& out) override
    {
        out = text;
        return !out.empty();
    }
};
struct Shown : LineDisplay {
    ReadingList readings;
    std::string furigana;
    bool SetLines(const std::string&, const ReadingList& lines, const std::string& line) override
    {
        readings = lines;
        furigana = line;
        return true;
    }
};

TEST(EngineReadingSource, AWorkerThreadsLookupShowsTheWindowsLinesAndStopsWhenStale)
{
    // Over 100 bytes, so that the first chunk is not the whole text.
    const std::string text =
        "東京都の市場で新しい野菜を買いました、それから駅の近くの喫茶店でコーヒーを飲みました。三日前に一本の映画を見た";
    ReverseConversionChoice choice;
    EXPECT_FALSE(choice.EngineAlone(0, nullptr, text));
    EXPECT_TRUE(choice.EngineAlone(1, nullptr, text));  // Wine's IME has no reverse conversion
    EXPECT_TRUE(choice.EngineAlone(2, nullptr, text));
    ReverseConversionChoice missing("C:\\nonexistent\\Lexidrop.dic");
    EXPECT_FALSE(missing.EngineAlone(2, nullptr, text));
    EXPECT_EQ(missing.BuiltInDictionary(), nullptr);

    ASSERT_NE(choice.BuiltInDictionary(), nullptr);
    const auto work = MakeEngineLookupWork(*choice.BuiltInDictionary());
    std::atomic<std::uint64_t> latest{1};
    for (const std::uint32_t flags : {0u, static_cast<std::uint32_t>(LCMAP_KATAKANA)}) {
        SCOPED_TRACE(flags);
        Window window;
        Given source;
        source.text = text;
        Shown here;
        ASSERT_TRUE(RunLookup(window.Get(), 5, flags, source, here, choice.For(2, 5), choice.FuriganaEngine(2)));
        LookupResult there;
        work->Run({text, 5, flags, true}, StaleCheck(latest, 1), there);
        ASSERT_FALSE(there.readings.empty());
        EXPECT_EQ(there.readings, here.readings);
        EXPECT_FALSE(there.furigana.empty());
        EXPECT_EQ(there.furigana, here.furigana);
    }
    LookupResult stale;
    work->Run({text, 5, 0, true}, StaleCheck(latest, 0), stale);
    EXPECT_TRUE(stale.readings.empty());
    EXPECT_TRUE(stale.furigana.empty());
}

}  // namespace
}  // namespace lexidrop
