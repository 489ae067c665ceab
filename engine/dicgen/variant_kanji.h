// Code page 932's extension kanji (the NEC-selected IBM rows 0xED-0xEE and
// the IBM rows 0xFA-0xFC: 髙, 﨑, 德, 濵 ...) that no lexicon spells are read
// as their ordinary forms: the compiler gives each the trie label of its
// ordinary form, so 髙島屋 is found as 高島屋.
#pragma once

#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

namespace lexidrop::variants {

// The candidate ordinary forms of each extension kanji, likelier first: its
// variants in Unihan's data (Unihan_Variants.txt, with the compatibility
// variants of Unihan_IRGSources.txt) that code page 932 has among its
// standard kanji, those a dictionary marks as z-variants (the same character
// drawn differently) first, then the canonical form of a compatibility
// ideograph (the IBM rows' 福 and 神 are canonically 福 and 神), z-variants,
// semantic, specialized semantic and spoofing variants.
std::map<char16_t, std::vector<char16_t>> OrdinaryForms(std::string_view unihanVariants);

// Gives each variant the label of its first candidate that some word spells,
// so the variant is read as that kanji (words spelt with the variant itself
// are found under the ordinary spelling too). Run before words are labelled.
void AliasVariants(std::vector<std::uint16_t>& labels, const std::map<char16_t, std::vector<char16_t>>& forms);

}  // namespace lexidrop::variants
