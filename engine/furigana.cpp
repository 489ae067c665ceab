#include "engine/furigana.h"

#include "engine/dictionary.h"
#include "engine/kana.h"
#include "engine/reading_text.h"

#include <algorithm>

namespace lexidrop {
namespace {

// Characters that need a reading over them (in normalized form).
bool NeedsReading(char16_t c)
{
    return IsKanji(c) || kana::IsFullWidthDigit(c);
}

// Divisions tried per segment before it is taken as one group; dictionary
// words have a handful at most, so only odd input comes near it.
constexpr int kMaxSteps = 4096;

// One way of dividing a segment's reading: for each slot, where its reading
// begins and ends.
using Division = std::vector<std::pair<std::size_t, std::size_t>>;

class Aligner {
public:
    Aligner(std::u16string_view surface, std::u16string_view reading) : s_(surface), r_(reading)
    {
        for (std::size_t i = 0; i < s_.size();) {
            if (!NeedsReading(s_[i])) {
                ++i;
                continue;
            }
            std::size_t j = i;
            while (j < s_.size() && (NeedsReading(s_[j]) || InsideNumber(j))) ++j;
            slots_.push_back({i, j});
            i = j;
        }
    }

    const std::vector<std::pair<std::size_t, std::size_t>>& Slots() const { return slots_; }

    // Every division, earliest first; false when the search was cut short.
    bool Divide(std::vector<Division>& out)
    {
        Division current;
        return Walk(0, 0, current, out);
    }

private:
    // A thousands separator or decimal point between digits is read with them.
    bool InsideNumber(std::size_t j) const
    {
        return (s_[j] == u'，' || s_[j] == u'．') && j + 1 < s_.size() && kana::IsFullWidthDigit(s_[j - 1]) &&
               kana::IsFullWidthDigit(s_[j + 1]);
    }

    static bool Same(char16_t a, char16_t b) { return kana::ToHiragana(a) == kana::ToHiragana(b); }

    // Matches surface from s and reading from p; slot k is the next slot.
    bool Walk(std::size_t s, std::size_t p, Division& current, std::vector<Division>& out)
    {
        if (++steps_ > kMaxSteps) return false;
        const std::size_t k = current.size();
        while (s < s_.size() && (k == slots_.size() || s < slots_[k].first)) {
            if (p == r_.size() || !Same(s_[s], r_[p])) return true;  // no division this way
            ++s;
            ++p;
        }
        if (s == s_.size()) {
            if (p == r_.size()) out.push_back(current);
            return true;
        }
        // Slot k: one reading character at least, then the rest must fit.
        for (std::size_t end = p + 1; end <= r_.size(); ++end) {
            current.push_back({p, end});
            const bool whole = Walk(slots_[k].second, end, current, out);
            current.pop_back();
            if (!whole) return false;
        }
        return true;
    }

    std::u16string_view s_, r_;
    std::vector<std::pair<std::size_t, std::size_t>> slots_;
    int steps_ = 0;
};

void AddPlain(std::vector<FuriganaPiece>& out, std::u16string_view text)
{
    if (text.empty()) return;
    if (!out.empty() && out.back().reading.empty())
        out.back().base += text;
    else
        out.push_back({std::u16string(text), {}});
}

// One group for the whole segment; punctuation both end with (kept as typed
// after a unit or a range mark: 32℃、, 8,000円〜、) stays outside it.
void AddGroupBeforePunctuation(std::vector<FuriganaPiece>& out, std::u16string_view surface,
                               std::u16string_view reading)
{
    std::size_t tail = 0;
    while (tail < surface.size() && tail < reading.size() &&
           surface[surface.size() - 1 - tail] == reading[reading.size() - 1 - tail] &&
           !kana::IsLetterOrDigit(surface[surface.size() - 1 - tail]))
        ++tail;
    if (tail == surface.size() || tail == reading.size()) tail = 0;
    out.push_back({std::u16string(surface.substr(0, surface.size() - tail)),
                   std::u16string(reading.substr(0, reading.size() - tail))});
    AddPlain(out, surface.substr(surface.size() - tail));
}

void AlignSegment(std::u16string_view surface, std::u16string_view reading, const ReadingCheck& known,
                  std::vector<FuriganaPiece>& out)
{
    const NormalizedText n = Normalize(surface);
    const std::u16string& s = n.text;
    if (reading.empty() || reading == surface || reading == kana::ToHiragana(s)) {
        AddPlain(out, surface);
        return;
    }
    if (std::none_of(s.begin(), s.end(), NeedsReading)) {
        // A symbol or letters read as a word (〜 から between quantities, ㈱
        // かぶしきがいしゃ, AM ごぜん before a time) are a group of their own;
        // kana stay as written.
        const bool symbolOrLetters = std::none_of(s.begin(), s.end(), [](char16_t c) {
            return (kana::IsLetterOrDigit(c) && !kana::IsFullWidthLatin(c)) || c == u' ' || c == u'\u3000';
        });
        if (symbolOrLetters)
            AddGroupBeforePunctuation(out, surface, reading);
        else
            AddPlain(out, surface);
        return;
    }
    Aligner aligner(s, reading);
    std::vector<Division> divisions;
    if (!aligner.Divide(divisions) || divisions.empty()) {
        AddGroupBeforePunctuation(out, surface, reading);
        return;
    }
    const auto& slots = aligner.Slots();
    std::size_t chosen = 0;
    if (divisions.size() > 1 && known) {
        int bestScore = -1;
        for (std::size_t d = 0; d < divisions.size(); ++d) {
            int score = 0;
            for (std::size_t k = 0; k < slots.size(); ++k) {
                const auto [from, to] = slots[k];
                const auto [rFrom, rTo] = divisions[d][k];
                std::u16string word = s.substr(from, to - from);
                std::u16string said(reading.substr(rFrom, rTo - rFrom));
                if (known(word, said)) {
                    ++score;
                    continue;
                }
                // The slot with the kana written after it (its inflection).
                std::size_t tail = to;
                while (tail < s.size() && !NeedsReading(s[tail])) ++tail;
                if (tail == to) continue;
                word += s.substr(to, tail - to);
                said += kana::ToHiragana(std::u16string_view(s).substr(to, tail - to));
                if (known(word, said)) ++score;
            }
            if (score > bestScore) {
                bestScore = score;
                chosen = d;
            }
        }
    }
    std::size_t at = 0;
    for (std::size_t k = 0; k < slots.size(); ++k) {
        const auto [from, to] = slots[k];
        const auto [rFrom, rTo] = divisions[chosen][k];
        AddPlain(out, surface.substr(n.origin[at], n.origin[from] - n.origin[at]));
        out.push_back({std::u16string(surface.substr(n.origin[from], n.origin[to] - n.origin[from])),
                       std::u16string(reading.substr(rFrom, rTo - rFrom))});
        at = to;
    }
    AddPlain(out, surface.substr(n.origin[at]));
}

bool AtLineStart(const std::u16string& out)
{
    return out.empty() || out.back() == u'\n' || out.back() == u'\r';
}

void AppendBracketsText(std::u16string& out, std::u16string_view text)
{
    for (char16_t c : text) out += c == u'[' ? u'［' : c == u']' ? u'］' : c;
}

void AppendHtmlText(std::u16string& out, std::u16string_view text)
{
    for (char16_t c : text) {
        if (c == u'&')
            out += u"&amp;";
        else if (c == u'<')
            out += u"&lt;";
        else if (c == u'>')
            out += u"&gt;";
        else
            out += c;
    }
}

}  // namespace

bool IsKanji(char16_t c)
{
    return (c >= u'\u3400' && c <= u'\u4DBF') || (c >= u'\u4E00' && c <= u'\u9FFF') ||
           (c >= u'\uF900' && c <= u'\uFAFF') || (c >= u'\u3005' && c <= u'\u3007') || c == u'ヶ' ||
           c == u'ヵ';
}

ReadingCheck DictionaryReadingCheck(const Dictionary& dictionary)
{
    return [&dictionary](std::u16string_view surface, std::u16string_view reading) {
        bool found = false;
        std::u16string entryReading;
        dictionary.CommonPrefixSearch(surface.data(), surface.size(),
                                      [&](std::size_t length, std::uint32_t first, std::uint32_t count) {
                                          if (length != surface.size()) return;
                                          for (std::uint32_t i = 0; i < count && !found; ++i) {
                                              entryReading.clear();
                                              found = dictionary.AppendReading(dictionary.Entry(first + i),
                                                                               entryReading) &&
                                                      entryReading == reading;
                                          }
                                      });
        return found;
    };
}

std::vector<FuriganaPiece> AlignFurigana(std::u16string_view text,
                                         const std::vector<ReadingSegment>& segments,
                                         const ReadingCheck& known)
{
    std::vector<FuriganaPiece> out;
    for (const ReadingSegment& segment : segments) {
        const std::u16string_view surface = text.substr(segment.begin, segment.end - segment.begin);
        // 々 repeats the kanji before it and joins its group (人々[ひとびと]); where
        // it has no reading of its own, it repeats that kanji's reading.
        if (surface == u"々" && !out.empty() && !out.back().reading.empty()) {
            FuriganaPiece& group = out.back();
            group.base += surface;
            group.reading += segment.reading == surface ? std::u16string(group.reading) : segment.reading;
            continue;
        }
        AlignSegment(surface, segment.reading, known, out);
    }
    return out;
}

std::vector<FuriganaPiece> Furigana(ReadingEngine& engine, std::u16string_view text)
{
    return AlignFurigana(text, engine.BestSegments(text), DictionaryReadingCheck(engine.DictionaryInUse()));
}

std::u16string FuriganaBrackets(const std::vector<FuriganaPiece>& pieces)
{
    std::u16string out;
    for (const FuriganaPiece& piece : pieces) {
        if (piece.reading.empty()) {
            AppendBracketsText(out, piece.base);
            continue;
        }
        if (!AtLineStart(out)) out += u' ';
        AppendBracketsText(out, piece.base);
        out += u'[';
        AppendBracketsText(out, piece.reading);
        out += u']';
    }
    return out;
}

std::u16string FuriganaRuby(const std::vector<FuriganaPiece>& pieces)
{
    std::u16string out;
    for (const FuriganaPiece& piece : pieces) {
        if (piece.reading.empty()) {
            AppendHtmlText(out, piece.base);
            continue;
        }
        out += u"<ruby>";
        AppendHtmlText(out, piece.base);
        out += u"<rt>";
        AppendHtmlText(out, piece.reading);
        out += u"</rt></ruby>";
    }
    return out;
}

}  // namespace lexidrop
