#include "engine/dicgen/unihan.h"

#include <bzlib.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

namespace lexidrop::unihan {
namespace {

std::string ReadCompressed(const std::filesystem::path& file)
{
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> raw(std::fopen(file.string().c_str(), "rb"), std::fclose);
    if (!raw) throw std::runtime_error("cannot read " + file.string());
    int error = BZ_OK;
    std::unique_ptr<BZFILE, void (*)(BZFILE*)> bz(BZ2_bzReadOpen(&error, raw.get(), 0, 0, nullptr, 0),
                                                  [](BZFILE* b) {
                                                      int ignored;
                                                      BZ2_bzReadClose(&ignored, b);
                                                  });
    if (error != BZ_OK) throw std::runtime_error("not bzip2: " + file.string());
    std::string out;
    char buffer[1 << 16];
    while (error == BZ_OK) {
        const int n = BZ2_bzRead(&error, bz.get(), buffer, sizeof buffer);
        if (error != BZ_OK && error != BZ_STREAM_END)
            throw std::runtime_error("damaged bzip2: " + file.string());
        out.append(buffer, static_cast<std::size_t>(n));
    }
    return out;
}


// Syllables in romaji and hiragana, longest spellings tried first.
struct Syllable {
    std::string_view romaji;
    std::u16string_view kana;
};
constexpr Syllable kSyllables[] = {
    {"KYA", u"きゃ"},  {"KYU", u"きゅ"}, {"KYO", u"きょ"}, {"GYA", u"ぎゃ"},  {"GYU", u"ぎゅ"},
    {"GYO", u"ぎょ"},  {"SHA", u"しゃ"}, {"SHU", u"しゅ"}, {"SHO", u"しょ"},  {"SHI", u"し"},
    {"CHA", u"ちゃ"},  {"CHU", u"ちゅ"}, {"CHO", u"ちょ"}, {"CHYA", u"ちゃ"}, {"CHYU", u"ちゅ"},
    {"CHYO", u"ちょ"}, {"CHI", u"ち"},   {"TSU", u"つ"},   {"NYA", u"にゃ"},  {"NYU", u"にゅ"},
    {"NYO", u"にょ"},  {"HYA", u"ひゃ"}, {"HYU", u"ひゅ"}, {"HYO", u"ひょ"},  {"BYA", u"びゃ"},
    {"BYU", u"びゅ"},  {"BYO", u"びょ"}, {"PYA", u"ぴゃ"}, {"PYU", u"ぴゅ"},  {"PYO", u"ぴょ"},
    {"MYA", u"みゃ"},  {"MYU", u"みゅ"}, {"MYO", u"みょ"}, {"RYA", u"りゃ"},  {"RYU", u"りゅ"},
    {"RYO", u"りょ"},  {"JA", u"じゃ"},  {"JU", u"じゅ"},  {"JO", u"じょ"},   {"JI", u"じ"},
    {"FU", u"ふ"},     {"HU", u"ふ"},    {"FI", u"ふぃ"},  {"KA", u"か"},     {"KI", u"き"},
    {"KU", u"く"},     {"KE", u"け"},    {"KO", u"こ"},    {"GA", u"が"},     {"GI", u"ぎ"},
    {"GU", u"ぐ"},     {"GE", u"げ"},    {"GO", u"ご"},    {"SA", u"さ"},     {"SU", u"す"},
    {"SE", u"せ"},     {"SO", u"そ"},    {"ZA", u"ざ"},    {"ZU", u"ず"},     {"ZE", u"ぜ"},
    {"ZO", u"ぞ"},     {"TA", u"た"},    {"TE", u"て"},    {"TO", u"と"},     {"DA", u"だ"},
    {"DE", u"で"},     {"DO", u"ど"},    {"NA", u"な"},    {"NI", u"に"},     {"NU", u"ぬ"},
    {"NE", u"ね"},     {"NO", u"の"},    {"HA", u"は"},    {"HI", u"ひ"},     {"HE", u"へ"},
    {"HO", u"ほ"},     {"BA", u"ば"},    {"BI", u"び"},    {"BU", u"ぶ"},     {"BE", u"べ"},
    {"BO", u"ぼ"},     {"PA", u"ぱ"},    {"PI", u"ぴ"},    {"PU", u"ぷ"},     {"PE", u"ぺ"},
    {"PO", u"ぽ"},     {"MA", u"ま"},    {"MI", u"み"},    {"MU", u"む"},     {"ME", u"め"},
    {"MO", u"も"},     {"YA", u"や"},    {"YU", u"ゆ"},    {"YO", u"よ"},     {"RA", u"ら"},
    {"RI", u"り"},     {"RU", u"る"},    {"RE", u"れ"},    {"RO", u"ろ"},     {"WA", u"わ"},
    {"WO", u"を"},     {"A", u"あ"},     {"I", u"い"},     {"U", u"う"},      {"E", u"え"},
    {"O", u"お"},
};

}  // namespace

std::string ReadText(const std::filesystem::path& file)
{
    if (file.extension() == ".bz2") return ReadCompressed(file);
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + file.string());
    return std::string(std::istreambuf_iterator<char>(in), {});
}

std::u16string RomajiToHiragana(std::string_view r)
{
    std::u16string out;
    std::size_t i = 0;
    while (i < r.size()) {
        const auto rest = r.substr(i);
        // A doubled consonant is a small tsu (KK, SS, TT, PP; TCH before CHI).
        if (rest.size() > 1 && rest[0] != 'N' && std::string_view("AIUEO").find(rest[0]) == rest.npos &&
            (rest[1] == rest[0] || (rest[0] == 'T' && rest[1] == 'C'))) {
            out += u'っ';
            ++i;
            continue;
        }
        const auto syllable = std::find_if(std::begin(kSyllables), std::end(kSyllables),
                                           [&](const Syllable& s) { return rest.starts_with(s.romaji); });
        if (syllable != std::end(kSyllables)) {
            out += syllable->kana;
            i += syllable->romaji.size();
        } else if (rest[0] == 'N') {  // a syllable-final N
            out += u'ん';
            ++i;
        } else {
            return {};
        }
    }
    return out;
}

std::map<char16_t, std::vector<std::u16string>> ReadJapaneseReadings(const std::filesystem::path& file)
{
    std::map<char16_t, std::vector<std::u16string>> on, kun;
    std::istringstream in(ReadText(file));
    for (std::string line; std::getline(in, line);) {
        // U+XXXX <TAB> field <TAB> readings separated by spaces
        if (!line.starts_with("U+")) continue;
        const std::size_t tab = line.find('\t'), tab2 = line.find('\t', tab + 1);
        if (tab == line.npos || tab2 == line.npos) continue;
        const std::string field = line.substr(tab + 1, tab2 - tab - 1);
        if (field != "kJapaneseOn" && field != "kJapaneseKun") continue;
        const unsigned long code = std::stoul(line.substr(2, tab - 2), nullptr, 16);
        if (code > 0xFFFF) continue;
        auto& list = (field == "kJapaneseOn" ? on : kun)[static_cast<char16_t>(code)];
        std::istringstream words(line.substr(tab2 + 1));
        for (std::string w; words >> w;) {
            const std::u16string kana = RomajiToHiragana(w);
            if (!kana.empty() && std::find(list.begin(), list.end(), kana) == list.end())
                list.push_back(kana);
        }
    }
    for (auto& [c, readings] : kun) {
        auto& list = on[c];
        for (auto& r : readings)
            if (std::find(list.begin(), list.end(), r) == list.end()) list.push_back(std::move(r));
    }
    std::erase_if(on, [](const auto& item) { return item.second.empty(); });
    return on;
}

}  // namespace lexidrop::unihan
