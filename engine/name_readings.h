// Readings of a text that is a name by itself: a surname, a given name, a
// place, or a surname and a given name (with or without a space between),
// optionally followed by one form of address (さん, 様, 氏, 君, くん, ちゃん,
// 先生, 殿), or any other proper noun that is the whole text (錦糸町). Such a
// text is read from the lexicon's name entries directly, cheapest first,
// where the analysis of ordinary text would keep a name's reading out (博
// ひろし) or prefer a word's (陽子 ようし).
#pragma once

#include "engine/dictionary.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexidrop {

struct NamePart {
    std::size_t begin, end;  // in the text
    std::uint32_t entry;
    std::u16string reading;
};

struct NameReading {
    std::vector<NamePart> parts;  // in order; what lies between them is read as typed
    std::int64_t cost;            // the entries' and their connections' costs
    std::size_t nameEnd;          // where the name ends (a form of address may follow)
};

struct NameAlone {
    std::vector<NameReading> readings;  // likeliest first, each reading once; empty: not a name
    std::int64_t cheapest = 0;          // the least cost of any reading as a name
    // When the name is also spelt like an ordinary word (一行, 源氏): the
    // reading as that word (its cheapest entry), which comes first.
    std::optional<NameReading> word;
    // The readings of every dictionary entry spelt like the whole text.
    std::vector<std::u16string> wholeSpelling;
};

// At most `most` readings of `text` as a name alone.
NameAlone ReadAsName(const Dictionary& dic, std::u16string_view text, std::size_t most);

// The reading as a whole: the parts' readings with what lies between them.
std::u16string JoinedReading(std::u16string_view text, const NameReading& reading);

// A candidate list (at most `most`) with the name's likelier readings first
// and its rarer ones (more than kDearNameMargin above the likeliest) last;
// when the text is also an ordinary word, the word's readings keep their
// places after its first and the cheapest name reading is among the first
// five. A text that is one name as a whole keeps no reading of the text cut
// into other words (錦糸町 きんしまち, 御徒町 おかちちょう).
std::vector<std::u16string> WithNameReadings(std::u16string_view text, const NameAlone& name,
                                             std::vector<std::u16string> list, std::size_t most);

}  // namespace lexidrop
