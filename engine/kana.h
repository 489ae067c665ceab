// Small character helpers shared by the dictionary compiler and the engine.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lexidrop::kana {

// Katakana to hiragana: ァ..ヶ (ヴ, ヰ, ヱ, ヮ, ヵ, ヶ included) move to the
// hiragana block; everything else (ー, ・, ヷ..ヺ) stays.
constexpr char16_t ToHiragana(char16_t c)
{
    return (c >= u'\u30A1' && c <= u'\u30F6') ? static_cast<char16_t>(c - 0x60) : c;
}

inline std::u16string ToHiragana(std::u16string_view text)
{
    std::u16string out(text);
    for (auto& c : out) c = ToHiragana(c);
    return out;
}

constexpr bool IsJapaneseLetter(char16_t c)
{
    return (c >= u'\u3041' && c <= u'\u309F') || (c >= u'\u30A1' && c <= u'\u30FA') || c == u'\u30FC' ||
           (c >= u'\u3400' && c <= u'\u4DBF') || (c >= u'\u4E00' && c <= u'\u9FFF') ||
           (c >= u'\uF900' && c <= u'\uFAFF') || (c >= u'\u3005' && c <= u'\u3007');
}

// Full-width forms of U+FF61..U+FF9F (half-width punctuation and katakana),
// indexed by the half-width code point minus 0xFF61.
inline constexpr std::array<char16_t, 63> kHalfWidthFullForms = {
    u'。', u'「', u'」', u'、', u'・', u'ヲ', u'ァ', u'ィ', u'ゥ', u'ェ', u'ォ', u'ャ', u'ュ',
    u'ョ', u'ッ', u'ー', u'ア', u'イ', u'ウ', u'エ', u'オ', u'カ', u'キ', u'ク', u'ケ', u'コ',
    u'サ', u'シ', u'ス', u'セ', u'ソ', u'タ', u'チ', u'ツ', u'テ', u'ト', u'ナ', u'ニ', u'ヌ',
    u'ネ', u'ノ', u'ハ', u'ヒ', u'フ', u'ヘ', u'ホ', u'マ', u'ミ', u'ム', u'メ', u'モ', u'ヤ',
    u'ユ', u'ヨ', u'ラ', u'リ', u'ル', u'レ', u'ロ', u'ワ', u'ン', u'゛', u'゜'};

// Katakana whose voiced form is the next code point (カ→ガ, ツ→ヅ, ハ→バ...).
constexpr bool IsVoicedBase(char16_t c)
{
    return (c >= u'カ' && c <= u'チ' && (c - u'カ') % 2 == 0) || c == u'ツ' || c == u'テ' || c == u'ト' ||
           (c >= u'ハ' && c <= u'ホ' && (c - u'ハ') % 3 == 0);
}

// The reading with its first sound unvoiced, as a compound's voiced form
// comes from the word's own (ぼし from ほし, ぐに from くに); the reading
// itself when that sound is not voiced.
inline std::u16string Unvoiced(std::u16string_view reading)
{
    constexpr std::u16string_view kVoiced = u"がぎぐげござじずぜぞだぢづでどばびぶべぼぱぴぷぺぽ";
    constexpr std::u16string_view kPlain = u"かきくけこさしすせそたちつてとはひふへほはひふへほ";
    std::u16string out(reading);
    if (!out.empty())
        if (const std::size_t k = kVoiced.find(out[0]); k != kVoiced.npos) out[0] = kPlain[k];
    return out;
}

constexpr bool IsFullWidthDigit(char16_t c)
{
    return c >= u'\uFF10' && c <= u'\uFF19';
}

// Ａ..Ｚ and ａ..ｚ, the form the engine's normalized text gives ASCII letters.
constexpr bool IsFullWidthLatin(char16_t c)
{
    return (c >= u'Ａ' && c <= u'Ｚ') || (c >= u'ａ' && c <= u'ｚ');
}

// Kana, kanji, and Latin letters and digits in either width: what is not
// punctuation or a symbol.
constexpr bool IsLetterOrDigit(char16_t c)
{
    return IsJapaneseLetter(c) || IsFullWidthDigit(c) || IsFullWidthLatin(c) || (c >= u'0' && c <= u'9') ||
           (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z');
}

}  // namespace lexidrop::kana
