#include "engine/dictionary.h"

#include <algorithm>
#include <cstring>

namespace lexidrop {

std::unique_ptr<Dictionary> Dictionary::Open(std::unique_ptr<FileMapping> mapping)
{
    if (!mapping) return nullptr;
    std::unique_ptr<Dictionary> d(new Dictionary);
    if (!d->Check(mapping->Data(), mapping->Size())) return nullptr;
    d->mapping_ = std::move(mapping);
    return d;
}

std::unique_ptr<Dictionary> Dictionary::FromMemory(const unsigned char* data, std::size_t size)
{
    std::unique_ptr<Dictionary> d(new Dictionary);
    if (!d->Check(data, size)) return nullptr;
    return d;
}

bool Dictionary::Check(const unsigned char* data, std::size_t size)
{
    using namespace dic;
    if (!data || reinterpret_cast<std::uintptr_t>(data) % 4 != 0 || size < sizeof(Header)) return false;
    std::memcpy(&header_, data, sizeof header_);
    const Header& h = header_;
    if (std::memcmp(h.magic, kMagic, sizeof h.magic) != 0 || h.version != kVersion || h.fileSize != size)
        return false;
    if (h.leftSize == 0 || h.rightSize == 0 || h.leftSize > 0xFFFF || h.rightSize > 0xFFFF) return false;
    if (h.categoryCount == 0 || h.categoryCount > kCategoryMaskBits || h.spaceCategory >= h.categoryCount)
        return false;
    if (h.knownCount > h.entryCount) return false;

    // Sections follow one another in order, each padded to 4 bytes, and the
    // last one ends the file.
    std::uint64_t expected = sizeof(Header);
    for (const SectionRecord& s : h.sections) {
        if (s.offset != expected) return false;
        expected = (std::uint64_t{s.offset} + s.size + 3) / 4 * 4;
    }
    if (expected != size) return false;
    auto sized = [&](Section s, std::uint64_t bytes) { return h.sections[s].size == bytes; };
    if (!sized(kCharCodes, 65536 * 2) || !sized(kCharInfo, 65536 * 4) ||
        !sized(kCategories, std::uint64_t{h.categoryCount} * sizeof(CategoryRecord)) ||
        !sized(kEntries, std::uint64_t{h.entryCount} * sizeof(EntryRecord)) ||
        !sized(kMatrix, std::uint64_t{h.leftSize} * h.rightSize * 2) || !sized(kWordClasses, h.rightSize) ||
        !sized(kEntryClasses, h.entryCount))
        return false;
    const auto trieBytes = h.sections[kTrie].size, aloneTrieBytes = h.sections[kAloneTrie].size;
    for (const auto bytes : {trieBytes, aloneTrieBytes})
        if (bytes < sizeof(TrieCell) || bytes % sizeof(TrieCell) != 0) return false;

    auto at = [&](Section s) { return data + h.sections[s].offset; };
    charCodes_ = reinterpret_cast<const std::uint16_t*>(at(kCharCodes));
    charInfo_ = reinterpret_cast<const std::uint32_t*>(at(kCharInfo));
    categories_ = reinterpret_cast<const CategoryRecord*>(at(kCategories));
    trie_ = reinterpret_cast<const TrieCell*>(at(kTrie));
    trieSize_ = trieBytes / sizeof(TrieCell);
    aloneTrie_ = reinterpret_cast<const TrieCell*>(at(kAloneTrie));
    aloneTrieSize_ = aloneTrieBytes / sizeof(TrieCell);
    entries_ = reinterpret_cast<const EntryRecord*>(at(kEntries));
    readings_ = at(kReadings);
    readingsSize_ = h.sections[kReadings].size;
    matrix_ = reinterpret_cast<const std::int16_t*>(at(kMatrix));
    wordClasses_ = at(kWordClasses);
    entryClasses_ = at(kEntryClasses);

    const std::uint32_t allCategories = (1u << h.categoryCount) - 1;
    for (std::uint32_t c = 0; c < 65536; ++c) {
        std::uint32_t info = charInfo_[c];
        if (DefaultCategory(info) >= h.categoryCount || (CategoryMask(info) & ~allCategories) != 0 ||
            (CategoryMask(info) & (1u << DefaultCategory(info))) == 0)
            return false;
    }
    for (std::uint32_t i = 0; i < h.categoryCount; ++i) {
        const CategoryRecord& c = categories_[i];
        if (c.firstEntry < h.knownCount || c.firstEntry > h.entryCount ||
            c.entryCount > h.entryCount - c.firstEntry ||
            UnknownWordsPerPosition(c) > kMostUnknownWordsPerPosition)
            return false;
    }
    // Unknown-word entries carry no classes.
    for (std::uint32_t e = h.knownCount; e < h.entryCount; ++e)
        if (entryClasses_[e] != 0) return false;
    // Entries and trie cells are checked where they are used (UsableEntry,
    // AppendReading, CommonPrefixSearch): opening stays cheap and touches only
    // the small tables.
    return true;
}

bool Dictionary::AppendReading(const dic::EntryRecord& entry, std::u16string& out) const
{
    std::uint32_t length = entry.ReadingLength();
    if (length == 0 || static_cast<std::uint64_t>(entry.ReadingOffset()) + length > readingsSize_)
        return false;
    std::size_t before = out.size();
    if (!dic::DecodeReading(readings_ + entry.ReadingOffset(), length, out)) {
        out.resize(before);
        return false;
    }
    return true;
}

std::vector<std::u16string> Dictionary::ReadingsSpelt(std::u16string_view text, Spelt which) const
{
    std::vector<std::u16string> out;
    auto found = [&](std::size_t length, std::uint32_t first, std::uint32_t count) {
        if (length != text.size()) return;
        for (std::uint32_t e = first; e < first + count; ++e) {
            std::u16string reading;
            if (AppendReading(Entry(e), reading) && std::find(out.begin(), out.end(), reading) == out.end())
                out.push_back(std::move(reading));
        }
    };
    if (which == Spelt::kAny) CommonPrefixSearch(text.data(), text.size(), found);
    CommonPrefixSearchAlone(text.data(), text.size(), found);
    return out;
}

std::vector<std::uint32_t> Dictionary::EntriesSpelt(std::u16string_view text) const
{
    std::vector<std::uint32_t> out;
    CommonPrefixSearch(text.data(), text.size(), [&](std::size_t length, std::uint32_t first, std::uint32_t count) {
        for (std::uint32_t e = first; length == text.size() && e < first + count; ++e) out.push_back(e);
    });
    return out;
}

std::string DictionaryFileIn(const std::string& folder)
{
    const std::string optional = folder + "Lexidrop-EDICT.dic";
    if (Dictionary::Open(MapFile(optional))) return optional;
    return folder + "Lexidrop.dic";
}

}  // namespace lexidrop
