// Japanese readings of single kanji from the Unicode Han database
// (Unihan_Readings.txt, kJapaneseOn and kJapaneseKun), for kanji that no
// lexicon reads.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace lexidrop::unihan {

// A text file of the Unicode database, as it is or bzip2-compressed (.bz2).
std::string ReadText(const std::filesystem::path& file);

// The readings of every kanji of the Basic Multilingual Plane that has any,
// in hiragana: its on readings, then its kun readings, each in the file's
// order, without repeats. Reads the file as it is or bzip2-compressed (.bz2).
std::map<char16_t, std::vector<std::u16string>> ReadJapaneseReadings(const std::filesystem::path& file);

// Hepburn romaji as Unihan writes readings (upper case, long vowels spelt
// out: SHOU, KYUU) in hiragana; empty when the text is not such romaji.
std::u16string RomajiToHiragana(std::string_view romaji);

}  // namespace lexidrop::unihan
