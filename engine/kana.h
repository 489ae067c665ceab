// Small character helpers shared by the dictionary compiler and the engine.
#pragma once

#include <string>
#include <string_view>

namespace lexidrop::kana {

// Katakana to hiragana: ァ..ヶ (ヴ, ヰ, ヱ, ヮ, ヵ, ヶ included) move to the
// hiragana block; everything else (ー, ・, ヷ..ヺ) stays.
constexpr char16_t ToHiragana(char16_t c) {
  return (c >= u'\u30A1' && c <= u'\u30F6') ? static_cast<char16_t>(c - 0x60) : c;
}

inline std::u16string ToHiragana(std::u16string_view text) {
  std::u16string out(text);
  for (auto& c : out) c = ToHiragana(c);
  return out;
}

constexpr bool IsJapaneseLetter(char16_t c) {
  return (c >= u'\u3041' && c <= u'\u309F') || (c >= u'\u30A1' && c <= u'\u30FA') ||
         c == u'\u30FC' || (c >= u'\u3400' && c <= u'\u4DBF') ||
         (c >= u'\u4E00' && c <= u'\u9FFF') || (c >= u'\uF900' && c <= u'\uFAFF') ||
         (c >= u'\u3005' && c <= u'\u3007');
}

constexpr bool IsFullWidthDigit(char16_t c) { return c >= u'\uFF10' && c <= u'\uFF19'; }

}  // namespace lexidrop::kana
