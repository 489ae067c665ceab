#include "engine/reading_sequences.h"

#include <algorithm>
#include <limits>

namespace lexidrop {
namespace {

constexpr std::int64_t kInfinite = std::numeric_limits<std::int64_t>::max() / 4;

}  // namespace

ReadingSequenceSearch::ReadingSequenceSearch(const Dictionary& dictionary,
                                             const std::vector<std::vector<ReadingChoice>>& choices,
                                             const std::vector<std::int32_t>& bestPieces)
    : dic_(dictionary), choices_(choices)
{
    ComputeCompletions();
    sequences_.push_back({0, 0, {}, bestPieces});
    open_.push({0, 0});
}

void ReadingSequenceSearch::ComputeCompletions()
{
    const std::size_t m = choices_.size();
    rest_.assign(m, {});
    restNext_.assign(m, {});
    for (std::size_t j = m; j-- > 0;) {
        rest_[j].resize(choices_[j].size());
        restNext_[j].resize(choices_[j].size());
        for (std::size_t x = 0; x < choices_[j].size(); ++x) {
            std::int64_t best = kInfinite;
            std::uint32_t next = 0;
            if (j + 1 == m) {
                best = dic_.ConnectionCost(choices_[j][x].right, 0);
            } else {
                for (std::uint32_t y = 0; y < choices_[j + 1].size(); ++y) {
                    std::int64_t cost = dic_.ConnectionCost(choices_[j][x].right, choices_[j + 1][y].left) +
                                        std::int64_t{choices_[j + 1][y].cost} + rest_[j + 1][y];
                    if (cost < best) {
                        best = cost;
                        next = y;
                    }
                }
            }
            rest_[j][x] = best;
            restNext_[j][x] = next;
        }
    }
}

void ReadingSequenceSearch::Complete(std::vector<std::int32_t>& pieces, std::size_t position,
                                     std::uint32_t choice) const
{
    for (std::size_t j = position; j < choices_.size(); ++j) {
        pieces[j] = choices_[j][choice].piece;
        choice = restNext_[j][choice];
    }
}

std::uint16_t ReadingSequenceSearch::RightOf(std::size_t position, std::size_t choice) const
{
    return position == 0 ? 0 : choices_[position - 1][choice].right;
}

const std::vector<std::int32_t>* ReadingSequenceSearch::Next()
{
    // The parts left beside the previous sequence are made only when another
    // one is asked for.
    if (started_) Branch(last_);
    started_ = true;
    if (open_.empty()) return nullptr;
    last_ = open_.top().second;
    open_.pop();
    return &sequences_[last_].pieces;
}

void ReadingSequenceSearch::Branch(std::size_t id)
{
    const std::size_t m = choices_.size();
    const std::uint32_t branch = sequences_[id].branch;
    const std::vector<std::int32_t> pieceOfS = sequences_[id].pieces;
    // reach: cost of the best way to each choice of position i - 1 that agrees with S.
    reach_.assign(1, 0);  // the start, with right id 0
    for (std::uint32_t i = 0; i < m; ++i) {
        if (i >= branch) {
            std::vector<std::int32_t> excluded =
                i == branch ? sequences_[id].excluded : std::vector<std::int32_t>{};
            excluded.push_back(pieceOfS[i]);
            std::int64_t best = kInfinite;
            std::uint32_t bestChoice = 0;
            for (std::uint32_t y = 0; y < choices_[i].size(); ++y) {
                const ReadingChoice& c = choices_[i][y];
                if (std::find(excluded.begin(), excluded.end(), c.piece) != excluded.end()) continue;
                for (std::size_t x = 0; x < reach_.size(); ++x) {
                    if (reach_[x] >= kInfinite) continue;
                    std::int64_t cost =
                        reach_[x] + dic_.ConnectionCost(RightOf(i, x), c.left) + c.cost + rest_[i][y];
                    if (cost < best) {
                        best = cost;
                        bestChoice = y;
                    }
                }
            }
            if (best < kInfinite) {
                Sequence child{best, i, std::move(excluded), pieceOfS};
                Complete(child.pieces, i, bestChoice);
                sequences_.push_back(std::move(child));
                open_.push({best, sequences_.size() - 1});
            }
        }
        // Extend reach through position i along S.
        reachNext_.assign(choices_[i].size(), kInfinite);
        for (std::uint32_t y = 0; y < choices_[i].size(); ++y) {
            const ReadingChoice& c = choices_[i][y];
            if (c.piece != pieceOfS[i]) continue;
            for (std::size_t x = 0; x < reach_.size(); ++x)
                if (reach_[x] < kInfinite)
                    reachNext_[y] = std::min(reachNext_[y],
                                             reach_[x] + dic_.ConnectionCost(RightOf(i, x), c.left) + c.cost);
        }
        reach_.swap(reachNext_);
    }
}

}  // namespace lexidrop
