#include "engine/name_readings.h"

#include "engine/context_readings.h"
#include "engine/given_names.h"
#include "engine/unjoinable_readings.h"

#include <algorithm>
#include <limits>

namespace lexidrop {
namespace {

constexpr std::uint8_t kAnyName = dic::kSurname | dic::kGivenName | dic::kPlace;
constexpr std::size_t kListedAmongFirst = 5;    // an ordinary word's list shows its name reading this early
// Name readings shown cost at most this over the best: measured on
// names.tsv, 1500 keeps every required reading that 2500 showed, with fewer
// rare ones no reader gives (吉田 よした, 仁 しのぶ).
constexpr std::int64_t kNameCostMargin = 1500;
// Surnames and places join the start and end of a text far more cheaply
// than ordinary nouns do (by about 1700 for a surname), which says nothing of
// what a reader means: an ordinary word of two kanji or more spelt like one
// (山野 さんや, 川原 かわら, 郷里 きょうり) comes first unless it costs this much
// more; so does a given name (親子 おやこ, not ちかこ; 正義 せいぎ). A single
// kanji's margin depends on its kind of name (WordOverName).
constexpr std::int64_t kWordOverSurname = 2000;
// The commonest surnames (among the 300 most frequent) that the lexicons
// also spell as an ordinary word read otherwise, at a lower cost than the
// name. Copied alone such a text is the name (平野 ひらの, not へいや); the
// costs cannot tell these from rarer surnames spelt like common words (郷里
// ごうり, 樹木 きき), whose word comes first.
constexpr std::u16string_view kCommonSurnamesSpeltLikeWords[] = {
    u"八木", u"下田", u"宮内", u"山中", u"平野", u"新田", u"根本", u"白石", u"高山", u"牧野", u"長尾",
};
// What ends the name of a place: after a surname spelt like a place it
// makes the place (高山市 たかやまし), not a given name (市 いち).
constexpr std::u16string_view kPlaceSuffixes[] = {
    u"市", u"町", u"村", u"区", u"郡", u"県", u"府", u"都", u"駅", u"線", u"港",
};
// How much more a name's usual reading (one its spelling also has as a word
// or another proper noun) may cost than the cheapest reading of the same cut
// and still come first. Measured on names.tsv: 1200 to 2000 read the most
// names right (1000 misses 大谷翔平 おおたに).
constexpr std::int64_t kUsualNameMargin = 1500;
// How much more than a name's entry another entry of its whole spelling may
// cost and still be offered with the name copied alone. Measured on the gold
// sets: 3000 keeps every required reading that no margin kept (2000 loses
// 菅野 かんの and 大分 だいぶ) and cuts names.tsv's unaccepted readings from
// 0.14 to 0.12 per item.
constexpr std::int64_t kOtherEntryMargin = 3000;

bool IsSpace(char16_t c)
{
    return c == u' ' || c == u'\u3000';
}

struct Found {
    std::size_t end;
    std::uint32_t entry;
};

// The dictionary words that start at `begin`, each entry once.
std::vector<Found> WordsAt(const Dictionary& dic, std::u16string_view text, std::size_t begin)
{
    std::vector<Found> out;
    dic.CommonPrefixSearch(text.data() + begin, text.size() - begin,
                           [&](std::size_t length, std::uint32_t first, std::uint32_t count) {
                               for (std::uint32_t e = first; e < first + count; ++e)
                                   out.push_back({begin + length, e});
                           });
    return out;
}

// The cheapest entry of text[0, end) that is no proper noun (一行 いっこう)
// and no part of an inflected word (翔 かけ), if there is one, costed with
// its joins to the start of the text and, where it ends the text, to the
// end: a suffix (紙 し) joins neither as cheaply as the word itself (かみ).
std::optional<std::uint32_t> OrdinaryWord(const Dictionary& dic, std::u16string_view text, std::size_t end)
{
    constexpr std::uint8_t kNotOrdinary = kAnyName | dic::kProperName | dic::kFallbackReading;
    std::optional<std::uint32_t> best;
    std::int64_t bestCost = 0;
    for (const Found& f : WordsAt(dic, text.substr(0, end), 0)) {
        const dic::EntryRecord& e = dic.Entry(f.entry);
        if (f.end != end || (dic.EntryClasses(f.entry) & kNotOrdinary) != 0 || !dic.UsableEntry(e) ||
            dic.Class(e) == dic::kProperNoun || dic.Class(e) == dic::kWordPart || e.ReadingLength() == 0)
            continue;
        const std::int64_t cost = dic.ConnectionCost(0, e.leftId) + e.cost +
                                  (end == text.size() ? dic.ConnectionCost(e.rightId, 0) : 0);
        if (!best || cost < bestCost) {
            best = f.entry;
            bestCost = cost;
        }
    }
    return best;
}

// How much more the ordinary word spelt like the name (`whole`, if the
// lexicon has one) may cost than the name and still come first. A one-kanji
// place is mostly a country's or a province's short name, read so beside
// other words (日米 にちべい, 訪露 ほうろ, 日仏 にちふつ), and a one-kanji
// proper noun of another kind a title (局 つぼね); alone, the word comes
// first (米 こめ, 露 つゆ, 仏 ほとけ, 局 きょく). A one-kanji surname joins the
// start and end of a text as cheaply as a longer one (毛 もう against け,
// 宗 そう against しゅう), so it has the same margin; a one-kanji given
// name has none (博 ひろし, not はく).
std::int64_t WordOverName(const Dictionary& dic, const NameReading* whole, std::size_t end)
{
    if (end > 1) return kWordOverSurname;
    if (!whole) return 0;
    const std::uint8_t classes = dic.EntryClasses(whole->parts.front().entry);
    if (classes & dic::kGivenName) return 0;
    if (classes & dic::kSurname) return kWordOverSurname;
    return std::numeric_limits<std::int64_t>::max() / 2;
}

// A reading over consecutive entries, costed as the analysis would cost
// that path; nothing when an entry cannot be read.
std::optional<NameReading> PathReading(const Dictionary& dic, const std::vector<NamePart>& steps,
                                       std::size_t nameEnd)
{
    NameReading r{{}, 0, nameEnd};
    std::uint32_t right = 0;  // the start of the text
    for (const NamePart& s : steps) {
        const dic::EntryRecord& e = dic.Entry(s.entry);
        NamePart part{s.begin, s.end, s.entry, {}};
        if (!dic.UsableEntry(e) || !dic.AppendReading(e, part.reading)) return std::nullopt;
        r.cost += dic.ConnectionCost(right, e.leftId) + e.cost;
        right = e.rightId;
        r.parts.push_back(std::move(part));
    }
    r.cost += dic.ConnectionCost(right, 0);  // and its end
    return r;
}

// Whether the two readings cut the text into the same parts.
bool SameCut(const NameReading& a, const NameReading& b)
{
    if (a.nameEnd != b.nameEnd || a.parts.size() != b.parts.size()) return false;
    for (std::size_t i = 0; i < a.parts.size(); ++i)
        if (a.parts[i].begin != b.parts[i].begin || a.parts[i].end != b.parts[i].end) return false;
    return true;
}

// Whether a part of the name reads as the table of words the text decides
// reads it first: the commonest reading of a name whose lexicon costs put
// a rarer one first (福沢 ふくざわ, 萩原 はぎわら).
bool TableReading(std::u16string_view text, const NameReading& r)
{
    return std::any_of(r.parts.begin(), r.parts.end(), [&](const NamePart& p) {
        const std::vector<std::u16string> decided = DecidedReadings(text, p.begin, p.end);
        return p.end <= r.nameEnd && !decided.empty() && decided.front() == p.reading;
    });
}

// Whether every part of the name that the table lists reads as one of the
// table's readings, and some part does: a reading readers give however dear
// the lexicon makes it (山崎 やまさき beside やまざき).
bool TableListed(std::u16string_view text, const NameReading& r)
{
    bool listed = false;
    for (const NamePart& p : r.parts) {
        if (p.end > r.nameEnd) continue;
        const std::vector<std::u16string> decided = DecidedReadings(text, p.begin, p.end);
        if (decided.empty()) continue;
        if (std::find(decided.begin(), decided.end(), p.reading) == decided.end()) return false;
        listed = true;
    }
    return listed;
}

// Whether a part of the name reads as a word or a proper noun of another
// kind spelt like it reads (no name's entry, no word part).
bool UsualReading(const Dictionary& dic, std::u16string_view text, const NameReading& r)
{
    for (const NamePart& p : r.parts) {
        if (p.end > r.nameEnd) continue;
        for (const Found& f : WordsAt(dic, text.substr(0, p.end), p.begin)) {
            const dic::EntryRecord& e = dic.Entry(f.entry);
            std::u16string reading;
            if (f.end == p.end && !(dic.EntryClasses(f.entry) & kAnyName) && dic.Class(e) != dic::kWordPart &&
                dic.AppendReading(e, reading) && reading == p.reading)
                return true;
        }
    }
    return false;
}

}  // namespace

NameAlone ReadAsName(const Dictionary& dic, std::u16string_view text, std::size_t count)
{
    NameAlone out;
    if (text.empty() || count == 0) return out;
    std::vector<NameReading> found;
    auto add = [&](const std::vector<NamePart>& steps, std::size_t nameEnd) {
        if (auto r = PathReading(dic, steps, nameEnd)) found.push_back(std::move(*r));
    };
    // The name ends at `at`: the text ends there, or a form of address ends it.
    auto ending = [&](std::vector<NamePart> steps, std::size_t at) {
        if (at == text.size()) return add(steps, at);
        for (const Found& f : WordsAt(dic, text, at)) {
            if (f.end != text.size() || !(dic.EntryClasses(f.entry) & dic::kNameSuffix)) continue;
            steps.push_back({at, f.end, f.entry, {}});
            add(steps, at);
            steps.pop_back();
        }
    };
    for (const Found& first : WordsAt(dic, text, 0)) {
        const std::uint8_t classes = dic.EntryClasses(first.entry);
        // A proper noun of another kind (a station, a building: 錦糸町
        // きんしちょう) is a name where it is the whole text.
        if (!(classes & kAnyName) && !((classes & dic::kProperName) && first.end == text.size())) continue;
        ending({{0, first.end, first.entry, {}}}, first.end);
        if (!(classes & dic::kSurname)) continue;
        std::size_t next = first.end;
        while (next < text.size() && IsSpace(text[next])) ++next;
        if (next == text.size()) continue;
        for (const Found& second : WordsAt(dic, text, next))
            if ((dic.EntryClasses(second.entry) & dic::kGivenName) &&
                std::ranges::find(kPlaceSuffixes, text.substr(next, second.end - next)) == std::end(kPlaceSuffixes))
                ending({{0, first.end, first.entry, {}}, {next, second.end, second.entry, {}}}, second.end);
    }
    if (found.empty()) return out;
    // A ranked given name of two kanji or more copied alone is read as the
    // table reads it: its spelling's other names are rare ones (七海 なみ,
    // しつみ).
    const bool ranked = text.size() > 1 && IsRankedGivenName(text);
    const auto unranked = [&](std::uint32_t entry, std::u16string_view reading) {
        return ranked && (dic.EntryClasses(entry) & kAnyName) && !IsRankedReading(text, reading);
    };
    std::erase_if(found, [&](const NameReading& r) {
        return r.parts.size() == 1 && r.parts[0].end == text.size() && unranked(r.parts[0].entry, r.parts[0].reading);
    });
    if (found.empty()) return out;
    out.cheapest =
        std::min_element(found.begin(), found.end(), [](const NameReading& a, const NameReading& b) {
            return a.cost < b.cost;
        })->cost;
    // A name's reading that the lexicon also gives its spelling as a word or
    // a proper noun of another kind (一葉 いちよう, 大谷 おおたに, 等々力
    // とどろき) is the spelling's usual one: among the readings of the same
    // cut into parts it comes first when it costs up to kUsualNameMargin
    // more than their cheapest, and a table's commonest reading comes first
    // whatever it costs. Cuts compete by their cheapest readings.
    std::vector<std::int64_t> rank(found.size());
    for (std::size_t i = 0; i < found.size(); ++i) {
        std::int64_t cheapest = found[i].cost;
        for (const NameReading& other : found)
            if (SameCut(other, found[i])) cheapest = std::min(cheapest, other.cost);
        // A ranked given name's readings keep the ranking's order (大智 だいち
        // before the word's たいち).
        const bool rankedName = IsRankedGivenName(text.substr(0, found[i].nameEnd));
        const bool usual = TableReading(text, found[i]) ||
                           (!rankedName && found[i].cost - cheapest <= kUsualNameMargin &&
                            UsualReading(dic, text, found[i]));
        rank[i] = usual ? cheapest - 1 : found[i].cost;
    }
    std::vector<std::size_t> order(found.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    // Usual readings of the same cut share a rank; the cheaper of them comes first (富山 とやま).
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return rank[a] != rank[b] ? rank[a] < rank[b] : found[a].cost < found[b].cost;
    });
    std::vector<NameReading> sorted;
    for (std::size_t i : order) sorted.push_back(std::move(found[i]));
    found = std::move(sorted);
    // The lexicon's name for the whole spelling comes before the spelling cut
    // into a surname and a given name, whatever the cut costs: the analysis
    // joins a surname to a given name about 7000 more cheaply than anything,
    // so the cut of a two-kanji given name into two one-kanji names wins on
    // cost (晴翔 はると, not 晴 + 翔 はれしょう), yet a reader who knows the
    // spelling as one name reads it so (久留米 くるめ; 大西洋 たいせいよう).
    const auto split = [](const NameReading& r) { return r.parts.size() > 1 && r.parts[1].end <= r.nameEnd; };
    if (split(found.front())) std::stable_partition(found.begin(), found.end(), [&](const NameReading& r) { return !split(r); });
    // Where the whole spelling is likelier as one name, a dearer cut of it
    // into a surname and a given name is no reading at all (秋葉原 あきばげん,
    // 宇都宮 うとみや).
    if (!split(found.front())) std::erase_if(found, split);
    // The readings of the entries spelt like the whole text, leaving out
    // those far dearer than the name's own entry where the name is the whole
    // text: a village or a company spelt like a common surname, or the word
    // its kanji make, is no reading a reader gives the surname (井上
    // うのうえ, 上田 じょうでん, 木下 きおろし).
    out.wholeSpelling = dic.ReadingsSpelt(text, Dictionary::Spelt::kAloneOnly);
    const NamePart& head = found.front().parts.front();
    const bool whole = head.begin == 0 && head.end == text.size();
    const std::int64_t dearestOther = static_cast<std::int64_t>(dic.Entry(head.entry).cost) + kOtherEntryMargin;
    for (std::uint32_t e : dic.EntriesSpelt(text)) {
        std::u16string reading;
        if ((!whole || dic.Entry(e).cost <= dearestOther) && dic.AppendReading(dic.Entry(e), reading) &&
            !unranked(e, reading) &&
            std::find(out.wholeSpelling.begin(), out.wholeSpelling.end(), reading) == out.wholeSpelling.end())
            out.wholeSpelling.push_back(std::move(reading));
    }
    // The same text as an ordinary word (with the name's form of address)
    // comes first when it costs no more than the name spelt like it as a
    // whole, as the analysis would weigh them (源氏 げんじ against the surname
    // 源氏, not against 源 with 氏).
    const NameReading& best = found.front();
    auto tryWord = [&](std::size_t end, std::vector<NamePart> rest) {
        const auto word = OrdinaryWord(dic, text, end);
        if (!word) return;
        const auto whole = std::find_if(found.begin(), found.end(), [&](const NameReading& n) {
            return n.nameEnd == end && n.parts.front().end == end;
        });
        const std::int64_t name = whole != found.end() ? whole->cost : best.cost;
        // A surname and a given name that together spell an ordinary word
        // (神聖 かみ + きよし, 高潔 こう + きよし) are that word, whatever
        // their costs.
        const bool joinedName =
            whole == found.end() && best.parts.size() > 1 && best.parts[1].end <= best.nameEnd;
        rest.insert(rest.begin(), NamePart{0, end, *word, {}});
        auto r = PathReading(dic, rest, end);
        const std::int64_t margin = WordOverName(dic, whole != found.end() ? &*whole : nullptr, end);
        if (whole != found.end()) {
            const std::uint8_t kind = dic.EntryClasses(whole->parts.front().entry);
            const std::u16string_view spelling = text.substr(0, end);
            if (((kind & dic::kSurname) && std::ranges::find(kCommonSurnamesSpeltLikeWords, spelling) !=
                                                std::end(kCommonSurnamesSpeltLikeWords)) ||
                // So is a ranked given name of two kanji or more (大樹 だいき,
                // not たいじゅ; 蒼空 そら); a single kanji is the word (蓮 はす).
                ((kind & dic::kGivenName) && spelling.size() > 1 && IsRankedGivenName(spelling)))
                return;
        }
        if (r && (r->cost <= name + margin || joinedName) && (!out.word || r->cost < out.word->cost))
            out.word = std::move(r);
    };
    tryWord(text.size(), {});
    if (best.nameEnd < text.size()) tryWord(best.nameEnd, {best.parts.back()});
    // Readings far dearer than the best are rare ones; the analysis offers
    // them in their turn.
    const std::int64_t dearest = best.cost + kNameCostMargin;
    std::vector<std::u16string> seen;
    for (NameReading& r : found) {
        if (out.readings.size() == count) break;
        if (r.cost > dearest && !TableListed(text, r)) continue;
        std::u16string joined = JoinedReading(text, r);
        if (std::find(seen.begin(), seen.end(), joined) != seen.end()) continue;
        seen.push_back(std::move(joined));
        out.readings.push_back(std::move(r));
    }
    return out;
}

std::u16string JoinedReading(std::u16string_view text, const NameReading& reading)
{
    std::u16string out;
    std::size_t at = 0;
    for (const NamePart& p : reading.parts) {
        out += text.substr(at, p.begin - at);
        out += p.reading;
        at = p.end;
    }
    out += text.substr(at);
    return out;
}

std::vector<std::u16string> WithNameReadings(std::u16string_view text, const NameAlone& name,
                                             std::vector<std::u16string> list, std::size_t most)
{
    if (name.readings.empty()) return list;
    std::vector<std::u16string> names;
    if (name.word) {
        // The word's reading first and the word's other readings in their
        // order; the cheapest name reading among the first five. The word
        // cut into a surname and a given name (厳密 いむ + ひそか) is no
        // reading a reader sees in it, wherever the analysis offers it.
        const std::u16string word = JoinedReading(text, *name.word);
        std::erase(list, word);
        list.insert(list.begin(), word);
        for (const NameReading& r : name.readings)
            if (r.parts.size() > 1 && r.parts[1].end <= r.nameEnd) std::erase(list, JoinedReading(text, r));
        // The cheapest name reading the first five lack comes fifth.
        const auto shown =
            list.begin() + static_cast<std::ptrdiff_t>(std::min(list.size(), kListedAmongFirst));
        for (const NameReading& r : name.readings) {
            if (r.parts.size() > 1 && r.parts[1].end <= r.nameEnd) continue;
            const std::u16string reading = JoinedReading(text, r);
            if (std::find(list.begin(), shown, reading) != shown) continue;
            std::erase(list, reading);
            list.insert(
                list.begin() + static_cast<std::ptrdiff_t>(std::min(list.size(), kListedAmongFirst - 1)),
                reading);
            break;
        }
    } else {
        // The name's likelier readings first, then the analysis's, then the
        // name's rarer ones (方 ほう, かた, before a dozen given names).
        const std::int64_t likely = name.readings.front().cost + kDearNameMargin;
        std::vector<std::u16string> rarer;
        for (const NameReading& r : name.readings)
            (r.cost <= likely ? names : rarer).push_back(JoinedReading(text, r));
        // A name that is the whole text: the analysis's readings of other
        // cuts of it are none a reader gives.
        const NameReading& first = name.readings.front();
        const bool wholeName =
            first.parts.size() == 1 && first.parts[0].begin == 0 && first.parts[0].end == text.size();
        std::erase_if(list, [&](const std::u16string& r) {
            return std::find(names.begin(), names.end(), r) != names.end() ||
                   std::find(rarer.begin(), rarer.end(), r) != rarer.end() ||
                   (wholeName && std::find(name.wholeSpelling.begin(), name.wholeSpelling.end(), r) ==
                                     name.wholeSpelling.end());
        });
        list.insert(list.begin(), names.begin(), names.end());
        list.insert(list.end(), rarer.begin(), rarer.end());
    }
    if (list.size() > most) list.resize(most);
    return list;
}

}  // namespace lexidrop
