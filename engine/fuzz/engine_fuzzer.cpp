// libFuzzer target for the dictionary loader and the engine's input.
//
// First input byte even: the rest is UTF-16 text for the engine on the real
// dictionary. Odd: the rest is a list of patches (4-byte offset, 1-byte
// value) applied to a copy of the real dictionary, which is then loaded and,
// if accepted, used on a few texts. Either way nothing may crash or read
// outside the file (run with AddressSanitizer).
#include "engine/dictionary.h"
#include "engine/furigana.h"
#include "engine/reading_engine.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::vector<std::uint32_t>& DictionaryWords()
{
    static const std::vector<std::uint32_t> words = [] {
        const char* path = std::getenv("LEXIDROP_DICTIONARY");
        std::ifstream in(path ? path : "Lexidrop.dic", std::ios::binary);
        std::string data(std::istreambuf_iterator<char>(in), {});
        std::vector<std::uint32_t> w(data.size() / 4);
        std::memcpy(w.data(), data.data(), w.size() * 4);
        return w;
    }();
    return words;
}

void Exercise(lexidrop::ReadingEngine& engine, const std::u16string& text)
{
    engine.BestReading(text);
    engine.Readings(text, 20);
    const std::vector<lexidrop::FuriganaPiece> pieces = lexidrop::Furigana(engine, text);
    lexidrop::FuriganaBrackets(pieces);
    lexidrop::FuriganaRuby(pieces);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lexidrop;
    if (size == 0) return 0;
    const auto& good = DictionaryWords();
    static const std::unique_ptr<Dictionary> real =
        Dictionary::FromMemory(reinterpret_cast<const unsigned char*>(good.data()), good.size() * 4);
    if (!real) std::abort();  // the fuzzer needs the built dictionary

    if (data[0] % 2 == 0) {
        std::u16string text((size - 1) / 2, u'\0');
        std::memcpy(text.data(), data + 1, text.size() * 2);
        ReadingEngine engine(*real);
        Exercise(engine, text);
        return 0;
    }
    // One working copy, patched for this input and restored afterwards.
    static std::vector<std::uint32_t> words = good;
    auto* bytes = reinterpret_cast<unsigned char*>(words.data());
    const auto* original = reinterpret_cast<const unsigned char*>(good.data());
    std::size_t total = words.size() * 4;
    std::size_t length = total;
    std::vector<std::uint32_t> patched;
    for (std::size_t i = 1; i + 5 <= size; i += 5) {
        std::uint32_t offset;
        std::memcpy(&offset, data + i, 4);
        if (offset == 0xFFFFFFFF) {  // cut the file
            length = data[i + 4] * (total / 256);
            continue;
        }
        // Most patches go to the header and the small tables, some anywhere.
        offset = offset % 2 ? offset % 4096 : offset % total;
        bytes[offset] = data[i + 4];
        patched.push_back(offset);
    }
    struct Restore {
        std::vector<std::uint32_t>& at;
        unsigned char* bytes;
        const unsigned char* original;
        ~Restore()
        {
            for (auto o : at) bytes[o] = original[o];
        }
    } restore{patched, bytes, original};
    auto dictionary = Dictionary::FromMemory(bytes, length);
    if (!dictionary) return 0;
    ReadingEngine engine(*dictionary);
    for (const char16_t* text :
         {u"今日は良い天気です", u"ｶﾞｲﾄﾞ 2026年 ABC", u"東京都の市場", u"\U00020BB7\u3000x"})
        Exercise(engine, text);
    return 0;
}
