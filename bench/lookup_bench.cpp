// Cost of one lookup's text-level conversion for clipboard texts of growing
// size, with no line limit: the time per byte should stay flat.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "lookup/reading_pipeline.h"

namespace lexidrop {
namespace {

// Three readings per chunk, each about as long as the chunk, like an IME gives.
class ThreeReadings : public ChunkConverter {
public:
    bool ConvertChunk(const char* chunk, ChunkReadings& readings) override
    {
        storage_[0] = chunk;
        storage_[1] = std::string(chunk) + "a";
        storage_[2] = std::string(chunk) + "b";
        readings.assign(storage_, storage_ + 3);
        return true;
    }

private:
    std::string storage_[3];
};

std::string JapaneseText(std::size_t bytes)
{
    const std::string sentence = "今日は良い天気ですね、明日も晴れるでしょうか。";
    std::string text;
    while (text.size() + sentence.size() <= bytes) text += sentence;
    text.append(bytes - text.size(), 'x');
    return text;
}

void BM_ConvertText(benchmark::State& state)
{
    const std::string text = JapaneseText(static_cast<std::size_t>(state.range(0)));
    ThreeReadings converter;
    ReadingList out;
    for (auto _ : state) {
        ConvertText(text, 20, converter, out);
        benchmark::DoNotOptimize(out);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ConvertText)->Arg(100 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lexidrop

BENCHMARK_MAIN();
