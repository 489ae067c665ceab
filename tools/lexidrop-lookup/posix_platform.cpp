#include "platform.h"

#include "engine/shift_jis_forms.h"
#include "utf8.h"

#include <iconv.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <vector>

namespace lexidrop::tool {
namespace {

constexpr char16_t kNoCharacter = 0xFFFF;  // a noncharacter: no code maps to it
constexpr std::uint16_t kNoCode = 0xFFFF;   // no code page 932 code starts with 0xFF
constexpr char16_t kReplacement = u'\u30FB';  // ・ for bytes that form no character

bool IsLeadByte(unsigned char b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Code page 932 both ways as the C library converts it, in two tables made
// once per run: iconv costs more per character than the engine spends on a
// short line. A code is a single byte, or lead << 8 | trail.
class CodePage932 {
public:
    static const CodePage932& Get()
    {
        static const CodePage932 table;
        return table;
    }

    // The character at sjis[at] and its length in bytes; 0 when the bytes
    // there form none (a lone lead byte included).
    std::size_t Decode(std::string_view sjis, std::size_t at, char16_t& c) const
    {
        const auto lead = static_cast<unsigned char>(sjis[at]);
        if (!IsLeadByte(lead)) {
            c = unicode_[lead];
            return c == kNoCharacter ? 0 : 1;
        }
        if (at + 1 >= sjis.size()) return 0;
        c = unicode_[lead << 8 | static_cast<unsigned char>(sjis[at + 1])];
        return c == kNoCharacter ? 0 : 2;
    }

    // Writes c in code page 932 at out, or the form it has there for a
    // character Unicode text writes differently (〜 as ～); returns its
    // length, 0 when it has neither.
    std::size_t Encode(char16_t c, char* out) const
    {
        std::uint16_t code = code_[c];
        if (code == kNoCode) code = code_[ShiftJisForm(c)];
        if (code == kNoCode) return 0;
        if (code <= 0xFF) {
            out[0] = static_cast<char>(code);
            return 1;
        }
        out[0] = static_cast<char>(code >> 8);
        out[1] = static_cast<char>(code & 0xFF);
        return 2;
    }

private:
    CodePage932() : unicode_(0x10000, kNoCharacter), code_(0x10000, kNoCode)
    {
        std::vector<std::uint16_t> codes;
        for (unsigned b = 0; b <= 0xFF; ++b)
            if (!IsLeadByte(static_cast<unsigned char>(b))) codes.push_back(static_cast<std::uint16_t>(b));
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead)
            if (IsLeadByte(static_cast<unsigned char>(lead)))
                for (unsigned trail = 0x40; trail <= 0xFC; ++trail)
                    if (trail != 0x7F) codes.push_back(static_cast<std::uint16_t>(lead << 8 | trail));
        ReadCodes(codes);
        // Unicode to code page 932: a character's first code, except that
        // NEC's copies of IBM's extension kanji (0xED40-0xEEFC) give way to
        // IBM's own codes, as Windows and the C library convert them.
        const auto necCopy = [](unsigned code) { return code >= 0xED40 && code <= 0xEEFC; };
        for (unsigned code = 0; code < unicode_.size(); ++code) {
            const char16_t c = unicode_[code];
            if (c == kNoCharacter) continue;
            if (code_[c] == kNoCode || (necCopy(code_[c]) && !necCopy(code))) code_[c] = static_cast<std::uint16_t>(code);
        }
    }

    // Fills unicode_ for `codes` with one iconv call per run of codes that
    // have a character (each gives one UTF-16 unit); the tables stay empty
    // when the C library has no code page 932.
    void ReadCodes(const std::vector<std::uint16_t>& codes)
    {
        const iconv_t cd = iconv_open("UTF-16LE", "CP932");
        if (cd == reinterpret_cast<iconv_t>(-1)) return;
        std::string in;
        for (std::uint16_t code : codes) {
            if (code > 0xFF) in.push_back(static_cast<char>(code >> 8));
            in.push_back(static_cast<char>(code & 0xFF));
        }
        std::vector<unsigned char> out(codes.size() * 2);
        std::size_t next = 0;    // the first code not yet read
        std::size_t offset = 0;  // where it starts in `in`
        while (next < codes.size()) {
            char* from = in.data() + offset;
            std::size_t left = in.size() - offset;
            char* to = reinterpret_cast<char*>(out.data());
            std::size_t room = out.size();
            iconv(cd, &from, &left, &to, &room);
            const std::size_t units = (out.size() - room) / 2;
            for (std::size_t i = 0; i < units; ++i)
                unicode_[codes[next + i]] = static_cast<char16_t>(out[2 * i] | out[2 * i + 1] << 8);
            next += units;
            offset = static_cast<std::size_t>(from - in.data());
            if (next < codes.size()) {  // stopped at a code without a character
                offset += codes[next] > 0xFF ? 2 : 1;
                ++next;
            }
        }
        iconv_close(cd);
    }

    std::vector<char16_t> unicode_;  // by code
    std::vector<std::uint16_t> code_;  // by UTF-16 unit
};

}  // namespace

// Each conversion writes into room for its longest result and is cut to size
// after: a character at a time through push_back costs more than the lookup.

bool Utf8ToShiftJis(std::string_view utf8, std::string& out)
{
    const CodePage932& table = CodePage932::Get();
    out.resize(utf8.size());  // no character is longer in code page 932
    std::size_t used = 0;
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t c = 0;
        const std::size_t length = Utf8CharLength(utf8, at, c);
        const std::size_t written = length && c <= 0xFFFF ? table.Encode(static_cast<char16_t>(c), &out[used]) : 0;
        if (written == 0) return false;
        used += written;
        at += length;
    }
    out.resize(used);
    return true;
}

std::string ShiftJisToUtf8(std::string_view sjis)
{
    const CodePage932& table = CodePage932::Get();
    std::string out(sjis.size() * 3, '\0');  // a halfwidth katakana byte takes three
    std::size_t used = 0;
    for (std::size_t at = 0; at < sjis.size();) {
        char16_t c = kReplacement;
        const std::size_t length = table.Decode(sjis, at, c);
        used += PutUtf8(length ? c : kReplacement, &out[used]);
        at += length ? length : 1;
    }
    out.resize(used);
    return out;
}

std::u16string ShiftJisToUtf16(std::string_view sjis)
{
    const CodePage932& table = CodePage932::Get();
    std::u16string out(sjis.size(), u'\0');
    std::size_t used = 0;
    for (std::size_t at = 0; at < sjis.size();) {
        char16_t c = kReplacement;
        const std::size_t length = table.Decode(sjis, at, c);
        out[used++] = length ? c : kReplacement;
        at += length ? length : 1;
    }
    out.resize(used);
    return out;
}

std::string Utf16ToShiftJis(std::u16string_view text)
{
    const CodePage932& table = CodePage932::Get();
    std::string out(text.size() * 2, '\0');
    std::size_t used = 0;
    for (char16_t c : text) {
        const std::size_t written = table.Encode(c, &out[used]);
        if (written == 0) out[used] = '?';
        used += written ? written : 1;
    }
    out.resize(used);
    return out;
}

std::string ProgramFolder()
{
    char path[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    std::string s(path, static_cast<std::size_t>(n));
    return s.substr(0, s.find_last_of('/') + 1);
}

std::vector<std::string> Arguments(int argc, char** argv)
{
    return {argv + (argc > 0 ? 1 : 0), argv + argc};
}

void UseBinaryStreams() {}

}  // namespace lexidrop::tool
