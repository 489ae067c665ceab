#include "engine/dicgen/mecab_binary.h"

#include <cstring>
#include <fstream>
#include <stdexcept>

namespace lexidrop::mecab {
namespace {

// sys.dic: a header, then the double-array trie over the spellings' UTF-8
// bytes, the token records, and the NUL-terminated feature strings.
struct Header {
    std::uint32_t magic;  // file size XOR kMagicMask
    std::uint32_t version;
    std::uint32_t type;  // 0: system dictionary
    std::uint32_t lexiconSize;
    std::uint32_t leftSize, rightSize;
    std::uint32_t trieBytes, tokenBytes, featureBytes;
    std::uint32_t reserved;
    char charset[32];
};
constexpr std::uint32_t kMagicMask = 0xef718f77u;
constexpr std::uint32_t kVersion = 102;

struct Token {
    std::uint16_t left, right, partOfSpeech;
    std::int16_t cost;
    std::uint32_t feature;  // offset into the feature strings
    std::uint32_t compound;
};

// A trie cell: a child of label c (byte + 1) sits at base + c and names its
// parent's base in check; the value of a key ending here sits at base itself
// (label 0), as -value - 1.
struct Cell {
    std::int32_t base;
    std::uint32_t check;
};

static_assert(sizeof(Header) == 72 && sizeof(Token) == 16 && sizeof(Cell) == 8);

std::string ReadAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

std::vector<Entry> ReadSystemDictionary(const std::filesystem::path& dir)
{
    const std::string data = ReadAll(dir / "sys.dic");
    Header h;
    if (data.size() < sizeof h) throw std::runtime_error("sys.dic: too short");
    std::memcpy(&h, data.data(), sizeof h);
    const std::uint64_t total = std::uint64_t{sizeof h} + h.trieBytes + h.tokenBytes + h.featureBytes;
    if ((h.magic ^ kMagicMask) != data.size() || h.version != kVersion || h.type != 0 ||
        total != data.size() || h.trieBytes % sizeof(Cell) != 0 || h.tokenBytes % sizeof(Token) != 0 ||
        std::string(h.charset, strnlen(h.charset, sizeof h.charset)) != "UTF-8")
        throw std::runtime_error("sys.dic: not a UTF-8 MeCab system dictionary");
    std::vector<Cell> cells(h.trieBytes / sizeof(Cell));
    std::memcpy(cells.data(), data.data() + sizeof h, h.trieBytes);
    std::vector<Token> tokens(h.tokenBytes / sizeof(Token));
    std::memcpy(tokens.data(), data.data() + sizeof h + h.trieBytes, h.tokenBytes);
    const char* features = data.data() + sizeof h + h.trieBytes + h.tokenBytes;
    auto featureAt = [&](std::uint32_t offset) {
        if (offset >= h.featureBytes) throw std::runtime_error("sys.dic: feature out of range");
        return std::string(features + offset, strnlen(features + offset, h.featureBytes - offset));
    };

    std::vector<Entry> out;
    out.reserve(tokens.size());
    struct Node {
        std::int32_t base;
        std::string key;
    };
    std::vector<Node> stack{{cells.empty() ? 0 : cells[0].base, {}}};
    const auto size = static_cast<std::int64_t>(cells.size());
    while (!stack.empty()) {
        Node n = std::move(stack.back());
        stack.pop_back();
        if (n.base < 0 || n.base >= size || n.key.size() > 255) continue;
        const Cell& end = cells[static_cast<std::size_t>(n.base)];
        if (end.check == static_cast<std::uint32_t>(n.base) && end.base < 0 && !n.key.empty()) {
            const std::uint32_t value = static_cast<std::uint32_t>(-(std::int64_t{end.base} + 1));
            const std::uint32_t first = value >> 8, count = value & 0xFF;
            if (std::uint64_t{first} + count > tokens.size())
                throw std::runtime_error("sys.dic: bad token range");
            for (std::uint32_t t = first; t < first + count; ++t)
                out.push_back(
                    {n.key, tokens[t].left, tokens[t].right, tokens[t].cost, featureAt(tokens[t].feature)});
        }
        for (int c = 255; c >= 0; --c) {
            const std::int64_t p = std::int64_t{n.base} + c + 1;
            if (p >= size) continue;
            if (cells[static_cast<std::size_t>(p)].check == static_cast<std::uint32_t>(n.base))
                stack.push_back({cells[static_cast<std::size_t>(p)].base, n.key + static_cast<char>(c)});
        }
    }
    if (out.size() != h.lexiconSize) throw std::runtime_error("sys.dic: entry count does not match");
    return out;
}

}  // namespace lexidrop::mecab
