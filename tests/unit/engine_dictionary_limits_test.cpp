// Well-formed but adversarial dictionaries: category layouts that would make
// one text position cost without bound are refused; the shipped dictionary
// stays far inside the bound.
#include "engine/dictionary.h"
#include "engine/reading_engine.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <vector>

namespace lexidrop {
namespace {

struct CategoryLayout {
    std::uint32_t entries;
    std::uint8_t length;
    std::uint8_t group;
    bool accepted;
};

// A dictionary without known words whose default category makes unknown
// words as `layout` says; ' ' is the space category. 4-byte aligned words.
std::vector<std::uint32_t> UnknownOnlyDictionary(const CategoryLayout& layout)
{
    using namespace dic;
    std::vector<unsigned char> bytes(sizeof(Header));
    Header h{};
    std::memcpy(h.magic, kMagic, sizeof h.magic);
    h.version = kVersion;
    h.leftSize = h.rightSize = 1;
    h.entryCount = layout.entries + 1;
    h.knownCount = 0;
    h.categoryCount = 2;
    h.spaceCategory = 1;
    auto section = [&](Section s, const void* data, std::size_t size) {
        h.sections[s] = {static_cast<std::uint32_t>(bytes.size()), static_cast<std::uint32_t>(size)};
        const auto* p = static_cast<const unsigned char*>(data);
        bytes.insert(bytes.end(), p, p + size);
        bytes.resize((bytes.size() + 3) / 4 * 4, 0);
    };
    const std::vector<std::uint16_t> codes(65536, 0);  // no character starts a known word
    std::vector<std::uint32_t> info(65536, 1u);        // category 0
    info[' '] = 2u | (1u << kCategoryMaskBits);
    const CategoryRecord categories[2] = {{0, layout.entries, 1, layout.group, layout.length, 0},
                                          {layout.entries, 1, 0, 0, 1, 0}};
    const TrieCell trie{0, -1};
    std::vector<EntryRecord> entries(h.entryCount, EntryRecord{0, 0, 100, 0, 0});
    const std::int16_t matrix[1] = {0};
    const std::uint8_t wordClasses[1] = {kOrdinary};
    const std::vector<std::uint8_t> entryClasses(h.entryCount, 0);
    section(kCharCodes, codes.data(), codes.size() * 2);
    section(kCharInfo, info.data(), info.size() * 4);
    section(kCategories, categories, sizeof categories);
    section(kTrie, &trie, sizeof trie);
    section(kEntries, entries.data(), entries.size() * sizeof(EntryRecord));
    section(kReadings, nullptr, 0);
    section(kMatrix, matrix, sizeof matrix);
    section(kWordClasses, wordClasses, sizeof wordClasses);
    section(kEntryClasses, entryClasses.data(), entryClasses.size());
    section(kAloneTrie, &trie, sizeof trie);
    h.fileSize = static_cast<std::uint32_t>(bytes.size());
    std::memcpy(bytes.data(), &h, sizeof h);
    std::vector<std::uint32_t> words(bytes.size() / 4);
    std::memcpy(words.data(), bytes.data(), bytes.size());
    return words;
}

TEST(DictionaryLimits, CategoryLayoutsBeyondTheBoundAreRefused)
{
    const CategoryLayout layouts[] = {
        {3, 2, 1, true},          // an ordinary category
        {1024, 0, 0, true},       // one word per entry: exactly the bound
        {512, 1, 1, true},        // two lengths
        {1025, 0, 0, false},      // one entry over
        {512, 2, 1, false},       // three lengths over
        {5, 255, 0, false},       // few entries, every length up to 255
        {200000, 255, 1, false},  // the whole entry table, at every length
        {300000, 0, 0, false},    // entries far past the bound
    };
    for (const CategoryLayout& layout : layouts) {
        const auto words = UnknownOnlyDictionary(layout);
        auto dictionary =
            Dictionary::FromMemory(reinterpret_cast<const unsigned char*>(words.data()), words.size() * 4);
        EXPECT_EQ(dictionary != nullptr, layout.accepted)
            << layout.entries << " entries, length " << int{layout.length} << ", group " << int{layout.group};
        if (!dictionary) continue;
        ReadingEngine engine(*dictionary);
        // Every character is an unknown word read as itself.
        EXPECT_EQ(engine.BestReading(u"abcdefghij"), u"abcdefghij");
    }
}

TEST(DictionaryLimits, ShippedDictionaryStaysFarInsideTheBound)
{
    std::ifstream in(LEXIDROP_DICTIONARY, std::ios::binary);
    std::string data(std::istreambuf_iterator<char>(in), {});
    ASSERT_GE(data.size(), sizeof(dic::Header));
    dic::Header h;
    std::memcpy(&h, data.data(), sizeof h);
    const auto& dictionary = test::BuiltDictionary();
    for (std::uint32_t c = 0; c < h.categoryCount; ++c)
        EXPECT_LE(Dictionary::UnknownWordsPerPosition(dictionary.Category(c)) * 8,
                  Dictionary::kMostUnknownWordsPerPosition)
            << "category " << c;
}

}  // namespace
}  // namespace lexidrop
