// MeCab's analyses read by the same rules as the engine's: a dictionary word
// gives its reading column in hiragana, an unknown word (MeCab gives it no
// reading) its spelling with katakana made hiragana, text without kana or
// kanji stays as typed and digit runs are read as numbers.
#pragma once

#include "engine/kana.h"
#include "engine/reading_text.h"
#include "engine_test_support.h"

#include <mecab.h>

#include <string>
#include <vector>

namespace lexidrop::test {

inline std::vector<std::string> Fields(const char* feature)
{
    std::vector<std::string> f(1);
    for (const char* p = feature; *p; ++p) {
        if (*p == ',')
            f.emplace_back();
        else
            f.back().push_back(*p);
    }
    return f;
}

// A MeCab path over Normalize(original), read by the engine's rules.
inline std::u16string MecabPathReading(const NormalizedText& normalized, std::u16string_view original,
                                       const mecab_node_t* node)
{
    std::vector<WordSpan> words;
    std::vector<std::u16string> readings;
    std::size_t position = 0;
    for (; node; node = node->next) {
        if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE) continue;
        std::size_t spaces = FromUtf8(std::string_view(node->surface - (node->rlength - node->length),
                                                       node->rlength - node->length))
                                 .size();
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

// MeCab's best analysis of the normalized text, read by the engine's rules.
inline std::u16string MecabReading(mecab_t* mecab, std::u16string_view original)
{
    NormalizedText normalized = Normalize(original);
    std::string utf8 = ToUtf8(normalized.text);
    return MecabPathReading(normalized, original, mecab_sparse_tonode2(mecab, utf8.data(), utf8.size()));
}

}  // namespace lexidrop::test
