// The engine's best reading against MeCab's analysis (libmecab with Debian's
// UTF-8 IPADIC, the same dictionary data) on Japanese sentences gathered from
// the message catalogues installed on this machine.
//
// Both analyses are turned into readings by the same rules: a dictionary
// word gives its reading column in hiragana, an unknown word (MeCab gives it
// no reading) its own spelling with katakana made hiragana, text without kana
// or kanji stays as typed and digit runs are read as numbers. A difference
// therefore means a different segmentation or a different choice of entry.
#include "engine/kana.h"
#include "engine/reading_engine.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>
#include <mecab.h>

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

// Translated strings of a GNU message catalogue (.mo).
std::vector<std::string> Translations(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::string data(std::istreambuf_iterator<char>(in), {});
  std::vector<std::string> out;
  auto word = [&](std::size_t at) -> std::uint32_t {
    if (at + 4 > data.size()) return 0;
    std::uint32_t v;
    std::memcpy(&v, data.data() + at, 4);
    return v;
  };
  if (word(0) != 0x950412de) return out;
  std::uint32_t count = word(8), table = word(16);
  for (std::uint32_t i = 0; i < count; ++i) {
    std::uint32_t length = word(table + 8 * i), offset = word(table + 8 * i + 4);
    if (static_cast<std::uint64_t>(offset) + length <= data.size()) out.emplace_back(data, offset, length);
  }
  return out;
}

std::vector<std::u16string> Corpus() {
  std::set<std::u16string> sentences;
  std::vector<std::filesystem::path> catalogues;
  for (const auto& e : std::filesystem::directory_iterator("/usr/share/locale/ja/LC_MESSAGES"))
    if (e.path().extension() == ".mo") catalogues.push_back(e.path());
  std::sort(catalogues.begin(), catalogues.end());
  for (const auto& path : catalogues) {
    for (const std::string& translation : Translations(path)) {
      std::u16string text = FromUtf8(translation);
      std::u16string sentence;
      auto flush = [&] {
        std::size_t a = sentence.find_first_not_of(u" \t\u3000");
        std::size_t b = sentence.find_last_not_of(u" \t\u3000");
        if (a != std::u16string::npos) {
          std::u16string s = sentence.substr(a, b - a + 1);
          bool japanese = std::count_if(s.begin(), s.end(), kana::IsJapaneseLetter) >= 3;
          bool control = std::any_of(s.begin(), s.end(), [](char16_t c) { return c < 0x20; });
          if (japanese && !control && s.size() <= 120) sentences.insert(s);
        }
        sentence.clear();
      };
      for (char16_t c : text) {
        if (c == u'\n' || c == u'\0') {
          flush();
          continue;
        }
        sentence.push_back(c);
        if (c == u'。') flush();
      }
      flush();
    }
  }
  // A spread-out sample keeps the run short.
  std::vector<std::u16string> all(sentences.begin(), sentences.end());
  std::vector<std::u16string> sample;
  const std::size_t step = std::max<std::size_t>(1, all.size() / 3000);
  for (std::size_t i = 0; i < all.size(); i += step) sample.push_back(all[i]);
  return sample;
}

std::vector<std::string> Fields(const char* feature) {
  std::vector<std::string> f(1);
  for (const char* p = feature; *p; ++p) {
    if (*p == ',') f.emplace_back();
    else f.back().push_back(*p);
  }
  return f;
}

// MeCab's analysis of the normalized text, read by the shared rules.
std::u16string MecabReading(mecab_t* mecab, std::u16string_view original) {
  NormalizedText normalized = Normalize(original);
  std::string utf8 = ToUtf8(normalized.text);
  std::vector<WordSpan> words;
  std::vector<std::u16string> readings;
  std::size_t position = 0;
  for (const mecab_node_t* node = mecab_sparse_tonode2(mecab, utf8.data(), utf8.size()); node; node = node->next) {
    if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE) continue;
    std::size_t spaces = FromUtf8(std::string_view(node->surface - (node->rlength - node->length),
                                                   node->rlength - node->length)).size();
    std::u16string surface = FromUtf8(std::string_view(node->surface, node->length));
    words.push_back({position, position + spaces, position + spaces + surface.size()});
    position = words.back().end;
    auto f = Fields(node->feature);
    readings.push_back(node->stat == MECAB_NOR_NODE && f.size() > 7 ? kana::ToHiragana(FromUtf8(f[7]))
                                                                     : kana::ToHiragana(surface));
  }
  WordPieces pieces = FixedPieces(normalized, original, words);
  std::u16string out;
  for (std::size_t i = 0; i < words.size(); ++i) {
    out += LeadingSpaces(normalized, original, words[i]);
    out += pieces.fixed[i] ? pieces.text[i] : readings[i];
  }
  return out;
}

TEST(EngineAgreement, BestReadingMatchesMecabOnInstalledJapaneseText) {
  mecab_t* mecab = mecab_new2("-d /var/lib/mecab/dic/ipadic-utf8");
  ASSERT_NE(mecab, nullptr) << "libmecab with mecab-ipadic-utf8 is needed (scripts/setup.sh)";
  std::vector<std::u16string> corpus = Corpus();
  ASSERT_GE(corpus.size(), 2000u) << "too few Japanese sentences found";

  ReadingEngine engine(test::BuiltDictionary());
  std::size_t agree = 0;
  std::string report;
  for (const auto& sentence : corpus) {
    std::u16string ours = engine.BestReading(sentence);
    std::u16string theirs = MecabReading(mecab, sentence);
    if (ours == theirs) {
      ++agree;
    } else if (report.size() < 4000) {
      report += ToUtf8(sentence) + "\n  engine: " + ToUtf8(ours) + "\n  mecab:  " + ToUtf8(theirs) + "\n";
    }
  }
  mecab_destroy(mecab);
  const double rate = static_cast<double>(agree) / static_cast<double>(corpus.size());
  std::printf("agreement with MeCab: %zu of %zu sentences (%.2f%%)\n%s", agree, corpus.size(), rate * 100,
              report.c_str());
  EXPECT_GE(rate, 0.995);
}

}  // namespace
}  // namespace lexidrop
