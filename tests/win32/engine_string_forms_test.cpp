// The portable width/kana/case mapping against the platform's LCMapStringA
// in the user's locale (Japanese, code page 932), over a table of texts and
// every combination of the settings' mapping flags.
#include "engine/string_forms.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace lexidrop {
namespace {

std::string PlatformMap(std::uint32_t flags, const std::string& text, bool& ok)
{
    std::vector<char> out(2 * text.size() + 8, 0);
    int n =
        LCMapStringA(GetUserDefaultLCID(), flags, text.c_str(), -1, out.data(), static_cast<int>(out.size()));
    ok = n > 0;
    return ok ? std::string(out.data()) : std::string();
}

std::string PortableMap(std::uint32_t flags, const std::string& text, bool& ok)
{
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(static_cast<std::size_t>(MultiByteToWideChar(
        932, 0, text.c_str(), static_cast<int>(text.size()), wide.data(), static_cast<int>(wide.size()))));
    std::u16string u(wide.begin(), wide.end());
    ok = MapStringForms(flags, u);
    if (!ok) return {};
    std::wstring back(u.begin(), u.end());
    std::string out(4 * back.size() + 4, '\0');
    out.resize(static_cast<std::size_t>(WideCharToMultiByte(932, 0, back.c_str(),
                                                            static_cast<int>(back.size()), out.data(),
                                                            static_cast<int>(out.size()), nullptr, nullptr)));
    return out;
}

TEST(EngineStringForms, SameFormsAsTheSystemMapping)
{
    ASSERT_EQ(GetACP(), 932u) << "the Japanese code page is needed";
    // Not in the table: ゞ and ヾ, whose katakana form Wine's half-width mapping splits into ヽ and a
    // voicing mark although ヽ has no half-width form; the portable mapping keeps it.
    const std::vector<std::string> texts = {"きょうはよいてんきです",
                                            "キョウハヨイテンキデス",
                                            "ｶﾞｲﾄﾞﾌﾞｯｸ ﾊﾟﾝ",
                                            "ABCxyz 0129 !?#",
                                            "ＡＢＣｘｙｚ　０１２９！？＃",
                                            "ヴァイオリン",
                                            "ゝヽ",
                                            "「。、・ー」",
                                            "ΑΒΓαβγАБВабв",
                                            "がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ",
                                            "ガギグゲゴザジズゼゾダヂヅデドバビブベボパピプペポ",
                                            "ぁぃぅぇぉっゃゅょゎ",
                                            "ァィゥェォッャュョヮヵヶ",
                                            "漢字とかな"};
    const std::uint32_t widths[] = {0, kMapHalfWidth, kMapFullWidth};
    const std::uint32_t kanas[] = {0, kMapHiragana, kMapKatakana};
    const std::uint32_t cases[] = {0, kMapLowerCase, kMapUpperCase};
    int compared = 0;
    for (std::uint32_t w : widths)
        for (std::uint32_t k : kanas)
            for (std::uint32_t c : cases) {
                const std::uint32_t flags = w | k | c;
                if (flags == 0) continue;
                for (const auto& text : texts) {
                    bool platformOk = false, portableOk = false;
                    std::string expected = PlatformMap(flags, text, platformOk);
                    std::string actual = PortableMap(flags, text, portableOk);
                    EXPECT_EQ(portableOk, platformOk) << std::hex << flags << " " << text;
                    EXPECT_EQ(actual, expected) << std::hex << flags << " " << text;
                    ++compared;
                }
            }
    EXPECT_EQ(compared, 26 * 14);
}

TEST(EngineStringForms, ContradictoryFlagsAreRefused)
{
    for (std::uint32_t flags :
         {kMapHalfWidth | kMapFullWidth, kMapHiragana | kMapKatakana, kMapLowerCase | kMapUpperCase}) {
        std::u16string text = u"テキスト";
        EXPECT_FALSE(MapStringForms(flags, text));
        EXPECT_EQ(text, u"テキスト");
    }
}

}  // namespace
}  // namespace lexidrop
