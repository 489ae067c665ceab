#include "engine/reading_text.h"

#include "engine/kana.h"

#include <algorithm>
#include <array>

namespace lexidrop {
namespace {

char16_t Voiced(char16_t c)
{
    if (c == u'ウ') return u'ヴ';
    if (kana::IsVoicedBase(c)) return static_cast<char16_t>(c + 1);
    return 0;
}

char16_t SemiVoiced(char16_t c)
{
    return (c >= u'ハ' && c <= u'ホ' && (c - u'ハ') % 3 == 0) ? static_cast<char16_t>(c + 2) : 0;
}

constexpr std::array<std::u16string_view, 10> kDigits = {u"ぜろ", u"いち", u"に",   u"さん", u"よん",
                                                         u"ご",   u"ろく", u"なな", u"はち", u"きゅう"};

// 1..9999 without a unit.
std::u16string FourDigits(int n)
{
    std::u16string out;
    int thousands = n / 1000, hundreds = n / 100 % 10, tens = n / 10 % 10, ones = n % 10;
    if (thousands == 3)
        out += u"さんぜん";
    else if (thousands == 8)
        out += u"はっせん";
    else if (thousands)
        out += std::u16string(thousands == 1 ? u"" : kDigits[thousands]) + u"せん";
    if (hundreds == 3)
        out += u"さんびゃく";
    else if (hundreds == 6)
        out += u"ろっぴゃく";
    else if (hundreds == 8)
        out += u"はっぴゃく";
    else if (hundreds)
        out += std::u16string(hundreds == 1 ? u"" : kDigits[hundreds]) + u"ひゃく";
    if (tens) out += std::u16string(tens == 1 ? u"" : kDigits[tens]) + u"じゅう";
    if (ones) out += kDigits[ones];
    return out;
}

bool AllDigits(std::u16string_view s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char16_t c) { return kana::IsFullWidthDigit(c); });
}

}  // namespace

NormalizedText Normalize(std::u16string_view original)
{
    NormalizedText n;
    NormalizeInto(original, n);
    return n;
}

void NormalizeInto(std::u16string_view original, NormalizedText& n)
{
    // Written in place into buffers as long as the original, then cut to size.
    n.text.resize(original.size());
    n.origin.resize(original.size() + 1);
    char16_t* const text = n.text.data();
    std::size_t* const origin = n.origin.data();
    std::size_t out = 0;
    for (std::size_t i = 0; i < original.size(); ++i) {
        char16_t c = original[i];
        if (c >= 0x21 && c <= 0x7E) {
            c = static_cast<char16_t>(c + 0xFEE0);
        } else if (c >= 0xFF61 && c <= 0xFF9F) {
            // A voicing mark joins the katakana before it where a voiced form exists.
            if ((c == 0xFF9E || c == 0xFF9F) && out > 0 && origin[out - 1] == i - 1 && original[i - 1] >= 0xFF61) {
                char16_t joined = c == 0xFF9E ? Voiced(text[out - 1]) : SemiVoiced(text[out - 1]);
                if (joined) {
                    text[out - 1] = joined;
                    continue;
                }
            }
            c = kana::kHalfWidthFullForms[c - 0xFF61];
        }
        text[out] = c;
        origin[out] = i;
        ++out;
    }
    origin[out] = original.size();
    n.text.resize(out);
    n.origin.resize(out + 1);
}

std::u16string_view LeadingSpaces(const NormalizedText& normalized, std::u16string_view original,
                                  const WordSpan& word)
{
    std::size_t from = normalized.origin[word.spaceBegin];
    return original.substr(from, normalized.origin[word.begin] - from);
}

WordPieces FixedPieces(const NormalizedText& normalized, std::u16string_view original,
                       const std::vector<WordSpan>& words)
{
    WordPieces pieces{std::vector<std::u16string>(words.size()), std::vector<bool>(words.size(), true)};
    std::u16string_view text = normalized.text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const WordSpan& w = words[i];
        std::u16string_view surface = text.substr(w.begin, w.end - w.begin);
        // Most words start with kana or a kanji: read, not kept as typed.
        if (!surface.empty() && kana::IsJapaneseLetter(surface.front())) {
            pieces.fixed[i] = false;
            continue;
        }
        if (AllDigits(surface)) {
            // The run goes on through following digit words that no space separates.
            std::string digits;
            std::size_t j = i;
            for (; j < words.size(); ++j) {
                std::u16string_view s = text.substr(words[j].begin, words[j].end - words[j].begin);
                if (!AllDigits(s) || (j > i && words[j].spaceBegin != words[j].begin)) break;
                for (char16_t c : s) digits.push_back(static_cast<char>('0' + (c - 0xFF10)));
            }
            // Digits that run on from or into Latin letters (MP3, 4K) belong to that
            // word and stay as typed, and so do digit groups joined to them by
            // points, commas or hyphens (v1.5, 1.5K, 5-10X), which are read
            // whole or not at all.
            auto digit = [](char16_t c) { return kana::IsFullWidthDigit(c); };
            auto mark = [](char16_t c) { return c == u'．' || c == u'，' || c == u'－'; };
            std::size_t from = w.begin, to = words[j - 1].end;
            while (from > 0 &&
                   (digit(text[from - 1]) || (from > 1 && mark(text[from - 1]) && digit(text[from - 2]))))
                --from;
            while (to < text.size() &&
                   (digit(text[to]) || (to + 1 < text.size() && mark(text[to]) && digit(text[to + 1]))))
                ++to;
            const bool joinedBefore = from > 0 && kana::IsFullWidthLatin(text[from - 1]);
            const bool joinedAfter = to < text.size() && kana::IsFullWidthLatin(text[to]);
            if (joinedBefore || joinedAfter) {
                for (std::size_t k = i; k < j; ++k) {
                    std::size_t from = normalized.origin[words[k].begin];
                    pieces.text[k] =
                        std::u16string(original.substr(from, normalized.origin[words[k].end] - from));
                }
            } else {
                pieces.text[i] = NumberReading(digits);
            }
            i = j - 1;
            continue;
        }
        // (A lambda, not the function's address, so that the test is inlined.)
        if (std::none_of(surface.begin(), surface.end(), [](char16_t c) { return kana::IsJapaneseLetter(c); })) {
            std::size_t from = normalized.origin[w.begin];
            pieces.text[i] = std::u16string(original.substr(from, normalized.origin[w.end] - from));
        } else {
            pieces.fixed[i] = false;
        }
    }
    return pieces;
}

std::u16string NumberReading(std::string_view digits)
{
    std::u16string out;
    if (digits.empty()) return out;
    if (digits.size() > 16 || (digits.size() > 1 && digits[0] == '0')) {
        for (char d : digits) out += kDigits[static_cast<std::size_t>(d - '0')];
        return out;
    }
    static constexpr std::array<std::u16string_view, 4> kUnits = {u"", u"まん", u"おく", u"ちょう"};
    std::size_t groups = (digits.size() + 3) / 4;
    std::size_t pos = 0;
    for (std::size_t g = groups; g-- > 0;) {
        std::size_t width = digits.size() - pos - g * 4;
        int value = 0;
        for (std::size_t k = 0; k < width; ++k) value = value * 10 + (digits[pos + k] - '0');
        pos += width;
        if (value == 0) continue;
        std::u16string part = FourDigits(value);
        if (g == 3) {  // euphonic forms before ちょう
            if (value % 10 == 1 && part.ends_with(u"いち"))
                part.replace(part.size() - 2, 2, u"いっ");
            else if (value % 10 == 8 && part.ends_with(u"はち"))
                part.replace(part.size() - 2, 2, u"はっ");
            else if (value % 100 == 10 && part.ends_with(u"じゅう"))
                part.replace(part.size() - 3, 3, u"じゅっ");
        }
        if (g > 0 && value == 1) part = g == 3 ? u"いっ" : u"いち";
        // A thousand before a larger unit says its one (1000万 いっせんまん).
        if (g > 0 && value >= 1000 && value < 2000) part.insert(0, u"いっ");
        out += part;
        out += kUnits[g];
    }
    return out.empty() ? std::u16string(kDigits[0]) : out;
}

}  // namespace lexidrop
