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

void ReadingEngine::AddNode(const Pending& word) {
  const std::uint32_t spaceBegin = word.spaceBegin, begin = word.begin, end = word.end, entry = word.entry;
  const dic::EntryRecord& e = dic_.Entry(entry);
  std::int64_t best = kInfinite;
  std::int32_t previous = -1;
  for (std::int32_t k = endingAt_[spaceBegin]; k >= 0; k = nodes_[k].nextEnding) {
    const Node& left = nodes_[k];
    std::uint32_t right = left.entry == kBoundary ? 0 : dic_.Entry(left.entry).rightId;
    std::int64_t cost = left.cost + dic_.ConnectionCost(right, e.leftId);
    if (cost < best) {
      best = cost;
      previous = k;
    }
  }
  nodes_.push_back({spaceBegin, begin, end, entry, best + e.cost, previous, endingAt_[end]});
  endingAt_[end] = static_cast<std::int32_t>(nodes_.size() - 1);
}

void ReadingEngine::AddUnknown(std::uint32_t spaceBegin, std::uint32_t begin, std::uint32_t end,
                               std::uint32_t category) {
  const dic::CategoryRecord& c = dic_.Category(category);
  for (std::uint32_t i = 0; i < c.entryCount; ++i) pending_.push_back({spaceBegin, begin, end, c.firstEntry + i});
}

void ReadingEngine::AddWords(std::uint32_t position) {
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
    ~Link() {
      for (auto it = engine.pending_.rbegin(); it != engine.pending_.rend(); ++it) engine.AddNode(*it);
    }
  } link{*this};

  dic_.CommonPrefixSearch(t.data() + s, limit - s, [&](std::size_t length, std::uint32_t first, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i)
      pending_.push_back({position, s, s + static_cast<std::uint32_t>(length), first + i});
  });
  if (!pending_.empty() && !rec.invoke) return;

  // Unknown words: characters that share a category with the first one.
  auto sameKind = [&](std::uint32_t q) { return (Dictionary::CategoryMask(dic_.CharInfo(t[q])) & mask) != 0; };
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

std::vector<std::int32_t> ReadingEngine::Analyse(std::u16string_view text) {
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
  nodes_.push_back({0, 0, 0, kBoundary, 0, -1, -1});
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
    std::int64_t cost = nodes_[k].cost + dic_.ConnectionCost(dic_.Entry(nodes_[k].entry).rightId, 0);
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

std::u16string ReadingEngine::EntryPiece(std::uint32_t entry, std::u16string_view surface) const {
  std::u16string piece;
  if (entry < dic_.KnownCount() && dic_.AppendReading(dic_.Entry(entry), piece)) return piece;
  return kana::ToHiragana(surface);
}

std::u16string ReadingEngine::Render(std::u16string_view text, const std::vector<WordSpan>& words,
                                     const WordPieces& pieces,
                                     const std::vector<const std::u16string*>& chosen,
                                     std::size_t trailingFrom) const {
  std::u16string out;
  for (std::size_t i = 0; i < words.size(); ++i) {
    out += LeadingSpaces(normalized_, text, words[i]);
    out += pieces.fixed[i] ? pieces.text[i] : *chosen[i];
  }
  out += text.substr(trailingFrom);
  return out;
}

std::vector<WordSpan> ReadingEngine::BestWords(std::u16string_view text) {
  std::vector<WordSpan> words;
  for (std::int32_t k : Analyse(text)) words.push_back({nodes_[k].spaceBegin, nodes_[k].begin, nodes_[k].end});
  return words;
}

std::u16string ReadingEngine::BestReading(std::u16string_view text) {
  auto readings = Readings(text, 1);
  return readings.empty() ? std::u16string() : std::move(readings.front());
}

std::vector<std::u16string> ReadingEngine::Readings(std::u16string_view text, std::size_t maxCount) {
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
  std::vector<std::u16string> pieceStore;
  for (std::size_t j = 0; j < m; ++j) {
    const Node& chosen = nodes_[path[j]];
    auto& list = choices[j];
    const std::uint32_t from = firstAt_[chosen.spaceBegin];
    for (std::uint32_t k = from; k < from + countAt_[chosen.spaceBegin]; ++k) {
      if (nodes_[k].end != chosen.end) continue;
      // Where the reading is fixed, the best path's entry is the only one worth keeping.
      if (pieces.fixed[j] && k != static_cast<std::uint32_t>(path[j])) continue;
      const dic::EntryRecord& e = dic_.Entry(nodes_[k].entry);
      std::int32_t piece = -1;
      if (!pieces.fixed[j]) {
        std::u16string reading = EntryPiece(nodes_[k].entry, surfaceOf(j));
        auto same = std::find(pieceStore.begin(), pieceStore.end(), reading);
        piece = static_cast<std::int32_t>(same - pieceStore.begin());
        if (same == pieceStore.end()) pieceStore.push_back(std::move(reading));
      }
      auto twin = std::find_if(list.begin(), list.end(), [&](const Choice& c) {
        return c.left == e.leftId && c.right == e.rightId && c.piece == piece;
      });
      if (twin == list.end()) list.push_back({nodes_[k].entry, e.leftId, e.rightId, e.cost, piece});
      else if (e.cost < twin->cost) *twin = {nodes_[k].entry, e.leftId, e.rightId, e.cost, piece};
    }
  }

  // Cheapest completion from each choice to the end of the text.
  std::vector<std::vector<std::int64_t>> rest(m);
  for (std::size_t j = m; j-- > 0;) {
    rest[j].resize(choices[j].size());
    for (std::size_t x = 0; x < choices[j].size(); ++x) {
      std::int64_t best = kInfinite;
      if (j + 1 == m) {
        best = dic_.ConnectionCost(choices[j][x].right, 0);
      } else {
        for (std::size_t y = 0; y < choices[j + 1].size(); ++y)
          best = std::min(best, dic_.ConnectionCost(choices[j][x].right, choices[j + 1][y].left) +
                                    std::int64_t{choices[j + 1][y].cost} + rest[j + 1][y]);
      }
      rest[j][x] = best;
    }
  }

  // Best-first enumeration of complete paths in order of cost.
  struct Partial {
    std::size_t word, choice;
    std::int64_t cost;  // up to and including this choice
    std::int32_t previous;
  };
  std::vector<Partial> partials;
  using Item = std::pair<std::int64_t, std::int32_t>;  // estimated total, partial
  std::priority_queue<Item, std::vector<Item>, std::greater<>> open;
  auto push = [&](std::size_t word, std::size_t choice, std::int64_t cost, std::int32_t previous) {
    partials.push_back({word, choice, cost, previous});
    open.push({cost + rest[word][choice], static_cast<std::int32_t>(partials.size() - 1)});
  };
  for (std::size_t x = 0; x < choices[0].size(); ++x)
    push(0, x, dic_.ConnectionCost(0, choices[0][x].left) + std::int64_t{choices[0][x].cost}, -1);

  std::vector<const std::u16string*> chosen(m, nullptr);
  std::unordered_set<std::u16string> seen;
  auto emit = [&](std::u16string reading) {
    if (seen.insert(reading).second) out.push_back(std::move(reading));
  };
  // The best analysis always comes first.
  for (std::size_t j = 0; j < m; ++j) {
    if (!pieces.fixed[j]) {
      chosen[j] = nullptr;
      std::u16string reading = EntryPiece(nodes_[path[j]].entry, surfaceOf(j));
      chosen[j] = &*std::find(pieceStore.begin(), pieceStore.end(), reading);
    }
  }
  emit(Render(text, words, pieces, chosen, trailingFrom));

  const std::size_t maxSteps = 64 * maxCount + 256;
  for (std::size_t step = 0; step < maxSteps && out.size() < maxCount && !open.empty(); ++step) {
    const Partial p = partials[open.top().second];
    const std::int32_t id = open.top().second;
    open.pop();
    if (p.word + 1 == m) {
      for (std::int32_t k = id; k >= 0; k = partials[k].previous) {
        const Choice& c = choices[partials[k].word][partials[k].choice];
        chosen[partials[k].word] = c.piece < 0 ? nullptr : &pieceStore[static_cast<std::size_t>(c.piece)];
      }
      emit(Render(text, words, pieces, chosen, trailingFrom));
      continue;
    }
    const Choice& c = choices[p.word][p.choice];
    for (std::size_t y = 0; y < choices[p.word + 1].size(); ++y) {
      const Choice& next = choices[p.word + 1][y];
      push(p.word + 1, y, p.cost + dic_.ConnectionCost(c.right, next.left) + next.cost, id);
    }
  }
  return out;
}

}  // namespace lexidrop
