// The dictionary loader refuses damaged files, and whatever it accepts can be
// searched without leaving the file.
#include "engine/dictionary.h"
#include "engine/reading_engine.h"
#include "engine_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

namespace lexidrop {
namespace {

// The built dictionary's bytes in 4-byte aligned memory.
std::vector<std::uint32_t> DictionaryWords()
{
    std::ifstream in(LEXIDROP_DICTIONARY, std::ios::binary);
    std::string data(std::istreambuf_iterator<char>(in), {});
    std::vector<std::uint32_t> words((data.size() + 3) / 4, 0);
    std::memcpy(words.data(), data.data(), data.size());
    words.resize(data.size() / 4);  // the compiler pads every section to 4 bytes
    return words;
}

const unsigned char* Bytes(const std::vector<std::uint32_t>& w)
{
    return reinterpret_cast<const unsigned char*>(w.data());
}

TEST(Dictionary, BuiltFileIsAccepted)
{
    auto words = DictionaryWords();
    EXPECT_NE(Dictionary::FromMemory(Bytes(words), words.size() * 4), nullptr);
    EXPECT_EQ(Dictionary::Open(MapFile("/nonexistent/Lexidrop.dic")), nullptr);
}

TEST(Dictionary, TruncatedOrMisalignedFilesAreRejected)
{
    auto words = DictionaryWords();
    const std::size_t size = words.size() * 4;
    for (std::size_t cut :
         {std::size_t{0}, std::size_t{3}, std::size_t{39}, std::size_t{95}, size / 3, size - 1})
        EXPECT_EQ(Dictionary::FromMemory(Bytes(words), cut), nullptr) << cut;
    std::vector<std::uint32_t> shifted(words.size() + 1, 0);
    std::memcpy(reinterpret_cast<unsigned char*>(shifted.data()) + 1, words.data(), size);
    EXPECT_EQ(Dictionary::FromMemory(reinterpret_cast<const unsigned char*>(shifted.data()) + 1, size),
              nullptr);
}

TEST(Dictionary, DamagedHeaderFieldsAreRejected)
{
    const auto good = DictionaryWords();
    // Every 32-bit header field (magic, version, size, ids, counts, section table)
    // changed in a way that breaks it.
    for (std::size_t field = 0; field < sizeof(dic::Header) / 4; ++field) {
        if (field >= 6 && field <= 9) continue;  // counts: checked below
        for (std::uint32_t bad : {0xFFFFFFF0u, 0x7FFFFFFFu, 1u}) {
            auto words = good;
            if (words[field] == bad) continue;
            words[field] = bad;
            EXPECT_EQ(Dictionary::FromMemory(Bytes(words), words.size() * 4), nullptr) << field << " " << bad;
        }
    }
    for (std::size_t field : {6, 7, 8, 9}) {  // entry, known, category counts and the space category
        auto words = good;
        words[field] += 1000;
        EXPECT_EQ(Dictionary::FromMemory(Bytes(words), words.size() * 4), nullptr) << field;
    }
}

TEST(Dictionary, DamagedRecordsAreRejectedOrHarmless)
{
    const auto good = DictionaryWords();
    dic::Header h;
    std::memcpy(&h, good.data(), sizeof h);
    // A context id beyond the matrix, a reading beyond the pool, a trie cell
    // pointing far away: opened (records are checked where used), and harmless.
    {
        auto words = good;
        auto* base = reinterpret_cast<unsigned char*>(words.data());
        auto* entries = reinterpret_cast<dic::EntryRecord*>(base + h.sections[dic::kEntries].offset);
        auto* cells = reinterpret_cast<dic::TrieCell*>(base + h.sections[dic::kTrie].offset);
        for (std::uint32_t i = 0; i < h.knownCount; i += 3)
            entries[i].leftId = static_cast<std::uint16_t>(h.rightSize);
        for (std::uint32_t i = 1; i < h.knownCount; i += 3) entries[i].readingHigh = 0xFFFF;
        for (std::size_t i = 0; i < h.sections[dic::kTrie].size / sizeof(dic::TrieCell); i += 5) {
            cells[i].base = 0x7FFFFF00;
            cells[i + 1].check = -0x7FFFFFFF;
        }
        auto dictionary = Dictionary::FromMemory(Bytes(words), words.size() * 4);
        ASSERT_NE(dictionary, nullptr);
        ReadingEngine engine(*dictionary);
        EXPECT_FALSE(engine.Readings(u"今日は良い天気です。東京都の市場", 20).empty());
    }
    // A category's unknown-word entries beyond the entry table: refused.
    {
        auto words = good;
        auto* categories = reinterpret_cast<dic::CategoryRecord*>(
            reinterpret_cast<unsigned char*>(words.data()) + h.sections[dic::kCategories].offset);
        categories[2].entryCount = h.entryCount;
        EXPECT_EQ(Dictionary::FromMemory(Bytes(words), words.size() * 4), nullptr);
    }
    // Classes on an unknown-word entry: refused.
    {
        auto words = good;
        reinterpret_cast<unsigned char*>(words.data())[h.sections[dic::kEntryClasses].offset + h.knownCount] =
            dic::kSurname;
        EXPECT_EQ(Dictionary::FromMemory(Bytes(words), words.size() * 4), nullptr);
    }
    // Random bit flips anywhere: the file is refused, or every search and
    // analysis stays inside it (AddressSanitizer runs catch the rest).
    std::mt19937 random(2026);
    int accepted = 0;
    for (int round = 0; round < 40; ++round) {
        auto words = good;
        for (int flip = 0; flip < 8; ++flip) {
            std::size_t bit = random() % (words.size() * 32);
            words[bit / 32] ^= 1u << (bit % 32);
        }
        auto dictionary = Dictionary::FromMemory(Bytes(words), words.size() * 4);
        if (!dictionary) continue;
        ++accepted;
        ReadingEngine engine(*dictionary);
        for (const char16_t* text :
             {u"今日は良い天気です", u"ｶﾞｲﾄﾞ 2026年 ABC", u"東京都の市場に行きました。"}) {
            auto readings = engine.Readings(text, 20);
            EXPECT_FALSE(readings.empty());
        }
    }
    EXPECT_GT(accepted, 0);  // flips in word data are not all detectable, and need not be
}

// The classes of the entries of a spelling, all together.
std::uint8_t ClassesOf(const Dictionary& dic, std::u16string_view word)
{
    std::uint8_t classes = 0;
    dic.CommonPrefixSearch(word.data(), word.size(),
                           [&](std::size_t length, std::uint32_t first, std::uint32_t n) {
                               if (length != word.size()) return;
                               for (std::uint32_t e = first; e < first + n; ++e)
                                   classes |= dic.EntryClasses(e);
                           });
    return classes;
}

TEST(Dictionary, EntriesCarryNameClasses)
{
    const Dictionary& dic = test::BuiltDictionary();
    const struct {
        std::u16string_view word;
        std::uint8_t classes;
    } cases[] = {
        {u"佐藤", dic::kSurname},    {u"太郎", dic::kGivenName},  {u"札幌", dic::kPlace},
        {u"さん", dic::kNameSuffix}, {u"先生", dic::kNameSuffix},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClassesOf(dic, c.word) & c.classes, c.classes) << test::ToUtf8(std::u16string(c.word));
    EXPECT_EQ(ClassesOf(dic, u"天気") & ~dic::kCompoundReading, 0);
    EXPECT_EQ(dic.EntryClasses(dic.KnownCount()), 0);
}

TEST(Dictionary, TheOptionalDictionaryIsPreferredWhenValid)
{
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "lexidrop-dictionary-choice";
    std::filesystem::create_directories(folder);
    const std::string prefix = folder.string() + "/";
    const std::filesystem::path optional = folder / "Lexidrop-EDICT.dic";
    std::filesystem::remove(optional);
    EXPECT_EQ(DictionaryFileIn(prefix), prefix + "Lexidrop.dic");  // absent
    std::ofstream(optional, std::ios::binary) << "not a dictionary";
    EXPECT_EQ(DictionaryFileIn(prefix), prefix + "Lexidrop.dic");  // damaged: passed over
    std::filesystem::copy_file(LEXIDROP_DICTIONARY, optional,
                               std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(DictionaryFileIn(prefix), optional.string());
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace lexidrop
