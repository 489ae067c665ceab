#include "engine/dicgen/variant_kanji.h"

#include <iconv.h>

#include <array>
#include <cstdlib>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>

namespace lexidrop::variants {
namespace {

// The UTF-16 unit of each double-byte code of code page 932 with a lead byte
// in [first, last].
std::set<char16_t> Cp932Kanji(unsigned char first, unsigned char last)
{
    std::unique_ptr<void, int (*)(iconv_t)> cd(iconv_open("UTF-16LE", "CP932"), iconv_close);
    if (cd.get() == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no CP932 converter");
    std::set<char16_t> out;
    for (unsigned lead = first; lead <= last; ++lead)
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            if (trail == 0x7F) continue;
            std::array<char, 2> in{static_cast<char>(lead), static_cast<char>(trail)};
            std::array<char, 8> unit{};
            char* from = in.data();
            char* to = unit.data();
            std::size_t inLeft = in.size(), outLeft = unit.size();
            if (iconv(cd.get(), &from, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1)) continue;
            if (unit.size() - outLeft == 2)
                out.insert(static_cast<char16_t>(static_cast<unsigned char>(unit[0]) |
                                                 static_cast<unsigned char>(unit[1]) << 8));
        }
    return out;
}

// "U+9AD8" (and "U+9AD8<kSource" in variant lists) as a BMP unit; 0 otherwise.
char16_t CodePoint(std::string_view field)
{
    if (!field.starts_with("U+")) return 0;
    const std::string hex(field.substr(2, field.find('<') == field.npos ? field.npos : field.find('<') - 2));
    const unsigned long v = std::strtoul(hex.c_str(), nullptr, 16);
    return v > 0 && v <= 0xFFFF ? static_cast<char16_t>(v) : 0;
}

}  // namespace

std::map<char16_t, std::vector<char16_t>> OrdinaryForms(std::string_view unihanVariants)
{
    const std::set<char16_t> extension = [] {
        std::set<char16_t> s = Cp932Kanji(0xED, 0xEE);
        s.merge(Cp932Kanji(0xFA, 0xFC));
        return s;
    }();
    std::set<char16_t> standard = Cp932Kanji(0x88, 0x9F);
    standard.merge(Cp932Kanji(0xE0, 0xEA));
    constexpr std::array<std::string_view, 5> kFields = {"kCompatibilityVariant", "kZVariant", "kSemanticVariant",
                                                         "kSpecializedSemanticVariant", "kSpoofingVariant"};
    // Candidates per extension kanji by rank (a dictionary's z-variant mark,
    // then the field); a relation listed under either character counts for both.
    std::map<char16_t, std::array<std::vector<char16_t>, kFields.size() + 1>> candidates;
    for (std::size_t at = 0; at < unihanVariants.size();) {
        std::size_t end = unihanVariants.find('\n', at);
        if (end == unihanVariants.npos) end = unihanVariants.size();
        const std::string_view line = unihanVariants.substr(at, end - at);
        at = end + 1;
        const std::size_t tab1 = line.find('\t'), tab2 = line.find('\t', tab1 + 1);
        if (line.empty() || line[0] == '#' || tab2 == line.npos) continue;
        const std::string_view field = line.substr(tab1 + 1, tab2 - tab1 - 1);
        std::size_t kind = 0;
        while (kind < kFields.size() && kFields[kind] != field) ++kind;
        if (kind == kFields.size()) continue;
        const char16_t self = CodePoint(line.substr(0, tab1));
        std::string_view list = line.substr(tab2 + 1);
        while (!list.empty()) {
            const std::size_t space = list.find(' ');
            const std::string_view item = list.substr(0, space);
            const char16_t other = CodePoint(item);
            const std::size_t rank = item.find(":Z") != item.npos ? 0 : kind + 1;
            if (extension.count(self) && standard.count(other)) candidates[self][rank].push_back(other);
            if (extension.count(other) && standard.count(self)) candidates[other][rank].push_back(self);
            if (space == list.npos) break;
            list.remove_prefix(space + 1);
        }
    }
    std::map<char16_t, std::vector<char16_t>> out;
    for (const auto& [variant, byRank] : candidates)
        for (const auto& list : byRank) out[variant].insert(out[variant].end(), list.begin(), list.end());
    return out;
}

void AliasVariants(std::vector<std::uint16_t>& labels, const std::map<char16_t, std::vector<char16_t>>& forms)
{
    for (const auto& [variant, ordinary] : forms) {
        for (char16_t c : ordinary)
            if (labels[c] != 0) {
                labels[variant] = labels[c];
                break;
            }
    }
}

}  // namespace lexidrop::variants
