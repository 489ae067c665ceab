// The built-in reading engine: finds the most likely analysis of a text in
// the dictionary (a lattice of all dictionary and unknown words, scored with
// the words' costs and the connection costs between neighbours, best path by
// Viterbi) and turns it into readings.
//
// Candidate list: the best path's reading first, then the readings of other
// paths over the same words (the same segmentation with other entries, such
// as きょう and こんにち for 今日), cheapest first, without repeats: the
// entries at each of the best path's word positions are gathered as choices
// and ReadingSequenceSearch yields the cheapest reading sequences over them.
//
// An engine keeps its work buffers between calls; it is not for use by two
// threads at once. The dictionary must outlive it.
#pragma once

#include "engine/dictionary.h"
#include "engine/name_readings.h"
#include "engine/reading_sequences.h"
#include "engine/reading_text.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lexidrop {

// A stretch of the original text and what it reads as in the best analysis.
struct ReadingSegment {
    std::size_t begin, end;  // [begin, end) in the original text
    std::u16string reading;
};

class ReadingEngine {
public:
    explicit ReadingEngine(const Dictionary& dictionary) : dic_(dictionary) {}

    const Dictionary& DictionaryInUse() const { return dic_; }

    // The reading of the best analysis.
    std::u16string BestReading(std::u16string_view text);

    // At most maxCount readings (best first); empty only for an empty text or
    // maxCount 0. The search expands at most kExpansionsPerReading * maxCount
    // candidate sequences, so a text whose sequences mostly render as repeats
    // may give fewer readings rather than unbounded work.
    std::vector<std::u16string> Readings(std::u16string_view text, std::size_t maxCount);

    static constexpr std::size_t kExpansionsPerReading = 4;
    // Candidate sequences the last Readings call expanded.
    std::size_t ExpandedCandidates() const { return expanded_; }

    // The best analysis as consecutive segments covering the whole text:
    // one per word (a number with its counter is one word), with spaces
    // before a word and the trailing spaces as segments of their own (read as
    // typed); a run of digits read as one number is one segment. The readings
    // joined give BestReading(text).
    std::vector<ReadingSegment> BestSegments(std::u16string_view text);

private:
    // A word of the lattice. Its leading spaces start where the word before it
    // ends (SpaceBegin).
    struct Node {
        std::uint32_t begin, end;
        std::uint32_t entry;
        std::uint32_t rightId;
        std::int64_t cost;  // best total cost up to and including this word
        std::int32_t previous;
        std::int32_t nextEnding;  // next node that ends where this one ends
    };
    std::uint32_t SpaceBegin(std::int32_t node) const { return nodes_[nodes_[node].previous].end; }
    // The cost of the best path, its end of text included.
    std::int64_t PathCost(const std::vector<std::int32_t>& path) const
    {
        const Node& last = nodes_[path.back()];
        return last.cost + dic_.ConnectionCost(last.rightId, 0);
    }
    // The cost of a word that is the whole text, between its start and end.
    std::int64_t AloneCost(std::uint32_t leftId, std::int64_t cost, std::uint32_t rightId) const
    {
        return dic_.ConnectionCost(0, leftId) + cost + dic_.ConnectionCost(rightId, 0);
    }
    // Whether no space comes before the word.
    bool Joined(std::int32_t node) const { return SpaceBegin(node) == nodes_[node].begin; }

    // Builds the lattice of normalized_ and returns the best path's nodes
    // (empty when the text holds nothing but spaces).
    std::vector<std::int32_t> Analyse(std::u16string_view text);
    // Gathers in pending_ the dictionary and unknown words that start at the
    // position (after its spaces, at wordBegin_).
    void FindWords(std::uint32_t position);
    void AddUnknown(std::uint32_t end, std::uint32_t category);
    // Adds the pending words to the lattice, each with its best left neighbour;
    // without names, no path goes through a proper noun's entry.
    template <bool kWithoutNames>
    void LinkWords(std::uint32_t position);
    void GatherLefts(std::uint32_t position);
    // The best analysis word by word (a number with its counter is one word):
    // spans in normalized_, readings as they go into BestReading (empty for
    // the later words of a digit run); empty when the text is only spaces.
    struct ReadWord {
        WordSpan span;
        std::u16string reading;
    };
    const std::vector<ReadWord>& BestWords(std::u16string_view text);  // valid until the next call
    std::vector<ReadWord> readWords_;
    // One word of the reading: a word of the best path, or several read as
    // one by a rule (a number with its counter, a time, a word the context
    // decides); readings: the rule's, likelier first. Where the rule's readings
    // are the only ones a reader accepts (exclusive), no dictionary word spelt
    // the same is offered beside them.
    struct Position {
        std::size_t first, last;  // indices into the path
        std::vector<std::u16string> readings;
        bool exclusive = false;
    };
    std::vector<Position> Positions(std::u16string_view text, const std::vector<std::int32_t>& path) const;
    // The first rule that reads the words from path[i] on: a written form, a
    // word the context decides, a word after a surname or a word in
    // katakana, a number.
    std::optional<Position> RuleAt(std::u16string_view text, const std::vector<std::int32_t>& path,
                                   std::size_t i) const;
    std::optional<Position> NumberAt(const std::vector<std::int32_t>& path, std::size_t i) const;
    std::optional<Position> WrittenAt(std::u16string_view text, const std::vector<std::int32_t>& path,
                                      std::size_t i) const;
    std::optional<Position> DecidedAt(const std::vector<std::int32_t>& path, std::size_t i) const;
    // A word whose reading differs right after a surname or a word in
    // katakana (鈴木家 すずきけ, オレンジ色 おれんじいろ).
    std::optional<Position> AfterWordAt(const std::vector<std::int32_t>& path, std::size_t i) const;
    // 御 as the honorific prefix: お before a native word, ご before a Sino
    // one (御願い おねがい, 御連絡 ごれんらく), where the word's kana ending or
    // the lexicon's spelling of it with お or ご tells which.
    std::optional<Position> HonorificAt(const std::vector<std::int32_t>& path, std::size_t i) const;
    void ReadRangeMarks(const std::vector<std::int32_t>& path, std::vector<Position>& positions) const;
    std::u16string_view Surface(std::int32_t node) const;
    std::vector<WordSpan> PositionWords(const std::vector<std::int32_t>& path,
                                        const std::vector<Position>& positions) const;
    WordPieces Pieces(std::u16string_view text, const std::vector<WordSpan>& words,
                      const std::vector<Position>& positions) const;
    // The readings offered at each position: choices (entries with the same
    // reading and context ids keep only the cheapest), the best path's own
    // reading per position, and the readings' texts.
    struct PathChoices {
        std::vector<std::vector<ReadingChoice>> choices;
        std::vector<std::int32_t> bestPieces;
        std::vector<std::u16string> pieceStore;
    };
    PathChoices Choices(const std::vector<std::int32_t>& path, const std::vector<Position>& positions,
                        const std::vector<WordSpan>& words, const WordPieces& pieces) const;
    // Dictionary words that span several positions of the best analysis
    // (一日中 over 一日 + 中), as choices covering those positions.
    void SpanningChoices(const std::vector<WordSpan>& words, const WordPieces& pieces,
                         PathChoices& out) const;
    // Appends to out (up to maxCount) the readings of dictionary words spelt
    // like the whole text of several positions, cheapest first, that cost
    // no more than a word alone may over the best analysis (卵形 らんけい
    // beside たまご + がた): the search stops far earlier for a text of
    // several words. Not where a rule reads a position (日本酒: the text
    // decides 日本).
    void WholeWordReadings(std::u16string_view text, const std::vector<std::int32_t>& path,
                           const std::vector<WordSpan>& words, const WordPieces& pieces,
                           const PathChoices& options, std::size_t trailingFrom, std::size_t maxCount,
                           std::vector<std::u16string>& out) const;
    // The reading of the text as one ordinary dictionary word where the
    // analysis cuts it into several (ひと時 as ひと + 時, 魚群 as 魚 + 群): the
    // cheapest such word, if it costs no more than a word alone may over the
    // best analysis. Not where a rule reads a position, a piece is kept as
    // typed or a space parts the words.
    std::optional<std::u16string> WholeWordReading(const std::vector<std::int32_t>& path,
                                                   const std::vector<Position>& positions,
                                                   const std::vector<WordSpan>& words,
                                                   const WordPieces& pieces) const;
    void NumberChoices(const std::vector<std::int32_t>& path, const Position& position, const WordSpan& span,
                       PathChoices& out, std::size_t j) const;
    std::u16string EntryPiece(std::uint32_t entry, std::u16string_view surface) const;
    // The reading of the cheapest ordinary dictionary word of the lattice
    // that spans [begin, end) of normalized_ (found among the words at
    // spaceBegin); empty when none.
    std::u16string WordSpelt(std::uint32_t spaceBegin, std::uint32_t begin, std::uint32_t end) const;
    // The readings of every ordinary dictionary word that spans [begin, end),
    // the cheapest first.
    std::vector<std::u16string> WordsSpelt(std::uint32_t spaceBegin, std::uint32_t begin, std::uint32_t end) const;
    // The reading of a kanji as a word of its own; empty when none.
    std::u16string KanjiReading(char16_t kanji) const;
    // A 々 at `begin` read as its spelling takes the reading of the kanji before it.
    void ReadRepeatMark(std::size_t begin, std::u16string& reading) const;
    std::u16string Render(std::u16string_view text, const std::vector<WordSpan>& words,
                          const WordPieces& pieces, const std::vector<const std::u16string*>& chosen,
                          std::size_t trailingFrom) const;

    // The text's readings as a name alone (name_readings.h), unless the
    // analysis reads it as a count. Analyses the text.
    NameAlone NameAloneOf(std::u16string_view text, std::size_t most);
    // The reading of ordinary words that read a surname and a given name
    // alone at about the same cost (高品質 こう + ひんしつ, not たかしな +
    // ただし): it comes before the name's, since the analysis joins a surname
    // to a given name so cheaply that a rare surname wins by a few points;
    // none for a real name, which ordinary words read far dearer or not at
    // all. Analyses the text.
    std::optional<std::u16string> WordsBesideName(std::u16string_view text, const NameAlone& name);
    // A kanji copied alone is asked about as a character: the readings of
    // its own entries (no name's, no second lexicon's) within
    // kWordAloneCostMargin of the cheapest by their own cost, not by how they
    // join the start and end of a text, fill `out` up to maxCount after the
    // readings it has, so that a counter's or a suffix's reading shows (畳
    // じょう, 家 け, 羽 わ).
    void AddCharacterReadings(char16_t kanji, std::vector<std::u16string>& out, std::size_t maxCount) const;
    // The readings of the whole text as a writing of a word that is read only
    // where it stands alone (其れ それ), in the dictionary's order; empty when
    // it is none.
    std::vector<std::u16string> WordAloneReadings(std::u16string_view text) const;
    // The best analysis's reading (no name or word alone rule).
    std::u16string AnalysisReading(std::u16string_view text);

    const Dictionary& dic_;
    NormalizedText normalized_;
    std::size_t analysed_ = 0;  // normalized length without trailing spaces
    bool withoutNames_ = false;  // Analyse leaves out proper nouns' entries
    // Leaves the elements a resize adds unset: the lattice writes each node
    // before it reads it.
    template <typename T>
    struct UnsetAllocator : std::allocator<T> {
        template <typename U>
        struct rebind {
            using other = UnsetAllocator<U>;
        };
        UnsetAllocator() = default;
        template <typename U>
        UnsetAllocator(const UnsetAllocator<U>&) noexcept
        {
        }
        template <typename U, typename... Args>
        void construct(U* p, Args&&... args)
        {
            if constexpr (sizeof...(Args) == 0)
                ::new (static_cast<void*>(p)) U;
            else
                ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
        }
    };
    std::vector<Node, UnsetAllocator<Node>> nodes_;  // the lattice's nodes: the first nodeCount_ of them
    std::uint32_t nodeCount_ = 0;
    // Words found at the current position: entries [first, first + count) of one length.
    struct Pending {
        std::uint32_t end, first, count;
    };
    std::vector<Pending> pending_;
    std::uint32_t pendingEntries_ = 0;  // entries in pending_
    std::uint32_t wordBegin_ = 0;       // where they start
    // Per-position tables indexed by context id carry the stamp of the position
    // they were filled at; stamps count up, so nothing is cleared between positions.
    std::uint32_t stamp_ = 1;
    struct BestLeft {
        std::uint32_t stamp = 0;
        std::int32_t previous = -1;
        std::int64_t cost = 0;
    };
    std::vector<BestLeft> bestLeft_;  // by left id: the best left neighbour at the current position
    struct LeftNeighbour {
        std::uint32_t rightId;
        std::int32_t node;
        std::int64_t cost;
    };
    std::vector<LeftNeighbour> lefts_;  // words ending at the current position, one per right id
    std::uint32_t leftCount_ = 0;       // of them
    struct Stamped {
        std::uint32_t stamp = 0;
        std::uint32_t index = 0;
    };
    std::vector<Stamped> leftAt_;         // by right id: index into lefts_
    std::vector<std::int32_t> endingAt_;  // first node ending at each position
    std::vector<std::uint32_t> firstAt_;  // first node starting at each position
    std::vector<std::uint32_t> countAt_;  // nodes starting at each position
    std::size_t expanded_ = 0;
};

}  // namespace lexidrop
