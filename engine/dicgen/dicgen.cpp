// Dictionary compiler: turns IPADIC's sources (EUC-JP CSV files, matrix.def,
// char.def, unk.def) into the compact binary Lexidrop.dic that the reading
// engine maps into memory. Optional inputs widen it: NAIST-JDIC's second
// readings of IPADIC's spellings, a broader compiled MeCab lexicon (its
// further readings and the spellings IPADIC lacks, in IPADIC's model), and
// Unihan's readings of single kanji no lexicon reads.
//
//   lexidrop-dicgen <ipadic source folder> <output file> [--readings <folder>]
//                   [--lexicon <folder>] [--unihan <file>]
//
// Word spellings are stored in a double-array trie whose labels are dense
// codes for the UTF-16 code units that occur in the dictionary (frequent
// characters get small codes, which keeps the array dense). Every word keeps
// its left/right context ids, its cost and its reading, converted from
// katakana to hiragana.
#include "engine/dicgen/context_ids.h"
#include "engine/dicgen/csv.h"
#include "engine/dicgen/edict.h"
#include "engine/dicgen/mecab_binary.h"
#include "engine/dicgen/name_list.h"
#include "engine/dicgen/unidic.h"
#include "engine/dicgen/unihan.h"
#include "engine/dicgen/variant_kanji.h"
#include "engine/dictionary_format.h"
#include "engine/given_names.h"
#include "engine/kana.h"
#include "engine/unjoinable_readings.h"

#include <iconv.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace fs = std::filesystem;
using namespace lexidrop;

namespace {

std::string ReadFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Bytes in `charset` to UTF-16 code units.
std::u16string Decode(const std::string& bytes, const char* charset)
{
    iconv_t cd = iconv_open("UTF-16LE", charset);
    if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error(std::string("iconv: no ") + charset);
    std::string out(bytes.size() * 2 + 16, '\0');
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = bytes.size();
    char* outPtr = out.data();
    size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1)) {
            // An undecodable byte: skip it (the lexicons have none, but stay robust).
            ++in;
            --inLeft;
        }
    }
    iconv_close(cd);
    std::u16string text((out.size() - outLeft) / 2, u'\0');
    std::memcpy(text.data(), out.data(), text.size() * 2);
    return text;
}

std::u16string FromEucJp(const std::string& bytes)
{
    return Decode(bytes, "EUC-JP");
}

std::vector<std::u16string_view> Split(std::u16string_view s, char16_t sep)
{
    std::vector<std::u16string_view> parts;
    size_t start = 0;
    for (;;) {
        size_t p = s.find(sep, start);
        parts.push_back(s.substr(start, p == s.npos ? s.npos : p - start));
        if (p == s.npos) return parts;
        start = p + 1;
    }
}

std::vector<std::u16string_view> Lines(std::u16string_view text)
{
    std::vector<std::u16string_view> lines;
    for (auto line : Split(text, u'\n')) {
        while (!line.empty() && line.back() == u'\r') line.remove_suffix(1);
        if (!line.empty()) lines.push_back(line);
    }
    return lines;
}

long ToInt(std::u16string_view s)
{
    std::string a(s.begin(), s.end());
    size_t used = 0;
    long v = std::stol(a, &used, 0);
    if (used != a.size()) throw std::runtime_error("bad number: " + a);
    return v;
}

std::string Narrow(std::u16string_view s)
{
    return std::string(s.begin(), s.end());
}

struct Word {
    std::u16string surface;
    std::uint16_t left, right;
    std::int16_t cost;
    std::u16string reading;
    dic::WordClass wordClass;
    std::u16string partOfSpeech;  // columns 5-10: part of speech, subdivisions, inflection
    std::uint8_t classes;         // dic::EntryClass bits
};

struct Category {
    std::string name;
    int invoke, group, length;
};

std::int16_t ToCost(long v)
{
    if (v < INT16_MIN || v > INT16_MAX) throw std::runtime_error("cost out of range");
    return static_cast<std::int16_t>(v);
}

// Name classes from IPADIC's part of speech (columns 5-8) and spelling.
std::uint8_t EntryClassesOf(const std::vector<std::u16string>& f)
{
    if (f.size() < 8 || f[4] != u"名詞") return 0;
    static const std::u16string_view kSuffixes[] = {u"さん", u"様", u"氏", u"君", u"くん", u"ちゃん", u"殿"};
    if (f[5] == u"接尾" && f[6] == u"人名" &&
        std::find(std::begin(kSuffixes), std::end(kSuffixes), f[0]) != std::end(kSuffixes))
        return dic::kNameSuffix;
    if (f[0] == u"先生" && f[5] == u"一般") return dic::kNameSuffix;
    if (f[5] != u"固有名詞") return 0;
    if (f[6] == u"地域") return dic::kProperName | dic::kPlace;
    if (f[6] != u"人名") return dic::kProperName;
    if (f[7] == u"姓") return dic::kProperName | dic::kSurname;
    if (f[7] == u"名") return dic::kProperName | dic::kGivenName;
    return dic::kProperName | dic::kSurname | dic::kGivenName;  // a whole name or either part
}

// The form of an adjective before ございます whose stem ends in an a-row
// kana is spelt with that kana and う in the lexicons' readings
// (ありがたう, たかう); it is said and written with the o-row kana
// (ありがとう, たこう).
std::u16string GozaiForm(std::u16string reading)
{
    static constexpr std::u16string_view kARow = u"カガサザタダナハバパマヤラ";
    static constexpr std::u16string_view kORow = u"コゴソゾトドノホボポモヨロ";
    if (reading.size() >= 2 && reading.back() == u'ウ')
        if (const std::size_t a = kARow.find(reading[reading.size() - 2]); a != kARow.npos)
            reading[reading.size() - 2] = kORow[a];
    return reading;
}

Word ParseWord(std::u16string_view line, const std::string& where)
{
    const std::vector<std::u16string> f = csv::Fields(line);
    if (f.size() < 4) throw std::runtime_error("short line in " + where);
    Word w{std::u16string(f[0]),
           static_cast<std::uint16_t>(ToInt(f[1])),
           static_cast<std::uint16_t>(ToInt(f[2])),
           ToCost(ToInt(f[3])),
           {},
           dic::kOrdinary,
           {},
           EntryClassesOf(f)};
    for (std::size_t k = 4; k < std::min<std::size_t>(f.size(), 10); ++k) w.partOfSpeech += f[k] + u",";
    // Columns 5-7: part of speech and its subdivisions.
    if (f.size() > 6 && f[4] == u"名詞" && f[5] == u"数") w.wordClass = dic::kNumeral;
    if (f.size() > 6 && f[4] == u"名詞" && f[5] == u"固有名詞" && (f[6] == u"人名" || f[6] == u"地域"))
        w.wordClass = dic::kProperNoun;
    // Column 10 is the inflected form ("*" for words that do not inflect); the
    // dictionary form and the continuative (守り, 振り) stand as words.
    if (f.size() > 9 && f[9] != u"*" && f[9] != u"基本形" && f[9] != u"連用形") w.wordClass = dic::kWordPart;
    // Column 12 is the reading (column 13, the pronunciation, is not used).
    if (f.size() > 11 && f[11] != u"*") {
        const bool gozai = f[8].starts_with(u"形容詞・アウオ段") && f[9] == u"連用ゴザイ接続";
        w.reading = kana::ToHiragana(gozai ? GozaiForm(f[11]) : f[11]);
    }
    return w;
}

// Double-array trie builder over label strings (labels 1..n, 0 = end of key).
class DoubleArrayBuilder {
public:
    static constexpr std::int32_t kFree = -1;  // the check of an unused cell

    struct Key {
        std::u16string labels;
        std::uint32_t value;
    };

    std::vector<dic::TrieCell> Build(const std::vector<Key>& keys)
    {
        if (keys.empty()) return {dic::TrieCell{0, 0}};  // a root with no words
        cells_.assign(1 << 16, dic::TrieCell{0, kFree});
        cells_[0].check = 0;  // root
        nextCheck_ = 1;
        struct Task {
            std::int32_t state;
            size_t lo, hi, depth;
        };
        std::vector<Task> queue{{0, 0, keys.size(), 0}};
        std::vector<std::uint32_t> labels;
        std::vector<std::pair<size_t, size_t>> ranges;
        for (std::size_t next = 0; next < queue.size(); ++next) {
            const Task t = queue[next];
            labels.clear();
            ranges.clear();
            for (size_t i = t.lo; i < t.hi; ++i) {
                const auto& k = keys[i].labels;
                std::uint32_t label = t.depth < k.size() ? k[t.depth] : 0;
                if (labels.empty() || labels.back() != label) {
                    labels.push_back(label);
                    ranges.push_back({i, i + 1});
                } else {
                    ranges.back().second = i + 1;
                }
            }
            std::int32_t base = FindBase(labels);
            cells_[t.state].base = base;
            if (labels.front() == 0)  // a word ends here (labels are sorted)
                cells_[t.state].check =
                    static_cast<std::int32_t>(static_cast<std::uint32_t>(cells_[t.state].check) | dic::kWordEndsHere);
            for (size_t j = 0; j < labels.size(); ++j) {
                std::int32_t child = base + static_cast<std::int32_t>(labels[j]);
                cells_[child].check = t.state;
                if (labels[j] == 0) {
                    cells_[child].base = static_cast<std::int32_t>(keys[ranges[j].first].value);
                }
            }
            for (size_t j = 0; j < labels.size(); ++j) {
                if (labels[j] == 0) continue;
                std::int32_t child = base + static_cast<std::int32_t>(labels[j]);
                const auto& only = keys[ranges[j].first];
                if (ranges[j].second - ranges[j].first == 1 && only.labels.size() == t.depth + 1) {
                    // A word that no longer word continues: its value sits in the cell itself.
                    cells_[child].base = -static_cast<std::int32_t>(only.value) - 1;
                    continue;
                }
                queue.push_back({base + static_cast<std::int32_t>(labels[j]), ranges[j].first,
                                 ranges[j].second, t.depth + 1});
            }
        }
        size_t used = cells_.size();
        while (used > 1 && cells_[used - 1].check == kFree) --used;
        cells_.resize(used);
        return cells_;
    }

private:
    void Grow(size_t need)
    {
        if (need >= cells_.size()) cells_.resize(std::max(need + 1, cells_.size() * 2), {0, kFree});
    }

    bool Free(size_t p)
    {
        Grow(p);
        return cells_[p].check == kFree;
    }

    std::int32_t FindBase(const std::vector<std::uint32_t>& labels)
    {
        size_t first = labels.front();
        size_t pos = std::max(nextCheck_, first + 1);
        size_t occupied = 0;
        bool moveStart = true;
        for (;; ++pos) {
            if (!Free(pos)) {
                ++occupied;
                continue;
            }
            // Move the search start past regions that are nearly full.
            if (moveStart) {
                if (occupied * 20 >= (pos - nextCheck_ + 1) * 19 && pos > nextCheck_)
                    nextCheck_ = pos;
                else
                    moveStart = false;
            }
            size_t base = pos - first;
            if (base < 1) continue;
            bool fits = true;
            for (size_t i = 1; i < labels.size() && fits; ++i) fits = Free(base + labels[i]);
            if (fits) return static_cast<std::int32_t>(base);
        }
    }

    std::vector<dic::TrieCell> cells_;
    size_t nextCheck_ = 1;
};

template <typename T>
void Append(std::string& out, const T* data, size_t count)
{
    out.append(reinterpret_cast<const char*>(data), count * sizeof(T));
    while (out.size() % 4) out.push_back('\0');
}

// Everything read from the source folder.
struct Sources {
    std::vector<Word> words;  // dictionary words, CSV files in name order
    long leftSize = 0, rightSize = 0;
    std::vector<std::int16_t> matrix;  // by following word's left id, then preceding word's right id
    std::vector<Category> categories;
    std::map<std::string, int> categoryIds;
    std::vector<std::uint32_t> charInfo;     // per UTF-16 code unit
    std::vector<std::vector<Word>> unknown;  // unknown-word entries by category
    std::map<char16_t, std::vector<char16_t>> variantForms;  // code page 932's extension kanji: their ordinary forms
};

std::vector<Word> ParseWords(const fs::path& dir)
{
    std::vector<fs::path> csvs;
    for (const auto& e : fs::directory_iterator(dir))
        if (e.path().extension() == ".csv") csvs.push_back(e.path());
    std::sort(csvs.begin(), csvs.end());
    std::vector<Word> words;
    for (const auto& p : csvs) {
        std::u16string text = FromEucJp(ReadFile(p));
        for (auto line : Lines(text)) words.push_back(ParseWord(line, p.string()));
    }
    if (words.empty()) throw std::runtime_error("no words found in " + dir.string());
    return words;
}

void ParseMatrix(const fs::path& file, Sources& s)
{
    std::string matrixText = ReadFile(file);
    const char* m = matrixText.c_str();
    char* endp = nullptr;
    s.leftSize = std::strtol(m, &endp, 10);
    s.rightSize = std::strtol(endp, &endp, 10);
    if (s.leftSize <= 0 || s.rightSize <= 0 || s.leftSize > 65535 || s.rightSize > 65535)
        throw std::runtime_error("bad matrix size");
    s.matrix.assign(static_cast<size_t>(s.leftSize * s.rightSize), 0);
    for (;;) {
        char* next = nullptr;
        long l = std::strtol(endp, &next, 10);
        if (next == endp) break;
        long r = std::strtol(next, &endp, 10);
        long c = std::strtol(endp, &endp, 10);
        if (l < 0 || r < 0 || l >= s.leftSize || r >= s.rightSize)
            throw std::runtime_error("bad matrix line");
        // Stored by following word: a word's costs against all its possible
        // predecessors lie together.
        s.matrix[static_cast<size_t>(r * s.leftSize + l)] = ToCost(c);
    }
}

void ParseCharDef(const fs::path& file, Sources& s)
{
    s.charInfo.assign(65536, 0);
    bool haveMapping = false;
    const std::u16string charDef = FromEucJp(ReadFile(file));
    for (auto rawLine : Lines(charDef)) {
        auto line = rawLine.substr(0, rawLine.find(u'#'));
        std::vector<std::string> f;
        for (auto part : Split(line, u' '))
            for (auto piece : Split(part, u'\t'))
                if (!piece.empty()) f.push_back(Narrow(piece));
        if (f.empty()) continue;
        if (f[0].rfind("0x", 0) != 0) {
            if (f.size() < 4) throw std::runtime_error("bad category line");
            s.categoryIds[f[0]] = static_cast<int>(s.categories.size());
            s.categories.push_back({f[0], std::stoi(f[1]), std::stoi(f[2]), std::stoi(f[3])});
            continue;
        }
        haveMapping = true;
        size_t dots = f[0].find("..");
        unsigned long lo = std::stoul(f[0].substr(0, dots), nullptr, 16);
        unsigned long hi = dots == std::string::npos ? lo : std::stoul(f[0].substr(dots + 2), nullptr, 16);
        std::uint32_t mask = 0, def = 0;
        for (size_t i = 1; i < f.size(); ++i) {
            auto it = s.categoryIds.find(f[i]);
            if (it == s.categoryIds.end()) throw std::runtime_error("unknown category " + f[i]);
            if (i == 1) def = static_cast<std::uint32_t>(it->second);
            mask |= 1u << it->second;
        }
        for (unsigned long c = lo; c <= hi && c < 65536; ++c)
            s.charInfo[c] = mask | (def << dic::kCategoryMaskBits);
    }
    if (!haveMapping || !s.categoryIds.count("DEFAULT") || !s.categoryIds.count("SPACE") ||
        s.categories.size() > dic::kCategoryMaskBits)
        throw std::runtime_error("char.def lacks DEFAULT or SPACE");
    std::uint32_t defaultInfo =
        (1u << s.categoryIds["DEFAULT"]) |
        (static_cast<std::uint32_t>(s.categoryIds["DEFAULT"]) << dic::kCategoryMaskBits);
    for (auto& info : s.charInfo)
        if (info == 0) info = defaultInfo;
}

void ParseUnknownDef(const fs::path& file, Sources& s)
{
    s.unknown.assign(s.categories.size(), {});
    const std::u16string unkDef = FromEucJp(ReadFile(file));
    for (auto line : Lines(unkDef)) {
        auto f = Split(line, u',');
        auto it = s.categoryIds.find(Narrow(f[0]));
        if (it == s.categoryIds.end()) throw std::runtime_error("unk.def: unknown category " + Narrow(f[0]));
        auto& list = s.unknown[static_cast<size_t>(it->second)];
        list.push_back(ParseWord(line, "unk.def"));
        list.back().reading.clear();
        list.back().classes = 0;  // unknown words are of no known class
    }
}

// The first lexicon's readings written with づ or ぢ where the second lexicon
// spells the same word, and part of speech, only with ず or じ there (図形
// ずけい, 靴擦れ くつずれ): slips of the first lexicon's kana, put right.
void CorrectVoicedKana(std::vector<Word>& words, const std::vector<Word>& other)
{
    auto plain = [](std::u16string r) {
        for (char16_t& c : r)
            if (c == u'づ')
                c = u'ず';
            else if (c == u'ぢ')
                c = u'じ';
        return r;
    };
    std::unordered_map<std::u16string, std::vector<const Word*>> second;
    for (const auto& w : other) second[w.surface].push_back(&w);
    for (Word& w : words) {
        const auto it = second.find(w.surface);
        const std::u16string corrected = plain(w.reading);
        if (it == second.end() || corrected == w.reading) continue;
        bool same = false, plainOnly = false;
        for (const Word* o : it->second) {
            if (o->partOfSpeech != w.partOfSpeech) continue;
            same |= o->reading == w.reading;
            plainOnly |= o->reading == corrected;
        }
        if (plainOnly && !same) w.reading = corrected;
    }
}

// Readings that every lexicon spells in old kana, with a long-vowel mark
// where the word has a vowel, or with a slip of the kana (南砂町 みまみ…,
// 役所 やくどとろ), put as they are written today: the start of the
// spelling, the start of the reading as the lexicons have it, and as it
// should be. Every form of a verb starts the same way, so one row mends them
// all (預ける, 預けた, 預け入れる).
struct KanaSlip {
    std::u16string_view spelling, wrong, right;
};
constexpr KanaSlip kKanaSlips[] = {
    {u"預", u"あづ", u"あず"},         {u"お預", u"おあづ", u"おあず"},   {u"御預", u"おあづ", u"おあず"},
    {u"授", u"さづ", u"さず"},         {u"頷", u"うなづ", u"うなず"},     {u"被け", u"かづ", u"かず"},
    {u"手懐", u"てなづ", u"てなず"},   {u"骨髄", u"こつづい", u"こつずい"},
    {u"研究家", u"けんきゅーか", u"けんきゅうか"}, {u"稲妻", u"いなづま", u"いなずま"},
    {u"南砂町", u"みまみ", u"みなみ"},     {u"役所", u"やくどと", u"やくどこ"},
    {u"就中", u"なかんづく", u"なかんずく"},
};

void CorrectKanaSlips(std::vector<Word>& words)
{
    for (Word& w : words)
        for (const KanaSlip& slip : kKanaSlips)
            if (w.surface.starts_with(slip.spelling) && w.reading.starts_with(slip.wrong))
                w.reading = std::u16string(slip.right) + w.reading.substr(slip.wrong.size());
}

// Readings a lexicon lists that no reader gives a kanji in a word today:
// variant or dialect verbs filed under a common verb's spelling, which beat
// it on cost (割る われる for 割れる, 過ぎる よぎる for 過る, 放す ほかす, 剥がす
// へがす, 提げる ひっさげる for 引っ提げる), the classical 何か いか, which
// would come before なにか for the word copied alone, 外野手's reading
// filed under 外野, and the given name 時代 ときよ, which made a name before
// an era a full name (大谷時代 おおたにときよ). The kanji and its
// reading there: an entry spelt with the kanji and kana alone, read with that
// reading and the same kana, goes in every form (割る われる, 割ろ われろ),
// while the verb spelt with more of its kana stays (割れる われる).
struct UnusedReading {
    std::u16string_view kanji, reading;
};
constexpr UnusedReading kUnusedReadings[] = {
    {u"過", u"よ"}, {u"割", u"われ"}, {u"破", u"わ"}, {u"放", u"ほか"}, {u"剥", u"へ"}, {u"提", u"ひっさ"}, {u"何", u"い"},
    {u"外野", u"がいやしゅ"}, {u"時代", u"ときよ"},
};

void DropUnusedReadings(std::vector<Word>& words)
{
    std::erase_if(words, [](const Word& w) {
        return std::any_of(std::begin(kUnusedReadings), std::end(kUnusedReadings), [&](const UnusedReading& u) {
            if (!w.surface.starts_with(u.kanji)) return false;
            const std::u16string_view tail = std::u16string_view(w.surface).substr(u.kanji.size());
            const bool kanaTail = std::all_of(tail.begin(), tail.end(), [](char16_t c) {
                return (c >= u'ぁ' && c <= u'ゖ') || (c >= u'ァ' && c <= u'ヶ');
            });
            return kanaTail && w.reading == std::u16string(u.reading) + kana::ToHiragana(tail);
        });
    });
}

// Spellings whose lexicon costs put a rarer reading before the one readers
// give first (帽子を被る こうむる, 隙 ひま, 面子 めんこ): the spelling (or, for
// a verb or adjective, its stem, which starts every form), the rarer
// reading's start and the commoner one's. Where two entries of the spelling
// share their context ids and readings that differ only so, the cheaper one
// (or the one listed first, where both cost the same) takes the commoner
// reading: the analysis cuts the text as before, and only which reading wins
// changes.
struct CommonerReading {
    std::u16string_view spelling, rarer, commoner;
};
// clang-format off
constexpr CommonerReading kCommonerReadings[] = {
    {u"被", u"こうむ", u"かぶ"},         {u"免れ", u"まぬか", u"まぬが"},     {u"廻", u"めぐ", u"まわ"},
    {u"歪", u"いが", u"ゆが"},           {u"戯れ", u"ざれ", u"たわむれ"},     {u"懐", u"いだ", u"なつ"},
    {u"口惜し", u"くちおし", u"くやし"}, {u"手強", u"てづよ", u"てごわ"},     {u"瞑", u"つむ", u"つぶ"},
    {u"叩", u"はた", u"たた"},           {u"蒸", u"ふか", u"む"},             {u"摘", u"つま", u"つ"},
    {u"汚", u"けが", u"よご"},           {u"熟れ", u"なれ", u"うれ"},         {u"逝", u"ゆ", u"い"},
    {u"奉", u"まつ", u"たてまつ"},       {u"呪い", u"まじない", u"のろい"},
    {u"隙", u"ひま", u"すき"},           {u"所為", u"しょい", u"せい"},       {u"面子", u"めんこ", u"めんつ"},
    {u"高音", u"たかね", u"こうおん"},   {u"塩水", u"えんすい", u"しおみず"}, {u"父母", u"ちちはは", u"ふぼ"},
    {u"荒野", u"あらの", u"こうや"},     {u"教示", u"きょうし", u"きょうじ"}, {u"敵国", u"てっこく", u"てきこく"},
    {u"各界", u"かくかい", u"かっかい"}, {u"漏洩", u"ろうせつ", u"ろうえい"}, {u"世論", u"せろん", u"よろん"},
    {u"入り口", u"いりくち", u"いりぐち"}, {u"神輿", u"しんよ", u"みこし"},   {u"台詞", u"だいし", u"せりふ"},
    {u"蒲公英", u"ほこうえい", u"たんぽぽ"}, {u"襤褸", u"らんる", u"ぼろ"},   {u"頓着", u"とんじゃく", u"とんちゃく"},
    {u"乳母", u"おんば", u"うば"},       {u"茄子", u"なすび", u"なす"},       {u"緑色", u"りょくしょく", u"みどりいろ"},
    {u"秋桜", u"あきざくら", u"こすもす"}, {u"痘痕", u"いも", u"あばた"},     {u"頭蓋", u"とうがい", u"ずがい"},
    {u"脛", u"はぎ", u"すね"},           {u"臍", u"ほぞ", u"へそ"},           {u"梁", u"やな", u"はり"},
    {u"雄", u"ゆう", u"おす"},           {u"蓮", u"はちす", u"はす"},         {u"罰", u"ばち", u"ばつ"},
    {u"房", u"ぼう", u"ふさ"},           {u"柄", u"え", u"がら"},             {u"棺", u"かん", u"ひつぎ"},
    {u"葛", u"かずら", u"くず"},         {u"櫓", u"ろ", u"やぐら"},           {u"獣", u"しし", u"けもの"},
    {u"碑", u"いしぶみ", u"ひ"},         {u"無性", u"むせい", u"むしょう"},   {u"腹痛", u"はらいた", u"ふくつう"},
    {u"右腕", u"うわん", u"みぎうで"},   {u"平地", u"ひらち", u"へいち"},     {u"行き止まり", u"ゆき", u"いき"},
    {u"通帳", u"かよいちょう", u"つうちょう"}, {u"風流", u"ふりゅう", u"ふうりゅう"}, {u"角界", u"かくかい", u"かっかい"},
    {u"降伏", u"ごうぶく", u"こうふく"},     {u"抱", u"いだ", u"だ"},
    {u"別棟", u"べっとう", u"べつむね"},     {u"埋もれ", u"うずもれ", u"うもれ"},
    {u"天王星", u"てんおうせい", u"てんのうせい"}, {u"姑", u"しゅうと", u"しゅうとめ"}, {u"宗", u"むね", u"しゅう"},
    {u"弄", u"いじく", u"いじ"},
    {u"惚け", u"ほうけ", u"ぼけ"},       {u"惚け", u"とぼけ", u"ぼけ"},       {u"我", u"わが", u"われ"},
    {u"柵", u"しがらみ", u"さく"},
    {u"歩", u"ふ", u"ほ"},               {u"殿", u"しんがり", u"との"},
    {u"河川敷", u"かせんしき", u"かせんじき"}, {u"温い", u"ぬく", u"ぬる"},   {u"琴", u"きん", u"こと"},
    {u"甲", u"かぶと", u"こう"},         {u"白樺", u"しらかんば", u"しらかば"}, {u"瞬", u"まばた", u"またた"},
    {u"禿", u"かむろ", u"はげ"},
    {u"西風", u"せいふう", u"にしかぜ"}, {u"見惚れ", u"みほれ", u"みとれ"},   {u"言付", u"いいつ", u"ことづ"},
    {u"語", u"かたり", u"ご"},           {u"鉄製", u"てつせい", u"てっせい"}, {u"鐘楼", u"しゅろう", u"しょうろう"},
    {u"鶏肉", u"けいにく", u"とりにく"}, {u"丙", u"ひのえ", u"へい"},         {u"中高", u"なかだか", u"ちゅうこう"},
    {u"余人", u"よにん", u"よじん"},     {u"高名", u"こうみょう", u"こうめい"}, {u"緒", u"いとぐち", u"お"},
    {u"花道", u"かどう", u"はなみち"},     {u"丁", u"ひのと", u"ちょう"},
    {u"啄木鳥", u"けら", u"きつつき"},     {u"土竜", u"むぐらもち", u"もぐら"}, {u"蝸牛", u"かぎゅう", u"かたつむり"},
    // The Korean surname's reading joins the noun after it more cheaply than
    // the word does (金時計 きむとけい); Korean full names are entries of their own.
    {u"金", u"きむ", u"きん"},
};
// clang-format on

void PreferCommonerReadings(std::vector<Word>& words)
{
    std::unordered_map<std::u16string, std::vector<Word*>> bySpelling;
    for (Word& w : words) bySpelling[w.surface].push_back(&w);
    for (const CommonerReading& row : kCommonerReadings)
        for (auto& [spelling, same] : bySpelling) {
            if (!spelling.starts_with(row.spelling)) continue;
            for (Word* rare : same) {
                if (!rare->reading.starts_with(row.rarer)) continue;
                const std::u16string commonReading =
                    std::u16string(row.commoner) + rare->reading.substr(row.rarer.size());
                // The two trade readings (and the reading's class bits), so the
                // cheaper entry, or the one listed first where both cost the
                // same, reads the commoner way.
                for (Word* common : same)
                    if (common->reading == commonReading && common->left == rare->left &&
                        common->right == rare->right && common->partOfSpeech == rare->partOfSpeech &&
                        (common->cost > rare->cost || (common->cost == rare->cost && common > rare))) {
                        std::swap(common->reading, rare->reading);
                        std::swap(common->classes, rare->classes);
                        break;
                    }
            }
        }
}

// A suffix that joins words into compounds, or a counter after a number,
// often voices its first sound there (ゴミ箱 ばこ, 大声 ごえ, 一方 ぽう); the
// lexicons list that sound as an entry of the suffix beside the plain one
// (箱 はこ). Such an entry is marked as maybe only a compound's reading, so a
// kanji copied alone is not offered it. The suffixes that dictionaries list
// in their voiced form as words of their own, since they follow almost any
// word so (予定通り, 風邪気味, 子供連れ, 私共), keep that form.
struct VoicedSuffixWord {
    std::u16string_view spelling, reading;
};
constexpr VoicedSuffixWord kVoicedSuffixWords[] = {
    {u"通り", u"どおり"}, {u"気味", u"ぎみ"}, {u"連れ", u"づれ"}, {u"共", u"ども"},
    {u"沿い", u"ぞい"},   {u"付き", u"づき"}, {u"掛け", u"がけ"}, {u"建て", u"だて"},
};

void MarkCompoundSounds(std::vector<Word>& words)
{
    auto wordOfItsOwn = [](const Word& w) {
        return std::any_of(std::begin(kVoicedSuffixWords), std::end(kVoicedSuffixWords),
                           [&](const VoicedSuffixWord& v) { return w.surface == v.spelling && w.reading == v.reading; });
    };
    std::unordered_map<std::u16string, std::vector<Word*>> bySpelling;
    for (Word& w : words) bySpelling[w.surface].push_back(&w);
    for (auto& [spelling, same] : bySpelling)
        for (Word* w : same) {
            const bool joiningSuffix = w->partOfSpeech.starts_with(u"名詞,接尾,一般,") ||
                                       w->partOfSpeech.starts_with(u"名詞,接尾,サ変接続,") ||
                                       w->partOfSpeech.starts_with(u"名詞,接尾,助数詞,");
            const std::u16string plain = kana::Unvoiced(w->reading);
            if (joiningSuffix && plain != w->reading && !wordOfItsOwn(*w) &&
                std::any_of(same.begin(), same.end(), [&](const Word* o) { return o->reading == plain; }))
                w->classes |= dic::kCompoundReading;
        }
}

// Readings that a second lexicon knows for spellings the first one has, as
// entries of the first one: the context ids of the first lexicon's entry of
// that spelling and part of speech, and its cost raised by what the second
// lexicon charges the other reading over the one both know (at least 1).
// Being dearer than an entry with the same ids, an added reading never wins
// the best path; it only joins the candidate lists. Spellings the first
// lexicon lacks are left out, so the analysis itself stays the same.
std::vector<Word> ExtraReadings(const std::vector<Word>& words, const std::vector<Word>& other)
{
    std::unordered_map<std::u16string, std::vector<const Word*>> known, second;
    for (const auto& w : words) known[w.surface].push_back(&w);
    for (const auto& w : other) second[w.surface].push_back(&w);
    std::vector<Word> out;
    std::unordered_set<std::u16string> addedReadings;  // spelling TAB reading
    for (const auto& w : other) {
        auto it = known.find(w.surface);
        if (w.reading.empty() || it == known.end()) continue;
        const auto& same = it->second;
        auto hasReading = [&](const Word* k) { return k->reading == w.reading; };
        if (std::any_of(same.begin(), same.end(), hasReading)) continue;
        auto samePos = std::find_if(same.begin(), same.end(),
                                    [&](const Word* k) { return k->partOfSpeech == w.partOfSpeech; });
        if (samePos == same.end()) continue;
        const Word& base = **samePos;
        long extra = 1;
        for (const Word* o : second[w.surface])
            if (o->partOfSpeech == w.partOfSpeech && o->reading == base.reading)
                extra = std::max(1L, static_cast<long>(w.cost) - o->cost);
        Word added = base;
        added.reading = w.reading;
        added.classes |= dic::kCompoundReading;
        added.cost = static_cast<std::int16_t>(std::min<long>(INT16_MAX, base.cost + extra));
        if (addedReadings.insert(added.surface + u'\t' + added.reading).second)
            out.push_back(std::move(added));
    }
    return out;
}

// The part of speech each context id stands for (index: the id), from a
// left-id.def or right-id.def in the given charset.
std::vector<std::u16string> ContextIdNames(const fs::path& file, const char* charset)
{
    std::vector<std::u16string> names;
    const std::u16string text = Decode(ReadFile(file), charset);
    for (auto line : Lines(text)) {
        const std::size_t space = line.find(u' ');
        if (space == line.npos) throw std::runtime_error("bad line in " + file.string());
        const long id = ToInt(line.substr(0, space));
        if (id < 0 || id > 0xFFFF) throw std::runtime_error("bad context id in " + file.string());
        if (names.size() <= static_cast<std::size_t>(id)) names.resize(static_cast<std::size_t>(id) + 1);
        names[static_cast<std::size_t>(id)] = line.substr(space + 1);
    }
    return names;
}

// Their context ids in our numbering, by the part of speech both name them
// with; -1 where ours has no such part of speech. A name ours lacks is tried
// once more as the general kind of its part of speech: an unspecified
// subdivision as 一般 and the inflection fields unspecified (副詞,* as
// 副詞,一般).
std::vector<int> MapContextIds(const std::vector<std::u16string>& theirs,
                               const std::vector<std::u16string>& ours)
{
    std::unordered_map<std::u16string, int> byName;
    for (std::size_t i = 0; i < ours.size(); ++i) byName.emplace(ours[i], static_cast<int>(i));
    auto general = [](std::u16string_view name) {
        std::vector<std::u16string_view> f = Split(name, u',');
        if (f.size() != 7) return std::u16string(name);
        if (f[1] == u"*") f[1] = u"一般";
        std::u16string out;
        for (std::size_t k = 0; k < f.size(); ++k)
            out += std::u16string(k < 4 ? f[k] : u"*") + (k + 1 < f.size() ? u"," : u"");
        return out;
    };
    std::vector<int> out;
    for (const auto& name : theirs) {
        auto it = byName.find(name);
        if (it == byName.end()) it = byName.find(general(name));
        out.push_back(it == byName.end() ? -1 : it->second);
    }
    return out;
}

// The entries of a compiled MeCab lexicon (dir: sys.dic, left-id.def and
// right-id.def in UTF-8) as IPADIC words: context ids mapped by part of
// speech (entries of a part of speech IPADIC lacks are left out), costs as
// the lexicon has them, classes and readings taken as from IPADIC's columns.
std::vector<Word> CompiledLexiconWords(const fs::path& dir, const fs::path& ipadicDir)
{
    const std::vector<int> left = MapContextIds(ContextIdNames(dir / "left-id.def", "UTF-8"),
                                                ContextIdNames(ipadicDir / "left-id.def", "EUC-JP"));
    const std::vector<int> right = MapContextIds(ContextIdNames(dir / "right-id.def", "UTF-8"),
                                                 ContextIdNames(ipadicDir / "right-id.def", "EUC-JP"));
    std::string csv;  // the mapped entries as IPADIC's lines, decoded in one go
    for (const mecab::Entry& e : mecab::ReadSystemDictionary(dir)) {
        if (e.left >= left.size() || e.right >= right.size() || left[e.left] < 0 || right[e.right] < 0)
            continue;
        // Spellings with CSV's own characters are punctuation, which IPADIC has.
        if (e.surface.find_first_of(",\"") != std::string::npos || e.feature.find('"') != std::string::npos)
            continue;
        csv += e.surface + ',' + std::to_string(left[e.left]) + ',' + std::to_string(right[e.right]) + ',' +
               std::to_string(e.cost) + ',' + e.feature + '\n';
    }
    std::vector<Word> words;
    const std::u16string text = Decode(csv, "UTF-8");
    for (auto line : Lines(text)) {
        words.push_back(ParseWord(line, (dir / "sys.dic").string()));
        // A whole name's reading marks where its parts meet (ゆかわ:ひでき).
        std::erase(words.back().reading, u':');
    }
    return words;
}

// Parts of speech under which a broader lexicon's new spellings are taken:
// nouns (names, places, things), adverbs, adnominals, conjunctions and
// interjections. Inflected words, numbers and suffixes stay IPADIC's alone,
// so that conjugations, counts and suffixes read as before.
bool TakesNewSpellings(const Word& w)
{
    static const std::u16string_view kTaken[] = {u"名詞,", u"副詞,", u"連体詞,", u"接続詞,", u"感動詞,"};
    static const std::u16string_view kKept[] = {u"名詞,数,", u"名詞,接尾,", u"名詞,非自立,"};
    auto starts = [&](std::u16string_view prefix) { return w.partOfSpeech.starts_with(prefix); };
    return std::any_of(std::begin(kTaken), std::end(kTaken), starts) &&
           std::none_of(std::begin(kKept), std::end(kKept), starts);
}

// A broader lexicon's entries for spellings the first one lacks. Its costs
// are moved onto the first lexicon's scale by the median difference between
// the two over the entries both have (same spelling, part of speech and
// reading). Its other spellings with kanji (kana among them, or parts of
// speech not taken: 其れ それ, 兎に角 とにかく, 偶に たまに, 一握り
// ひとにぎり) would split ordinary text in new places; they are taken in their
// dictionary form for a text that is the word alone, at the highest cost,
// so that no analysis of a text ever reads them.
std::vector<Word> NewSpellings(const std::vector<Word>& words, const std::vector<Word>& other)
{
    std::unordered_map<std::u16string, std::vector<const Word*>> known;
    for (const auto& w : words) known[w.surface].push_back(&w);
    std::vector<long> differences;
    for (const auto& o : other) {
        auto it = known.find(o.surface);
        if (it == known.end()) continue;
        for (const Word* k : it->second) {
            if (k->partOfSpeech == o.partOfSpeech && k->reading == o.reading) {
                differences.push_back(static_cast<long>(k->cost) - o.cost);
                break;
            }
        }
    }
    if (differences.empty()) throw std::runtime_error("the lexicons share no entry to compare costs by");
    std::nth_element(differences.begin(), differences.begin() + differences.size() / 2, differences.end());
    const long shift = differences[differences.size() / 2];
    std::vector<Word> out;
    std::unordered_set<std::u16string> alone;  // spelling TAB reading of the words alone
    std::size_t aloneCount = 0, compatibilityNames = 0;
    for (const auto& o : other) {
        const bool kana = std::all_of(o.reading.begin(), o.reading.end(),
                                      [](char16_t c) { return (c >= u'ぁ' && c <= u'ゖ') || c == u'ー'; });
        // Only spellings in kanji alone: with hiragana they are mostly other
        // writings of IPADIC's words and would split ordinary text in new
        // places; words in katakana read as they are written anyway.
        const bool kanji = std::all_of(o.surface.begin(), o.surface.end(), [](char16_t c) {
            return (c >= u'\u4E00' && c <= u'\u9FFF') || (c >= u'\u3400' && c <= u'\u4DBF') || c == u'々' ||
                   c == u'ヶ' || c == u'〆';
        });
        // A spelling the first lexicon has only as names is new as a word
        // (完治, there a given name かんじ: the word かんち comes in).
        const auto same = known.find(o.surface);
        const bool onlyNames =
            same != known.end() && o.wordClass != dic::kProperNoun &&
            std::all_of(same->second.begin(), same->second.end(),
                        [](const Word* k) { return k->wordClass == dic::kProperNoun; });
        if ((same != known.end() && !onlyNames) || o.reading.empty() || !kana) continue;
        Word w = o;
        w.cost = static_cast<std::int16_t>(std::clamp<long>(o.cost + shift, INT16_MIN, INT16_MAX));
        // Such a word costs no less than the spelling's cheapest name: a
        // lexicon's near-free entry (和民 わたみ, a shop) would otherwise cut
        // the text round it (大和民族 as 大 + 和民 + 族).
        if (onlyNames) {
            const auto cheapestName =
                std::min_element(same->second.begin(), same->second.end(),
                                 [](const Word* a, const Word* b) { return a->cost < b->cost; });
            w.cost = std::max(w.cost, (*cheapestName)->cost);
        }
        if (!kanji || !TakesNewSpellings(o)) {
            // A name spelt with a compatibility kanji (柴﨑, 山﨑) is read
            // through its ordinary spelling (柴崎) and that spelling's names;
            // as a word alone it would come before them.
            const bool compatibilityName =
                o.wordClass == dic::kProperNoun && std::all_of(o.surface.begin(), o.surface.end(), [](char16_t c) {
                    return (c >= u'\u4E00' && c <= u'\u9FFF') || (c >= u'\uF900' && c <= u'\uFAFF') || c == u'々';
                });
            if (compatibilityName) {
                ++compatibilityNames;
                continue;
            }
            const bool someKanji = std::any_of(o.surface.begin(), o.surface.end(), [](char16_t c) {
                return (c >= u'\u4E00' && c <= u'\u9FFF') || (c >= u'\u3400' && c <= u'\u4DBF');
            });
            if (!someKanji || o.wordClass == dic::kWordPart || o.reading == o.surface ||
                !alone.insert(o.surface + u'\t' + o.reading).second)
                continue;
            w.cost = INT16_MAX;
            w.classes |= dic::kWordAlone;
            ++aloneCount;
        }
        out.push_back(std::move(w));
    }
    std::printf("new spellings: %zu entries (%zu for words alone), costs moved by %ld; %zu names spelt with "
                "compatibility kanji left to their ordinary spelling\n",
                out.size(), aloneCount, shift, compatibilityNames);
    return out;
}

// What parse finds in the first of a name-list package's scripts (under
// dist/, in name order) where it finds anything; nothing when none has it.
template <typename Parse>
auto FromPackageScripts(const fs::path& package, Parse parse) -> decltype(parse(std::u16string_view{}))
{
    std::vector<fs::path> scripts;
    for (const auto& f : fs::directory_iterator(package / "dist"))
        if (f.path().extension() == ".js") scripts.push_back(f.path());
    std::sort(scripts.begin(), scripts.end());
    for (const fs::path& script : scripts)
        if (auto found = parse(Decode(ReadFile(script), "UTF-8")); !found.empty()) return found;
    return {};
}

// The names of a name-list package; an error when no script holds the list,
// as the package is not what it should be.
std::vector<name_list::Name> PackagedNames(const fs::path& package)
{
    auto names = FromPackageScripts(package, name_list::ParseNames);
    if (names.empty()) throw std::runtime_error(package.string() + ": no script holds the name list");
    return names;
}

// Names from a list of people's names (given names of recent years among
// them: 柚希 ゆずき, 蒼真 そうま) whose spelling, in kanji alone and two
// characters or more, the lexicons lack altogether: a spelling they have as
// a word is that word to a reader (人生, not the given name ひとみ). Each
// copies the context ids of the lexicons' dearest name of its kind and
// costs as much, so that wherever a lexicon's name competes with it, the
// lexicon's comes first; a spelling's readings keep the list's order. Single
// kanji are left out: the lexicons read every one, and the list's readings
// of them are the least sure.
std::vector<Word> ListedNames(const std::vector<Word>& words, const std::vector<name_list::Name>& names)
{
    constexpr std::uint8_t kKinds[2] = {dic::kSurname, dic::kGivenName};
    const Word* dearest[2] = {nullptr, nullptr};
    std::unordered_set<std::u16string> spelt;
    for (const Word& w : words) {
        spelt.insert(w.surface);
        const std::uint8_t kind = w.classes & (dic::kSurname | dic::kGivenName);
        if ((w.classes & dic::kWordAlone) || w.reading.empty()) continue;
        // Whole names (both bits) give no template for either part.
        for (int k = 0; k < 2; ++k)
            if (kind == kKinds[k] && (!dearest[k] || w.cost > dearest[k]->cost)) dearest[k] = &w;
    }
    const auto kanji = [](char16_t c) { return (c >= u'\u4E00' && c <= u'\u9FFF') || c == u'々'; };
    const auto hiragana = [](char16_t c) { return (c >= u'ぁ' && c <= u'ゖ') || c == u'ー'; };
    std::unordered_set<std::u16string> taken;  // spelling TAB reading
    std::vector<Word> out;
    for (const name_list::Name& n : names) {
        const int k = n.given ? 1 : 0;
        if (!dearest[k] || n.spelling.size() < 2 || spelt.count(n.spelling) ||
            !std::all_of(n.spelling.begin(), n.spelling.end(), kanji) ||
            !std::all_of(n.reading.begin(), n.reading.end(), hiragana) ||
            !taken.insert(n.spelling + u'\t' + n.reading).second)
            continue;
        Word w = *dearest[k];
        w.surface = n.spelling;
        w.reading = n.reading;
        out.push_back(std::move(w));
    }
    for (int k = 0; k < 2; ++k)
        if (dearest[k]) std::printf("listed %s: cost %d\n", k ? "given names" : "surnames", dearest[k]->cost);
    std::printf("listed names: %zu entries\n", out.size());
    return out;
}

// The given names of the yearly rankings read as parents read them: each
// of a name's readings is a given name (a new entry where the lexicons lack
// it) costing less than the spelling's other names, in the table's order
// (陽葵 ひまり, ひなた, ひより before the lexicons' はるき; 芽生 めい before
// the place めむ). A name of two kanji or more is as cheap as the commonest
// tenth of the lexicons' given names, or its spelling's cheapest name if
// that is cheaper: these are the names most given, and a dearer one loses
// to a rare word spelt alike (一華 いちげ, a flower). A single kanji's
// readings only take their places before its spelling's other names (or,
// where it has none, cost what the commonest tenth does), so as not to
// outrank its word in a sentence (詩 し). A new entry takes the ids
// of the spelling's cheapest given name, or of that commonest tenth's
// dearest. Ordinary words spelt alike keep their costs: in a sentence 大樹
// may still be a great tree.
void RankGivenNames(std::vector<Word>& words)
{
    const auto givenOnly = [](const Word& w) {
        return (w.classes & (dic::kGivenName | dic::kSurname | dic::kWordAlone)) == dic::kGivenName &&
               !w.reading.empty();
    };
    constexpr std::uint8_t kAnyName = dic::kGivenName | dic::kSurname | dic::kPlace;
    std::unordered_map<std::u16string, std::vector<std::size_t>> bySpelling;  // names of a ranked spelling
    for (const RankedGivenName& n : RankedGivenNames()) bySpelling[std::u16string(n.spelling)];
    std::vector<const Word*> given;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const Word& w = words[i];
        if (givenOnly(w) && w.surface.size() > 1) given.push_back(&w);
        const auto same = bySpelling.find(w.surface);
        if (same != bySpelling.end() && (w.classes & kAnyName) && !(w.classes & dic::kWordAlone) &&
            !w.reading.empty())
            same->second.push_back(i);
    }
    if (given.empty()) throw std::runtime_error("the lexicons hold no given names");
    const std::size_t tenth = given.size() / 10;
    std::nth_element(given.begin(), given.begin() + tenth, given.end(),
                     [](const Word* a, const Word* b) { return a->cost < b->cost; });
    const Word common = *given[tenth];
    std::size_t added = 0, repriced = 0;
    for (const RankedGivenName& n : RankedGivenNames()) {
        const std::vector<std::size_t>& same = bySpelling[std::u16string(n.spelling)];
        std::optional<Word> templ;
        std::int16_t base = n.spelling.size() > 1 ? common.cost : INT16_MAX;
        for (std::size_t i : same) {
            base = std::min(base, words[i].cost);
            if (givenOnly(words[i]) && (!templ || words[i].cost < templ->cost)) templ = words[i];
        }
        if (!templ) templ = common;
        if (base == INT16_MAX) base = templ->cost;
        const std::vector<std::u16string_view> readings = ReadingsOf(n);
        for (std::size_t k = 0; k < readings.size(); ++k) {
            const std::int16_t cost = ToCost(long{base} - static_cast<long>(readings.size() - k));
            const auto known = std::find_if(same.begin(), same.end(), [&](std::size_t i) {
                return givenOnly(words[i]) && words[i].reading == readings[k];
            });
            if (known != same.end()) {
                words[*known].cost = cost;
                ++repriced;
                continue;
            }
            Word w = *templ;
            w.surface = n.spelling;
            w.reading = readings[k];
            w.cost = cost;
            words.push_back(std::move(w));
            ++added;
        }
    }
    std::printf("ranked given names: %zu entries added, %zu repriced\n", added, repriced);
}

// The country's cities, towns and villages read as their own names say
// (高山市 たかやまし, 美瑛町 びえいちょう), where the lexicons read such a
// spelling as a rarer place (こうやまいち) or only as a place and 市, 町 or
// 村 (小牧 おまき + 市). Each is a place name with the ids of the lexicons'
// places and costs 1 less than the cheapest entry of its spelling, and less
// than that spelling cut into a proper noun and 市, 町 or 村 costs the
// analysis, and at most the median cost of their places; a spelling read two
// ways in the list (朝日町 あさひまち, あさひちょう) takes its commoner
// reading first. A spelling the lexicons have as an ordinary word keeps it.
std::vector<Word> MunicipalityNames(const Sources& s, const std::vector<name_list::Place>& places)
{
    const std::vector<Word>& words = s.words;
    // The cost of joining a word whose right id is `right` to one whose left id is `left`.
    const auto join = [&](int right, int left) { return static_cast<long>(s.matrix[left * s.leftSize + right]); };
    std::unordered_map<std::u16string, std::vector<const Word*>> bySpelling;
    std::vector<const Word*> placeWords;
    for (const Word& w : words) {
        bySpelling[w.surface].push_back(&w);
        if ((w.classes & dic::kPlace) && !(w.classes & (dic::kWordAlone | dic::kCompoundReading)) && !w.reading.empty())
            placeWords.push_back(&w);
    }
    if (placeWords.empty()) return {};
    std::sort(placeWords.begin(), placeWords.end(), [](const Word* a, const Word* b) { return a->cost < b->cost; });
    const Word& median = *placeWords[placeWords.size() / 2];
    // What stands before and after a municipality's name: the start or end
    // of the text (id 0), a county or prefecture before it, particles and
    // punctuation after it.
    std::set<int> before = {0}, after = {0};
    for (const Word& w : words) {
        if (w.surface == u"郡" || w.surface == u"県" || w.surface == u"都" || w.surface == u"府" || w.surface == u"道")
            before.insert(w.right);
        if (w.surface.size() == 1 && std::u16string_view(u"のにはをがでへともや、。").find(w.surface[0]) !=
                                         std::u16string_view::npos)
            after.insert(w.left);
    }
    // How often the list reads each spelling each way, in the list's order.
    std::vector<std::pair<std::u16string, std::vector<std::pair<std::u16string, int>>>> readings;
    std::unordered_map<std::u16string, std::size_t> index;
    for (const name_list::Place& p : places) {
        auto [it, added] = index.try_emplace(p.spelling, readings.size());
        if (added) readings.push_back({p.spelling, {}});
        auto& ways = readings[it->second].second;
        auto way = std::find_if(ways.begin(), ways.end(), [&](const auto& w) { return w.first == p.reading; });
        if (way == ways.end())
            ways.push_back({p.reading, 1});
        else
            ++way->second;
    }
    std::vector<Word> out;
    for (auto& [spelling, ways] : readings) {
        const auto known = bySpelling.find(spelling);
        if (known != bySpelling.end() && std::any_of(known->second.begin(), known->second.end(), [](const Word* w) {
                return w->wordClass != dic::kProperNoun && !(w->classes & dic::kWordAlone);
            }))
            continue;
        std::stable_sort(ways.begin(), ways.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
        long cost = median.cost;
        if (known != bySpelling.end())
            for (const Word* w : known->second) cost = std::min<long>(cost, w->cost - 1);
        // Cheaper than its name without 市, 町 or 村 followed by that suffix,
        // with the joins to what may stand before and after it, so that the
        // analysis takes it whole.
        const auto stem = bySpelling.find(spelling.substr(0, spelling.size() - 1));
        const auto suffix = bySpelling.find(spelling.substr(spelling.size() - 1));
        if (stem != bySpelling.end() && suffix != bySpelling.end())
            for (const Word* a : stem->second)
                for (const Word* b : suffix->second)
                    if (a->wordClass == dic::kProperNoun && b->partOfSpeech.starts_with(u"名詞,接尾,地域"))
                        for (const int before : before)
                            for (const int after : after)
                                cost = std::min<long>(cost, join(before, a->left) + a->cost + join(a->right, b->left) +
                                                                b->cost + join(b->right, after) -
                                                                join(before, median.left) -
                                                                join(median.right, after) - 1);
        for (const auto& [reading, count] : ways) {
            Word w = median;
            w.surface = spelling;
            w.reading = reading;
            w.cost = ToCost(std::max<long>(INT16_MIN, cost++));
            out.push_back(std::move(w));
        }
    }
    std::printf("municipalities: %zu entries, places cost %d at the median\n", out.size(), median.cost);
    return out;
}

// A further reading of a word the lexicons know, from a lexicon that lists
// it as a word of its own: it copies the spelling's cheapest entry that is a
// word of its own (not a name's, nor an inflected form that needs the rest of
// its word, 象 かたど), or else its cheapest, and costs 1 more than the
// spelling's dearest entry, so it follows every reading the lexicons give,
// but at most kFurtherReadingOver above that cheapest entry, within the
// margin of readings offered for a word alone (私 あたし, 十 とお); and at
// least `over` above it. Being a word of its own, it is no rendaku form that
// only a compound takes (旬 じゅん): it carries no compound-reading mark.
constexpr long kFurtherReadingOver = 5000;
static_assert(kFurtherReadingOver < kWordAloneCostMargin);

bool IsOwnWord(const Word& w)
{
    return w.wordClass != dic::kProperNoun && w.wordClass != dic::kWordPart;
}

Word FurtherReading(const std::vector<const Word*>& spelt, const std::u16string& reading, long over = 0)
{
    auto rank = [](const Word* w) { return std::pair{!IsOwnWord(*w), w->cost}; };
    const Word* cheapest = *std::min_element(spelt.begin(), spelt.end(),
                                             [&](const Word* a, const Word* b) { return rank(a) < rank(b); });
    long dearest = INT16_MIN;
    for (const Word* w : spelt) dearest = std::max<long>(dearest, w->cost);
    Word w = *cheapest;
    w.reading = reading;
    w.cost = ToCost(std::min({std::max(dearest + 1, cheapest->cost + over),
                              cheapest->cost + kFurtherReadingOver, long{INT16_MAX}}));
    return w;
}

// UniDic's lexicon file (UTF-8, some 230 MB), decoded a few megabytes of
// whole lines at a time.
std::vector<unidic::Entry> ReadUniDic(const fs::path& file)
{
    const std::string bytes = ReadFile(file);
    constexpr std::size_t kChunk = std::size_t{1} << 24;
    std::vector<unidic::Entry> entries;
    for (std::size_t start = 0; start < bytes.size();) {
        std::size_t end = start + kChunk < bytes.size() ? bytes.find('\n', start + kChunk) : bytes.npos;
        end = end == bytes.npos ? bytes.size() : end + 1;
        std::vector<unidic::Entry> some =
            unidic::ParseEntries(Decode(bytes.substr(start, end - start), "UTF-8"));
        entries.insert(entries.end(), std::make_move_iterator(some.begin()),
                       std::make_move_iterator(some.end()));
        start = end;
    }
    return entries;
}

// Readings UniDic (BSD licence) gives words the lexicons know as words of
// their own (避ける よける, 閾値 いきち, 面目 めんもく, 合板 ごうばん), each a
// further reading of its word. UniDic's own costs tell a reading readers give
// from a rare one (大人 うし): a reading is taken when UniDic prices it
// within kUniDicOver of the spelling's cheapest reading there. A reading of
// another origin than that cheapest one is an old text's or a gloss's, not
// what readers say (a native or mixed reading of a Sino-Japanese word, 出血
// でち, 鶏卵 にわとりらん; a Sino-Japanese one of a native word, 田舎
// でんしゃ, 土産 どさん), and is not taken, unless the cheapest is itself of
// mixed origin (閾値 しきいち, いきち). Nor does a spelling the lexicons
// know as a name gain words' readings (山下 さんか, 大樹 だいじゅ). Each
// costs more than the in-text margin over its word's cheapest entry, so a
// word copied alone offers it while a text's neighbours, which have all but
// decided the word (息を止める, not そく), do not bring it back. A single
// kanji's further readings there are mostly a compound's or an old text's
// (星 ぶし, 著 き): none is taken.
constexpr long kUniDicOver = 4500;

// UniDic's entries that `take` accepts, by spelling (ordered, for a stable
// output), each spelling's cheapest first (of equal costs, in the file's
// order).
template <typename Take>
std::map<std::u16string_view, std::vector<const unidic::Entry*>> BySpelling(const std::vector<unidic::Entry>& entries,
                                                                            Take take)
{
    std::map<std::u16string_view, std::vector<const unidic::Entry*>> spelt;
    for (const unidic::Entry& e : entries)
        if (take(e)) spelt[e.spelling].push_back(&e);
    for (auto& [spelling, found] : spelt)
        std::stable_sort(found.begin(), found.end(),
                         [](const unidic::Entry* a, const unidic::Entry* b) { return a->cost < b->cost; });
    return spelt;
}

// The readings UniDic gives a spelling (its entries, cheapest first) that
// readers give it: by each reading's cheapest entry, those within
// kUniDicOver of the spelling's cheapest and of its origin, unless that one
// is mixed; cheapest first.
std::vector<std::u16string_view> CommonReadings(const std::vector<const unidic::Entry*>& spelt)
{
    const unidic::Entry& first = *spelt.front();
    std::vector<std::u16string_view> seen, out;
    for (const unidic::Entry* e : spelt) {
        if (std::find(seen.begin(), seen.end(), e->reading) != seen.end()) continue;
        seen.push_back(e->reading);
        if (e->cost <= first.cost + kUniDicOver && (first.origin == u"混" || e->origin == first.origin))
            out.push_back(e->reading);
    }
    return out;
}

std::vector<Word> UniDicReadings(const std::vector<Word>& words, const std::vector<unidic::Entry>& entries)
{
    constexpr std::uint8_t kName = dic::kSurname | dic::kGivenName | dic::kPlace;
    std::unordered_map<std::u16string_view, std::vector<const Word*>> known;
    std::unordered_set<std::u16string> wordReadings;  // spelling TAB reading of entries that are no name's
    for (const auto& w : words) {
        known[w.surface].push_back(&w);
        if (w.wordClass != dic::kProperNoun) wordReadings.insert(w.surface + u'\t' + w.reading);
    }
    std::vector<Word> out;
    // Not 本気 as まじ: UniDic files that under another word.
    for (const auto& [spelling, found] : BySpelling(entries, [](const unidic::Entry& e) { return e.ownSpelling; })) {
        const auto it = known.find(spelling);
        if (spelling.size() == 1 || it == known.end() ||
            std::none_of(it->second.begin(), it->second.end(), [](const Word* w) { return IsOwnWord(*w); }) ||
            std::any_of(it->second.begin(), it->second.end(), [](const Word* w) { return w->classes & kName; }))
            continue;
        for (const std::u16string_view reading : CommonReadings(found))
            if (!wordReadings.count(std::u16string(spelling) + u'\t' + std::u16string(reading)))
                out.push_back(FurtherReading(it->second, std::u16string(reading), kInContextCostMargin + 1));
    }
    DropUnusedReadings(out);
    std::printf("UniDic: %zu readings\n", out.size());
    return out;
}

// Words UniDic knows that no lexicon spells at all, in the form a dictionary
// lists them, as words read only alone (彷徨う さまよう, 揶揄う からかう,
// 論う あげつらう, where the analysis reads their parts: ほうこうう): copied
// alone such a word reads so first, while text reads as before, since the
// analysis never meets them. A spelling's readings are its common ones, as
// for the further readings of known words, cheapest first; each is IPADIC's
// common noun with the highest cost.
std::vector<Word> UniDicSpellings(const std::vector<Word>& words, const fs::path& ipadicDir,
                                  const std::vector<unidic::Entry>& entries)
{
    std::unordered_set<std::u16string_view> known;
    for (const auto& w : words) known.insert(w.surface);
    const std::vector<std::u16string> ids = ContextIdNames(ipadicDir / "left-id.def", "EUC-JP");
    const auto noun = std::find(ids.begin(), ids.end(), u"名詞,一般,*,*,*,*,*");
    if (noun == ids.end()) throw std::runtime_error("IPADIC lacks the common noun");
    const auto id = static_cast<std::uint16_t>(noun - ids.begin());
    std::vector<Word> out;
    const auto unknown = [&](const unidic::Entry& e) {
        return e.dictionaryForm && e.spelling.size() > 1 && !known.count(e.spelling);
    };
    for (const auto& [spelling, found] : BySpelling(entries, unknown))
        for (const std::u16string_view reading : CommonReadings(found))
            out.push_back(Word{std::u16string(spelling), id, id, INT16_MAX, std::u16string(reading), dic::kOrdinary,
                               u"名詞,一般,*,*,*,*,", dic::kWordAlone});
    std::printf("UniDic: %zu words alone\n", out.size());
    return out;
}

// Readings from EDICT (its common words) and ENAMDICT (names), for the
// optional dictionary. An EDICT common reading of a spelling the dictionary
// has is a further reading of its word. An ENAMDICT name
// (spelt in kanji alone) under a spelling the lexicons already know as a
// name takes the context ids of that name's cheapest entry and costs 1 more
// than the spelling's dearest entry; elsewhere it takes its part of
// speech's context ids and the highest cost there is, so that ordinary text
// (一緒, 令和元年) never reads it. A name standing alone offers it after the
// lexicons' names.
std::vector<Word> EdictReadings(const std::vector<Word>& words, const fs::path& ipadicDir,
                                const std::vector<edict::Entry>& edictEntries,
                                const std::vector<edict::Entry>& enamdictEntries)
{
    std::unordered_map<std::u16string, std::vector<const Word*>> known;
    std::unordered_set<std::u16string> readings;  // spelling TAB reading
    std::unordered_set<std::u16string> wordReadings;  // the same of entries that are no name's
    for (const auto& w : words) {
        known[w.surface].push_back(&w);
        readings.insert(w.surface + u'\t' + w.reading);
        if (w.wordClass != dic::kProperNoun) wordReadings.insert(w.surface + u'\t' + w.reading);
    }
    auto dearest = [](const std::vector<const Word*>& same) {
        long cost = INT16_MIN;
        for (const Word* w : same) cost = std::max<long>(cost, w->cost);
        return static_cast<std::int16_t>(std::min<long>(INT16_MAX, cost + 1));
    };
    std::vector<Word> out;
    for (const edict::Entry& e : edictEntries) {
        auto it = known.find(e.spelling);
        // A common word read like a name of the same spelling (二重 ふたえ) is
        // a word too.
        if (!e.common || it == known.end() || !wordReadings.insert(e.spelling + u'\t' + e.reading).second)
            continue;
        readings.insert(e.spelling + u'\t' + e.reading);
        out.push_back(FurtherReading(it->second, e.reading));
    }
    const std::size_t edictCount = out.size();
    // ENAMDICT's name types as IPADIC's parts of speech.
    static const std::pair<std::u16string_view, std::u16string_view> kNameKinds[] = {
        {u"s", u"名詞,固有名詞,人名,姓"},   {u"g", u"名詞,固有名詞,人名,名"},
        {u"f", u"名詞,固有名詞,人名,名"},   {u"m", u"名詞,固有名詞,人名,名"},
        {u"u", u"名詞,固有名詞,人名,一般"}, {u"h", u"名詞,固有名詞,人名,一般"},
        {u"p", u"名詞,固有名詞,地域,一般"}, {u"st", u"名詞,固有名詞,地域,一般"},
    };
    const std::vector<std::u16string> ids = ContextIdNames(ipadicDir / "left-id.def", "EUC-JP");
    for (const edict::Entry& e : enamdictEntries) {
        const auto kind = std::find_if(std::begin(kNameKinds), std::end(kNameKinds), [&](const auto& k) {
            return std::find(e.tags.begin(), e.tags.end(), k.first) != e.tags.end();
        });
        const bool kanji = std::all_of(e.spelling.begin(), e.spelling.end(), [](char16_t c) {
            return (c >= u'\u4E00' && c <= u'\u9FFF') || (c >= u'\u3400' && c <= u'\u4DBF') || c == u'々' ||
                   c == u'ヶ';
        });
        const bool kana = !e.reading.empty() &&
                          std::all_of(e.reading.begin(), e.reading.end(),
                                      [](char16_t c) { return (c >= u'ぁ' && c <= u'ゖ') || c == u'ー'; });
        if (kind == std::end(kNameKinds) || !kanji || !kana) continue;
        const std::u16string name = std::u16string(kind->second) + u",*,*,*";
        const auto id = std::find(ids.begin(), ids.end(), name);
        if (id == ids.end()) throw std::runtime_error("IPADIC lacks the part of speech of a name");
        if (!readings.insert(e.spelling + u'\t' + e.reading).second) continue;
        std::vector<std::u16string> fields{e.spelling, u"0", u"0", u"0"};
        for (auto field : Split(kind->second, u',')) fields.emplace_back(field);
        fields.resize(10, u"*");
        Word w{e.spelling,
               static_cast<std::uint16_t>(id - ids.begin()),
               static_cast<std::uint16_t>(id - ids.begin()),
               0,
               e.reading,
               dic::kProperNoun,
               {},
               EntryClassesOf(fields)};
        for (std::size_t k = 4; k < 10; ++k) w.partOfSpeech += fields[k] + u",";
        constexpr std::uint8_t kName = dic::kSurname | dic::kGivenName | dic::kPlace;
        w.cost = INT16_MAX;
        if (auto it = known.find(e.spelling); it != known.end()) {
            const Word* name = nullptr;
            for (const Word* k : it->second)
                if ((k->classes & kName) && (!name || k->cost < name->cost)) name = k;
            if (name) {
                w.left = name->left;
                w.right = name->right;
                w.cost = dearest(it->second);
                w.classes |= dic::kCompoundReading;
            }
        }
        out.push_back(std::move(w));
    }
    std::printf("EDICT: %zu readings; ENAMDICT: %zu names\n", edictCount, out.size() - edictCount);
    return out;
}

// Readings of single kanji that no lexicon reads, from Unihan: each kanji as
// IPADIC's unknown kanji noun (its context ids and cost) with a reading, so
// it stands where the unknown word stood; each further reading costs one
// more.
std::vector<Word> FallbackReadings(const std::vector<Word>& words, const Sources& s,
                                   const std::map<char16_t, std::vector<std::u16string>>& unihan)
{
    std::unordered_set<char16_t> read;
    for (const auto& w : words)
        if (w.surface.size() == 1 && !w.reading.empty()) read.insert(w.surface[0]);
    const auto kanji = s.categoryIds.find("KANJI");
    if (kanji == s.categoryIds.end()) throw std::runtime_error("char.def lacks KANJI");
    const auto& unknown = s.unknown[static_cast<std::size_t>(kanji->second)];
    const auto noun = std::find_if(unknown.begin(), unknown.end(),
                                   [](const Word& w) { return w.partOfSpeech.starts_with(u"名詞,一般,"); });
    if (noun == unknown.end()) throw std::runtime_error("unk.def lacks a kanji noun");
    std::vector<Word> out;
    for (const auto& [c, readings] : unihan) {
        if (read.count(c)) continue;
        for (std::size_t i = 0; i < readings.size(); ++i) {
            Word w = *noun;
            w.surface = std::u16string(1, c);
            w.reading = readings[i];
            w.cost = static_cast<std::int16_t>(std::min<long>(INT16_MAX, noun->cost + static_cast<long>(i)));
            w.classes = dic::kFallbackReading;
            out.push_back(std::move(w));
        }
    }
    return out;
}

// 々 as a word of its own stands for the kanji before it, which the engine
// reads again; it costs what an unknown kanji noun costs, so that a word
// spelt with it (各々 おのおの) is read whole where a lexicon has one.
void PriceRepeatMark(Sources& s)
{
    const auto kanji = s.categoryIds.find("KANJI");
    if (kanji == s.categoryIds.end()) return;
    const auto& unknown = s.unknown[static_cast<std::size_t>(kanji->second)];
    const auto noun = std::find_if(unknown.begin(), unknown.end(),
                                   [](const Word& w) { return w.partOfSpeech.starts_with(u"名詞,一般,"); });
    if (noun == unknown.end()) return;
    for (Word& w : s.words)
        if (w.surface == u"々") w.cost = std::max(w.cost, noun->cost);
}

Sources Parse(const fs::path& dir)
{
    Sources s;
    s.words = ParseWords(dir);
    ParseMatrix(dir / "matrix.def", s);
    ParseCharDef(dir / "char.def", s);
    ParseUnknownDef(dir / "unk.def", s);
    PriceRepeatMark(s);
    return s;
}

// Gives the context ids that occur most the smallest numbers (in words,
// unknown-word entries and the matrix alike).
void RenumberContextIds(Sources& s)
{
    std::vector<dicgen::ContextUse> uses;
    auto use = [&](const Word& w, std::u16string_view surface, std::uint32_t category) {
        if (w.left >= s.rightSize || w.right >= s.leftSize)
            throw std::runtime_error("context id out of range");
        uses.push_back({w.left, w.right, surface, category});
    };
    for (const auto& w : s.words) use(w, w.surface, 0);
    for (std::uint32_t c = 0; c < s.unknown.size(); ++c)
        for (const auto& w : s.unknown[c]) use(w, {}, c);
    const auto leftIds = static_cast<std::size_t>(s.rightSize),
               rightIds = static_cast<std::size_t>(s.leftSize);
    const dicgen::ContextIdOrder order =
        dicgen::FrequentContextIdsFirst(uses, leftIds, rightIds, s.charInfo, dic::kCategoryMaskBits);
    auto renumber = [&](Word& w) {
        w.left = order.left[w.left];
        w.right = order.right[w.right];
    };
    std::for_each(s.words.begin(), s.words.end(), renumber);
    for (auto& list : s.unknown) std::for_each(list.begin(), list.end(), renumber);
    s.matrix = dicgen::RenumberedMatrix(s.matrix, leftIds, rightIds, order);
}

// The sections of the file, built from the sources.
struct Built {
    std::vector<std::uint16_t> codes;
    std::vector<dic::CategoryRecord> categoryRecords;
    std::vector<dic::TrieCell> trie;
    std::vector<dic::TrieCell> aloneTrie;  // the words read only alone
    std::vector<dic::EntryRecord> entries;
    std::uint32_t knownCount = 0;
    std::vector<std::uint8_t> pool;
    std::vector<std::uint8_t> wordClasses;  // by left context id
    std::vector<std::uint8_t> entryClasses;  // by entry
};

Built Build(const Sources& s)
{
    Built b;
    // Labels: frequent code units get small numbers.
    std::vector<std::uint64_t> freq(65536, 0);
    for (const auto& w : s.words)
        for (char16_t c : w.surface) ++freq[c];
    std::vector<std::uint16_t> order;
    for (std::uint32_t c = 0; c < 65536; ++c)
        if (freq[c]) order.push_back(static_cast<std::uint16_t>(c));
    std::stable_sort(order.begin(), order.end(), [&](auto a, auto b) { return freq[a] > freq[b]; });
    b.codes.assign(65536, 0);
    for (size_t i = 0; i < order.size(); ++i) b.codes[order[i]] = static_cast<std::uint16_t>(i + 1);
    variants::AliasVariants(b.codes, s.variantForms);

    // Words sorted by their label strings; equal spellings stay in source order.
    const auto& words = s.words;
    std::vector<std::u16string> labelled(words.size());
    for (size_t i = 0; i < words.size(); ++i)
        for (char16_t c : words[i].surface) labelled[i].push_back(static_cast<char16_t>(b.codes[c]));
    std::vector<std::uint32_t> idx(words.size());
    for (std::uint32_t i = 0; i < idx.size(); ++i) idx[i] = i;
    std::stable_sort(idx.begin(), idx.end(), [&](auto x, auto y) { return labelled[x] < labelled[y]; });

    std::unordered_map<std::u16string, std::uint32_t> pooled;
    std::unordered_map<std::u16string, std::uint16_t> encodedSize;
    auto addEntry = [&](const Word& w) {
        if (w.left >= s.rightSize || w.right >= s.leftSize)
            throw std::runtime_error("context id out of range");
        std::uint32_t offset = 0;
        if (!w.reading.empty()) {
            auto [it, added] = pooled.try_emplace(w.reading, static_cast<std::uint32_t>(b.pool.size()));
            if (added) {
                size_t before = b.pool.size();
                dic::EncodeReading(w.reading, b.pool);
                if (b.pool.size() - before > dic::kMaxReadingLength || before > dic::kMaxReadingOffset)
                    throw std::runtime_error("reading too long");
                encodedSize[w.reading] = static_cast<std::uint16_t>(b.pool.size() - before);
            }
            offset = it->second;
        }
        std::uint16_t length = w.reading.empty() ? 0 : encodedSize[w.reading];
        b.entries.push_back({w.left, w.right, w.cost, static_cast<std::uint16_t>(offset & 0xFFFF),
                             static_cast<std::uint16_t>((offset >> 16) | (length << 10))});
        b.entryClasses.push_back(w.classes);
    };
    // The words read only alone get a trie of their own and come after the
    // others, entries and readings alike, so that the analysis, which never
    // reads them, touches none of their pages.
    auto keysOf = [&](bool alone) {
        std::vector<DoubleArrayBuilder::Key> keys;
        const std::u16string* last = nullptr;
        for (const std::uint32_t i : idx) {
            const auto& w = words[i];
            if (((w.classes & dic::kWordAlone) != 0) != alone) continue;
            if (!last || *last != labelled[i])
                keys.push_back({labelled[i], static_cast<std::uint32_t>(b.entries.size()) << dic::kValueCountBits});
            last = &labelled[i];
            if ((keys.back().value & dic::kValueCountMask) == dic::kValueCountMask)
                throw std::runtime_error("too many entries for one spelling");
            ++keys.back().value;
            addEntry(w);
        }
        return keys;
    };
    const std::vector<DoubleArrayBuilder::Key> keys = keysOf(false), aloneKeys = keysOf(true);
    b.knownCount = static_cast<std::uint32_t>(b.entries.size());
    for (size_t c = 0; c < s.categories.size(); ++c) {
        dic::CategoryRecord r{static_cast<std::uint32_t>(b.entries.size()),
                              static_cast<std::uint32_t>(s.unknown[c].size()),
                              static_cast<std::uint8_t>(s.categories[c].invoke != 0),
                              static_cast<std::uint8_t>(s.categories[c].group != 0),
                              static_cast<std::uint8_t>(std::clamp(s.categories[c].length, 0, 255)),
                              0};
        for (const auto& w : s.unknown[c]) addEntry(w);
        b.categoryRecords.push_back(r);
    }
    b.trie = DoubleArrayBuilder().Build(keys);
    b.aloneTrie = DoubleArrayBuilder().Build(aloneKeys);

    // Context ids stand for parts of speech, so one class per left id.
    b.wordClasses.assign(static_cast<size_t>(s.rightSize), dic::kOrdinary);
    auto classify = [&](const Word& w) {
        if (w.wordClass != dic::kOrdinary) b.wordClasses[w.left] = w.wordClass;
    };
    std::for_each(words.begin(), words.end(), classify);
    for (const auto& list : s.unknown) std::for_each(list.begin(), list.end(), classify);
    return b;
}

// The whole file: header, then the sections in order.
std::string Assemble(const Sources& s, const Built& b)
{
    dic::Header h{};
    std::memcpy(h.magic, dic::kMagic, sizeof h.magic);
    h.version = dic::kVersion;
    h.leftSize = static_cast<std::uint32_t>(s.leftSize);
    h.rightSize = static_cast<std::uint32_t>(s.rightSize);
    h.entryCount = static_cast<std::uint32_t>(b.entries.size());
    h.knownCount = b.knownCount;
    h.categoryCount = static_cast<std::uint32_t>(s.categories.size());
    h.spaceCategory = static_cast<std::uint32_t>(s.categoryIds.at("SPACE"));
    std::string body(sizeof h, '\0');
    auto place = [&](dic::Section section, const auto& data) {
        h.sections[section].offset = static_cast<std::uint32_t>(body.size());
        h.sections[section].size = static_cast<std::uint32_t>(data.size() * sizeof(data[0]));
        Append(body, data.data(), data.size());
    };
    place(dic::kCharCodes, b.codes);
    place(dic::kCharInfo, s.charInfo);
    place(dic::kCategories, b.categoryRecords);
    place(dic::kTrie, b.trie);
    place(dic::kEntries, b.entries);
    place(dic::kReadings, b.pool);
    place(dic::kMatrix, s.matrix);
    place(dic::kWordClasses, b.wordClasses);
    place(dic::kEntryClasses, b.entryClasses);
    place(dic::kAloneTrie, b.aloneTrie);
    h.fileSize = static_cast<std::uint32_t>(body.size());
    std::memcpy(body.data(), &h, sizeof h);
    return body;
}

// Written beside the target and renamed, so a failed run leaves no half file.
void Write(const fs::path& out, const std::string& body)
{
    fs::path tmp = out;
    tmp += ".tmp";
    {
        std::ofstream o(tmp, std::ios::binary | std::ios::trunc);
        o.write(body.data(), static_cast<std::streamsize>(body.size()));
        if (!o) throw std::runtime_error("cannot write " + tmp.string());
    }
    fs::rename(tmp, out);
}

}  // namespace

int main(int argc, char** argv)
{
    // Optional inputs after the two fixed arguments, as --name value pairs.
    std::map<std::string, fs::path> options{{"--readings", {}}, {"--lexicon", {}},       {"--unihan", {}},
                                            {"--variants", {}}, {"--compatibility", {}}, {"--edict", {}},
                                            {"--enamdict", {}}, {"--names", {}},         {"--unidic", {}}};
    bool usable = argc >= 3 && argc % 2 == 1;
    for (int i = 3; usable && i + 1 < argc; i += 2) {
        auto it = options.find(argv[i]);
        usable = it != options.end();
        if (usable) it->second = argv[i + 1];
    }
    usable = usable && options["--edict"].empty() == options["--enamdict"].empty();
    if (!usable) {
        std::fprintf(
            stderr,
            "usage: lexidrop-dicgen <ipadic folder> <output file> [--readings <NAIST-JDIC folder>]\n"
            "         [--lexicon <compiled MeCab lexicon folder>] [--unihan <Unihan_Readings.txt[.bz2]>]\n"
            "         [--variants <Unihan_Variants.txt[.bz2]> [--compatibility <Unihan_IRGSources.txt[.bz2]>]]\n"
            "         [--edict <EDICT file> --enamdict <ENAMDICT file>]\n"
            "         [--names <name-list package folder>] [--unidic <UniDic's lex.csv>]\n");
        return 2;
    }
    try {
        Sources sources = Parse(argv[1]);
        if (!options["--variants"].empty()) {
            std::string variantData = unihan::ReadText(options["--variants"]);
            if (!options["--compatibility"].empty()) variantData += "\n" + unihan::ReadText(options["--compatibility"]);
            sources.variantForms = variants::OrdinaryForms(variantData);
        }
        const std::size_t ipadicWords = sources.words.size();
        std::vector<Word> added;
        if (!options["--readings"].empty()) {
            const std::vector<Word> second = ParseWords(options["--readings"]);
            CorrectVoicedKana(sources.words, second);
            added = ExtraReadings(sources.words, second);
        }
        if (!options["--lexicon"].empty()) {
            const std::vector<Word> lexicon = CompiledLexiconWords(options["--lexicon"], argv[1]);
            std::vector<Word> known = sources.words;
            known.insert(known.end(), added.begin(), added.end());
            std::vector<Word> more = ExtraReadings(known, lexicon);
            std::vector<Word> fresh = NewSpellings(sources.words, lexicon);
            added.insert(added.end(), more.begin(), more.end());
            added.insert(added.end(), fresh.begin(), fresh.end());
        }
        sources.words.insert(sources.words.end(), added.begin(), added.end());
        CorrectKanaSlips(sources.words);
        DropUnusedReadings(sources.words);
        PreferCommonerReadings(sources.words);
        MarkCompoundSounds(sources.words);
        if (!options["--names"].empty()) {
            const std::vector<Word> listed = ListedNames(sources.words, PackagedNames(options["--names"]));
            sources.words.insert(sources.words.end(), listed.begin(), listed.end());
            added.insert(added.end(), listed.begin(), listed.end());
            const std::vector<Word> municipalities = MunicipalityNames(
                sources, FromPackageScripts(options["--names"], name_list::ParseMunicipalities));
            sources.words.insert(sources.words.end(), municipalities.begin(), municipalities.end());
            added.insert(added.end(), municipalities.begin(), municipalities.end());
        }
        RankGivenNames(sources.words);
        if (!options["--unidic"].empty()) {
            const std::vector<unidic::Entry> unidicEntries = ReadUniDic(options["--unidic"]);
            std::vector<Word> more = UniDicReadings(sources.words, unidicEntries);
            const std::vector<Word> alone = UniDicSpellings(sources.words, argv[1], unidicEntries);
            more.insert(more.end(), alone.begin(), alone.end());
            sources.words.insert(sources.words.end(), more.begin(), more.end());
            added.insert(added.end(), more.begin(), more.end());
        }
        if (!options["--edict"].empty()) {
            const std::vector<Word> more = EdictReadings(
                sources.words, argv[1], edict::ParseEntries(FromEucJp(ReadFile(options["--edict"]))),
                edict::ParseEntries(FromEucJp(ReadFile(options["--enamdict"]))));
            sources.words.insert(sources.words.end(), more.begin(), more.end());
            added.insert(added.end(), more.begin(), more.end());
        }
        std::size_t fallback = 0;
        if (!options["--unihan"].empty()) {
            std::vector<Word> last =
                FallbackReadings(sources.words, sources, unihan::ReadJapaneseReadings(options["--unihan"]));
            // A variant kanji is read as its ordinary form, not by the last resort.
            std::erase_if(last, [&](const Word& w) {
                return w.surface.size() == 1 && sources.variantForms.count(w.surface[0]) != 0;
            });
            fallback = last.size();
            sources.words.insert(sources.words.end(), last.begin(), last.end());
        }
        RenumberContextIds(sources);
        const Built built = Build(sources);
        const std::string body = Assemble(sources, built);
        Write(argv[2], body);
        std::printf(
            "%s: %zu words (IPADIC %zu, other lexicons %zu, single-kanji fallbacks %zu), %zu trie cells, "
            "%zu bytes\n",
            argv[2], sources.words.size(), ipadicWords, added.size(), fallback, built.trie.size(),
            body.size());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "lexidrop-dicgen: %s\n", e.what());
        return 1;
    }
}
