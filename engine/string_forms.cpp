#include "engine/string_forms.h"

#include "engine/kana.h"

#include <array>

namespace lexidrop {
namespace {

char16_t HalfForm(char16_t c)
{
    for (std::size_t i = 0; i < kana::kHalfWidthFullForms.size(); ++i)
        if (kana::kHalfWidthFullForms[i] == c) return static_cast<char16_t>(0xFF61 + i);
    return 0;
}

bool IsSemiVoicedBase(char16_t c)
{
    return c >= u'ハ' && c <= u'ホ' && (c - u'ハ') % 3 == 0;
}

std::u16string ToHalfWidth(std::u16string_view text)
{
    std::u16string out;
    for (char16_t c : text) {
        if (c >= 0xFF01 && c <= 0xFF5E) {
            out.push_back(static_cast<char16_t>(c - 0xFEE0));
        } else if (c == 0x3000) {
            out.push_back(u' ');
        } else if (char16_t half = HalfForm(c)) {
            out.push_back(half);
        } else if (c == u'ヴ') {
            out += u"ｳﾞ";
        } else if (kana::IsVoicedBase(static_cast<char16_t>(c - 1)) &&
                   HalfForm(static_cast<char16_t>(c - 1))) {
            out.push_back(HalfForm(static_cast<char16_t>(c - 1)));
            out.push_back(u'ﾞ');
        } else if (IsSemiVoicedBase(static_cast<char16_t>(c - 2)) && HalfForm(static_cast<char16_t>(c - 2))) {
            out.push_back(HalfForm(static_cast<char16_t>(c - 2)));
            out.push_back(u'ﾟ');
        } else {
            out.push_back(c);
        }
    }
    return out;
}

std::u16string ToFullWidth(std::u16string_view text)
{
    std::u16string out;
    for (char16_t c : text) {
        if (c >= 0x21 && c <= 0x7E) {
            out.push_back(static_cast<char16_t>(c + 0xFEE0));
        } else if (c == u' ') {
            out.push_back(u'\u3000');
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            char16_t full = kana::kHalfWidthFullForms[c - 0xFF61];
            if (c == u'ﾞ' && !out.empty() && (kana::IsVoicedBase(out.back()) || out.back() == u'ウ')) {
                out.back() = out.back() == u'ウ' ? u'ヴ' : static_cast<char16_t>(out.back() + 1);
            } else if (c == u'ﾟ' && !out.empty() && IsSemiVoicedBase(out.back())) {
                out.back() = static_cast<char16_t>(out.back() + 2);
            } else {
                out.push_back(full);
            }
        } else {
            out.push_back(c);
        }
    }
    return out;
}

char16_t ToHiraganaChar(char16_t c)
{
    if ((c >= u'ァ' && c <= u'ヶ') || c == u'ヽ' || c == u'ヾ') return static_cast<char16_t>(c - 0x60);
    return c;
}

char16_t ToKatakanaChar(char16_t c)
{
    if ((c >= u'ぁ' && c <= u'ゖ') || c == u'ゝ' || c == u'ゞ') return static_cast<char16_t>(c + 0x60);
    return c;
}

char16_t ToLower(char16_t c)
{
    if ((c >= u'A' && c <= u'Z') || (c >= u'Ａ' && c <= u'Ｚ')) return static_cast<char16_t>(c + 0x20);
    if (c >= u'Α' && c <= u'Ω' && c != 0x03A2) return static_cast<char16_t>(c + 0x20);
    if (c >= u'А' && c <= u'Я') return static_cast<char16_t>(c + 0x20);
    if (c == u'Ё') return u'ё';
    return c;
}

char16_t ToUpper(char16_t c)
{
    if ((c >= u'a' && c <= u'z') || (c >= u'ａ' && c <= u'ｚ')) return static_cast<char16_t>(c - 0x20);
    if (c >= u'α' && c <= u'ω' && c != 0x03C2) return static_cast<char16_t>(c - 0x20);
    if (c >= u'а' && c <= u'я') return static_cast<char16_t>(c - 0x20);
    if (c == u'ё') return u'Ё';
    return c;
}

}  // namespace

bool MapStringForms(std::uint32_t flags, std::u16string& text)
{
    constexpr std::uint32_t known =
        kMapLowerCase | kMapUpperCase | kMapHiragana | kMapKatakana | kMapHalfWidth | kMapFullWidth;
    if ((flags & ~known) != 0 ||
        (flags & (kMapLowerCase | kMapUpperCase)) == (kMapLowerCase | kMapUpperCase) ||
        (flags & (kMapHiragana | kMapKatakana)) == (kMapHiragana | kMapKatakana) ||
        (flags & (kMapHalfWidth | kMapFullWidth)) == (kMapHalfWidth | kMapFullWidth))
        return false;
    std::u16string out = text;
    // Full width first, so that half-width katakana can change kana too.
    if (flags & kMapFullWidth) out = ToFullWidth(out);
    if (flags & kMapHiragana)
        for (auto& c : out) c = ToHiraganaChar(c);
    if (flags & kMapKatakana)
        for (auto& c : out) c = ToKatakanaChar(c);
    if (flags & kMapHalfWidth) out = ToHalfWidth(out);
    if (flags & kMapLowerCase)
        for (auto& c : out) c = ToLower(c);
    if (flags & kMapUpperCase)
        for (auto& c : out) c = ToUpper(c);
    text = std::move(out);
    return true;
}

}  // namespace lexidrop
