// Read-only view of a compiled Lexidrop.dic. Every header field, section
// bound and small table is checked when the view is made; trie cells, word
// records and readings are checked where they are used, so a damaged file
// yields wrong or no words, never a bad access.
#pragma once

#include "engine/dictionary_format.h"
#include "engine/file_mapping.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lexidrop {

class Dictionary {
public:
    // Most unknown words a category may make at one text position (its entries
    // times the word lengths it tries). Each becomes a lattice node whose left
    // neighbours are searched, so this bounds the work per character; a file
    // over it is refused. IPADIC's categories make at most a few dozen.
    static constexpr std::uint64_t kMostUnknownWordsPerPosition = 1024;
    // Unknown words `category` makes at one position.
    static std::uint64_t UnknownWordsPerPosition(const dic::CategoryRecord& category)
    {
        const std::uint64_t lengths = std::uint64_t{category.length} + (category.group ? 1 : 0);
        return category.entryCount * (lengths == 0 ? 1 : lengths);
    }

    // Checks and keeps a mapped file (MapFile); null when there is none or it is not a valid dictionary.
    static std::unique_ptr<Dictionary> Open(std::unique_ptr<FileMapping> mapping);
    // Checks bytes the caller keeps alive (4-byte aligned); null when invalid.
    static std::unique_ptr<Dictionary> FromMemory(const unsigned char* data, std::size_t size);

    std::uint32_t CharInfo(char16_t c) const { return charInfo_[c]; }
    static std::uint32_t DefaultCategory(std::uint32_t info) { return info >> dic::kCategoryMaskBits; }
    static std::uint32_t CategoryMask(std::uint32_t info)
    {
        return info & ((1u << dic::kCategoryMaskBits) - 1);
    }
    std::uint32_t SpaceMask() const { return 1u << header_.spaceCategory; }
    const dic::CategoryRecord& Category(std::uint32_t id) const { return categories_[id]; }

    // id must be below the entry count (the trie's values and the categories'
    // ranges are checked to be); the record itself is checked by UsableEntry.
    const dic::EntryRecord& Entry(std::uint32_t id) const { return entries_[id]; }
    // Whether the entry's context ids lie inside the connection matrix.
    bool UsableEntry(const dic::EntryRecord& e) const
    {
        return e.leftId < header_.rightSize && e.rightId < header_.leftSize;
    }
    std::uint32_t KnownCount() const { return header_.knownCount; }
    // The class of words with this left context id (checked by UsableEntry).
    dic::WordClass Class(const dic::EntryRecord& e) const
    {
        return static_cast<dic::WordClass>(wordClasses_[e.leftId]);
    }

    // The entry's EntryClass bits (0 for unknown-word entries).
    std::uint8_t EntryClasses(std::uint32_t entry) const
    {
        return entry < header_.entryCount ? entryClasses_[entry] : 0;
    }

    int ConnectionCost(std::uint32_t previousRight, std::uint32_t nextLeft) const
    {
        return matrix_[nextLeft * header_.leftSize + previousRight];
    }
    // The costs of all preceding right ids before a word with this left id
    // (below LeftIdCount), indexed by right id (below RightIdCount).
    const std::int16_t* ConnectionCosts(std::uint32_t nextLeft) const
    {
        return matrix_ + std::size_t{nextLeft} * header_.leftSize;
    }
    std::uint32_t LeftIdCount() const { return header_.rightSize; }
    std::uint32_t RightIdCount() const { return header_.leftSize; }

    // Asks the processor to fetch the entry's record ahead of its use.
    void PrefetchEntries(std::uint32_t id) const { __builtin_prefetch(entries_ + id); }

    // Appends the entry's reading (hiragana); false when it has none.
    bool AppendReading(const dic::EntryRecord& entry, std::u16string& out) const;

    // The readings of the entries spelt like the whole text, in the
    // dictionary's order, each once: the words read only alone, or every entry.
    enum class Spelt { kAloneOnly, kAny };
    std::vector<std::u16string> ReadingsSpelt(std::u16string_view text, Spelt which) const;
    // The entries spelt like the whole text, in the dictionary's order (not
    // the words read only alone).
    std::vector<std::uint32_t> EntriesSpelt(std::u16string_view text) const;

    // Calls found(length, firstEntry, entryCount) for every dictionary word that
    // starts text[0..length), shortest first.
    template <typename Found>
    void CommonPrefixSearch(const char16_t* text, std::size_t length, Found&& found) const
    {
        Search(trie_, trieSize_, text, length, found);
    }
    // The same over the words read only where they are the whole text
    // (dic::kWordAlone), which the analysis never reads.
    template <typename Found>
    void CommonPrefixSearchAlone(const char16_t* text, std::size_t length, Found&& found) const
    {
        Search(aloneTrie_, aloneTrieSize_, text, length, found);
    }

private:
    Dictionary() = default;
    bool Check(const unsigned char* data, std::size_t size);

    template <typename Found>
    void Search(const dic::TrieCell* trie, std::int64_t size, const char16_t* text, std::size_t length,
                Found& found) const
    {
        std::uint32_t state = 0;
        std::int32_t base = trie[0].base;
        std::uint32_t label = length > 0 ? charCodes_[text[0]] : 0;
        for (std::size_t i = 0; i < length; ++i) {
            if (label == 0) return;
            std::int64_t next = static_cast<std::int64_t>(base) + label;
            if (base < 0 || next >= size || Parent(trie[next]) != state) return;
            state = static_cast<std::uint32_t>(next);
            const dic::TrieCell cell = trie[state];
            base = cell.base;
            if (base < 0) {  // a word with no longer continuation
                Report(static_cast<std::uint32_t>(-(static_cast<std::int64_t>(base) + 1)), i + 1, found);
                return;
            }
            // The next character's cell is fetched while this one's word cell
            // (label 0) is read: the two are far apart in a large trie.
            label = i + 1 < length ? charCodes_[text[i + 1]] : 0;
            __builtin_prefetch(trie + std::min<std::int64_t>(std::int64_t{base} + label, size - 1));
            if ((static_cast<std::uint32_t>(cell.check) & dic::kWordEndsHere) && base < size &&
                Parent(trie[base]) == state)
                Report(static_cast<std::uint32_t>(trie[base].base), i + 1, found);
        }
    }

    static std::uint32_t Parent(const dic::TrieCell& cell)
    {
        return static_cast<std::uint32_t>(cell.check) & dic::kParentMask;
    }

    template <typename Found>
    void Report(std::uint32_t value, std::size_t length, Found& found) const
    {
        std::uint32_t first = value >> dic::kValueCountBits;
        std::uint32_t count = value & dic::kValueCountMask;
        if (count != 0 && first <= header_.knownCount && count <= header_.knownCount - first)
            found(length, first, count);
    }

    std::unique_ptr<FileMapping> mapping_;
    dic::Header header_{};
    const std::uint16_t* charCodes_ = nullptr;
    const std::uint32_t* charInfo_ = nullptr;
    const dic::CategoryRecord* categories_ = nullptr;
    const dic::TrieCell* trie_ = nullptr;
    std::int64_t trieSize_ = 0;
    const dic::TrieCell* aloneTrie_ = nullptr;
    std::int64_t aloneTrieSize_ = 0;
    const dic::EntryRecord* entries_ = nullptr;
    const std::uint8_t* readings_ = nullptr;
    std::size_t readingsSize_ = 0;
    const std::int16_t* matrix_ = nullptr;
    const std::uint8_t* wordClasses_ = nullptr;
    const std::uint8_t* entryClasses_ = nullptr;
};

// The dictionary file to use in `folder` (ending in a path separator): the
// optional Lexidrop-EDICT.dic when it is there and valid, else Lexidrop.dic.
std::string DictionaryFileIn(const std::string& folder);

}  // namespace lexidrop
