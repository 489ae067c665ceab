// The command-line tool's own code page 932 tables against the C library's
// converter, over every code and every UTF-16 unit.
#include "tools/lexidrop-lookup/platform.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace {

using namespace lexidrop::tool;

// One character through iconv; false when it has no form there.
bool Iconv(const char* to, const char* from, const std::string& in, std::string& out)
{
    const iconv_t cd = iconv_open(to, from);
    char buffer[16];
    char* source = const_cast<char*>(in.data());
    char* target = buffer;
    std::size_t left = in.size(), room = sizeof buffer;
    const bool ok = iconv(cd, &source, &left, &target, &room) != static_cast<std::size_t>(-1) && left == 0;
    iconv_close(cd);
    out.assign(buffer, static_cast<std::size_t>(target - buffer));
    return ok;
}

std::string Utf16Bytes(std::u16string_view text)
{
    std::string bytes;
    for (char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
    return bytes;
}

TEST(LookupToolCodePage, EveryCodeReadsAsTheCLibraryReadsIt)
{
    for (unsigned code = 0; code <= 0xFCFC; ++code) {
        if (code > 0xFF && (code >> 8 < 0x81 || (code & 0xFF) < 0x40)) continue;
        std::string bytes;
        if (code > 0xFF) bytes += static_cast<char>(code >> 8);
        bytes += static_cast<char>(code & 0xFF);
        std::string expected;
        if (!Iconv("UTF-16LE", "CP932", bytes, expected)) continue;  // malformed input: below
        ASSERT_EQ(Utf16Bytes(ShiftJisToUtf16(bytes)), expected) << std::hex << code;
    }
}

TEST(LookupToolCodePage, EveryUnitWritesAsTheCLibraryWritesIt)
{
    // The C library writes ¥ and ‾ as the ASCII \ and ~; the tool keeps
    // their fullwidth forms, as the Windows build does.
    const std::u16string fullwidth = u"\u00A5\u203E";
    for (unsigned unit = 1; unit <= 0xFFFF; ++unit) {
        const std::u16string text(1, static_cast<char16_t>(unit));
        if (fullwidth.find(text[0]) != std::u16string::npos) continue;
        std::string expected;
        const bool has = Iconv("CP932", "UTF-16LE", Utf16Bytes(text), expected);
        ASSERT_EQ(Utf16ToShiftJis(text), has ? expected : "?") << std::hex << unit;
        std::string utf8, sjis;
        if (unit >= 0xD800 && unit <= 0xDFFF) continue;
        ASSERT_TRUE(Iconv("UTF-8", "UTF-16LE", Utf16Bytes(text), utf8));
        ASSERT_EQ(Utf8ToShiftJis(utf8, sjis), has) << std::hex << unit;
        ASSERT_EQ(has ? sjis : expected, expected) << std::hex << unit;
    }
    std::string sjis;
    EXPECT_TRUE(Utf8ToShiftJis("\xC2\xA5", sjis));
    EXPECT_EQ(sjis, "\x81\x8F");  // ￥
}

TEST(LookupToolCodePage, MalformedBytesAndUnitsStandIn)
{
    const struct {
        std::string sjis;
        std::string utf8;
    } cases[] = {
        {"a\x81", "a\xE3\x83\xBB"},                  // a lead byte at the end
        {"\x81 ", "\xE3\x83\xBB "},                // a lead byte before a byte no trail can be
        {"\x85\x40", "\xE3\x83\xBB@"},               // a code with no character: its lead byte
        {"\xA0\xFD\x82\xA0", "\xE3\x83\xBB\xE3\x83\xBB\xE3\x81\x82"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShiftJisToUtf8(c.sjis), c.utf8) << c.utf8;
    }
    EXPECT_EQ(Utf16ToShiftJis(u"\U00020BB7\xD800"), "???");  // 𠮷 (a surrogate pair) and a lone half
    std::string sjis;
    EXPECT_FALSE(Utf8ToShiftJis("\xF0\xA0\xAE\xB7", sjis));
    EXPECT_FALSE(Utf8ToShiftJis("\xC0\xAF", sjis));
}

}  // namespace
