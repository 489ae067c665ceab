// The built-in reading engine: finds the most likely analysis of a text in
// the dictionary (a lattice of all dictionary and unknown words, scored with
// the words' costs and the connection costs between neighbours, best path by
// Viterbi) and turns it into readings.
//
// Candidate list: the best path's reading first, then the readings of other
// paths over the same words (the same segmentation with other entries, such
// as きょう and こんにち for 今日), cheapest first, without repeats. Along
// the chain of the best path's word positions, the entries of each position
// are grouped by reading, and the cheapest sequences of readings are found by
// partitioning the space of sequences (Lawler's method) with exact
// cheapest-completion costs, so each reading sequence is produced once.
//
// An engine keeps its work buffers between calls; it is not for use by two
// threads at once. The dictionary must outlive it.
#pragma once

#include "engine/dictionary.h"
#include "engine/reading_text.h"

#include <cstdint>
#include <string>
#include <string_view>
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
    // maxCount 0.
    std::vector<std::u16string> Readings(std::u16string_view text, std::size_t maxCount);

    // The best analysis as consecutive segments covering the whole text:
    // one per word, with spaces before a word and the trailing spaces as
    // segments of their own (read as typed); a run of digits read as one
    // number is one segment. The readings joined give BestReading(text).
    std::vector<ReadingSegment> BestSegments(std::u16string_view text);

    // The best analysis as word spans of Normalize(text), for inspection.
    std::vector<WordSpan> BestWords(std::u16string_view text);

private:
    struct Node {
        std::uint32_t spaceBegin, begin, end;
        std::uint32_t entry;
        std::uint32_t rightId;
        std::int64_t cost;  // best total cost up to and including this word
        std::int32_t previous;
        std::int32_t nextEnding;  // next node that ends where this one ends
    };

    // Builds the lattice of normalized_ and returns the best path's nodes
    // (empty when the text holds nothing but spaces).
    std::vector<std::int32_t> Analyse(std::u16string_view text);
    void AddWords(std::uint32_t position);
    struct Pending {
        std::uint32_t spaceBegin, begin, end, entry;
    };
    void AddNode(const Pending& word);
    void AddUnknown(std::uint32_t spaceBegin, std::uint32_t begin, std::uint32_t end, std::uint32_t category);
    std::u16string EntryPiece(std::uint32_t entry, std::u16string_view surface) const;
    std::u16string Render(std::u16string_view text, const std::vector<WordSpan>& words,
                          const WordPieces& pieces, const std::vector<const std::u16string*>& chosen,
                          std::size_t trailingFrom) const;

    const Dictionary& dic_;
    NormalizedText normalized_;
    std::size_t analysed_ = 0;  // normalized length without trailing spaces
    std::vector<Node> nodes_;
    std::vector<Pending> pending_;  // words found at the current position
    struct BestLeft {
        std::uint16_t leftId;
        std::int64_t cost;
        std::int32_t previous;
    };
    std::vector<BestLeft> bestLeft_;      // best left neighbour by left id, at the current position
    std::vector<std::int32_t> endingAt_;  // first node ending at each position
    std::vector<std::uint32_t> firstAt_;  // first node starting at each position
    std::vector<std::uint32_t> countAt_;  // nodes starting at each position
};

}  // namespace lexidrop
