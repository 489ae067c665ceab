// The rules that read several words of the best analysis as one, or decide
// a word's reading from the text around it: written forms (units, times,
// ranges, codes, symbols), and the table of words read by their context.
#include "engine/context_readings.h"
#include "engine/counted_numbers.h"
#include "engine/kana.h"
#include "engine/reading_engine.h"
#include "engine/written_forms.h"

#include <algorithm>
#include <array>

namespace lexidrop {
namespace {

// Which rules may start at a word, by its first character (and, for written
// forms, the next one): one byte per code unit, worked out once from the
// rules' own tests, so that most words pass all the rules at one look.
enum RuleStart : std::uint8_t {
    kWrittenStart = 1,
    kDigit = 2,
    kDecidedStart = 4,
    kNumberStart = 8,
    kAfterWordStart = 16,
    kHonorificStart = 32
};

const std::array<std::uint8_t, 65536>& RuleStarts()
{
    static const std::array<std::uint8_t, 65536> starts = [] {
        std::array<std::uint8_t, 65536> bits{};
        for (std::uint32_t u = 0; u < bits.size(); ++u) {
            const char16_t c = static_cast<char16_t>(u);
            bits[u] = static_cast<std::uint8_t>(
                (MayStartWrittenForm(std::u16string_view(&c, 1), 0) ? kWrittenStart : 0) |
                (kana::IsFullWidthDigit(c) ? kDigit : 0) | (MayHaveDecidedReading(c) ? kDecidedStart : 0) |
                (c == u'何' || IsNumeralCharacter(c) ? kNumberStart : 0) |
                (MayReadAfterWord(c) ? kAfterWordStart : 0) | (c == u'御' ? kHonorificStart : 0));
        }
        return bits;
    }();
    return starts;
}

}  // namespace

std::optional<ReadingEngine::Position> ReadingEngine::RuleAt(std::u16string_view text,
                                                             const std::vector<std::int32_t>& path,
                                                             std::size_t i) const
{
    const auto& starts = RuleStarts();
    const std::size_t begin = nodes_[path[i]].begin;
    std::uint8_t may = starts[normalized_.text[begin]];
    if (begin + 1 < analysed_ && (starts[normalized_.text[begin + 1]] & kDigit)) may |= kWrittenStart;
    std::optional<Position> rule;
    if (may & kWrittenStart) rule = WrittenAt(text, path, i);
    if (!rule && (may & kDecidedStart)) rule = DecidedAt(path, i);
    if (!rule && (may & kAfterWordStart)) rule = AfterWordAt(path, i);
    if (!rule && (may & kHonorificStart)) rule = HonorificAt(path, i);
    if (!rule && (may & kNumberStart)) rule = NumberAt(path, i);
    return rule;
}

std::optional<ReadingEngine::Position> ReadingEngine::WrittenAt(std::u16string_view text,
                                                                const std::vector<std::int32_t>& path,
                                                                std::size_t i) const
{
    const Node& head = nodes_[path[i]];
    const std::u16string_view analysed = std::u16string_view(normalized_.text).substr(0, analysed_);
    if (!MayStartWrittenForm(analysed, head.begin)) return std::nullopt;
    if (auto symbols = SymbolWordReadings(Surface(path[i])); !symbols.empty())
        return Position{i, i, std::move(symbols), true};
    auto form = WrittenFormAt(analysed, head.begin);
    if (!form) return std::nullopt;
    // The form must end where a word of the analysis ends, with no space
    // inside, or inside an unknown run of symbols whose rest is punctuation,
    // kept as typed (32℃、 is one unknown word: さんじゅうにど、).
    for (std::size_t q = i; q < path.size(); ++q) {
        const Node& n = nodes_[path[q]];
        if (q > i && !Joined(path[q])) break;
        if (n.end > form->end) {
            const std::u16string_view rest = analysed.substr(form->end, n.end - form->end);
            if (n.begin >= form->end || n.entry < dic_.KnownCount() || form->readings.empty() ||
                std::any_of(rest.begin(), rest.end(), kana::IsLetterOrDigit))
                break;
            const std::u16string_view typed =
                text.substr(normalized_.origin[form->end], normalized_.origin[n.end] - normalized_.origin[form->end]);
            for (std::u16string& r : form->readings) r += typed;
            return Position{i, q, std::move(form->readings), true};
        }
        if (n.end != form->end) continue;
        if (form->readings.empty()) {  // a code, kept as typed
            const std::size_t from = normalized_.origin[head.begin];
            form->readings.emplace_back(text.substr(from, normalized_.origin[n.end] - from));
        }
        return Position{i, q, std::move(form->readings), true};
    }
    return std::nullopt;
}

std::optional<ReadingEngine::Position> ReadingEngine::DecidedAt(const std::vector<std::int32_t>& path,
                                                                std::size_t i) const
{
    const std::u16string_view text = std::u16string_view(normalized_.text).substr(0, analysed_);
    const std::size_t begin = nodes_[path[i]].begin;
    if (!MayHaveDecidedReading(text[begin])) return std::nullopt;
    // A word of the table may be one word of the analysis or a few (大人気 as
    // 大人 + 気, 九十九折り as its numerals and 折り).
    constexpr std::size_t kMostWords = 5;
    std::size_t last = i;
    while (last + 1 < path.size() && last + 1 - i < kMostWords &&
           Joined(path[last + 1]))
        ++last;
    for (std::size_t q = last + 1; q-- > i;) {
        auto readings = DecidedReadings(text, begin, nodes_[path[q]].end);
        if (!readings.empty()) return Position{i, q, std::move(readings), true};
    }
    return std::nullopt;
}

std::optional<ReadingEngine::Position> ReadingEngine::AfterWordAt(const std::vector<std::int32_t>& path,
                                                                  std::size_t i) const
{
    if (i == 0 || !Joined(path[i])) return std::nullopt;
    const std::u16string_view word = Surface(path[i]), previous = Surface(path[i - 1]);
    const std::uint32_t before = nodes_[path[i - 1]].entry;
    std::vector<std::u16string> readings;
    if (before < dic_.KnownCount() && (dic_.EntryClasses(before) & dic::kSurname))
        readings = ReadingsAfter(WordBefore::kSurname, word);
    // A place's name that is no ordinary word too (港 is a harbour: 港町 みなとまち).
    auto onlyAName = [&] {
        const std::vector<std::uint32_t> entries = dic_.EntriesSpelt(previous);
        return std::none_of(entries.begin(), entries.end(),
                            [&](std::uint32_t e) { return dic_.Class(dic_.Entry(e)) != dic::kProperNoun; });
    };
    if (readings.empty() && before < dic_.KnownCount() && (dic_.EntryClasses(before) & dic::kPlace) && onlyAName())
        readings = ReadingsAfter(WordBefore::kPlace, word);
    auto katakana = [](char16_t c) { return (c >= u'ァ' && c <= u'ヺ') || c == u'ー'; };
    if (readings.empty() && !previous.empty() && std::all_of(previous.begin(), previous.end(), katakana))
        readings = ReadingsAfter(WordBefore::kKatakana, word);
    if (readings.empty()) return std::nullopt;
    return Position{i, i, std::move(readings), true};
}

std::optional<ReadingEngine::Position> ReadingEngine::HonorificAt(const std::vector<std::int32_t>& path,
                                                                  std::size_t i) const
{
    if (Surface(path[i]) != u"御" || i + 1 >= path.size() || !Joined(path[i + 1])) return std::nullopt;
    const std::u16string word(Surface(path[i + 1]));
    // The lexicon's word spelt with お or ご (お金 おかね, ご機嫌) reads the
    // two, its cheapest reading first; otherwise a word with kana endings is
    // a native one (御手洗い).
    auto readings = [&](std::u16string spelling) {
        std::vector<std::pair<std::int32_t, std::u16string>> found;
        for (const std::uint32_t e : dic_.EntriesSpelt(spelling)) {
            std::u16string r;
            if (dic_.UsableEntry(dic_.Entry(e)) && dic_.AppendReading(dic_.Entry(e), r))
                found.emplace_back(dic_.Entry(e).cost, std::move(r));
        }
        // Of equal costs the later entry first, as the analysis takes it (お手数 おてすう).
        std::reverse(found.begin(), found.end());
        std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<std::u16string> out;
        for (auto& f : found)
            if (std::find(out.begin(), out.end(), f.second) == out.end()) out.push_back(std::move(f.second));
        return out;
    };
    std::vector<std::u16string> native = readings(u"お" + word), sino = readings(u"ご" + word);
    if (!native.empty() && sino.empty()) return Position{i, i + 1, std::move(native), true};
    if (native.empty() && !sino.empty()) return Position{i, i + 1, std::move(sino), true};
    const bool kanaEnding =
        std::any_of(word.begin(), word.end(), [](char16_t c) { return c >= u'ぁ' && c <= u'ゖ'; });
    if (!kanaEnding) return std::nullopt;
    return Position{i, i, {u"お"}, true};
}

// Days of the week, whose ranges (月曜～金曜) read から like a quantity's.
constexpr std::u16string_view kWeekdays[] = {
    u"月曜", u"火曜", u"水曜", u"木曜", u"金曜", u"土曜", u"日曜",
    u"月曜日", u"火曜日", u"水曜日", u"木曜日", u"金曜日", u"土曜日", u"日曜日",
};

// Parts of the day said before a clock time (朝9時〜夕方5時), as 午前 and
// 午後 are.
constexpr std::u16string_view kTimesOfDay[] = {
    u"朝", u"昼", u"夕方", u"夜", u"晩", u"深夜", u"早朝", u"明け方", u"翌", u"翌朝", u"翌日",
};

void ReadingEngine::ReadRangeMarks(const std::vector<std::int32_t>& path, std::vector<Position>& positions) const
{
    // 〜 between two quantities (10:00〜18:00, 3時〜午後5時, 9時〜夕方5時, 20代〜30代, the
    // number's suffix a word of its own) or two days of the week reads から,
    // and so does a hyphen between two times (10:00-18:00).
    auto spelling = [&](const Position& p) {
        return std::u16string_view(normalized_.text)
            .substr(nodes_[path[p.first]].begin, nodes_[path[p.last]].end - nodes_[path[p.first]].begin);
    };
    auto time = [&](const Position& p) {
        return !p.readings.empty() && spelling(p).find(u'：') != std::u16string_view::npos;
    };
    // A quantity a rule reads, or a number the analysis reads as it is (20 of 20代).
    auto number = [&](std::size_t k) {
        const std::u16string_view text = spelling(positions[k]);
        return !positions[k].readings.empty() || std::all_of(text.begin(), text.end(), IsNumeralCharacter);
    };
    auto weekday = [&](std::size_t k) {
        return std::find(std::begin(kWeekdays), std::end(kWeekdays), spelling(positions[k])) != std::end(kWeekdays);
    };
    // Marks that end a clause; the analysis may take them with a range mark
    // before them as one word (〜、).
    auto endsClause = [](std::u16string_view marks) {
        return std::all_of(marks.begin(), marks.end(), [](char16_t c) {
            return std::u16string_view(u"、。，．！？）」\u3000").find(c) != std::u16string_view::npos;
        });
    };
    for (std::size_t j = 1; j < positions.size(); ++j) {
        Position& p = positions[j];
        const std::u16string_view mark = Surface(path[p.first]);
        // Only a range mark or a hyphen can read から; most words are neither.
        if (!p.readings.empty() || p.first != p.last || mark.empty() || (!IsRangeMark(mark[0]) && mark[0] != u'－'))
            continue;
        // After a quantity a rule reads, at the end of a clause, 〜 says from
        // there on (5,000円〜 ごせんえんから, 10:00〜、).
        if (IsRangeMark(mark[0]) && endsClause(mark.substr(1)) && !positions[j - 1].readings.empty() &&
            (mark.size() > 1 || j + 1 == positions.size() || endsClause(Surface(path[positions[j + 1].first])))) {
            p = Position{p.first, p.last, {u"から" + std::u16string(mark.substr(1))}, true};
            continue;
        }
        if (mark.size() != 1 || j + 1 == positions.size()) continue;
        if (IsRangeMark(mark[0]) && weekday(j - 1) && weekday(j + 1)) {
            p = Position{p.first, p.last, {u"から"}, true};
            continue;
        }
        // A quantity's suffix the analysis takes as a word of its own (20代).
        const bool suffixed = j >= 2 && number(j - 2) && positions[j - 1].readings.empty() &&
                              Joined(path[positions[j - 1].first]) && spelling(positions[j - 1]).size() == 1 &&
                              !IsRangeMark(spelling(positions[j - 1])[0]);
        if (!number(j - 1) && !(suffixed && IsRangeMark(mark[0]))) continue;  // no quantity before it
        if (mark[0] == u'－' && time(positions[j - 1]) && time(positions[j + 1])) {
            p = Position{p.first, p.last, {u"から"}, true};
            continue;
        }
        if (!IsRangeMark(mark[0])) continue;
        const std::u16string_view next = Surface(path[positions[j + 1].first]);
        const bool after = number(j + 1) || next.starts_with(u"午") || next == u"第" ||
                           std::find(std::begin(kTimesOfDay), std::end(kTimesOfDay), next) != std::end(kTimesOfDay);
        if (after) p = Position{p.first, p.last, {u"から"}, true};
    }
}

}  // namespace lexidrop
