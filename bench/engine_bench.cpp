// The built-in reading engine against libmecab (Debian's UTF-8 IPADIC) on the
// same texts of about 100 bytes: best reading, candidate list, dictionary
// load time and resident memory.
//
// MeCab's side of the candidate list is the N-best enumeration it needs to
// reach the same alternatives: for every text, as many of its N-best paths
// as it takes until every reading of the engine's list has appeared (at most
// 500 paths), each read by the same rules.
#include "engine/reading_engine.h"
#include "engine_corpus.h"
#include "engine_mecab_reading.h"
#include "engine_test_support.h"

#include <benchmark/benchmark.h>
#include <mecab.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <set>

namespace lexidrop {
namespace {

constexpr const char* kMecabArgs = "-d /var/lib/mecab/dic/ipadic-utf8";
constexpr std::size_t kCandidates = 20;
constexpr int kMaxPaths = 500;

struct Inputs {
    std::vector<std::u16string> texts;
    std::vector<NormalizedText> normalized;
    std::vector<std::string> utf8;
    std::vector<int> nbestPaths;  // MeCab paths needed per text for the candidate list
};

// The readings of a MeCab path, gathered as cheaply as MeCab allows: the
// eighth feature field of each word (the timing loops use this, so MeCab is
// not charged for the engine's reading rules).
std::size_t GatherReadings(const mecab_node_t* node, std::u16string& out)
{
    out.clear();
    for (; node; node = node->next) {
        const char* f = node->feature;
        for (int commas = 0; *f && commas < 7; ++f) commas += *f == ',';
        const char* end = f;
        while (*end && *end != ',') ++end;
        for (const char* p = f; p < end; ++p) out.push_back(static_cast<unsigned char>(*p));
    }
    return out.size();
}

const Inputs& GetInputs()
{
    static const Inputs inputs = [] {
        Inputs in;
        auto chunks = test::ChunksOf(test::JapaneseSentences(), 100);
        chunks.resize(std::min<std::size_t>(chunks.size(), 1000));
        ReadingEngine engine(test::BuiltDictionary());
        mecab_t* mecab = mecab_new2(kMecabArgs);
        for (auto& text : chunks) {
            std::vector<std::u16string> wanted = engine.Readings(text, kCandidates);
            NormalizedText normalized = Normalize(text);
            std::string utf8 = test::ToUtf8(normalized.text);
            int paths = 0;
            if (mecab && mecab_nbest_init(mecab, utf8.c_str())) {
                std::set<std::u16string> found;
                for (const mecab_node_t* n; paths < kMaxPaths && found.size() < wanted.size() &&
                                            (n = mecab_nbest_next_tonode(mecab));) {
                    ++paths;
                    std::u16string r = test::MecabPathReading(normalized, text, n);
                    if (std::find(wanted.begin(), wanted.end(), r) != wanted.end()) found.insert(r);
                }
            }
            in.nbestPaths.push_back(std::max(paths, 1));
            in.utf8.push_back(std::move(utf8));
            in.normalized.push_back(std::move(normalized));
            in.texts.push_back(std::move(text));
        }
        if (mecab) mecab_destroy(mecab);
        return in;
    }();
    return inputs;
}

std::int64_t Bytes(const Inputs& in)
{
    std::int64_t n = 0;
    for (const auto& t : in.utf8) n += static_cast<std::int64_t>(t.size());
    return n;
}

void BM_EngineBestReading(benchmark::State& state)
{
    const Inputs& in = GetInputs();
    ReadingEngine engine(test::BuiltDictionary());
    for (auto _ : state)
        for (const auto& t : in.texts) benchmark::DoNotOptimize(engine.BestReading(t));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(in.texts.size()));
    state.SetBytesProcessed(state.iterations() * Bytes(in));
}

void BM_MecabBestPath(benchmark::State& state)
{
    const Inputs& in = GetInputs();
    mecab_t* mecab = mecab_new2(kMecabArgs);
    std::u16string scratch;
    for (auto _ : state)
        for (std::size_t i = 0; i < in.utf8.size(); ++i)
            benchmark::DoNotOptimize(
                GatherReadings(mecab_sparse_tonode2(mecab, in.utf8[i].data(), in.utf8[i].size()), scratch));
    mecab_destroy(mecab);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(in.texts.size()));
    state.SetBytesProcessed(state.iterations() * Bytes(in));
}

void BM_EngineCandidateList(benchmark::State& state)
{
    const Inputs& in = GetInputs();
    ReadingEngine engine(test::BuiltDictionary());
    for (auto _ : state)
        for (const auto& t : in.texts) benchmark::DoNotOptimize(engine.Readings(t, kCandidates));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(in.texts.size()));
}

void BM_MecabNBestForCandidateList(benchmark::State& state)
{
    const Inputs& in = GetInputs();
    mecab_t* mecab = mecab_new2(kMecabArgs);
    std::u16string scratch;
    std::int64_t paths = 0;
    for (auto _ : state) {
        for (std::size_t i = 0; i < in.utf8.size(); ++i) {
            if (!mecab_nbest_init(mecab, in.utf8[i].c_str())) continue;
            for (int k = 0; k < in.nbestPaths[i]; ++k) {
                const mecab_node_t* n = mecab_nbest_next_tonode(mecab);
                if (!n) break;
                benchmark::DoNotOptimize(GatherReadings(n, scratch));
                ++paths;
            }
        }
    }
    mecab_destroy(mecab);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(in.texts.size()));
    state.counters["paths_per_text"] =
        static_cast<double>(paths) / static_cast<double>(state.iterations() * in.texts.size());
}

void BM_EngineDictionaryLoad(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(Dictionary::Open(MapFile(LEXIDROP_DICTIONARY)));
}

void BM_MecabDictionaryLoad(benchmark::State& state)
{
    for (auto _ : state) mecab_destroy(mecab_new2(kMecabArgs));
}

// Resident set from the page tables (the counters in /proc/self/status lag).
long ResidentKiB()
{
    std::ifstream status("/proc/self/smaps_rollup");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("Rss:", 0) == 0) return std::stol(line.substr(4));
    return 0;
}

// Resident memory added by loading and running over all texts, measured in a
// child process so that neither side sees the other's pages.
long ResidentGrowth(bool engineSide)
{
    const Inputs& in = GetInputs();
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return -1;
    pid_t child = fork();
    if (child == 0) {
        long before = ResidentKiB();
        long growth = 0;
        if (engineSide) {
            auto dictionary = Dictionary::Open(MapFile(LEXIDROP_DICTIONARY));
            ReadingEngine engine(*dictionary);
            for (const auto& t : in.texts) benchmark::DoNotOptimize(engine.Readings(t, kCandidates));
            growth = ResidentKiB() - before;
        } else {
            mecab_t* mecab = mecab_new2(kMecabArgs);
            for (const auto& t : in.utf8)
                benchmark::DoNotOptimize(mecab_sparse_tonode2(mecab, t.data(), t.size()));
            growth = ResidentKiB() - before;
            mecab_destroy(mecab);
        }
        if (write(pipeFds[1], &growth, sizeof growth) != sizeof growth) _exit(1);
        _exit(0);
    }
    long growth = -1;
    if (read(pipeFds[0], &growth, sizeof growth) != sizeof growth) growth = -1;
    close(pipeFds[0]);
    close(pipeFds[1]);
    waitpid(child, nullptr, 0);
    return growth;
}

void BM_ResidentMemory(benchmark::State& state)
{
    long engineKiB = 0, mecabKiB = 0;
    for (auto _ : state) {
        engineKiB = ResidentGrowth(true);
        mecabKiB = ResidentGrowth(false);
    }
    state.counters["engine_KiB"] = static_cast<double>(engineKiB);
    state.counters["mecab_KiB"] = static_cast<double>(mecabKiB);
}

BENCHMARK(BM_EngineBestReading)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MecabBestPath)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineCandidateList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MecabNBestForCandidateList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EngineDictionaryLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MecabDictionaryLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResidentMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace lexidrop

BENCHMARK_MAIN();
