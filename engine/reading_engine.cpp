#include "engine/reading_engine.h"

#include "engine/counted_numbers.h"
#include "engine/given_names.h"
#include "engine/kana.h"
#include "engine/name_readings.h"
#include "engine/reading_sequences.h"
#include "engine/unjoinable_readings.h"

#include <algorithm>
#include <limits>
#include <unordered_set>

namespace lexidrop {
namespace {

constexpr std::uint32_t kBoundary = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kMaxGroup = 24;  // longest run made into one unknown word, after its first character
constexpr std::int64_t kInfinite = std::numeric_limits<std::int64_t>::max() / 4;
// How much more than the analysis's best path a name alone may cost.
constexpr std::int64_t kNameOverAnalysis = 10000;
// How much more a surname with a given name may cost: the analysis reads a
// real full name as the name itself, so its margin is small.
constexpr std::int64_t kSplitNameOverAnalysis = 1000;

}  // namespace

void ReadingEngine::GatherLefts(std::uint32_t position)
{
    // Of the words ending here with one right context id only the cheapest can
    // be a best neighbour (the first listed of equally cheap ones, as the list
    // is walked in order), so each id is kept once. lefts_ has room for every id.
    LeftNeighbour* const lefts = lefts_.data();
    Stamped* const leftAt = leftAt_.data();
    const Node* const nodes = nodes_.data();
    const std::uint32_t stamp = stamp_;
    std::uint32_t count = 0;
    for (std::int32_t k = endingAt_[position]; k >= 0; k = nodes[k].nextEnding) {
        const Node& left = nodes[k];
        Stamped& slot = leftAt[left.rightId];
        if (slot.stamp != stamp) {
            slot = {stamp, count};
            lefts[count++] = {left.rightId, k, left.cost};
        } else if (left.cost < lefts[slot.index].cost) {
            lefts[slot.index] = {left.rightId, k, left.cost};
        }
    }
    leftCount_ = count;
}

template <bool kWithoutNames>
void ReadingEngine::LinkWords(std::uint32_t position)
{
    GatherLefts(position);
    const LeftNeighbour* const lefts = lefts_.data();
    const LeftNeighbour* const leftsEnd = lefts + leftCount_;
    // Words starting at one position share their left neighbours, so the best
    // neighbour depends only on the left context id; it is found once per id.
    // Words are linked in reverse: of equally cheap paths, the one through the
    // word listed first in the dictionary wins. The node store only grows, so
    // a text as long as an earlier one allocates nothing.
    if (nodes_.size() < std::size_t{nodeCount_} + pendingEntries_)
        nodes_.resize(std::max(nodes_.size() * 2, std::size_t{nodeCount_} + pendingEntries_));
    Node* const nodes = nodes_.data();
    std::uint32_t index = nodeCount_;
    std::int32_t* const endingAt = endingAt_.data();
    BestLeft* const bestLeft = bestLeft_.data();
    const std::uint32_t stamp = stamp_, begin = wordBegin_;
    const std::uint32_t leftIds = dic_.LeftIdCount(), rightIds = dic_.RightIdCount();
    for (auto words = pending_.rbegin(); words != pending_.rend(); ++words) {
        const std::uint32_t end = words->end;
        std::int32_t ending = endingAt[end];
        for (std::uint32_t entry = words->first + words->count; entry-- > words->first;) {
            const dic::EntryRecord& e = dic_.Entry(entry);
            // A damaged record (context ids outside the matrix): the word is left out.
            if (e.leftId >= leftIds || e.rightId >= rightIds) continue;
            BestLeft& b = bestLeft[e.leftId];
            if (b.stamp != stamp) {
                const std::int16_t* costs = dic_.ConnectionCosts(e.leftId);
                const LeftNeighbour* chosen = nullptr;
                std::int64_t best = kInfinite;
                // Without branches: which neighbour wins is as good as random,
                // and a mispredicted branch costs more than both moves.
                for (const LeftNeighbour* left = lefts; left != leftsEnd; ++left) {
                    const std::int64_t cost = left->cost + costs[left->rightId];
                    const bool better = cost < best;
                    best = better ? cost : best;
                    chosen = better ? left : chosen;
                }
                if (kWithoutNames && dic_.Class(e) == dic::kProperNoun) best = kInfinite;  // no path through a name
                b.stamp = stamp;
                b.previous = chosen ? chosen->node : -1;
                b.cost = best;
            }
            Node& node = nodes[index];
            node.begin = begin;
            node.end = end;
            node.entry = entry;
            node.rightId = e.rightId;
            node.cost = b.cost + e.cost;
            node.previous = b.previous;
            node.nextEnding = ending;
            ending = static_cast<std::int32_t>(index++);
        }
        endingAt[end] = ending;
    }
    nodeCount_ = index;
    if (++stamp_ == 0) {  // the stamps wrapped around: forget them all
        bestLeft_.assign(bestLeft_.size(), {});
        leftAt_.assign(leftAt_.size(), {});
        stamp_ = 1;
    }
}

void ReadingEngine::AddUnknown(std::uint32_t end, std::uint32_t category)
{
    const dic::CategoryRecord& c = dic_.Category(category);
    if (c.entryCount == 0) return;
    pending_.push_back({end, c.firstEntry, c.entryCount});
    pendingEntries_ += c.entryCount;
}

void ReadingEngine::FindWords(std::uint32_t position)
{
    const std::u16string& t = normalized_.text;
    const auto limit = static_cast<std::uint32_t>(analysed_);
    std::uint32_t s = position;
    while (s < limit && (Dictionary::CategoryMask(dic_.CharInfo(t[s])) & dic_.SpaceMask())) ++s;
    pending_.clear();
    pendingEntries_ = 0;
    wordBegin_ = s;
    if (s == limit) return;
    const std::uint32_t info = dic_.CharInfo(t[s]);
    const std::uint32_t mask = Dictionary::CategoryMask(info);
    const std::uint32_t category = Dictionary::DefaultCategory(info);
    const dic::CategoryRecord& rec = dic_.Category(category);

    dic_.CommonPrefixSearch(t.data() + s, limit - s,
                            [&](std::size_t length, std::uint32_t first, std::uint32_t count) {
                                dic_.PrefetchEntries(first);  // read again when the words are linked
                                pending_.push_back({s + static_cast<std::uint32_t>(length), first, count});
                                pendingEntries_ += count;
                            });
    if (!pending_.empty() && !rec.invoke) return;

    // Unknown words: characters that share a category with the first one.
    auto sameKind = [&](std::uint32_t q) {
        return (Dictionary::CategoryMask(dic_.CharInfo(t[q])) & mask) != 0;
    };
    std::uint32_t groupEnd = kBoundary;
    if (rec.group) {
        std::uint32_t q = s + 1;
        while (q < limit && sameKind(q)) ++q;
        if (q - (s + 1) <= kMaxGroup) AddUnknown(q, category);
        groupEnd = q;
    }
    std::uint32_t q = s + 1;
    for (std::uint32_t i = 1; i <= rec.length; ++i) {
        if (q == groupEnd) continue;  // already made as the group
        AddUnknown(q, category);
        if (q == limit || !sameKind(q)) break;
        ++q;
    }
    if (pending_.empty()) AddUnknown(s + 1, category);
}

std::vector<std::int32_t> ReadingEngine::Analyse(std::u16string_view text)
{
    NormalizeInto(text, normalized_);
    const std::u16string& t = normalized_.text;
    analysed_ = t.size();
    while (analysed_ > 0 && (Dictionary::CategoryMask(dic_.CharInfo(t[analysed_ - 1])) & dic_.SpaceMask()))
        --analysed_;
    nodeCount_ = 0;
    endingAt_.assign(analysed_ + 1, -1);
    firstAt_.assign(analysed_ + 1, 0);
    countAt_.assign(analysed_ + 1, 0);
    if (analysed_ == 0) return {};
    if (bestLeft_.size() != dic_.LeftIdCount()) bestLeft_.assign(dic_.LeftIdCount(), {});
    if (leftAt_.size() != dic_.RightIdCount()) {
        leftAt_.assign(dic_.RightIdCount(), {});
        lefts_.resize(dic_.RightIdCount());
    }
    if (nodes_.empty()) nodes_.resize(1);
    nodes_[0] = {0, 0, kBoundary, 0, 0, -1, -1};
    nodeCount_ = 1;
    endingAt_[0] = 0;
    for (std::uint32_t p = 0; p < analysed_; ++p) {
        if (endingAt_[p] < 0) continue;
        firstAt_[p] = nodeCount_;
        FindWords(p);
        if (withoutNames_)
            LinkWords<true>(p);
        else
            LinkWords<false>(p);
        countAt_[p] = nodeCount_ - firstAt_[p];
    }
    std::int64_t best = kInfinite;
    std::int32_t last = -1;
    for (std::int32_t k = endingAt_[analysed_]; k >= 0; k = nodes_[k].nextEnding) {
        std::int64_t cost = nodes_[k].cost + dic_.ConnectionCost(nodes_[k].rightId, 0);
        if (cost < best) {
            best = cost;
            last = k;
        }
    }
    // Counted first, then filled from its end: one allocation.
    std::size_t length = 0;
    for (std::int32_t k = last; k > 0; k = nodes_[k].previous) ++length;
    std::vector<std::int32_t> path(length);
    for (std::int32_t k = last; k > 0; k = nodes_[k].previous) path[--length] = k;
    return path;
}

std::u16string ReadingEngine::EntryPiece(std::uint32_t entry, std::u16string_view surface) const
{
    std::u16string piece;
    if (entry < dic_.KnownCount() && dic_.AppendReading(dic_.Entry(entry), piece)) return piece;
    return kana::ToHiragana(surface);
}

namespace {

// The kana each numeral's readings start with, Sino-Japanese and native (一:
// いち, ひと; 四: よん, し; 百: ひゃく, もも); empty for other characters.
std::u16string_view NumeralFirstSounds(char16_t c)
{
    static constexpr std::pair<std::u16string_view, std::u16string_view> kSounds[] = {
        {u"〇0０", u"れぜま"}, {u"一1１", u"いひ"}, {u"二2２", u"にふ"}, {u"三3３", u"さみ"},
        {u"四4４", u"よし"},   {u"五5５", u"ごい"}, {u"六6６", u"ろむ"}, {u"七7７", u"なし"},
        {u"八8８", u"はや"},   {u"九9９", u"きくこ"}, {u"十", u"じと"}, {u"百", u"ひも"},
        {u"千", u"せち"},     {u"万", u"まばよ"}, {u"何", u"ないど"},
    };
    for (const auto& [numerals, sounds] : kSounds)
        if (numerals.find(c) != numerals.npos) return sounds;
    return {};
}

}  // namespace

std::vector<std::u16string> ReadingEngine::WordsSpelt(std::uint32_t spaceBegin, std::uint32_t begin,
                                                     std::uint32_t end) const
{
    std::vector<std::pair<std::int16_t, std::u16string>> found;
    const std::uint32_t from = firstAt_[spaceBegin];
    for (std::uint32_t k = from; k < from + countAt_[spaceBegin]; ++k) {
        const Node& n = nodes_[k];
        if (n.begin != begin || n.end != end || n.entry >= dic_.KnownCount()) continue;
        const dic::EntryRecord& e = dic_.Entry(n.entry);
        const dic::WordClass c = dic_.Class(e);
        std::u16string reading;
        if (c == dic::kProperNoun || c == dic::kNumeral || c == dic::kWordPart ||
            (dic_.EntryClasses(n.entry) & dic::kWordAlone) || !dic_.AppendReading(e, reading))
            continue;
        found.emplace_back(e.cost, std::move(reading));
    }
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<std::u16string> readings;
    for (auto& [cost, reading] : found)
        if (std::find(readings.begin(), readings.end(), reading) == readings.end())
            readings.push_back(std::move(reading));
    return readings;
}

std::u16string ReadingEngine::WordSpelt(std::uint32_t spaceBegin, std::uint32_t begin,
                                        std::uint32_t end) const
{
    std::vector<std::u16string> readings = WordsSpelt(spaceBegin, begin, end);
    return readings.empty() ? std::u16string() : std::move(readings.front());
}

std::optional<std::u16string> ReadingEngine::WholeWordReading(const std::vector<std::int32_t>& path,
                                                              const std::vector<Position>& positions,
                                                              const std::vector<WordSpan>& words,
                                                              const WordPieces& pieces) const
{
    if (words.size() < 2) return std::nullopt;
    for (std::size_t j = 0; j < words.size(); ++j)
        if (!positions[j].readings.empty() || pieces.fixed[j] || (j > 0 && words[j].spaceBegin != words[j].begin))
            return std::nullopt;
    constexpr std::uint8_t kNotOrdinary = dic::kSurname | dic::kGivenName | dic::kPlace | dic::kProperName |
                                          dic::kWordAlone | dic::kFallbackReading;
    // A name with a suffix (港区 みなとく, a ward, not the word こうく) is
    // read as the analysis reads it.
    for (const std::int32_t k : path)
        if (nodes_[k].entry < dic_.KnownCount() &&
            dic_.Class(dic_.Entry(nodes_[k].entry)) == dic::kProperNoun)
            return std::nullopt;
    std::optional<std::uint32_t> cheapest;
    std::int64_t cheapestCost = 0;
    const std::uint32_t from = firstAt_[words.front().spaceBegin];
    for (std::uint32_t k = from; k < from + countAt_[words.front().spaceBegin]; ++k) {
        const Node& n = nodes_[k];
        if (n.begin != words.front().begin || n.end != words.back().end || n.entry >= dic_.KnownCount() ||
            (dic_.EntryClasses(n.entry) & kNotOrdinary))
            continue;
        const dic::EntryRecord& e = dic_.Entry(n.entry);
        if (dic_.Class(e) == dic::kProperNoun || dic_.Class(e) == dic::kWordPart) continue;
        const std::int64_t cost = AloneCost(e.leftId, e.cost, e.rightId);
        if (!cheapest || cost < cheapestCost) {
            cheapest = n.entry;
            cheapestCost = cost;
        }
    }
    const std::int64_t best = PathCost(path);
    std::u16string reading;
    if (!cheapest || cheapestCost - best > kWordAloneCostMargin ||
        !dic_.AppendReading(dic_.Entry(*cheapest), reading))
        return std::nullopt;
    ReadRepeatMark(words.front().begin, reading);
    return reading;
}

std::u16string ReadingEngine::KanjiReading(char16_t kanji) const
{
    // The cheapest entry of the kanji as a word of its own, a name's only
    // where nothing else reads it.
    constexpr std::uint8_t kName = dic::kSurname | dic::kGivenName | dic::kPlace | dic::kProperName;
    std::u16string best;
    std::int64_t bestCost = 0;
    bool bestIsName = true;
    dic_.CommonPrefixSearch(&kanji, 1, [&](std::size_t, std::uint32_t first, std::uint32_t count) {
        for (std::uint32_t e = first; e < first + count; ++e) {
            std::u16string reading;
            if (!dic_.AppendReading(dic_.Entry(e), reading) || reading.find(kanji) != reading.npos) continue;
            const bool name = (dic_.EntryClasses(e) & kName) != 0;
            const std::int64_t cost = dic_.Entry(e).cost;
            if (best.empty() || (bestIsName && !name) || (name == bestIsName && cost < bestCost)) {
                best = std::move(reading);
                bestCost = cost;
                bestIsName = name;
            }
        }
    });
    return best;
}

void ReadingEngine::ReadRepeatMark(std::size_t begin, std::u16string& reading) const
{
    // 々 repeats the kanji before it, and reads as it does (精々 せいせい where
    // no lexicon has the word).
    const std::u16string& t = normalized_.text;
    auto ideograph = [](char16_t c) {
        return (c >= u'\u4E00' && c <= u'\u9FFF') || (c >= u'\u3400' && c <= u'\u4DBF') ||
               (c >= u'\uF900' && c <= u'\uFAFF');
    };
    if (begin == 0 || begin >= t.size() || t[begin] != u'々' || reading != u"々" || !ideograph(t[begin - 1]))
        return;
    std::u16string repeated = KanjiReading(t[begin - 1]);
    if (!repeated.empty()) reading = std::move(repeated);
}

std::u16string ReadingEngine::Render(std::u16string_view text, const std::vector<WordSpan>& words,
                                     const WordPieces& pieces,
                                     const std::vector<const std::u16string*>& chosen,
                                     std::size_t trailingFrom) const
{
    std::u16string out;
    for (std::size_t i = 0; i < words.size(); ++i) {
        out += LeadingSpaces(normalized_, text, words[i]);
        out += pieces.fixed[i] ? pieces.text[i] : *chosen[i];
    }
    out += text.substr(trailingFrom);
    return out;
}

namespace {

bool IsKanji(char16_t c)
{
    return (c >= u'\u4E00' && c <= u'\u9FFF') || (c >= u'\u3400' && c <= u'\u4DBF') ||
           (c >= u'\uF900' && c <= u'\uFAFF') || c == u'々';
}

}  // namespace

std::u16string_view ReadingEngine::Surface(std::int32_t node) const
{
    return std::u16string_view(normalized_.text)
        .substr(nodes_[node].begin, nodes_[node].end - nodes_[node].begin);
}

namespace {

// Two digits padded with a zero, as forms and clocks write months, days
// and minutes (04月 しがつ, 05分 ごふん), count as the last one; longer runs
// with leading zeros are codes (0120), read digit by digit.
std::u16string_view WithoutPadding(std::u16string_view number)
{
    constexpr std::size_t kPaddedDigits = 2;
    if (number.size() == kPaddedDigits && number[0] == u'０' && kana::IsFullWidthDigit(number[1]))
        number.remove_prefix(1);
    return number;
}

}  // namespace

std::optional<ReadingEngine::Position> ReadingEngine::NumberAt(const std::vector<std::int32_t>& path,
                                                               std::size_t i) const
{
    const std::u16string_view text = normalized_.text;
    const std::size_t m = path.size();
    auto joined = [&](std::size_t k) { return Joined(path[k]); };
    auto numeral = [&](std::size_t k) {
        const Node& n = nodes_[path[k]];
        const std::u16string_view s = Surface(path[k]);
        return dic_.Class(dic_.Entry(n.entry)) == dic::kNumeral &&
               std::all_of(s.begin(), s.end(), IsNumeralCharacter);
    };
    const std::size_t begin = nodes_[path[i]].begin;
    // Every number starts with a numeral or 何; most words start with neither.
    if (begin == nodes_[path[i]].end || (text[begin] != u'何' && !IsNumeralCharacter(text[begin])))
        return std::nullopt;
    // A count after a month is a date; one after 割, or before a count of
    // 厘, a part of a ratio (三割五分, 五分五厘).
    auto placeOf = [&](std::size_t counterEnd) {
        if (begin > 0 && text[begin - 1] == u'月') return CountPlace::kDayOfMonth;
        if (begin >= 2 && (text[begin - 1] == u'、' || text[begin - 1] == u'，') &&
            (text[begin - 2] == u'二' || text[begin - 2] == u'２') &&
            (begin == 2 || !IsNumeralCharacter(text[begin - 3])))
            return CountPlace::kAfterTwoAnd;
        std::size_t q = counterEnd;
        while (q < analysed_ && IsNumeralCharacter(text[q])) ++q;
        if ((begin > 0 && text[begin - 1] == u'割') || (q > counterEnd && q < analysed_ && text[q] == u'厘'))
            return CountPlace::kPartOfRatio;
        return CountPlace::kAnywhere;
    };
    // The number with the longest counter from counterBegin that ends past
    // minEnd where a word of the analysis from path[first] on ends.
    auto counted = [&](std::u16string_view number, std::size_t counterBegin, std::size_t first,
                       std::size_t minEnd) -> std::optional<Position> {
        for (std::size_t length : CountersAt(text.substr(counterBegin, analysed_ - counterBegin))) {
            if (counterBegin + length <= minEnd) continue;
            for (std::size_t q = first; q < m && joined(q) && nodes_[path[q]].end <= counterBegin + length; ++q) {
                if (nodes_[path[q]].end != counterBegin + length) continue;
                auto readings = CountedReadings(WithoutPadding(number), text.substr(counterBegin, length),
                                                placeOf(counterBegin + length));
                if (readings.empty()) continue;
                // A word spelt like the count whose readings all start with none
                // of the first numeral's sounds (百合 ゆり, not ひゃくごう) is that
                // word; one that may be read as a number (一分 いちぶ, 四時 しじ) or
                // as the count itself (二十歳 はたち) leaves the count first.
                const auto words = WordsSpelt(SpaceBegin(path[i]), begin, counterBegin + length);
                const std::u16string_view sounds = NumeralFirstSounds(text[begin]);
                const bool readAsANumber = std::any_of(words.begin(), words.end(), [&](const auto& w) {
                    return sounds.empty() || sounds.find(w.front()) != sounds.npos ||
                           std::find(readings.begin(), readings.end(), w) != readings.end();
                });
                if (!words.empty() && !readAsANumber) return Position{i, q, words};
                return Position{i, q, std::move(readings)};
            }
        }
        return std::nullopt;
    };

    // A zero padding a month, a day or a minute counts with the word after
    // it where the dictionary spells that digit and counter as one word
    // (０４月: ０ and ４月).
    if (Surface(path[i]) == u"０" && i + 1 < m && joined(i + 1) &&
        (begin == 0 || !kana::IsFullWidthDigit(text[begin - 1]))) {
        const std::u16string_view next = Surface(path[i + 1]);
        if (next.size() > 1 && kana::IsFullWidthDigit(next[0]) && !kana::IsFullWidthDigit(next[1])) {
            auto readings = CountedReadings(next.substr(0, 1), next.substr(1), placeOf(nodes_[path[i + 1]].end));
            if (!readings.empty()) return Position{i, i + 1, std::move(readings)};
        }
    }

    // A run of numeral words, with separators and a decimal point between digits.
    std::size_t k = i;
    if (Surface(path[i]) == u"何") {
        k = i + 1;
    } else {
        while (k < m && (k == i || joined(k))) {
            const std::u16string_view s = Surface(path[k]);
            const bool mark =
                k > i && (s == u"，" || s == u"．") && k + 1 < m && joined(k + 1) && numeral(k + 1);
            // The analysis takes a 〇 that ends a number for the circle mark (二〇〇).
            const bool zero = k > i && s == u"〇";
            if (!numeral(k) && !mark && !zero) break;
            ++k;
        }
    }
    if (k > i) {
        const std::size_t runEnd = nodes_[path[k - 1]].end;
        // Digits joined to Latin letters or other digits (MP3, i386, 2.6.33)
        // are part of a name or a version, not a number.
        auto partOfName = [&](char16_t c) { return kana::IsFullWidthLatin(c) || kana::IsFullWidthDigit(c); };
        if (joined(i) && begin > 0 && (partOfName(text[begin - 1]) || text[begin - 1] == u'．'))
            return std::nullopt;
        if (runEnd < analysed_ &&
            (partOfName(text[runEnd]) ||
             (text[runEnd] == u'．' && runEnd + 1 < analysed_ && kana::IsFullWidthDigit(text[runEnd + 1]))))
            return std::nullopt;
        const std::u16string_view number = text.substr(begin, runEnd - begin);
        // The counter must end where a word of the analysis ends.
        if (auto position = counted(number, runEnd, k, runEnd)) return position;
        // A number and the word after it that the dictionary has as one word
        // (一戦 いっせん, 一国 いっこく, 何千 なんぜん) read as that word; the
        // analysis splits them where the word after is a suffix. Not after a
        // numeral word such as 数 (数万人 すうまんにん, not 万人 ばんにん).
        const bool afterNumeral =
            i > 0 && joined(i) && dic_.Class(dic_.Entry(nodes_[path[i - 1]].entry)) == dic::kNumeral;
        if (k < m && joined(k) && !afterNumeral) {
            const std::u16string reading = WordSpelt(SpaceBegin(path[i]), begin, nodes_[path[k]].end);
            if (!reading.empty()) return Position{i, k, {reading}};
        }
        // An ordinal's number padded with a zero is its value (第01話 だいいちわ).
        if (begin > 0 && text[begin - 1] == u'第' && WithoutPadding(number) != number)
            return Position{i, k - 1, CountedReadings(WithoutPadding(number), u"")};
        // A plain run of digits is read as it is elsewhere (leading zeros digit by digit).
        if (std::all_of(number.begin(), number.end(), kana::IsFullWidthDigit)) return std::nullopt;
        const bool alone = begin == 0 && runEnd == analysed_;
        auto readings = CountedReadings(number, u"", alone ? CountPlace::kAlone : CountPlace::kAnywhere);
        if (readings.empty()) return std::nullopt;
        return Position{i, k - 1, std::move(readings)};
    }

    // One word that spells a number and a counter (一杯, 九時, 二十歳).
    const std::u16string_view word = Surface(path[i]);
    std::size_t digits = 0;
    if (word.starts_with(u"何"))
        digits = 1;
    else
        while (digits < word.size() && IsNumeralCharacter(word[digits])) ++digits;
    if (digits == 0 || digits == word.size()) return std::nullopt;
    // A longer counter that runs on into the words after it (３つ子 みつご,
    // where the dictionary has ３つ as one word).
    if (auto position = counted(word.substr(0, digits), begin + digits, i + 1, nodes_[path[i]].end))
        return position;
    auto readings = CountedReadings(word.substr(0, digits), word.substr(digits), placeOf(nodes_[path[i]].end));
    if (readings.empty()) return std::nullopt;
    // A word with a sense of its own (十分 じゅうぶん) keeps its reading first;
    // a place name spelt like a count (十日) does not. A question of number
    // copied alone asks the count (何時 なんじ, then いつ).
    const Node& n = nodes_[path[i]];
    std::u16string own;
    if (n.entry < dic_.KnownCount() && dic_.Class(dic_.Entry(n.entry)) != dic::kProperNoun &&
        dic_.AppendReading(dic_.Entry(n.entry), own) &&
        std::find(readings.begin(), readings.end(), own) == readings.end()) {
        const bool questionAlone = digits == 1 && word[0] == u'何' && path.size() == 1;
        readings.insert(questionAlone ? readings.end() : readings.begin(), own);
    }
    return Position{i, i, std::move(readings)};
}

std::vector<ReadingEngine::Position> ReadingEngine::Positions(std::u16string_view text,
                                                             const std::vector<std::int32_t>& path) const
{
    std::vector<Position> out;
    out.reserve(path.size());
    for (std::size_t i = 0; i < path.size();) {
        std::optional<Position> rule = RuleAt(text, path, i);
        out.push_back(rule ? std::move(*rule) : Position{i, i, {}});
        i = out.back().last + 1;
    }
    ReadRangeMarks(path, out);
    return out;
}

std::vector<WordSpan> ReadingEngine::PositionWords(const std::vector<std::int32_t>& path,
                                                   const std::vector<Position>& positions) const
{
    std::vector<WordSpan> words;
    words.reserve(positions.size());
    for (const Position& p : positions)
        words.push_back(
            {SpaceBegin(path[p.first]), nodes_[path[p.first]].begin, nodes_[path[p.last]].end});
    return words;
}

WordPieces ReadingEngine::Pieces(std::u16string_view text, const std::vector<WordSpan>& words,
                                 const std::vector<Position>& positions) const
{
    WordPieces pieces = FixedPieces(normalized_, text, words);
    for (std::size_t j = 0; j < positions.size(); ++j)
        if (!positions[j].readings.empty()) pieces.fixed[j] = false;
    return pieces;
}

const std::vector<ReadingEngine::ReadWord>& ReadingEngine::BestWords(std::u16string_view text)
{
    const std::vector<std::int32_t> path = Analyse(text);
    if (path.empty()) {
        readWords_.clear();
        return readWords_;
    }
    const std::vector<Position> positions = Positions(text, path);
    const std::vector<WordSpan> words = PositionWords(path, positions);
    WordPieces pieces = Pieces(text, words, positions);
    if (std::optional<std::u16string> whole = WholeWordReading(path, positions, words, pieces)) {
        readWords_.resize(1);
        readWords_[0].span = {words.front().spaceBegin, words.front().begin, words.back().end};
        readWords_[0].reading = std::move(*whole);
        return readWords_;
    }
    // The words' readings are written over the last text's, into strings that
    // keep their room.
    readWords_.resize(words.size());
    for (std::size_t i = 0; i < words.size(); ++i) {
        readWords_[i].span = words[i];
        std::u16string& reading = readWords_[i].reading;
        if (pieces.fixed[i]) {
            reading.swap(pieces.text[i]);
        } else if (!positions[i].readings.empty()) {
            reading = positions[i].readings.front();
        } else {
            reading.clear();
            const std::uint32_t entry = nodes_[path[positions[i].first]].entry;
            if (entry >= dic_.KnownCount() || !dic_.AppendReading(dic_.Entry(entry), reading))
                for (std::size_t k = words[i].begin; k < words[i].end; ++k)
                    reading += kana::ToHiragana(normalized_.text[k]);
            ReadRepeatMark(words[i].begin, reading);
        }
    }
    return readWords_;
}

NameAlone ReadingEngine::NameAloneOf(std::u16string_view text, std::size_t most)
{
    NameAlone name = ReadAsName(dic_, text, most);
    if (name.readings.empty()) return name;
    // A count spelt like a name (三本 みもと, 四月一日 わたぬき) is a count,
    // and a word whose reading its neighbours decide (大家 before さん) is
    // that word: every word of the name's spelling has its readings already.
    const std::vector<std::int32_t> path = Analyse(text);
    const std::vector<Position> positions = Positions(text, path);
    const std::size_t nameEnd = name.readings.front().nameEnd;
    const auto inName = [&](const Position& p) {
        return normalized_.origin[nodes_[path[p.first]].begin] < nameEnd;
    };
    // A place spelt as a number of three numerals or more, that is the whole
    // text and that no count reads as, is the place (四万十 しまんと, not
    // よんまんじゅう). Shorter numbers and numbers with a counter are counts
    // (五十, 十四日: IPADIC has places spelt so, read ごじっ and とよひ).
    constexpr std::size_t kShortestPlaceOverNumber = 3;
    const NameReading& first = name.readings.front();
    const bool wholePlace = text.size() >= kShortestPlaceOverNumber &&
                            std::all_of(text.begin(), text.end(), IsNumeralCharacter) &&
                            first.parts.size() == 1 && first.parts[0].begin == 0 &&
                            first.parts[0].end == text.size() &&
                            (dic_.EntryClasses(first.parts[0].entry) & dic::kPlace) &&
                            std::none_of(positions.begin(), positions.end(), [&](const Position& p) {
                                return std::find(p.readings.begin(), p.readings.end(), first.parts[0].reading) !=
                                       p.readings.end();
                            });
    // A given name of the yearly rankings is that name, whatever a count
    // would read in it (一颯 いぶき, not いっさつ).
    const bool rankedName = IsRankedGivenName(text.substr(0, nameEnd));
    if (path.empty() ||
        (!wholePlace && !rankedName && std::all_of(positions.begin(), positions.end(), [&](const Position& p) {
             return !inName(p) || !p.readings.empty();
         })))
        return {};
    // Ordinary words that only a rare name's entries could also spell (令和
    // and 元年 as a surname and a given name) are no name.
    const std::int64_t analysis = PathCost(path);
    if (name.cheapest > analysis + kNameOverAnalysis) return {};
    // A surname and a given name read where the analysis reads ordinary
    // words far cheaper (平成 たいら + しげる, 高品質 たかしな + ただし) are no name.
    const NameReading& best = name.readings.front();
    if (best.parts.size() > 1 && best.parts[1].end <= best.nameEnd &&
        name.cheapest > analysis + kSplitNameOverAnalysis)
        return {};
    return name;
}

std::optional<std::u16string> ReadingEngine::WordsBesideName(std::u16string_view text, const NameAlone& name)
{
    if (name.readings.empty() || name.word) return std::nullopt;
    const NameReading& best = name.readings.front();
    if (best.parts.size() < 2 || best.parts[1].end > best.nameEnd) return std::nullopt;
    withoutNames_ = true;
    const std::vector<std::int32_t> path = Analyse(text);
    std::optional<std::u16string> reading;
    if (!path.empty() && PathCost(path) <= name.cheapest + kSplitNameOverAnalysis) reading = AnalysisReading(text);
    withoutNames_ = false;
    return reading;
}

void ReadingEngine::AddCharacterReadings(char16_t kanji, std::vector<std::u16string>& out, std::size_t maxCount) const
{
    struct Reading {
        std::int64_t cost;
        std::u16string text;
    };
    std::vector<Reading> found;
    constexpr std::uint8_t kNotOwn = dic::kCompoundReading | dic::kSurname | dic::kGivenName | dic::kPlace |
                                     dic::kProperName | dic::kFallbackReading;
    for (const std::uint32_t e : dic_.EntriesSpelt(std::u16string_view(&kanji, 1))) {
        const dic::EntryRecord& entry = dic_.Entry(e);
        std::u16string reading;
        if (dic_.UsableEntry(entry) && dic_.Class(entry) == dic::kOrdinary && !(dic_.EntryClasses(e) & kNotOwn) &&
            dic_.AppendReading(entry, reading))
            found.push_back({entry.cost, std::move(reading)});
    }
    if (found.empty()) return;
    std::stable_sort(found.begin(), found.end(), [](const Reading& a, const Reading& b) { return a.cost < b.cost; });
    // A reading that only voices the first sound of another (星 ぼし beside
    // ほし) is a compound's, no reading of the character alone.
    auto voicedForm = [&](const std::u16string& r) {
        const std::u16string plain = kana::Unvoiced(r);
        return plain != r &&
               std::any_of(found.begin(), found.end(), [&](const Reading& o) { return o.text == plain; });
    };
    const std::int64_t dearest = found.front().cost + kWordAloneCostMargin;
    for (const Reading& r : found) {
        if (out.size() >= maxCount || r.cost > dearest) break;
        if (!voicedForm(r.text) && std::find(out.begin(), out.end(), r.text) == out.end()) out.push_back(r.text);
    }
}

std::vector<std::u16string> ReadingEngine::WordAloneReadings(std::u16string_view text) const
{
    return dic_.ReadingsSpelt(text, Dictionary::Spelt::kAloneOnly);
}

std::u16string ReadingEngine::BestReading(std::u16string_view text)
{
    const NameAlone name = NameAloneOf(text, 1);
    if (std::optional<std::u16string> words = WordsBesideName(text, name)) return *words;
    if (!name.readings.empty()) return JoinedReading(text, name.word ? *name.word : name.readings.front());
    std::u16string out = AnalysisReading(text);
    const std::vector<std::u16string> alone = WordAloneReadings(text);
    if (!alone.empty() && std::find(alone.begin(), alone.end(), out) == alone.end()) return alone.front();
    return out;
}

std::u16string ReadingEngine::AnalysisReading(std::u16string_view text)
{
    const std::vector<ReadWord>& words = BestWords(text);
    if (words.empty()) return std::u16string(text);
    std::u16string out;
    out.reserve(2 * text.size());  // readings are seldom longer than twice their spelling
    for (const ReadWord& w : words) {
        out += LeadingSpaces(normalized_, text, w.span);
        out += w.reading;
    }
    out += text.substr(normalized_.origin[analysed_]);
    return out;
}

void ReadingEngine::NumberChoices(const std::vector<std::int32_t>& path, const Position& position,
                                  const WordSpan& span, PathChoices& out, std::size_t j) const
{
    auto& list = out.choices[j];
    const std::int32_t first = path[position.first], last = path[position.last];
    const dic::EntryRecord& head = dic_.Entry(nodes_[first].entry);
    const dic::EntryRecord& tail = dic_.Entry(nodes_[last].entry);
    // The words of the number cost together what the analysis paid for them.
    const std::int64_t spanCost = nodes_[last].cost - nodes_[first].cost + head.cost;
    const std::size_t firstPiece = out.pieceStore.size();
    auto pieceOf = [&](const std::u16string& reading) {
        for (std::size_t p = firstPiece; p < out.pieceStore.size(); ++p)
            if (out.pieceStore[p] == reading) return static_cast<std::int32_t>(p);
        out.pieceStore.push_back(reading);
        return static_cast<std::int32_t>(out.pieceStore.size() - 1);
    };
    for (std::size_t r = 0; r < position.readings.size(); ++r) {
        const std::int32_t piece = pieceOf(position.readings[r]);
        if (r == 0) out.bestPieces[j] = piece;
        // Later readings of the same count follow the first one closely.
        list.push_back({head.leftId, tail.rightId,
                        static_cast<std::int32_t>(spanCost) + static_cast<std::int32_t>(r), piece});
    }
    if (position.exclusive) return;
    // Dictionary words spelt like the whole number (十分 じゅうぶん, 一時 いっとき).
    const std::uint32_t from = firstAt_[span.spaceBegin];
    for (std::uint32_t k = from; k < from + countAt_[span.spaceBegin]; ++k) {
        if (nodes_[k].begin != span.begin || nodes_[k].end != span.end ||
            nodes_[k].entry >= dic_.KnownCount())
            continue;
        const dic::EntryRecord& e = dic_.Entry(nodes_[k].entry);
        std::u16string reading;
        if (dic_.Class(e) == dic::kProperNoun || !dic_.AppendReading(e, reading)) continue;
        list.push_back({e.leftId, e.rightId, e.cost, pieceOf(reading)});
    }
}

ReadingEngine::PathChoices ReadingEngine::Choices(const std::vector<std::int32_t>& path,
                                                  const std::vector<Position>& positions,
                                                  const std::vector<WordSpan>& words,
                                                  const WordPieces& pieces) const
{
    const std::size_t m = positions.size();
    PathChoices out{std::vector<std::vector<ReadingChoice>>(m), std::vector<std::int32_t>(m, -1), {}};
    std::vector<std::pair<std::uint64_t, std::int32_t>> piecesHere;  // reading key, piece
    for (std::size_t j = 0; j < m; ++j) {
        if (!positions[j].readings.empty()) {
            NumberChoices(path, positions[j], words[j], out, j);
            continue;
        }
        const std::int32_t bestNode = path[positions[j].first];
        const Node& best = nodes_[bestNode];
        auto& list = out.choices[j];
        piecesHere.clear();
        const std::u16string_view surface = Surface(bestNode);
        const bool oneKanji = surface.size() == 1 && IsKanji(surface[0]);
        const std::uint32_t spaceBegin = SpaceBegin(bestNode);
        const std::uint32_t from = firstAt_[spaceBegin];
        for (std::uint32_t k = from; k < from + countAt_[spaceBegin]; ++k) {
            if (nodes_[k].end != best.end) continue;
            const bool onPath = k == static_cast<std::uint32_t>(bestNode);
            // Where the reading is fixed, the best path's entry is the only one worth keeping.
            if (pieces.fixed[j] && !onPath) continue;
            const dic::EntryRecord& e = dic_.Entry(nodes_[k].entry);
            // A name's reading of one kanji (一 はじめ, 円 つぶら) does not belong in
            // ordinary text unless the analysis itself chose the name.
            if (!onPath && oneKanji && dic_.Class(e) == dic::kProperNoun) continue;
            std::int32_t piece = -1;
            if (!pieces.fixed[j]) {
                // The compiler stores each distinct reading once, so its place in the
                // pool identifies it; unknown words all read as their spelling.
                const bool own = nodes_[k].entry < dic_.KnownCount() && e.ReadingLength() != 0;
                // Another reading that keeps kanji as written is no reading at all.
                if (!own && !onPath && std::any_of(surface.begin(), surface.end(), IsKanji)) continue;
                const std::uint64_t key =
                    own ? (std::uint64_t{e.ReadingOffset()} << 8 | e.ReadingLength()) : ~0ull;
                auto same = std::find_if(piecesHere.begin(), piecesHere.end(),
                                         [&](auto& p) { return p.first == key; });
                if (same != piecesHere.end()) {
                    piece = same->second;
                } else {
                    piece = static_cast<std::int32_t>(out.pieceStore.size());
                    out.pieceStore.push_back(EntryPiece(nodes_[k].entry, surface));
                    ReadRepeatMark(nodes_[k].begin, out.pieceStore.back());
                    piecesHere.push_back({key, piece});
                }
            }
            if (onPath) out.bestPieces[j] = piece;
            // Entries with the same reading and context ids: only the cheapest counts.
            auto twin = std::find_if(list.begin(), list.end(), [&](const ReadingChoice& c) {
                return c.left == e.leftId && c.right == e.rightId && c.piece == piece;
            });
            const bool compound = dic_.EntryClasses(nodes_[k].entry) & dic::kCompoundReading;
            if (twin == list.end())
                list.push_back({e.leftId, e.rightId, e.cost, piece, 0, false, compound});
            else if (e.cost < twin->cost)
                *twin = {e.leftId, e.rightId, e.cost, piece, 0, false, compound};
        }
    }
    return out;
}

void ReadingEngine::SpanningChoices(const std::vector<WordSpan>& words, const WordPieces& pieces,
                                    PathChoices& out) const
{
    constexpr std::size_t kLongestSpan = 8;  // positions one word may cover
    const std::size_t m = words.size();
    std::vector<std::int32_t> empty(m, -1);  // the pass-through piece of each position
    for (std::size_t a = 0; a + 1 < m; ++a) {
        if (pieces.fixed[a]) continue;
        const std::uint32_t from = firstAt_[words[a].spaceBegin];
        for (std::uint32_t k = from; k < from + countAt_[words[a].spaceBegin]; ++k) {
            const Node& n = nodes_[k];
            if (n.begin != words[a].begin || n.end <= words[a].end || n.entry >= dic_.KnownCount()) continue;
            // The word must end where a position ends, over positions read from
            // the dictionary with nothing between them.
            std::size_t b = a + 1;
            while (b < m && b - a <= kLongestSpan && words[b].end < n.end && !pieces.fixed[b] &&
                   words[b].spaceBegin == words[b].begin)
                ++b;
            if (b == m || b - a > kLongestSpan || words[b].end != n.end || pieces.fixed[b] ||
                words[b].spaceBegin != words[b].begin)
                continue;
            const dic::EntryRecord& e = dic_.Entry(n.entry);
            std::u16string reading;
            if (dic_.Class(e) == dic::kProperNoun || !dic_.AppendReading(e, reading)) continue;
            // A word read as the best analysis reads its parts adds nothing.
            std::u16string parts;
            for (std::size_t j = a; j <= b && out.bestPieces[j] >= 0; ++j)
                parts += out.pieceStore[static_cast<std::size_t>(out.bestPieces[j])];
            if (parts == reading) continue;
            out.pieceStore.push_back(std::move(reading));
            const auto covers = static_cast<std::uint8_t>(b - a);
            out.choices[a].push_back(
                {e.leftId, e.rightId, e.cost, static_cast<std::int32_t>(out.pieceStore.size() - 1), covers});
            for (std::size_t j = a + 1; j <= b; ++j) {
                if (empty[j] < 0) {
                    out.pieceStore.emplace_back();
                    empty[j] = static_cast<std::int32_t>(out.pieceStore.size() - 1);
                }
                const auto left = static_cast<std::uint8_t>(b - j);
                auto& list = out.choices[j];
                const bool known = std::any_of(list.begin(), list.end(), [&](const ReadingChoice& c) {
                    return c.through && c.covers == left && c.right == e.rightId;
                });
                if (!known) list.push_back({e.leftId, e.rightId, 0, empty[j], left, true});
            }
        }
    }
}

void ReadingEngine::WholeWordReadings(std::u16string_view text, const std::vector<std::int32_t>& path,
                                      const std::vector<WordSpan>& words, const WordPieces& pieces,
                                      const PathChoices& options, std::size_t trailingFrom,
                                      std::size_t maxCount, std::vector<std::u16string>& out) const
{
    const std::int64_t best = PathCost(path);
    std::vector<std::pair<std::int64_t, std::int32_t>> found;  // cost, piece
    for (const ReadingChoice& c : options.choices[0]) {
        if (c.through || c.covers + 1u != words.size() || c.piece < 0) continue;
        const std::int64_t cost = AloneCost(c.left, c.cost, c.right);
        if (cost - best <= kWordAloneCostMargin) found.push_back({cost, c.piece});
    }
    std::sort(found.begin(), found.end());
    const std::u16string nothing;
    std::vector<const std::u16string*> chosen(words.size(), &nothing);
    for (const auto& [cost, piece] : found) {
        if (out.size() >= maxCount) return;
        chosen[0] = &options.pieceStore[static_cast<std::size_t>(piece)];
        std::u16string reading = Render(text, words, pieces, chosen, trailingFrom);
        if (std::find(out.begin(), out.end(), reading) == out.end()) out.push_back(std::move(reading));
    }
}

std::vector<std::u16string> ReadingEngine::Readings(std::u16string_view text, std::size_t maxCount)
{
    std::vector<std::u16string> out;
    expanded_ = 0;
    if (text.empty() || maxCount == 0) return out;
    if (maxCount == 1) {  // the best reading needs no search for others
        out.push_back(BestReading(text));
        return out;
    }
    std::vector<std::int32_t> path = Analyse(text);
    if (path.empty()) {  // nothing but spaces, or no analysis: the text as it is
        out.emplace_back(text);
        return out;
    }
    const std::vector<Position> positions = Positions(text, path);
    const std::vector<WordSpan> words = PositionWords(path, positions);
    const WordPieces pieces = Pieces(text, words, positions);
    PathChoices options = Choices(path, positions, words, pieces);
    SpanningChoices(words, pieces, options);
    const bool oneWord = words.size() == 1;
    auto classOf = [&](const ReadingChoice& c) {
        const dic::EntryRecord probe{c.left, c.right, 0, 0, 0};
        return dic_.Class(probe);
    };
    const std::vector<std::u16string> spelt =
        oneWord ? dic_.ReadingsSpelt(text, Dictionary::Spelt::kAny) : std::vector<std::u16string>{};
    for (std::size_t j = 0; j < words.size(); ++j)
        DropUnjoinable(options.choices[j], options.pieceStore, options.bestPieces[j], oneWord, spelt);
    if (oneWord) {
        DropWordParts(options.choices[0], options.bestPieces[0],
                      [&](const ReadingChoice& c) { return classOf(c) == dic::kWordPart; });
        DropDearNames(options.choices[0], options.bestPieces[0], kDearNameMargin,
                      [&](const ReadingChoice& c) { return classOf(c) == dic::kProperNoun; });
    } else {
        DropUnjoinableLinks(dic_, options.choices, options.bestPieces, kUnjoinableLinkMargin);
    }
    const std::size_t trailingFrom = normalized_.origin[analysed_];

    ReadingSequenceSearch search(dic_, options.choices, options.bestPieces);
    const std::int64_t margin = words.size() == 1 ? kWordAloneCostMargin : kInContextCostMargin;
    std::vector<const std::u16string*> chosen(words.size(), nullptr);
    std::unordered_set<std::u16string> seen;
    // Distinct sequences may render the same reading; the budget keeps such
    // repeats from driving the search through the whole (exponential) space.
    constexpr std::size_t kMost = std::numeric_limits<std::size_t>::max();
    const std::size_t budget =
        maxCount > kMost / kExpansionsPerReading ? kMost : maxCount * kExpansionsPerReading;
    while (out.size() < maxCount && expanded_ < budget) {
        ++expanded_;
        const std::vector<std::int32_t>* sequence = search.Next();
        if (!sequence || search.ExtraCost() > margin) break;
        for (std::size_t j = 0; j < words.size(); ++j) {
            const std::int32_t piece = (*sequence)[j];
            chosen[j] = piece < 0 ? nullptr : &options.pieceStore[static_cast<std::size_t>(piece)];
        }
        std::u16string reading = Render(text, words, pieces, chosen, trailingFrom);
        if (seen.insert(reading).second) out.push_back(std::move(reading));
    }
    const bool ruled = std::any_of(positions.begin(), positions.end(),
                                   [](const Position& p) { return !p.readings.empty(); });
    if (words.size() > 1 && !ruled)
        WholeWordReadings(text, path, words, pieces, options, trailingFrom, maxCount, out);
    if (const std::optional<std::u16string> whole = WholeWordReading(path, positions, words, pieces)) {
        const std::u16string nothing;
        std::vector<const std::u16string*> wholeChosen(words.size(), &nothing);
        wholeChosen[0] = &*whole;
        std::u16string reading = Render(text, words, pieces, wholeChosen, trailingFrom);
        std::erase(out, reading);
        out.insert(out.begin(), std::move(reading));
        if (out.size() > maxCount) out.resize(maxCount);
    }
    // A kanji alone: its own readings (金 きん, かね) before its names' (きむ).
    if (text.size() == 1 && IsKanji(text[0])) AddCharacterReadings(text[0], out, maxCount);
    const NameAlone name = NameAloneOf(text, maxCount);
    out = WithNameReadings(text, name, std::move(out), maxCount);
    if (std::optional<std::u16string> words = WordsBesideName(text, name)) {
        std::erase(out, *words);
        out.insert(out.begin(), std::move(*words));
        if (out.size() > maxCount) out.resize(maxCount);
    }
    // A word that only stands alone is read so first (as the analysis reads
    // it, where that is one of its readings), then what the analysis reads.
    std::vector<std::u16string> alone = WordAloneReadings(text);
    if (alone.empty()) return out;
    if (const auto own = std::find(alone.begin(), alone.end(), out.empty() ? u"" : out.front());
        own != alone.end())
        std::rotate(alone.begin(), own, own + 1);
    // Of the analysis's readings of cuts of such a word only the best is
    // kept (兎も角: not うさぎもかく, うさぎもかど…), for the lexicons' words
    // alone include noise that the cut reads right (何か いか, then なにか).
    // The other entries spelt like the whole text and a rule's reading of
    // the whole (一寸 いっすん) stay.
    std::vector<std::u16string> kept = dic_.ReadingsSpelt(text, Dictionary::Spelt::kAny);
    if (positions.size() == 1) kept.insert(kept.end(), positions[0].readings.begin(), positions[0].readings.end());
    if (!out.empty()) kept.push_back(out.front());
    std::erase_if(out, [&](const std::u16string& r) {
        return std::find(alone.begin(), alone.end(), r) != alone.end() ||
               std::find(kept.begin(), kept.end(), r) == kept.end();
    });
    out.insert(out.begin(), alone.begin(), alone.end());
    if (out.size() > maxCount) out.resize(maxCount);
    return out;
}

std::vector<ReadingSegment> ReadingEngine::BestSegments(std::u16string_view text)
{
    std::vector<ReadingSegment> out;
    const NameAlone name = NameAloneOf(text, 1);
    // Ordinary words that read a surname and a given name as cheaply come
    // first there too (高品質 こう + ひんしつ).
    const bool wordsFirst = WordsBesideName(text, name).has_value();
    if (!name.readings.empty() && !wordsFirst) {
        // A name alone: its parts, and the spaces between them as typed.
        std::size_t at = 0;
        for (const NamePart& part : (name.word ? *name.word : name.readings.front()).parts) {
            if (part.begin > at)
                out.push_back({at, part.begin, std::u16string(text.substr(at, part.begin - at))});
            out.push_back({part.begin, part.end, part.reading});
            at = part.end;
        }
        return out;
    }
    if (const std::vector<std::u16string> alone = WordAloneReadings(text); !alone.empty()) {
        if (std::find(alone.begin(), alone.end(), AnalysisReading(text)) == alone.end()) {
            out.push_back({0, text.size(), alone.front()});
            return out;
        }
    }
    withoutNames_ = wordsFirst;
    const std::vector<ReadWord>& words = BestWords(text);
    withoutNames_ = false;
    if (words.empty()) {
        if (!text.empty()) out.push_back({0, text.size(), std::u16string(text)});
        return out;
    }
    const std::vector<std::size_t>& origin = normalized_.origin;
    for (const ReadWord& w : words) {
        const WordSpan& span = w.span;
        if (span.spaceBegin != span.begin)
            out.push_back({origin[span.spaceBegin], origin[span.begin],
                           std::u16string(LeadingSpaces(normalized_, text, span))});
        // The later words of a digit run give no reading: they belong to its segment.
        if (w.reading.empty() && !out.empty() && out.back().end == origin[span.begin]) {
            out.back().end = origin[span.end];
            continue;
        }
        out.push_back({origin[span.begin], origin[span.end], w.reading});
    }
    if (origin[analysed_] < text.size())
        out.push_back({origin[analysed_], text.size(), std::u16string(text.substr(origin[analysed_]))});
    return out;
}

}  // namespace lexidrop
