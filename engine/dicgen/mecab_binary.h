// Reads a compiled MeCab system dictionary (sys.dic), for lexicons that a
// package ships compiled only.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace lexidrop::mecab {

struct Entry {
    std::string surface;  // UTF-8
    std::uint16_t left, right;
    std::int16_t cost;
    std::string feature;  // UTF-8, comma-separated: part of speech, inflection, base form, reading, ...
};

// Every entry of dir/sys.dic (a UTF-8 dictionary), in the order of its
// double-array trie; throws when the file is not such a dictionary.
std::vector<Entry> ReadSystemDictionary(const std::filesystem::path& dir);

}  // namespace lexidrop::mecab
