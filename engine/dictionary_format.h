// Binary layout of Lexidrop.dic, shared by the dictionary compiler and the
// loader. All integers are little-endian; the sections follow the header in
// order, each padded to a 4-byte boundary. The loader checks every field
// before it uses it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexidrop::dic {

inline constexpr char kMagic[8] = {'L', 'X', 'D', 'R', 'D', 'I', 'C', '\x1a'};
inline constexpr std::uint32_t kVersion = 6;

enum Section : std::uint32_t {
    kCharCodes,   // u16[65536]: UTF-16 code unit -> trie label (0: never in a word)
    kCharInfo,    // u32[65536]: character category bits 0..23, default category 24..31
    kCategories,  // CategoryRecord[categoryCount]
    kTrie,        // TrieCell[]: double array over the labels
    kEntries,     // EntryRecord[entryCount]: dictionary words, then unknown-word entries
    kReadings,    // u8[]: reading pool (see EncodeReading)
    kMatrix,  // i16[rightSize][leftSize]: connection cost by following word's left id, then preceding word's
              // right id
    kWordClasses,   // u8[rightSize]: WordClass of each left context id
    kEntryClasses,  // u8[entryCount]: EntryClass bits of each entry (0 for unknown-word entries)
    kAloneTrie,     // TrieCell[]: double array over the labels of the words read only alone (kWordAlone),
                    // apart so that the analysis never walks it
    kSectionCount
};

// What a word is, as far as readings care; one per left context id (the
// context ids stand for parts of speech).
enum WordClass : std::uint8_t {
    kOrdinary = 0,
    kNumeral = 1,     // a number: 三, 百, a run of digits
    kProperNoun = 2,  // a person's or a place's name
    kWordPart = 3,    // an inflected form that needs the rest of its word: 上る's のぼ
};

// What one entry is, beyond its part of speech: bits, any number of them.
enum EntryClass : std::uint8_t {
    kSurname = 1,
    kGivenName = 2,
    kPlace = 4,
    kNameSuffix = 8,        // さん 様 氏 君 くん ちゃん 先生 殿 after a name
    kFallbackReading = 16,  // a last-resort reading of a single kanji that no lexicon has
    kCompoundReading = 32,  // maybe only a compound's: a second lexicon's reading of a known spelling
                            // (国 ぐに), or a suffix's voiced sound beside the plain one (箱 ばこ)
    kProperName = 64,       // a proper noun of any kind: a person, place, organisation or thing
    kWordAlone = 128,       // a writing read only as the whole text: 其れ それ, 兎に角 とにかく
};

struct SectionRecord {
    std::uint32_t offset;
    std::uint32_t size;
};

struct Header {
    char magic[8];
    std::uint32_t version;
    std::uint32_t fileSize;
    std::uint32_t leftSize;    // number of right-context ids of a preceding word
    std::uint32_t rightSize;   // number of left-context ids of a following word
    std::uint32_t entryCount;  // all entries
    std::uint32_t knownCount;  // dictionary words; entries from here on are unknown-word entries
    std::uint32_t categoryCount;
    std::uint32_t spaceCategory;  // category whose characters are skipped before a word
    SectionRecord sections[kSectionCount];
};

struct CategoryRecord {
    std::uint32_t firstEntry;  // unknown-word entries of this category
    std::uint32_t entryCount;
    std::uint8_t invoke;  // try unknown words even where dictionary words start
    std::uint8_t group;   // make one unknown word of a whole run of this category
    std::uint8_t length;  // also make unknown words of 1..length characters
    std::uint8_t reserved;
};

struct TrieCell {
    // Child of label c sits at base + c (label 0: the cell holding the value of
    // the word that ends here). A negative base marks a word with no longer
    // continuation: its value is -base - 1. In a label-0 cell, base is the value.
    std::int32_t base;
    // Parent cell (the low 31 bits), or -1 when free. The top bit marks a cell
    // with a word ending at it, so that a lookup reads the label-0 cell only
    // where there is one.
    std::int32_t check;
};
inline constexpr std::uint32_t kWordEndsHere = 1u << 31;
inline constexpr std::uint32_t kParentMask = kWordEndsHere - 1;

struct EntryRecord {
    std::uint16_t leftId;
    std::uint16_t rightId;
    std::int16_t cost;
    // Reading: byte offset into the pool (26 bits) and byte length (6 bits,
    // 0 for unknown-word entries), split over two 16-bit halves.
    std::uint16_t readingLow;
    std::uint16_t readingHigh;

    std::uint32_t ReadingOffset() const
    {
        return readingLow | (static_cast<std::uint32_t>(readingHigh & 0x3FF) << 16);
    }
    std::uint32_t ReadingLength() const { return readingHigh >> 10; }
};

inline constexpr std::uint32_t kMaxReadingOffset = (1u << 26) - 1;
inline constexpr std::uint32_t kMaxReadingLength = 63;

// A terminal trie cell's value: the first entry of the word and the number of
// entries (parts of speech, readings) that share its spelling.
inline constexpr int kValueCountBits = 10;
inline constexpr std::uint32_t kValueCountMask = (1u << kValueCountBits) - 1;
inline constexpr std::uint32_t kCategoryMaskBits = 24;

static_assert(sizeof(Header) == 40 + 8 * kSectionCount);
static_assert(sizeof(EntryRecord) == 10);
static_assert(sizeof(TrieCell) == 8);
static_assert(sizeof(CategoryRecord) == 12);

// Readings are nearly all hiragana, so the pool stores them one byte per
// character: 0x01..0x5F stand for U+3041..U+309F, 0x60 for the long-vowel
// mark U+30FC, and 0xFF introduces any other UTF-16 unit (two bytes, little
// endian).
inline constexpr std::uint8_t kReadingEscape = 0xFF;

inline void EncodeReading(std::u16string_view reading, std::vector<std::uint8_t>& out)
{
    for (char16_t c : reading) {
        if (c >= u'\u3041' && c <= u'\u309F') {
            out.push_back(static_cast<std::uint8_t>(c - 0x3040));
        } else if (c == u'\u30FC') {
            out.push_back(0x60);
        } else {
            out.push_back(kReadingEscape);
            out.push_back(static_cast<std::uint8_t>(c & 0xFF));
            out.push_back(static_cast<std::uint8_t>(c >> 8));
        }
    }
}

// Appends the decoded reading; false when the bytes are not a valid encoding.
inline bool DecodeReading(const std::uint8_t* p, std::size_t n, std::u16string& out)
{
    out.reserve(out.size() + n);
    for (std::size_t i = 0; i < n; ++i) {
        std::uint8_t b = p[i];
        if (b >= 0x01 && b <= 0x5F) {
            out.push_back(static_cast<char16_t>(0x3040 + b));
        } else if (b == 0x60) {
            out.push_back(u'\u30FC');
        } else if (b == kReadingEscape && n - i > 2) {
            out.push_back(static_cast<char16_t>(p[i + 1] | (p[i + 2] << 8)));
            i += 2;
        } else {
            return false;
        }
    }
    return true;
}

}  // namespace lexidrop::dic
