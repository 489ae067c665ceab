#include "engine/reading_engine.h"

#include "engine/kana.h"

#include <algorithm>
#include <limits>
#include <queue>
#include <unordered_set>

namespace lexidrop {
namespace {

constexpr std::uint32_t kBoundary = std::numeric_limits<std::uint32_t>::max();
constexpr std::size_t kMaxGroup = 24;  // longest run made into one unknown word, after its first character
constexpr std::int64_t kInfinite = std::numeric_limits<std::int64_t>::max() / 4;

}  // namespace

void ReadingEngine::AddNode(const Pending& word)
{
    const std::uint32_t spaceBegin = word.spaceBegin, begin = word.begin, end = word.end, entry = word.entry;
    const dic::EntryRecord& e = dic_.Entry(entry);
    if (!dic_.UsableEntry(e)) return;  // a damaged record: the word is left out
    // Words starting at one position share their left neighbours, so the best
    // neighbour depends only on the left context id.
    auto cached = std::find_if(bestLeft_.begin(), bestLeft_.end(),
                               [&](const BestLeft& b) { return b.leftId == e.leftId; });
    if (cached == bestLeft_.end()) {
        BestLeft b{e.leftId, kInfinite, -1};
        for (std::int32_t k = endingAt_[spaceBegin]; k >= 0; k = nodes_[k].nextEnding) {
            const Node& left = nodes_[k];
            std::int64_t cost = left.cost + dic_.ConnectionCost(left.rightId, e.leftId);
            if (cost < b.cost) {
                b.cost = cost;
                b.previous = k;
            }
        }
        bestLeft_.push_back(b);
        cached = bestLeft_.end() - 1;
    }
    const std::int64_t best = cached->cost;
    const std::int32_t previous = cached->previous;
    nodes_.push_back({spaceBegin, begin, end, entry, e.rightId, best + e.cost, previous, endingAt_[end]});
    endingAt_[end] = static_cast<std::int32_t>(nodes_.size() - 1);
}

void ReadingEngine::AddUnknown(std::uint32_t spaceBegin, std::uint32_t begin, std::uint32_t end,
                               std::uint32_t category)
{
    const dic::CategoryRecord& c = dic_.Category(category);
    for (std::uint32_t i = 0; i < c.entryCount; ++i)
        pending_.push_back({spaceBegin, begin, end, c.firstEntry + i});
}

void ReadingEngine::AddWords(std::uint32_t position)
{
    const std::u16string& t = normalized_.text;
    const auto limit = static_cast<std::uint32_t>(analysed_);
    std::uint32_t s = position;
    while (s < limit && (Dictionary::CategoryMask(dic_.CharInfo(t[s])) & dic_.SpaceMask())) ++s;
    if (s == limit) return;
    const std::uint32_t info = dic_.CharInfo(t[s]);
    const std::uint32_t mask = Dictionary::CategoryMask(info);
    const std::uint32_t category = Dictionary::DefaultCategory(info);
    const dic::CategoryRecord& rec = dic_.Category(category);
    pending_.clear();
    // Words are gathered first and linked in reverse: of equally cheap paths,
    // the one through the word listed first in the dictionary wins.
    struct Link {
        ReadingEngine& engine;
        ~Link()
        {
            engine.bestLeft_.clear();
            for (auto it = engine.pending_.rbegin(); it != engine.pending_.rend(); ++it) engine.AddNode(*it);
        }
    } link{*this};

    dic_.CommonPrefixSearch(
        t.data() + s, limit - s, [&](std::size_t length, std::uint32_t first, std::uint32_t count) {
            for (std::uint32_t i = 0; i < count; ++i)
                pending_.push_back({position, s, s + static_cast<std::uint32_t>(length), first + i});
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
        if (q - (s + 1) <= kMaxGroup) AddUnknown(position, s, q, category);
        groupEnd = q;
    }
    std::uint32_t q = s + 1;
    for (std::uint32_t i = 1; i <= rec.length; ++i) {
        if (q == groupEnd) continue;  // already made as the group
        AddUnknown(position, s, q, category);
        if (q == limit || !sameKind(q)) break;
        ++q;
    }
    if (pending_.empty()) AddUnknown(position, s, s + 1, category);
}

std::vector<std::int32_t> ReadingEngine::Analyse(std::u16string_view text)
{
    normalized_ = Normalize(text);
    const std::u16string& t = normalized_.text;
    analysed_ = t.size();
    while (analysed_ > 0 && (Dictionary::CategoryMask(dic_.CharInfo(t[analysed_ - 1])) & dic_.SpaceMask()))
        --analysed_;
    nodes_.clear();
    endingAt_.assign(analysed_ + 1, -1);
    firstAt_.assign(analysed_ + 1, 0);
    countAt_.assign(analysed_ + 1, 0);
    if (analysed_ == 0) return {};
    nodes_.push_back({0, 0, 0, kBoundary, 0, 0, -1, -1});
    endingAt_[0] = 0;
    for (std::uint32_t p = 0; p < analysed_; ++p) {
        if (endingAt_[p] < 0) continue;
        firstAt_[p] = static_cast<std::uint32_t>(nodes_.size());
        AddWords(p);
        countAt_[p] = static_cast<std::uint32_t>(nodes_.size()) - firstAt_[p];
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
    std::vector<std::int32_t> path;
    for (std::int32_t k = last; k > 0; k = nodes_[k].previous) path.push_back(k);
    std::reverse(path.begin(), path.end());
    return path;
}

std::u16string ReadingEngine::EntryPiece(std::uint32_t entry, std::u16string_view surface) const
{
    std::u16string piece;
    if (entry < dic_.KnownCount() && dic_.AppendReading(dic_.Entry(entry), piece)) return piece;
    return kana::ToHiragana(surface);
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

std::vector<WordSpan> ReadingEngine::BestWords(std::u16string_view text)
{
    std::vector<WordSpan> words;
    for (std::int32_t k : Analyse(text))
        words.push_back({nodes_[k].spaceBegin, nodes_[k].begin, nodes_[k].end});
    return words;
}

std::u16string ReadingEngine::BestReading(std::u16string_view text)
{
    std::vector<std::int32_t> path = Analyse(text);
    if (path.empty()) return std::u16string(text);
    std::vector<WordSpan> words;
    words.reserve(path.size());
    for (std::int32_t k : path) words.push_back({nodes_[k].spaceBegin, nodes_[k].begin, nodes_[k].end});
    const WordPieces pieces = FixedPieces(normalized_, text, words);
    std::u16string out;
    for (std::size_t i = 0; i < words.size(); ++i) {
        out += LeadingSpaces(normalized_, text, words[i]);
        if (pieces.fixed[i]) {
            out += pieces.text[i];
        } else {
            const std::uint32_t entry = nodes_[path[i]].entry;
            if (entry >= dic_.KnownCount() || !dic_.AppendReading(dic_.Entry(entry), out))
                for (std::size_t k = words[i].begin; k < words[i].end; ++k)
                    out += kana::ToHiragana(normalized_.text[k]);
        }
    }
    out += text.substr(normalized_.origin[analysed_]);
    return out;
}

std::vector<std::u16string> ReadingEngine::Readings(std::u16string_view text, std::size_t maxCount)
{
    std::vector<std::u16string> out;
    if (text.empty() || maxCount == 0) return out;
    std::vector<std::int32_t> path = Analyse(text);
    if (path.empty()) {  // nothing but spaces, or no analysis: the text as it is
        out.emplace_back(text);
        return out;
    }
    const std::size_t m = path.size();
    std::vector<WordSpan> words;
    for (std::int32_t k : path) words.push_back({nodes_[k].spaceBegin, nodes_[k].begin, nodes_[k].end});
    const WordPieces pieces = FixedPieces(normalized_, text, words);
    const std::size_t trailingFrom = normalized_.origin[analysed_];
    auto surfaceOf = [&](std::size_t j) {
        return std::u16string_view(normalized_.text).substr(words[j].begin, words[j].end - words[j].begin);
    };

    // Entries available at each word position of the best path; entries that
    // give the same reading with the same context ids keep only the cheapest.
    struct Choice {
        std::uint32_t entry;
        std::uint16_t left, right;
        std::int32_t cost;
        std::int32_t piece;  // index into pieceStore, -1 for a fixed piece
    };
    std::vector<std::vector<Choice>> choices(m);
    std::vector<std::int32_t> bestPieces(m, -1);
    std::vector<std::u16string> pieceStore;
    std::vector<std::pair<std::uint64_t, std::int32_t>> piecesHere;  // reading key, piece
    for (std::size_t j = 0; j < m; ++j) {
        const Node& best = nodes_[path[j]];
        auto& list = choices[j];
        piecesHere.clear();
        const std::uint32_t from = firstAt_[best.spaceBegin];
        for (std::uint32_t k = from; k < from + countAt_[best.spaceBegin]; ++k) {
            if (nodes_[k].end != best.end) continue;
            // Where the reading is fixed, the best path's entry is the only one worth keeping.
            if (pieces.fixed[j] && k != static_cast<std::uint32_t>(path[j])) continue;
            const dic::EntryRecord& e = dic_.Entry(nodes_[k].entry);
            std::int32_t piece = -1;
            if (!pieces.fixed[j]) {
                // The compiler stores each distinct reading once, so its place in the
                // pool identifies it; unknown words all read as their spelling.
                const bool own = nodes_[k].entry < dic_.KnownCount() && e.ReadingLength() != 0;
                const std::uint64_t key =
                    own ? (std::uint64_t{e.ReadingOffset()} << 8 | e.ReadingLength()) : ~0ull;
                auto same = std::find_if(piecesHere.begin(), piecesHere.end(),
                                         [&](auto& p) { return p.first == key; });
                if (same != piecesHere.end()) {
                    piece = same->second;
                } else {
                    piece = static_cast<std::int32_t>(pieceStore.size());
                    pieceStore.push_back(EntryPiece(nodes_[k].entry, surfaceOf(j)));
                    piecesHere.push_back({key, piece});
                }
            }
            if (k == static_cast<std::uint32_t>(path[j])) bestPieces[j] = piece;
            auto twin = std::find_if(list.begin(), list.end(), [&](const Choice& c) {
                return c.left == e.leftId && c.right == e.rightId && c.piece == piece;
            });
            if (twin == list.end())
                list.push_back({nodes_[k].entry, e.leftId, e.rightId, e.cost, piece});
            else if (e.cost < twin->cost)
                *twin = {nodes_[k].entry, e.leftId, e.rightId, e.cost, piece};
        }
    }

    // Cheapest completion from each choice to the end of the text, and the
    // next choice on that completion.
    std::vector<std::vector<std::int64_t>> rest(m);
    std::vector<std::vector<std::uint32_t>> restNext(m);
    for (std::size_t j = m; j-- > 0;) {
        rest[j].resize(choices[j].size());
        restNext[j].resize(choices[j].size());
        for (std::size_t x = 0; x < choices[j].size(); ++x) {
            std::int64_t best = kInfinite;
            std::uint32_t next = 0;
            if (j + 1 == m) {
                best = dic_.ConnectionCost(choices[j][x].right, 0);
            } else {
                for (std::uint32_t y = 0; y < choices[j + 1].size(); ++y) {
                    std::int64_t cost = dic_.ConnectionCost(choices[j][x].right, choices[j + 1][y].left) +
                                        std::int64_t{choices[j + 1][y].cost} + rest[j + 1][y];
                    if (cost < best) {
                        best = cost;
                        next = y;
                    }
                }
            }
            rest[j][x] = best;
            restNext[j][x] = next;
        }
    }

    // The cheapest sequences of readings, one per word, by Lawler's partition:
    // after taking a sequence S found in a part of the search space where words
    // before `branch` are fixed and word `branch` excludes some readings, the
    // rest of that part splits into, for each i from branch on: words before i
    // as in S, word i any reading but S's (and the part's exclusions at
    // branch), later words free. The cheapest sequence of each piece comes
    // from a forward pass along S and the exact completion costs. Sequences
    // are distinct by construction and come out cheapest first.
    struct Sequence {
        std::int64_t cost;
        std::uint32_t branch;
        std::vector<std::int32_t> excluded;
        std::vector<std::int32_t> pieces;  // per word; -1 for a fixed piece
    };
    std::vector<Sequence> sequences;
    using Item = std::pair<std::int64_t, std::size_t>;  // cost, sequence
    std::priority_queue<Item, std::vector<Item>, std::greater<>> open;
    auto complete = [&](std::vector<std::int32_t>& pieces, std::size_t word, std::uint32_t choice) {
        for (std::size_t j = word; j < m; ++j) {
            pieces[j] = choices[j][choice].piece;
            choice = restNext[j][choice];
        }
    };
    // The best analysis itself comes first (its cost is the least of all).
    sequences.push_back({0, 0, {}, bestPieces});
    open.push({0, 0});

    std::vector<const std::u16string*> chosen(m, nullptr);
    std::unordered_set<std::u16string> seen;
    std::vector<std::int64_t> reach, reachNext;  // cost of reaching each choice along S
    while (!open.empty() && out.size() < maxCount) {
        const std::size_t id = open.top().second;
        open.pop();
        for (std::size_t j = 0; j < m; ++j) {
            std::int32_t piece = sequences[id].pieces[j];
            chosen[j] = piece < 0 ? nullptr : &pieceStore[static_cast<std::size_t>(piece)];
        }
        std::u16string reading = Render(text, words, pieces, chosen, trailingFrom);
        if (seen.insert(reading).second) out.push_back(std::move(reading));
        if (out.size() >= maxCount) break;

        const std::uint32_t branch = sequences[id].branch;
        // reach: cost of the best way to each choice of word i - 1 that agrees with S.
        reach.assign(1, 0);  // the start, with right id 0
        auto rightOf = [&](std::size_t i, std::size_t x) -> std::uint16_t {
            return i == 0 ? 0 : choices[i - 1][x].right;
        };
        const std::vector<std::int32_t> pieceOfS = sequences[id].pieces;
        for (std::uint32_t i = 0; i < m; ++i) {
            if (i >= branch) {
                std::vector<std::int32_t> excluded =
                    i == branch ? sequences[id].excluded : std::vector<std::int32_t>{};
                excluded.push_back(pieceOfS[i]);
                std::int64_t best = kInfinite;
                std::uint32_t bestChoice = 0;
                for (std::uint32_t y = 0; y < choices[i].size(); ++y) {
                    const Choice& c = choices[i][y];
                    if (std::find(excluded.begin(), excluded.end(), c.piece) != excluded.end()) continue;
                    for (std::size_t x = 0; x < reach.size(); ++x) {
                        if (reach[x] >= kInfinite) continue;
                        std::int64_t cost =
                            reach[x] + dic_.ConnectionCost(rightOf(i, x), c.left) + c.cost + rest[i][y];
                        if (cost < best) {
                            best = cost;
                            bestChoice = y;
                        }
                    }
                }
                if (best < kInfinite) {
                    Sequence child{best, i, std::move(excluded), pieceOfS};
                    complete(child.pieces, i, bestChoice);
                    sequences.push_back(std::move(child));
                    open.push({best, sequences.size() - 1});
                }
            }
            // Extend reach through word i along S.
            reachNext.assign(choices[i].size(), kInfinite);
            for (std::uint32_t y = 0; y < choices[i].size(); ++y) {
                const Choice& c = choices[i][y];
                if (c.piece != pieceOfS[i]) continue;
                for (std::size_t x = 0; x < reach.size(); ++x)
                    if (reach[x] < kInfinite)
                        reachNext[y] = std::min(
                            reachNext[y], reach[x] + dic_.ConnectionCost(rightOf(i, x), c.left) + c.cost);
            }
            reach.swap(reachNext);
        }
    }
    return out;
}

std::vector<ReadingSegment> ReadingEngine::BestSegments(std::u16string_view text)
{
    std::vector<ReadingSegment> out;
    const std::vector<std::int32_t> path = Analyse(text);
    if (path.empty()) {
        if (!text.empty()) out.push_back({0, text.size(), std::u16string(text)});
        return out;
    }
    std::vector<WordSpan> words;
    words.reserve(path.size());
    for (std::int32_t k : path) words.push_back({nodes_[k].spaceBegin, nodes_[k].begin, nodes_[k].end});
    const WordPieces pieces = FixedPieces(normalized_, text, words);
    const std::vector<std::size_t>& origin = normalized_.origin;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const WordSpan& w = words[i];
        if (w.spaceBegin != w.begin)
            out.push_back(
                {origin[w.spaceBegin], origin[w.begin], std::u16string(LeadingSpaces(normalized_, text, w))});
        std::u16string reading;
        if (pieces.fixed[i]) {
            // The later words of a number give no reading: they belong to its segment.
            if (pieces.text[i].empty() && !out.empty() && out.back().end == origin[w.begin]) {
                out.back().end = origin[w.end];
                continue;
            }
            reading = pieces.text[i];
        } else {
            const std::uint32_t entry = nodes_[path[i]].entry;
            if (entry >= dic_.KnownCount() || !dic_.AppendReading(dic_.Entry(entry), reading))
                reading =
                    kana::ToHiragana(std::u16string_view(normalized_.text).substr(w.begin, w.end - w.begin));
        }
        out.push_back({origin[w.begin], origin[w.end], std::move(reading)});
    }
    if (origin[analysed_] < text.size())
        out.push_back({origin[analysed_], text.size(), std::u16string(text.substr(origin[analysed_]))});
    return out;
}

}  // namespace lexidrop
