#include "engine/dicgen/unidic.h"

#include "engine/dicgen/csv.h"
#include "engine/kana.h"

#include <algorithm>
#include <string>

namespace lexidrop::unidic {

namespace {

// Columns of lex.csv.
enum Column : std::size_t {
    kSurface = 0,
    kCost = 3,
    kPos1 = 4,
    kPos2 = 5,
    kConjugationType = 8,
    kConjugation = 9,
    kLemmaReading = 10,
    kLemma = 11,
    kBaseSpelling = 14,
    kOrigin = 16,
    kInitialForm = 18,  // 濁音形 and 半濁音形: the voiced start a compound gives
    kFinalForm = 20,    // 促音形 and the like: the clipped end a compound gives
    kKana = 24,
    kBaseKana = 25,
    kColumns = 26,
};

bool IsKanji(char16_t c)
{
    return (c >= u'\u4E00' && c <= u'\u9FFF') || (c >= u'\u3400' && c <= u'\u4DBF') || c == u'々';
}

// Whether the entry is a word of its own in a form it takes on its own.
bool StandsAlone(const std::vector<std::u16string>& f)
{
    static const std::u16string_view kParts[] = {u"名詞",   u"代名詞", u"形状詞", u"副詞",  u"連体詞",
                                                 u"接続詞", u"感動詞", u"動詞",   u"形容詞"};
    if (std::find(std::begin(kParts), std::end(kParts), f[kPos1]) == std::end(kParts)) return false;
    if (f[kPos1] == u"名詞" && f[kPos2] != u"普通名詞") return false;  // names, auxiliary stems
    if (f[kPos1] == u"形状詞" && f[kPos2] == u"助動詞語幹") return false;
    // Conjugated forms of today's language as it is written: no classical
    // conjugation, no stem, no dialect's or speech's form (払う as はろう, the
    // ウ音便 of 払うて; 避けりゃ).
    static const std::u16string_view kPlainForms[] = {
        u"*", u"命令形", u"意志推量形", u"連用形-促音便", u"連用形-撥音便", u"連用形-イ音便"};
    const std::u16string& conjugated = f[kConjugation];
    if (f[kConjugationType].starts_with(u"文語") || conjugated.starts_with(u"語幹")) return false;
    if (!conjugated.ends_with(u"-一般") &&
        std::find(std::begin(kPlainForms), std::end(kPlainForms), conjugated) == std::end(kPlainForms))
        return false;
    const auto own = [](const std::u16string& form) { return form == u"*" || form == u"基本形"; };
    return own(f[kInitialForm]) && own(f[kFinalForm]);
}

// Whether `form` is `reading` with one sound voiced (合板 ごうはん, ごうばん) or
// doubled (的確 てきかく, てっかく), as a word's own variant form may be; a
// spoken form's other changes (名前 なまい, 大概 たいげえ, 御前 おっまえ) are
// not.
bool VoicedOrDoubled(std::u16string_view form, std::u16string_view reading)
{
    if (form.size() != reading.size()) return false;
    const auto [f, r] = std::mismatch(form.begin(), form.end(), reading.begin());
    if (f == form.end() || !std::equal(f + 1, form.end(), r + 1)) return false;
    constexpr std::u16string_view kVoiceless = u"カキクケコサシスセソタチツテトハヒフヘホ";
    constexpr std::u16string_view kHalfVoiceless = u"ハヒフヘホ";  // パ beside バ
    const bool voiced = (*f == *r + 1 && kVoiceless.find(*r) != kVoiceless.npos) ||
                        (*f == *r + 2 && kHalfVoiceless.find(*r) != kHalfVoiceless.npos);
    const bool doubled = *f == u'ッ' && (*r == u'キ' || *r == u'ク' || *r == u'チ' || *r == u'ツ');
    return voiced || doubled;
}

// Whether the entry is read as its word is, or by a variant form that only
// voices or doubles a sound.
bool OwnSound(const std::vector<std::u16string>& f)
{
    return f[kBaseKana] == f[kLemmaReading] || VoicedOrDoubled(f[kBaseKana], f[kLemmaReading]);
}

}  // namespace

std::vector<Entry> ParseEntries(std::u16string_view lines)
{
    std::vector<Entry> out;
    std::size_t start = 0;
    while (start < lines.size()) {
        std::size_t end = lines.find(u'\n', start);
        if (end == lines.npos) end = lines.size();
        const std::u16string_view line = lines.substr(start, end - start);
        start = end + 1;
        const std::u16string_view surface = line.substr(0, line.find(u','));
        if (std::none_of(surface.begin(), surface.end(), IsKanji)) continue;
        const std::vector<std::u16string> f = csv::Fields(line);
        if (f.size() < kColumns || !StandsAlone(f) || !OwnSound(f)) continue;
        const bool ownSpelling = f[kLemma] == f[kBaseSpelling];
        std::u16string reading = kana::ToHiragana(f[kKana]);
        const bool kana = !reading.empty() && std::all_of(reading.begin(), reading.end(), [](char16_t c) {
            return (c >= u'ぁ' && c <= u'ゖ') || c == u'ー';
        });
        if (!kana) continue;
        const bool dictionaryForm = f[kConjugation] == u"*" || f[kConjugation] == u"終止形-一般";
        out.push_back({f[kSurface], std::move(reading),
                       std::stol(std::string(f[kCost].begin(), f[kCost].end())), f[kOrigin], dictionaryForm,
                       ownSpelling});
    }
    return out;
}

}  // namespace lexidrop::unidic
