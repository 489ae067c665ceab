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
// counters and units, decimals, times, words decided by their context): the
// rules of tests/data/mecab_intended_differences.tsv say where, and a
// differing sentence a rule matches is counted under that rule.
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
#include <regex>

namespace lexidrop {
namespace {

using test::FromUtf8;
using test::ToUtf8;

struct IntendedRule {
    std::string name;
    std::regex pattern;
    std::size_t sentences = 0;
};

std::vector<IntendedRule> IntendedRules()
{
    std::ifstream in(LEXIDROP_SOURCE_DIR "/tests/data/mecab_intended_differences.tsv");
    std::vector<IntendedRule> out;
    for (std::string line; std::getline(in, line);) {
        const std::size_t tab = line.find('\t');
        if (line.empty() || line[0] == '#' || tab == line.npos) continue;
        out.push_back({line.substr(0, tab), std::regex(line.substr(tab + 1))});
    }
    return out;
}

TEST(EngineAgreement, BestReadingMatchesMecabOnInstalledJapaneseText)
{
    mecab_t* mecab = mecab_new2("-d /var/lib/mecab/dic/ipadic-utf8");
    ASSERT_NE(mecab, nullptr) << "libmecab with mecab-ipadic-utf8 is needed (scripts/setup.sh)";
    std::vector<std::u16string> corpus = test::JapaneseSentences();
    ASSERT_GE(corpus.size(), 2000u) << "too few Japanese sentences found";

    ReadingEngine engine(test::BuiltDictionary());
    std::vector<IntendedRule> rules = IntendedRules();
    ASSERT_FALSE(rules.empty());
    std::size_t agree = 0, compared = 0, intended = 0;
    std::string report;
    for (const auto& sentence : corpus) {
        std::u16string ours = engine.BestReading(sentence);
        std::u16string theirs = test::MecabReading(mecab, sentence);
        if (ours != theirs) {
            const std::string text = ToUtf8(sentence);
            auto rule = std::find_if(rules.begin(), rules.end(),
                                     [&](const IntendedRule& r) { return std::regex_search(text, r.pattern); });
            if (rule != rules.end()) {
                ++rule->sentences;
                ++intended;
                continue;
            }
        }
        ++compared;
        if (ours == theirs) {
            ++agree;
        } else if (report.size() < 400000) {
            report +=
                ToUtf8(sentence) + "\n  engine: " + ToUtf8(ours) + "\n  mecab:  " + ToUtf8(theirs) + "\n";
        }
    }
    mecab_destroy(mecab);
    const double rate = static_cast<double>(agree) / static_cast<double>(compared);
    std::printf("agreement with MeCab: %zu of %zu sentences (%.2f%%; %zu differ on purpose)\n", agree, compared,
                rate * 100, intended);
    for (const IntendedRule& r : rules) std::printf("  %zu: %s\n", r.sentences, r.name.c_str());
    std::printf("%s", report.c_str());
    EXPECT_GE(rate, 0.995);
}

}  // namespace
}  // namespace lexidrop
