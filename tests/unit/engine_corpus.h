// Japanese text gathered from the machine for the engine's tests and benchmarks.
#pragma once

#include "engine/kana.h"
#include "engine_test_support.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace lexidrop::test {

// Translated strings of a GNU message catalogue (.mo).
inline std::vector<std::string> Translations(const std::filesystem::path& path) {
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

// Japanese sentences (about 3,000, one per UTF-16 string) from the message
// catalogues installed under /usr/share/locale/ja, in a fixed order.
inline std::vector<std::u16string> JapaneseSentences() {
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


// Texts of about maxBytes bytes in Shift-JIS (two bytes a character outside
// ASCII), cut from the sentences run together.
inline std::vector<std::u16string> ChunksOf(const std::vector<std::u16string>& sentences, std::size_t maxBytes) {
  std::vector<std::u16string> chunks(1);
  std::size_t bytes = 0;
  for (const auto& sentence : sentences) {
    for (char16_t c : sentence) {
      std::size_t width = c < 0x80 ? 1 : 2;
      if (bytes + width > maxBytes) {
        chunks.emplace_back();
        bytes = 0;
      }
      chunks.back().push_back(c);
      bytes += width;
    }
  }
  return chunks;
}

}  // namespace lexidrop::test
