// The cheapest sequences of readings along a fixed chain of word positions.
//
// Each position offers choices (dictionary entries with their context ids,
// cost and reading); choices of one position that share a reading form one
// reading. Sequences of readings, one per position, come out cheapest first,
// each once, by partitioning the space of sequences (Lawler's method): after
// taking a sequence S found in a part of the space where positions before
// `branch` are fixed and position `branch` excludes some readings, the rest of
// that part splits into, for each i from branch on, positions before i as in
// S, position i any reading but S's (and the part's exclusions at branch),
// later positions free. The cheapest sequence of each part comes from a
// forward pass along S and the exact cheapest-completion costs.
#pragma once

#include "engine/dictionary.h"

#include <cstddef>
#include <cstdint>
#include <queue>
#include <vector>

namespace lexidrop {

struct ReadingChoice {
    std::uint16_t left, right;
    std::int32_t cost;
    std::int32_t piece;  // reading id; -1 for a reading fixed by the text
    // A word spanning several positions is a choice at its first position that
    // covers the next `covers` ones, where it continues as pass-through
    // choices (no reading of their own, no cost, the word's right id).
    std::uint8_t covers = 0;
    bool through = false;
    bool compound = false;  // maybe only a compound's reading (国 ぐに, 箱 ばこ): dic::kCompoundReading
};

class ReadingSequenceSearch {
public:
    // bestPieces: the reading sequence of the best analysis, which comes first
    // (its cost is the least of all). Both must outlive the search.
    ReadingSequenceSearch(const Dictionary& dictionary,
                          const std::vector<std::vector<ReadingChoice>>& choices,
                          const std::vector<std::int32_t>& bestPieces);

    // The next cheapest reading sequence (one piece per position); null when
    // there is none left. Valid until the next call.
    const std::vector<std::int32_t>* Next();
    // How much dearer the sequence Next returned last is than the cheapest one.
    std::int64_t ExtraCost() const;

private:
    struct Sequence {
        std::int64_t cost;
        std::uint32_t branch;
        std::vector<std::int32_t> excluded;
        std::vector<std::int32_t> pieces;
    };

    void ComputeCompletions();
    void Complete(std::vector<std::int32_t>& pieces, std::size_t position, std::uint32_t choice) const;
    void Branch(std::size_t id);
    // Cost of going from a choice (null: the start) to the next position's choice.
    std::int64_t Link(const ReadingChoice* previous, const ReadingChoice& next) const;
    std::int64_t Finish(const ReadingChoice& last) const;
    const ReadingChoice* Before(std::size_t position, std::size_t choice) const;

    const Dictionary& dic_;
    const std::vector<std::vector<ReadingChoice>>& choices_;
    // Cheapest completion from each choice to the end of the text, and the
    // next choice on that completion.
    std::vector<std::vector<std::int64_t>> rest_;
    std::vector<std::vector<std::uint32_t>> restNext_;
    std::int64_t cheapest_ = 0;  // cost of the cheapest sequence
    std::vector<Sequence> sequences_;
    using Item = std::pair<std::int64_t, std::size_t>;  // cost, sequence
    std::priority_queue<Item, std::vector<Item>, std::greater<>> open_;
    std::size_t last_ = 0;
    bool started_ = false;
    std::vector<std::int64_t> reach_, reachNext_;  // cost of reaching each choice along S
};

}  // namespace lexidrop
