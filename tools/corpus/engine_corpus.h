// Japanese text gathered from the machine for the engine's tests and benchmarks.
#pragma once

#include "engine/kana.h"
#include "engine_test_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace lexidrop::test {

// Translated strings of a GNU message catalogue (.mo).
inline std::vector<std::string> Translations(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string data(std::istreambuf_iterator<char>(in), {});
    std::vector<std::string> out;
    auto word = [&](std::size_t at) -> std::uint32_t {
        if (at + 4 > data.size()) return 0;
        std::uint32_t v;
        std::memcpy(&v, data.data() + at, 4);
        return v;
    };
    if (word(0) != 0x950412de) return out;
    std::uint32_t count = word(8), table = word(16);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t length = word(table + 8 * i), offset = word(table + 8 * i + 4);
        if (static_cast<std::uint64_t>(offset) + length <= data.size())
            out.emplace_back(data, offset, length);
    }
    return out;
}

// Splits text into sentences at line ends and after "。"; keeps those with some
// kana or kanji, no control characters and at most 120 characters.
inline void AddSentences(std::u16string_view text, std::set<std::u16string>& sentences)
{
    std::u16string sentence;
    auto flush = [&] {
        std::size_t a = sentence.find_first_not_of(u" \t\u3000");
        std::size_t b = sentence.find_last_not_of(u" \t\u3000");
        if (a != std::u16string::npos) {
            std::u16string s = sentence.substr(a, b - a + 1);
            bool japanese = std::count_if(s.begin(), s.end(), kana::IsJapaneseLetter) >= 3;
            bool control = std::any_of(s.begin(), s.end(), [](char16_t c) { return c < 0x20; });
            if (japanese && !control && s.size() <= 120) sentences.insert(s);
        }
        sentence.clear();
    };
    for (char16_t c : text) {
        if (c == u'\n' || c == u'\0') {
            flush();
            continue;
        }
        sentence.push_back(c);
        if (c == u'。') flush();
    }
    flush();
}

// The running text of a roff manual page: requests dropped, font and
// character escapes removed, the lines of a paragraph joined.
inline std::string ManualText(const std::string& roff)
{
    std::string out;
    std::size_t start = 0;
    while (start < roff.size()) {
        std::size_t end = roff.find('\n', start);
        if (end == std::string::npos) end = roff.size();
        std::string_view line(roff.data() + start, end - start);
        start = end + 1;
        if (line.empty() || line[0] == '.' || line[0] == '\'') {
            out += '\n';  // a request ends the paragraph
            continue;
        }
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '\\' || i + 1 >= line.size()) {
                out += line[i];
                continue;
            }
            char e = line[++i];
            if (e == 'f' && i + 1 < line.size()) {
                i += line[i + 1] == '(' ? 3 : line[i + 1] == '[' ? line.find(']', i) - i : 1;
            } else if (e == '(') {
                i += 2;
            } else if (e == '-' || e == 'e' || e == ' ') {
                out += e == 'e' ? '\\' : e;
            } else if (e == '*' && i + 1 < line.size()) {
                i += line[i + 1] == '(' ? 3 : 1;
            }  // \& \/ \, and the like vanish
        }
    }
    return out;
}

// Japanese sentences (about 3,000) from text installed on this machine: the
// message catalogues under /usr/share/locale/ja and the Japanese manual pages
// (manpages-ja and others) under /usr/share/man/ja, in a fixed order.
inline std::vector<std::u16string> JapaneseSentences()
{
    auto files = [](const std::string& dir, const std::string& suffix) {
        std::vector<std::filesystem::path> found;
        std::error_code ec;
        for (auto it = std::filesystem::recursive_directory_iterator(dir, ec);
             !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
            if (it->is_regular_file() && it->path().string().ends_with(suffix)) found.push_back(it->path());
        std::sort(found.begin(), found.end());
        return found;
    };
    // A spread-out sample of each source keeps the run short.
    auto sample = [](const std::set<std::u16string>& all, std::size_t count,
                     std::vector<std::u16string>& out) {
        const std::size_t step = std::max<std::size_t>(1, all.size() / count);
        std::size_t i = 0;
        for (const auto& s : all)
            if (i++ % step == 0) out.push_back(s);
    };
    std::vector<std::u16string> result;

    std::set<std::u16string> messages;
    for (const auto& path : files("/usr/share/locale/ja/LC_MESSAGES", ".mo"))
        for (const std::string& translation : Translations(path))
            AddSentences(FromUtf8(translation), messages);
    sample(messages, 1500, result);

    std::set<std::u16string> manuals;
    for (const auto& path : files("/usr/share/man/ja", ".gz")) {
        std::string command = "gzip -dc '" + path.string() + "' 2>/dev/null";
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe) continue;
        std::string roff;
        char buffer[8192];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) roff.append(buffer, n);
        pclose(pipe);
        AddSentences(FromUtf8(ManualText(roff)), manuals);
    }
    sample(manuals, 1500, result);
    return result;
}

// Texts of about maxBytes bytes in Shift-JIS (two bytes a character outside
// ASCII), cut from the sentences run together.
inline std::vector<std::u16string> ChunksOf(const std::vector<std::u16string>& sentences,
                                            std::size_t maxBytes)
{
    std::vector<std::u16string> chunks(1);
    std::size_t bytes = 0;
    for (const auto& sentence : sentences) {
        for (char16_t c : sentence) {
            std::size_t width = c < 0x80 ? 1 : 2;
            if (bytes + width > maxBytes) {
                chunks.emplace_back();
                bytes = 0;
            }
            chunks.back().push_back(c);
            bytes += width;
        }
    }
    return chunks;
}

}  // namespace lexidrop::test
