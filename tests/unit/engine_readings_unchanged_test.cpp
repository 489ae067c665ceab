// The engine's readings stay as they were: work on the engine's speed must
// not change what it reads. tests/data/readings_digests.tsv holds a digest of
// what the engine gives (best reading, the first 20 readings, the best
// analysis's segments) for every text of the gold files, and one digest for
// the installed corpus of the agreement test. A change of readings made on
// purpose rewrites the file:
//
//   LEXIDROP_WRITE_READING_DIGESTS=1 build/native/tests/unit_tests --gtest_filter='EngineReadingsUnchanged.*'
#include "engine/reading_engine.h"
#include "engine_corpus.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

namespace lexidrop {
namespace {

const std::filesystem::path kDigests = LEXIDROP_SOURCE_DIR "/tests/data/readings_digests.tsv";

// 64-bit FNV-1a, fed with code units and separators.
struct Digest {
    std::uint64_t value = 14695981039346656037ull;
    void Add(std::uint64_t unit)
    {
        value ^= unit;
        value *= 1099511628211ull;
    }
    void Add(std::u16string_view s)
    {
        for (char16_t c : s) Add(c);
        Add(0x10000);  // end of string
    }
    std::string Hex() const
    {
        char out[17];
        std::snprintf(out, sizeof out, "%016llx", static_cast<unsigned long long>(value));
        return out;
    }
};

void AddReadings(ReadingEngine& engine, std::u16string_view text, Digest& d)
{
    d.Add(engine.BestReading(text));
    for (const auto& r : engine.Readings(text, 20)) d.Add(r);
    for (const auto& s : engine.BestSegments(text)) {
        d.Add(s.begin);
        d.Add(s.end);
        d.Add(s.reading);
    }
}

std::set<std::string> GoldTexts()
{
    std::set<std::string> texts;
    for (const auto& file : std::filesystem::directory_iterator(LEXIDROP_SOURCE_DIR "/tests/data/gold")) {
        std::ifstream in(file.path());
        for (std::string line; std::getline(in, line);) {
            const std::size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
            if (!line.empty() && line[0] != '#' && tab2 != std::string::npos)
                texts.insert(line.substr(tab1 + 1, tab2 - tab1 - 1));
        }
    }
    return texts;
}

TEST(EngineReadingsUnchanged, GoldTextsAndCorpusReadAsRecorded)
{
    ReadingEngine engine(test::BuiltDictionary());
    std::map<std::string, std::string> now;  // text (or the corpus's name) -> digest
    for (const std::string& text : GoldTexts()) {
        Digest d;
        AddReadings(engine, test::FromUtf8(text), d);
        now[text] = d.Hex();
    }
    // The corpus is what this machine has installed: its digest counts only
    // where the texts themselves are the recorded ones.
    Digest texts, readings;
    for (const auto& sentence : test::JapaneseSentences()) {
        texts.Add(sentence);
        AddReadings(engine, sentence, readings);
    }
    const std::string corpusKey = "(corpus " + texts.Hex() + ")";
    now[corpusKey] = readings.Hex();

    if (std::getenv("LEXIDROP_WRITE_READING_DIGESTS")) {
        std::ofstream out(kDigests);
        out << "# text\tdigest of its readings (tests/unit/engine_readings_unchanged_test.cpp)\n";
        for (const auto& [text, digest] : now) out << text << '\t' << digest << '\n';
        GTEST_SKIP() << "rewrote " << kDigests;
    }

    std::ifstream in(kDigests);
    ASSERT_TRUE(in) << "cannot read " << kDigests;
    std::size_t compared = 0;
    for (std::string line; std::getline(in, line);) {
        const std::size_t tab = line.rfind('\t');
        if (line.empty() || line[0] == '#' || tab == std::string::npos) continue;
        const auto it = now.find(line.substr(0, tab));
        // A text no longer in the gold files, or another machine's corpus; gold
        // texts added since the file was written are not compared either.
        if (it == now.end()) continue;
        ++compared;
        EXPECT_EQ(it->second, line.substr(tab + 1))
            << "readings changed: " << it->first << " -> "
            << test::ToUtf8(engine.BestReading(test::FromUtf8(it->first)));
    }
    EXPECT_GT(compared, 0u) << kDigests << " records none of these texts";
}

}  // namespace
}  // namespace lexidrop
