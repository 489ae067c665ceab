// The engine's best reading against MeCab's analysis (libmecab with Debian's
// UTF-8 IPADIC, the same dictionary data) on Japanese sentences gathered from
// the message catalogues and Japanese manual pages installed on this machine.
//
// Both analyses are turned into readings by the same rules: a dictionary
// word gives its reading column in hiragana, an unknown word (MeCab gives it
// no reading) its own spelling with katakana made hiragana, text without kana
// or kanji stays as typed and digit runs are read as numbers. A difference
// therefore means a different segmentation or a different choice of entry,
// except where the engine reads on purpose as a person would (numbers with
// counters, decimals): those sentences are listed in
// tests/data/mecab_intended_differences.tsv and left out.
#include "engine/kana.h"
#include "engine/reading_engine.h"
#include "engine_corpus.h"
#include "engine_mecab_reading.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>

namespace lexidrop {
namespace {

using test::FromUtf8;
using test::ToUtf8;

// The sentences of the list (first column), in UTF-16.
std::set<std::u16string> IntendedDifferences()
{
    std::ifstream in(LEXIDROP_SOURCE_DIR "/tests/data/mecab_intended_differences.tsv");
    std::set<std::u16string> out;
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line[0] != '#') out.insert(FromUtf8(line.substr(0, line.find('\t'))));
    return out;
}

TEST(EngineAgreement, BestReadingMatchesMecabOnInstalledJapaneseText)
{
    mecab_t* mecab = mecab_new2("-d /var/lib/mecab/dic/ipadic-utf8");
    ASSERT_NE(mecab, nullptr) << "libmecab with mecab-ipadic-utf8 is needed (scripts/setup.sh)";
    std::vector<std::u16string> corpus = test::JapaneseSentences();
    ASSERT_GE(corpus.size(), 2000u) << "too few Japanese sentences found";

    ReadingEngine engine(test::BuiltDictionary());
    const std::set<std::u16string> intended = IntendedDifferences();
    std::size_t agree = 0, compared = 0;
    std::string report;
    for (const auto& sentence : corpus) {
        if (intended.count(sentence)) continue;
        ++compared;
        std::u16string ours = engine.BestReading(sentence);
        std::u16string theirs = test::MecabReading(mecab, sentence);
        if (ours == theirs) {
            ++agree;
        } else if (report.size() < 400000) {
            report +=
                ToUtf8(sentence) + "\n  engine: " + ToUtf8(ours) + "\n  mecab:  " + ToUtf8(theirs) + "\n";
        }
    }
    mecab_destroy(mecab);
    const double rate = static_cast<double>(agree) / static_cast<double>(compared);
    std::printf("agreement with MeCab: %zu of %zu sentences (%.2f%%; %zu differ on purpose)\n%s", agree,
                compared, rate * 100, corpus.size() - compared, report.c_str());
    EXPECT_GE(rate, 0.995);
}

}  // namespace
}  // namespace lexidrop
