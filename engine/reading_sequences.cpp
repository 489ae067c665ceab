#include "engine/reading_sequences.h"

#include <algorithm>
#include <limits>

namespace lexidrop {
namespace {

constexpr std::int64_t kInfinite = std::numeric_limits<std::int64_t>::max() / 4;

// A sum of costs where kInfinite (no way through) absorbs everything, whatever
// the sign of the rest.
std::int64_t Plus(std::int64_t a, std::int64_t b)
{
    return a >= kInfinite || b >= kInfinite ? kInfinite : a + b;
}

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
                best = Finish(choices_[j][x]);
            } else {
                for (std::uint32_t y = 0; y < choices_[j + 1].size(); ++y) {
                    std::int64_t cost = Plus(Link(&choices_[j][x], choices_[j + 1][y]),
                                             Plus(rest_[j + 1][y], choices_[j + 1][y].cost));
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
    cheapest_ = kInfinite;
    if (m > 0)
        for (std::size_t y = 0; y < choices_[0].size(); ++y)
            cheapest_ = std::min(cheapest_, Plus(Link(nullptr, choices_[0][y]), Plus(rest_[0][y], choices_[0][y].cost)));
}

std::int64_t ReadingSequenceSearch::ExtraCost() const
{
    // The first sequence (the best analysis) is stored with cost 0.
    return last_ == 0 || cheapest_ >= kInfinite ? 0 : sequences_[last_].cost - cheapest_;
}

void ReadingSequenceSearch::Complete(std::vector<std::int32_t>& pieces, std::size_t position,
                                     std::uint32_t choice) const
{
    for (std::size_t j = position; j < choices_.size(); ++j) {
        pieces[j] = choices_[j][choice].piece;
        choice = restNext_[j][choice];
    }
}

const ReadingChoice* ReadingSequenceSearch::Before(std::size_t position, std::size_t choice) const
{
    return position == 0 ? nullptr : &choices_[position - 1][choice];
}

std::int64_t ReadingSequenceSearch::Link(const ReadingChoice* previous, const ReadingChoice& next) const
{
    const std::uint8_t covering = previous ? previous->covers : 0;
    if (covering > 0) return next.through && next.covers + 1 == covering ? 0 : kInfinite;
    if (next.through) return kInfinite;
    return dic_.ConnectionCost(previous ? previous->right : 0, next.left);
}

std::int64_t ReadingSequenceSearch::Finish(const ReadingChoice& last) const
{
    return last.covers > 0 ? kInfinite : dic_.ConnectionCost(last.right, 0);
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
                        Plus(Plus(reach_[x], Link(Before(i, x), c)), Plus(rest_[i][y], c.cost));
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
                    reachNext_[y] = std::min(reachNext_[y], Plus(reach_[x] + c.cost, Link(Before(i, x), c)));
        }
        reach_.swap(reachNext_);
    }
}

}  // namespace lexidrop
