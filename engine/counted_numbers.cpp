#include "engine/counted_numbers.h"

#include "engine/reading_text.h"

#include <algorithm>
#include <bitset>
#include <iterator>
#include <array>
#include <cstdint>
#include <deque>
#include <initializer_list>
#include <optional>

namespace lexidrop {
namespace {

// How each counter sounds after the last element of a number. Alternatives
// are separated by '|', the likelier first. `plain` is the counter after a
// number whose sound does not change it (億, 兆, 0, a decimal ending in 0).
struct Counter {
    std::u16string_view spellings;  // separated by spaces
    std::u16string_view plain;
    std::array<std::u16string_view, 9> ones;  // after 1 … 9
    std::u16string_view ten, hundred, thousand, tenThousand, howMany;
};

// clang-format off
// Counters with forms of their own; the regular ones are in kRegular below.
constexpr Counter kCounters[] = {
//   spellings             plain       1            2          3            4            5          6            7                     8                     9                     十                       百             千            万             何
    {u"人",                u"にん",    {u"いちにん", u"ににん", u"さんにん", u"よにん", u"ごにん", u"ろくにん", u"しちにん|ななにん", u"はちにん", u"きゅうにん|くにん"}, u"じゅうにん", u"ひゃくにん", u"せんにん", u"まんにん", u"なんにん"},
    {u"日",                u"にち",    {u"いちにち", u"ににち", u"さんにち", u"よっか", u"ごにち", u"ろくにち", u"しちにち|ななにち", u"はちにち", u"くにち|きゅうにち"}, u"じゅうにち", u"ひゃくにち", u"せんにち", u"まんにち", u"なんにち"},
    {u"つ",                u"",        {u"ひとつ", u"ふたつ", u"みっつ", u"よっつ", u"いつつ", u"むっつ", u"ななつ", u"やっつ", u"ここのつ"}, u"", u"", u"", u"", u""},
    {u"歳 才",             u"さい",    {u"いっさい", u"にさい", u"さんさい", u"よんさい", u"ごさい", u"ろくさい", u"ななさい", u"はっさい", u"きゅうさい"}, u"じゅっさい|じっさい", u"ひゃくさい", u"せんさい", u"まんさい", u"なんさい"},
    {u"分",                u"ふん",    {u"いっぷん", u"にふん", u"さんぷん", u"よんぷん", u"ごふん", u"ろっぷん", u"ななふん", u"はっぷん|はちふん", u"きゅうふん"}, u"じゅっぷん|じっぷん", u"ひゃっぷん", u"せんぷん", u"まんぷん", u"なんぷん"},
    {u"階",                u"かい",    {u"いっかい", u"にかい", u"さんがい|さんかい", u"よんかい", u"ごかい", u"ろっかい", u"ななかい", u"はっかい|はちかい", u"きゅうかい"}, u"じゅっかい|じっかい", u"ひゃっかい", u"せんがい", u"まんがい", u"なんがい|なんかい"},
    {u"冊",                u"さつ",    {u"いっさつ", u"にさつ", u"さんさつ", u"よんさつ", u"ごさつ", u"ろくさつ", u"ななさつ", u"はっさつ|はちさつ", u"きゅうさつ"}, u"じゅっさつ|じっさつ", u"ひゃくさつ|ひゃっさつ", u"せんさつ", u"まんさつ", u"なんさつ"},
    {u"泊",                u"はく",    {u"いっぱく", u"にはく", u"さんぱく", u"よんはく|よんぱく", u"ごはく", u"ろっぱく", u"ななはく", u"はっぱく|はちはく", u"きゅうはく"}, u"じゅっぱく|じっぱく", u"ひゃっぱく", u"せんぱく", u"まんぱく", u"なんぱく"},
    {u"枚",                u"まい",    {u"いちまい", u"にまい", u"さんまい", u"よんまい", u"ごまい", u"ろくまい", u"ななまい|しちまい", u"はちまい", u"きゅうまい"}, u"じゅうまい", u"ひゃくまい", u"せんまい", u"まんまい", u"なんまい"},
    {u"台",                u"だい",    {u"いちだい", u"にだい", u"さんだい", u"よんだい", u"ごだい", u"ろくだい", u"ななだい|しちだい", u"はちだい", u"きゅうだい"}, u"じゅうだい", u"ひゃくだい", u"せんだい", u"まんだい", u"なんだい"},
    {u"時",                u"じ",      {u"いちじ", u"にじ", u"さんじ", u"よじ", u"ごじ", u"ろくじ", u"しちじ|ななじ", u"はちじ", u"くじ"}, u"じゅうじ", u"", u"", u"", u"なんじ"},
    {u"時間",              u"じかん",  {u"いちじかん", u"にじかん", u"さんじかん", u"よじかん", u"ごじかん", u"ろくじかん", u"ななじかん|しちじかん", u"はちじかん", u"くじかん"}, u"じゅうじかん", u"ひゃくじかん", u"せんじかん", u"まんじかん", u"なんじかん"},
    {u"月",                u"がつ",    {u"いちがつ", u"にがつ", u"さんがつ", u"しがつ", u"ごがつ", u"ろくがつ", u"しちがつ", u"はちがつ", u"くがつ"}, u"じゅうがつ", u"", u"", u"", u"なんがつ"},
    {u"年",                u"ねん",    {u"いちねん", u"にねん", u"さんねん", u"よねん", u"ごねん", u"ろくねん", u"ななねん|しちねん", u"はちねん", u"きゅうねん|くねん"}, u"じゅうねん", u"ひゃくねん", u"せんねん", u"まんねん", u"なんねん"},
    {u"円",                u"えん",    {u"いちえん", u"にえん", u"さんえん", u"よえん", u"ごえん", u"ろくえん", u"ななえん", u"はちえん", u"きゅうえん"}, u"じゅうえん", u"ひゃくえん", u"せんえん", u"まんえん", u"なんえん"},
    {u"皿",                u"さら",    {u"いちさら", u"にさら", u"さんさら", u"よんさら", u"ごさら", u"ろくさら", u"ななさら", u"はっさら|はちさら", u"きゅうさら"}, u"じゅっさら|じっさら", u"ひゃくさら", u"せんさら", u"まんさら", u"なんさら"},
    // Birds and rabbits: わ, with ぱ and ば where the number's sound runs into it.
    {u"羽",                u"わ",      {u"いちわ", u"にわ", u"さんわ|さんば", u"よんわ", u"ごわ", u"ろくわ|ろっぱ", u"ななわ", u"はちわ|はっぱ", u"きゅうわ"}, u"じゅうわ|じゅっぱ|じっぱ", u"ひゃくわ|ひゃっぱ", u"せんわ|せんば", u"まんわ", u"なんわ|なんば"},
    // Things counted in native numerals up to three (ひとつぶ, ふたはこ, みきれ; kSpecial below).
    {u"かけ",              u"かけ",    {u"いちかけ", u"にかけ", u"さんかけ", u"よんかけ", u"ごかけ", u"ろくかけ", u"ななかけ", u"はちかけ", u"きゅうかけ"}, u"じゅっかけ|じゅうかけ", u"ひゃくかけ", u"せんかけ", u"まんかけ", u"なんかけ"},
    {u"粒",                u"つぶ",    {u"いちつぶ", u"につぶ", u"さんつぶ", u"よんつぶ", u"ごつぶ", u"ろくつぶ", u"ななつぶ", u"はちつぶ", u"きゅうつぶ"}, u"じゅっつぶ|じゅうつぶ", u"ひゃくつぶ", u"せんつぶ", u"まんつぶ", u"なんつぶ"},
    {u"箱",                u"はこ",    {u"いちはこ", u"にはこ", u"さんはこ", u"よんはこ", u"ごはこ", u"ろくはこ", u"ななはこ", u"はちはこ", u"きゅうはこ"}, u"じゅっぱこ|じゅうはこ", u"ひゃくはこ", u"せんはこ", u"まんはこ", u"なんはこ"},
    {u"袋",                u"ふくろ",  {u"いちふくろ", u"にふくろ", u"さんふくろ", u"よんふくろ", u"ごふくろ", u"ろくふくろ", u"ななふくろ", u"はちふくろ", u"きゅうふくろ"}, u"じゅっぷくろ|じゅうふくろ", u"ひゃくふくろ", u"せんふくろ", u"まんふくろ", u"なんふくろ"},
    {u"束",                u"たば",    {u"いちたば", u"にたば", u"さんたば", u"よんたば", u"ごたば", u"ろくたば", u"ななたば", u"はちたば", u"きゅうたば"}, u"じゅったば|じゅうたば", u"ひゃくたば", u"せんたば", u"まんたば", u"なんたば"},
    {u"切れ",              u"きれ",    {u"いちきれ", u"にきれ", u"さんきれ", u"よんきれ", u"ごきれ", u"ろくきれ", u"ななきれ", u"はちきれ", u"きゅうきれ"}, u"じゅっきれ|じゅうきれ", u"ひゃくきれ", u"せんきれ", u"まんきれ", u"なんきれ"},
    {u"口",                u"くち",    {u"いちくち", u"にくち", u"さんくち", u"よんくち", u"ごくち", u"ろくくち", u"ななくち", u"はちくち", u"きゅうくち"}, u"じゅっくち|じゅうくち", u"ひゃくくち", u"せんくち", u"まんくち", u"なんくち"},
    // Units whose likelier form is not the regular one (いっせんち, ひゃっきろ).
    {u"キロ", u"きろ", {u"いちきろ|いっきろ", u"にきろ", u"さんきろ", u"よんきろ", u"ごきろ", u"ろっきろ|ろくきろ", u"ななきろ", u"はちきろ|はっきろ", u"きゅうきろ"}, u"じゅっきろ|じっきろ", u"ひゃっきろ|ひゃくきろ", u"せんきろ", u"まんきろ", u"なんきろ"},
    {u"センチ", u"せんち", {u"いっせんち", u"にせんち", u"さんせんち", u"よんせんち", u"ごせんち", u"ろくせんち", u"ななせんち", u"はっせんち|はちせんち", u"きゅうせんち"}, u"じゅっせんち|じっせんち", u"ひゃくせんち|ひゃっせんち", u"せんせんち", u"まんせんち", u"なんせんち"},
    {u"トン", u"とん", {u"いっとん", u"にとん", u"さんとん", u"よんとん", u"ごとん", u"ろくとん", u"ななとん", u"はっとん|はちとん", u"きゅうとん"}, u"じゅっとん|じっとん", u"ひゃくとん|ひゃっとん", u"せんとん", u"まんとん", u"なんとん"},
    {u"シーシー", u"しーしー", {u"いっしーしー|いちしーしー", u"にしーしー", u"さんしーしー", u"よんしーしー", u"ごしーしー", u"ろくしーしー", u"ななしーしー", u"はっしーしー|はちしーしー", u"きゅうしーしー"}, u"じゅっしーしー|じっしーしー", u"ひゃくしーしー", u"せんしーしー", u"まんしーしー", u"なんしーしー"},
    {u"パーセント", u"ぱーせんと", {u"いちぱーせんと|いっぱーせんと", u"にぱーせんと", u"さんぱーせんと", u"よんぱーせんと", u"ごぱーせんと", u"ろくぱーせんと|ろっぱーせんと", u"ななぱーせんと", u"はちぱーせんと|はっぱーせんと", u"きゅうぱーせんと"}, u"じゅっぱーせんと|じっぱーせんと", u"ひゃくぱーせんと", u"せんぱーせんと", u"まんぱーせんと", u"なんぱーせんと"},
    // Tatami mats count 4 as よ (よじょうはん).
    {u"畳", u"じょう", {u"いちじょう", u"にじょう", u"さんじょう", u"よじょう", u"ごじょう", u"ろくじょう", u"ななじょう|しちじょう", u"はちじょう", u"きゅうじょう"}, u"じゅうじょう", u"ひゃくじょう", u"せんじょう", u"まんじょう", u"なんじょう"},
    // Blossoms in tenths: 分 reads ぶ (ごぶざき).
    {u"分咲き", u"ぶざき", {u"いちぶざき", u"にぶざき", u"さんぶざき", u"よんぶざき", u"ごぶざき", u"ろくぶざき", u"しちぶざき|ななぶざき", u"はちぶざき", u"くぶざき|きゅうぶざき"}, u"", u"", u"", u"", u"なんぶざき"},
    // Children of one birth and braids: みつご, みつあみ, not みっつ.
    {u"つ子", u"", {u"", u"ふたご", u"みつご", u"よつご", u"いつつご", u"むつご", u"ななつご", u"やつご", u"ここのつご"}, u"", u"", u"", u"", u""},
    {u"つ編み", u"", {u"", u"", u"みつあみ", u"よつあみ", u"", u"", u"", u"", u""}, u"", u"", u"", u"", u""},
    // Note lengths: 分 reads ぶ, and 4 し (しぶおんぷ).
    {u"分音符", u"ぶおんぷ", {u"いちぶおんぷ", u"にぶおんぷ", u"さんぶおんぷ", u"しぶおんぷ|よんぶおんぷ", u"ごぶおんぷ", u"ろくぶおんぷ", u"ななぶおんぷ", u"はちぶおんぷ", u"きゅうぶおんぷ"}, u"じゅうぶおんぷ", u"ひゃくぶおんぷ", u"せんぶおんぷ", u"まんぶおんぷ", u"なんぶおんぷ"},
    {u"分休符", u"ぶきゅうふ", {u"いちぶきゅうふ", u"にぶきゅうふ", u"さんぶきゅうふ", u"しぶきゅうふ|よんぶきゅうふ", u"ごぶきゅうふ", u"ろくぶきゅうふ", u"ななぶきゅうふ", u"はちぶきゅうふ", u"きゅうぶきゅうふ"}, u"じゅうぶきゅうふ", u"ひゃくぶきゅうふ", u"せんぶきゅうふ", u"まんぶきゅうふ", u"なんぶきゅうふ"},
};

// Counters and units whose forms follow from their reading by the usual
// sound rules (RegularCounter below): Sino-Japanese counters, and units
// taken from other languages, which change less.
enum class Sounds { kSino, kLoan };
struct Regular {
    std::u16string_view spellings;  // separated by spaces
    std::u16string_view plain;
    Sounds sounds;
    std::u16string_view voiced = u"";  // the counter after ん (3, 千, 万, 何) where it is voiced
};

constexpr Regular kRegular[] = {
    // Sino-Japanese counters.
    {u"本",                            u"ほん",             Sounds::kSino, u"ぼん"},
    {u"匹",                            u"ひき",             Sounds::kSino, u"びき"},
    {u"杯",                            u"はい",             Sounds::kSino, u"ばい"},
    {u"回",                            u"かい",             Sounds::kSino},
    {u"個 コ",                         u"こ",               Sounds::kSino},
    {u"軒",                            u"けん",             Sounds::kSino, u"げん"},
    {u"足",                            u"そく",             Sounds::kSino, u"ぞく"},
    {u"頭",                            u"とう",             Sounds::kSino},
    {u"着",                            u"ちゃく",           Sounds::kSino},
    {u"通",                            u"つう",             Sounds::kSino},
    {u"ヶ月 ヵ月 か月 カ月 ケ月 箇月", u"かげつ",           Sounds::kSino},
    {u"ヶ国 ヵ国 か国 カ国 ケ国 箇国", u"かこく",           Sounds::kSino},
    {u"ヶ所 ヵ所 か所 カ所 ケ所 箇所", u"かしょ",           Sounds::kSino},
    {u"失点",                          u"しってん",         Sounds::kSino},
    {u"得点",                          u"とくてん",         Sounds::kSino},
    {u"週間",                          u"しゅうかん",       Sounds::kSino},
    {u"番",                            u"ばん",             Sounds::kSino},
    {u"度",                            u"ど",               Sounds::kSino},
    {u"件",                            u"けん",             Sounds::kSino},
    {u"点",                            u"てん",             Sounds::kSino},
    {u"秒",                            u"びょう",           Sounds::kSino},
    {u"倍",                            u"ばい",             Sounds::kSino},
    {u"章",                            u"しょう",           Sounds::kSino},
    {u"晩",                            u"ばん",             Sounds::kSino},
    {u"位",                            u"い",               Sounds::kSino},
    {u"曲 局",                         u"きょく",           Sounds::kSino},
    {u"社",                            u"しゃ",             Sounds::kSino},
    {u"校",                            u"こう",             Sounds::kSino},
    {u"店",                            u"てん",             Sounds::kSino},
    {u"店舗",                          u"てんぽ",           Sounds::kSino},
    {u"室",                            u"しつ",             Sounds::kSino},
    {u"発",                            u"はつ",             Sounds::kSino, u"ぱつ"},
    {u"拍",                            u"はく",             Sounds::kSino, u"ぱく"},
    {u"片",                            u"へん",             Sounds::kSino, u"ぺん"},
    {u"斗",                            u"と",               Sounds::kSino},
    {u"項",                            u"こう",             Sounds::kSino},
    {u"課 科",                         u"か",               Sounds::kSino},
    {u"球",                            u"きゅう",           Sounds::kSino},
    {u"勝",                            u"しょう",           Sounds::kSino},
    {u"敗",                            u"はい",             Sounds::kSino, u"ぱい"},
    {u"票",                            u"ひょう",           Sounds::kSino, u"びょう"},
    {u"等",                            u"とう",             Sounds::kSino},
    {u"級",                            u"きゅう",           Sounds::kSino},
    {u"歩",                            u"ほ",               Sounds::kSino, u"ぽ"},
    {u"周 週",                         u"しゅう",           Sounds::kSino},
    {u"隻 席",                         u"せき",             Sounds::kSino},
    {u"機 基 期",                      u"き",               Sounds::kSino},
    {u"品",                            u"ひん",             Sounds::kSino, u"ぴん"},
    {u"首",                            u"しゅ",             Sounds::kSino},
    {u"句",                            u"く",               Sounds::kSino},
    {u"節",                            u"せつ",             Sounds::kSino},
    {u"巻 缶",                         u"かん",             Sounds::kSino},
    {u"食",                            u"しょく",           Sounds::kSino},
    {u"戦",                            u"せん",             Sounds::kSino},
    {u"丁",                            u"ちょう",           Sounds::kSino},
    {u"丁目",                          u"ちょうめ",         Sounds::kSino},
    {u"行",                            u"ぎょう",           Sounds::kSino},
    {u"脚",                            u"きゃく",           Sounds::kSino},
    {u"棟",                            u"とう",             Sounds::kSino},
    {u"尺",                            u"しゃく",           Sounds::kSino, u"じゃく|しゃく"},
    {u"寸",                            u"すん",             Sounds::kSino, u"ずん|すん"},
    {u"升",                            u"しょう",           Sounds::kSino, u"じょう|しょう"},
    {u"貫",                            u"かん",             Sounds::kSino, u"がん|かん"},
    {u"坪",                            u"つぼ",             Sounds::kSino},
    {u"合",                            u"ごう",             Sounds::kSino},
    {u"里",                            u"り",               Sounds::kSino},
    {u"滴",                            u"てき",             Sounds::kSino},
    {u"遍",                            u"へん",             Sounds::kSino, u"べん"},
    {u"世紀",                          u"せいき",           Sounds::kSino},
    {u"服",                            u"ふく",             Sounds::kSino, u"ぷく"},
    {u"斤",                            u"きん",             Sounds::kSino},
    {u"筆",                            u"ひつ",             Sounds::kSino, u"ぴつ"},
    {u"艘",                            u"そう",             Sounds::kSino},
    {u"反",                            u"たん",             Sounds::kSino},
    {u"包",                            u"ほう",             Sounds::kSino, u"ぽう"},
    {u"版",                            u"はん",             Sounds::kSino, u"ぱん"},
    // The shops where everything costs a hundred yen (100均 ひゃっきん).
    {u"均",                            u"きん",             Sounds::kSino},
    // Units and letters from other languages.
    {u"ミリ",                          u"みり",             Sounds::kLoan},
    {u"メートル",                      u"めーとる",         Sounds::kLoan},
    {u"グラム",                        u"ぐらむ",           Sounds::kLoan},
    {u"リットル",                      u"りっとる",         Sounds::kLoan},
    {u"ギガ",                          u"ぎが",             Sounds::kLoan},
    {u"メガ",                          u"めが",             Sounds::kLoan},
    {u"ヘルツ",                        u"へるつ",           Sounds::kLoan},
    {u"平方メートル",                  u"へいほうめーとる", Sounds::kLoan},
    {u"ワット",                        u"わっと",           Sounds::kLoan},
    {u"ボルト",                        u"ぼると",           Sounds::kLoan},
    {u"アンペア",                      u"あんぺあ",         Sounds::kLoan},
    {u"デシベル",                      u"でしべる",         Sounds::kLoan},
    {u"インチ",                        u"いんち",           Sounds::kLoan},
    {u"ドル",                          u"どる",             Sounds::kLoan},
    {u"ユーロ",                        u"ゆーろ",           Sounds::kLoan},
    {u"ポンド",                        u"ぽんど",           Sounds::kLoan},
    {u"テラ",                          u"てら",             Sounds::kLoan},
    {u"ナノ",                          u"なの",             Sounds::kLoan},
    {u"マイクロ",                      u"まいくろ",         Sounds::kLoan},
    {u"ミクロン",                      u"みくろん",         Sounds::kLoan},
    {u"デシ",                          u"でし",             Sounds::kLoan},
    {u"ヘクト",                        u"へくと",           Sounds::kLoan},
    {u"パスカル",                      u"ぱすかる",         Sounds::kLoan},
    {u"ジュール",                      u"じゅーる",         Sounds::kLoan},
    {u"カロリー",                      u"かろりー",         Sounds::kLoan},
    {u"ルクス",                        u"るくす",           Sounds::kLoan},
    {u"シーベルト",                    u"しーべると",       Sounds::kLoan},
    {u"ベクレル",                      u"べくれる",         Sounds::kLoan},
    {u"モル",                          u"もる",             Sounds::kLoan},
    {u"ヘクタール",                    u"へくたーる",       Sounds::kLoan},
    {u"パーミル",                      u"ぱーみる",         Sounds::kLoan},
    {u"ピーピーエム",                  u"ぴーぴーえむ",     Sounds::kLoan},
    {u"ピーピービー",                  u"ぴーぴーびー",     Sounds::kLoan},
    {u"ビーピーエス",                  u"びーぴーえす",     Sounds::kLoan},
    {u"ケービーピーエス",              u"けーびーぴーえす", Sounds::kLoan},
    {u"エルディーケー",                u"えるでぃーけー",   Sounds::kLoan},
    {u"ディーケー",                    u"でぃーけー",       Sounds::kLoan},
    {u"エー",                          u"えー",             Sounds::kLoan},
    {u"平方",                          u"へいほう",         Sounds::kLoan},
    {u"立方",                          u"りっぽう",         Sounds::kLoan},
    {u"オーム",                        u"おーむ",           Sounds::kLoan},
    {u"ピクセル",                      u"ぴくせる",         Sounds::kLoan},
    {u"ディーピーアイ",                u"でぃーぴーあい",   Sounds::kLoan},
    {u"エフピーエス",                  u"えふぴーえす",     Sounds::kLoan},
    {u"アールピーエム",                u"あーるぴーえむ",   Sounds::kLoan},
    {u"フィート",                      u"ふぃーと",         Sounds::kLoan},
    {u"ヤード",                        u"やーど",           Sounds::kLoan},
    {u"オンス",                        u"おんす",           Sounds::kLoan},
    {u"ガロン",                        u"がろん",           Sounds::kLoan},
    {u"エイチジー",                    u"えいちじー",       Sounds::kLoan},
    {u"水銀柱",                        u"すいぎんちゅう",   Sounds::kLoan},
    // Beats in a bar: びょうし after every number (さんびょうし, よんびょうし).
    {u"拍子",                          u"びょうし",         Sounds::kLoan},
    {u"刀流",                          u"とうりゅう",       Sounds::kSino},
};

// The parts of a ratio below 割, where they differ from the counters spelt
// alike (三割五分 さんわりごぶ, not ごふん).
constexpr Counter kRatioParts[] = {
    {u"分",                u"ぶ",      {u"いちぶ", u"にぶ", u"さんぶ", u"よんぶ", u"ごぶ", u"ろくぶ", u"ななぶ|しちぶ", u"はちぶ", u"きゅうぶ|くぶ"}, u"", u"", u"", u"", u"なんぶ"},
};

// Counters made of another one and a suffix: 三年間 = 三年 + かん.
struct Derived {
    std::u16string_view spellings, base, suffix;
};
constexpr Derived kDerived[] = {
    {u"年間", u"年", u"かん"},
    {u"日間", u"日", u"かん"},
    {u"分間", u"分", u"かん"},
    {u"時半", u"時", u"はん"},
    {u"時間半", u"時間", u"はん"},
    {u"回目", u"回", u"め"},
    // Counters the dictionary hides in words of their own (回分, 科目, 坪当たり).
    {u"回分", u"回", u"ぶん"},
    {u"食分", u"食", u"ぶん"},
    {u"科目", u"科", u"もく"},
    {u"項目", u"項", u"もく"},
    {u"坪当たり", u"坪", u"あたり"},
    // Words made with a count, whose next sound is voiced there: 一人暮らし, 二人組.
    {u"人暮らし", u"人", u"ぐらし"},
    {u"人組", u"人", u"ぐみ"},
    {u"人掛け", u"人", u"がけ"},
    {u"枚重ね", u"枚", u"がさね"},
    {u"本立て", u"本", u"だて"},
    {u"つ折り", u"つ", u"おり"},
    {u"畳間", u"畳", u"ま"},
    {u"頭身", u"頭", u"しん"},
    {u"番目", u"番", u"め"},
    {u"ヶ月間 か月間 カ月間", u"ヶ月", u"かん"},
    {u"キロメートル", u"キロ", u"めーとる"},
    {u"キログラム", u"キロ", u"ぐらむ"},
    {u"キロバイト", u"キロ", u"ばいと"},
    {u"キロヘルツ", u"キロ", u"へるつ"},
    {u"センチメートル", u"センチ", u"めーとる"},
    {u"ミリメートル", u"ミリ", u"めーとる"},
    {u"ミリグラム", u"ミリ", u"ぐらむ"},
    {u"ミリリットル", u"ミリ", u"りっとる"},
    {u"ギガバイト", u"ギガ", u"ばいと"},
    {u"ギガヘルツ", u"ギガ", u"へるつ"},
    {u"メガバイト", u"メガ", u"ばいと"},
    {u"メガヘルツ", u"メガ", u"へるつ"},
    {u"キロワット", u"キロ", u"わっと"},
    {u"キロワット時", u"キロ", u"わっとじ"},
    {u"メガワット", u"メガ", u"わっと"},
    {u"ギガワット", u"ギガ", u"わっと"},
    {u"ミリシーベルト", u"ミリ", u"しーべると"},
    {u"マイクロシーベルト", u"マイクロ", u"しーべると"},
    {u"ミリアンペア", u"ミリ", u"あんぺあ"},
    {u"ミリアンペア時", u"ミリ", u"あんぺあじ"},
    {u"ミリアンペアアワー", u"ミリ", u"あんぺああわー"},
    {u"キロワットアワー", u"キロ", u"わっとあわー"},
    {u"キロメートル毎時", u"キロ", u"めーとるまいじ"},
    {u"メートル毎秒", u"メートル", u"まいびょう"},
    {u"ミリ秒", u"ミリ", u"びょう"},
    {u"マイクロ秒", u"マイクロ", u"びょう"},
    {u"マイクロメートル", u"マイクロ", u"めーとる"},
    {u"マイクログラム", u"マイクロ", u"ぐらむ"},
    {u"ナノメートル", u"ナノ", u"めーとる"},
    {u"デシリットル", u"デシ", u"りっとる"},
    {u"テラバイト", u"テラ", u"ばいと"},
    {u"ヘクトパスカル", u"ヘクト", u"ぱすかる"},
    {u"キロパスカル", u"キロ", u"ぱすかる"},
    {u"メガパスカル", u"メガ", u"ぱすかる"},
    {u"キロジュール", u"キロ", u"じゅーる"},
    {u"キロカロリー", u"キロ", u"かろりー"},
    {u"キロビーピーエス", u"キロ", u"びーぴーえす"},
    {u"メガビーピーエス", u"メガ", u"びーぴーえす"},
    {u"ギガビーピーエス", u"ギガ", u"びーぴーえす"},
    {u"平方キロメートル", u"平方", u"きろめーとる"},
    {u"平方センチメートル", u"平方", u"せんちめーとる"},
    {u"立方メートル", u"立方", u"めーとる"},
    {u"立方センチメートル", u"立方", u"せんちめーとる"},
    {u"畳半", u"畳", u"はん"},
    {u"周年", u"周", u"ねん"},
    {u"ミリメートル水銀柱", u"ミリ", u"めーとるすいぎんちゅう"},
    {u"ミリエイチジー", u"ミリ", u"えいちじー"},
};

// Whole numbers with a reading of their own, before the counter's rule.
struct Special {
    std::u16string_view counter;
    std::uint64_t number;
    std::u16string_view readings;
};
constexpr Special kSpecial[] = {
    {u"人", 1, u"ひとり"},      {u"人", 2, u"ふたり"},
    {u"日", 1, u"いちにち|ついたち"}, {u"日", 2, u"ふつか"}, {u"日", 3, u"みっか"}, {u"日", 4, u"よっか"},
    {u"日", 5, u"いつか"},      {u"日", 6, u"むいか"},    {u"日", 7, u"なのか|なぬか"}, {u"日", 8, u"ようか"},
    {u"日", 9, u"ここのか"},    {u"日", 10, u"とおか"},   {u"日", 20, u"はつか"},
    {u"歳", 20, u"はたち|にじゅっさい|にじっさい"},
    {u"時", 0, u"れいじ|ぜろじ"},
    // Nights, plates and the things counted like them count the first few in native numerals.
    {u"晩", 1, u"ひとばん"},    {u"晩", 2, u"ふたばん"},  {u"晩", 3, u"みばん|さんばん"},
    {u"坪", 1, u"ひとつぼ|いっつぼ"}, {u"坪", 2, u"ふたつぼ|につぼ"},
    {u"皿", 1, u"ひとさら"},    {u"皿", 2, u"ふたさら"},  {u"皿", 3, u"さんさら|みさら"},
    {u"粒", 1, u"ひとつぶ"},    {u"粒", 2, u"ふたつぶ"},  {u"粒", 3, u"さんつぶ|みつぶ"},
    {u"かけ", 1, u"ひとかけ"},  {u"かけ", 2, u"ふたかけ"}, {u"かけ", 3, u"さんかけ|みかけ"},
    {u"箱", 1, u"ひとはこ"},    {u"箱", 2, u"ふたはこ"},  {u"箱", 3, u"さんはこ|みはこ"},
    {u"袋", 1, u"ひとふくろ"},  {u"袋", 2, u"ふたふくろ"}, {u"袋", 3, u"さんふくろ|みふくろ"},
    {u"束", 1, u"ひとたば"},    {u"束", 2, u"ふたたば"},  {u"束", 3, u"さんたば|みたば"},
    {u"切れ", 1, u"ひときれ"},  {u"切れ", 2, u"ふたきれ"}, {u"切れ", 3, u"さんきれ|みきれ"},
    {u"口", 1, u"ひとくち"},    {u"口", 2, u"ふたくち"},  {u"口", 3, u"さんくち|みくち"},
};

// A numeral kanji that is the whole text, after its usual reading, also
// reads so (四 よん, し; 十 じゅう, とお): its native or other reading.
struct NumeralKanji {
    char16_t kanji;
    std::u16string_view other;
};
constexpr NumeralKanji kNumeralKanjiOthers[] = {
    {u'一', u"ひと"}, {u'二', u"ふた"}, {u'三', u"み"},   {u'四', u"し"},  {u'五', u"いつ"},
    {u'六', u"む"},   {u'七', u"しち"}, {u'八', u"や"},   {u'九', u"く"},  {u'十', u"とお"},
};
// clang-format on

constexpr std::u16string_view kDigitReadings[] = {u"ぜろ", u"いち", u"に",   u"さん", u"よん",
                                                  u"ご",   u"ろく", u"なな", u"はち", u"きゅう"};

std::vector<std::u16string_view> SplitOn(std::u16string_view s, char16_t separator)
{
    std::vector<std::u16string_view> parts;
    while (!s.empty()) {
        std::size_t p = s.find(separator);
        if (p != 0) parts.push_back(s.substr(0, p));
        if (p == s.npos) break;
        s.remove_prefix(p + 1);
    }
    return parts;
}

bool HasSpelling(std::u16string_view spellings, std::u16string_view word)
{
    while (!spellings.empty()) {
        const std::u16string_view s = spellings.substr(0, spellings.find(u' '));
        if (s == word) return true;
        spellings.remove_prefix(std::min(spellings.size(), s.size() + 1));
    }
    return false;
}

// A regular counter's forms: the number's last sound runs into a k, s, t or
// p (and in Sino-Japanese an h, which turns p) as a small tsu: いっしゃく,
// ろっかん, はっしゃく|はちしゃく, じゅっすん, ひゃっかん, いっぱつ. Units from
// other languages keep the plain form first (いちてら, いってら), keep 6 whole
// (ろくけーびーぴーえす) and never change an h (いちへくたーる).
Counter RegularCounter(const Regular& r, std::deque<std::u16string>& store)
{
    const std::u16string plain(r.plain);
    auto startsIn = [&](std::u16string_view row) { return row.find(plain.front()) != row.npos; };
    const bool sino = r.sounds == Sounds::kSino;
    const bool h = sino && startsIn(u"はひふへほ");
    const bool runsOn = h || startsIn(u"かきくけこさしすせそたちつてとぱぴぷぺぽ");  // 1, 8 and 10
    const bool kOrP = h || startsIn(u"かきくけこぱぴぷぺぽ");  // 6 and 100 too, in Sino-Japanese
    std::u16string afterTsu = plain;
    if (h) afterTsu[0] = static_cast<char16_t>(afterTsu[0] + 2);  // は → ぱ
    auto forms = [&](std::initializer_list<std::u16string> alternatives) -> std::u16string_view {
        std::u16string joined;
        for (const auto& a : alternatives) {
            if (!joined.empty()) joined += u'|';
            joined += a;
        }
        return store.emplace_back(std::move(joined));
    };
    auto after = [&](std::u16string number) { return forms({number + plain}); };
    auto afterN = [&](std::u16string_view number) -> std::u16string_view {
        std::u16string joined;
        for (auto v : SplitOn(r.voiced.empty() ? r.plain : r.voiced, u'|')) {
            if (!joined.empty()) joined += u'|';
            joined.append(number).append(v);
        }
        return store.emplace_back(std::move(joined));
    };
    auto runOn = [&](const std::u16string& whole, const std::u16string& clipped) {
        return sino ? forms({clipped + afterTsu}) : forms({whole + plain, clipped + plain});
    };
    Counter c{r.spellings, r.plain, {}, {}, {}, {}, {}, {}};
    c.ones = {runsOn ? runOn(u"いち", u"いっ") : after(u"いち"),
              after(u"に"),
              afterN(u"さん"),
              after(u"よん"),
              after(u"ご"),
              sino && kOrP ? forms({u"ろっ" + afterTsu}) : after(u"ろく"),
              after(u"なな"),
              runsOn ? (sino ? forms({u"はっ" + afterTsu, u"はち" + plain}) : runOn(u"はち", u"はっ")) : after(u"はち"),
              after(u"きゅう")};
    c.ten = runsOn ? forms({u"じゅっ" + afterTsu, u"じっ" + afterTsu}) : after(u"じゅう");
    c.hundred = !runsOn ? after(u"ひゃく")
                : sino  ? (kOrP ? forms({u"ひゃっ" + afterTsu}) : after(u"ひゃく"))
                        : runOn(u"ひゃく", u"ひゃっ");
    c.thousand = afterN(u"せん");
    c.tenThousand = afterN(u"まん");
    c.howMany = afterN(u"なん");
    return c;
}

// The counter table with the regular counters' forms worked out, once.
const std::vector<Counter>& Counters()
{
    static std::deque<std::u16string> forms;  // what the worked-out forms' views point into
    static const std::vector<Counter> all = [] {
        std::vector<Counter> counters(std::begin(kCounters), std::end(kCounters));
        for (const Regular& r : kRegular) counters.push_back(RegularCounter(r, forms));
        return counters;
    }();
    return all;
}

const Counter* FindCounter(std::u16string_view word)
{
    for (const Counter& c : Counters())
        if (HasSpelling(c.spellings, word)) return &c;
    return nullptr;
}

int DigitValue(char16_t c)
{
    static constexpr std::u16string_view kKanji = u"〇一二三四五六七八九";
    if (c >= u'０' && c <= u'９') return c - u'０';
    std::size_t k = kKanji.find(c);
    return k == kKanji.npos ? -1 : static_cast<int>(k);
}

std::uint64_t UnitValue(char16_t c)
{
    switch (c) {
        case u'十':
            return 10;
        case u'百':
            return 100;
        case u'千':
            return 1000;
        case u'万':
            return 10'000;
        case u'億':
            return 100'000'000;
        case u'兆':
            return 1'000'000'000'000;
        default:
            return 0;
    }
}

struct Number {
    std::uint64_t whole = 0;
    std::u16string fraction;  // digits after the decimal point, as typed
    bool howMany = false;
};

// Kanji numerals, digits (with separators between groups of three and one
// decimal point) and units, or 何; nothing for anything else.
std::optional<Number> ParseNumber(std::u16string_view s)
{
    constexpr std::uint64_t kLimit = 10'000'000'000'000'000;  // up to 16 digits
    Number n;
    if (s == u"何") {
        n.howMany = true;
        return n;
    }
    if (s.empty()) return std::nullopt;
    std::uint64_t total = 0, section = 0, pending = 0;
    std::uint64_t lastBig = 0, lastSmall = 0;  // units go from large to small: 三千五百, not 五百三千
    bool havePending = false, afterUnit = false;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const char16_t c = s[i];
        if (const int d = DigitValue(c); d >= 0) {
            // Leading zeros (01, ０６００) make a code, not a count.
            if (havePending && pending == 0) return std::nullopt;
            pending =
                havePending ? pending * 10 + static_cast<std::uint64_t>(d) : static_cast<std::uint64_t>(d);
            havePending = true;
            if (pending >= kLimit) return std::nullopt;
        } else if (c == u'，') {
            // Thousands separator: digits before it, exactly three after.
            if (!havePending || s.size() - i - 1 < 3) return std::nullopt;
            for (std::size_t k = 1; k <= 3; ++k)
                if (s[i + k] < u'０' || s[i + k] > u'９') return std::nullopt;
            if (i + 4 < s.size() && s[i + 4] >= u'０' && s[i + 4] <= u'９') return std::nullopt;
        } else if (c == u'．') {
            if (!havePending || afterUnit || i + 1 == s.size()) return std::nullopt;
            for (std::size_t k = i + 1; k < s.size(); ++k) {
                if (s[k] < u'０' || s[k] > u'９') return std::nullopt;
                n.fraction.push_back(s[k]);
            }
            break;
        } else if (const std::uint64_t unit = UnitValue(c); unit >= 10'000) {
            // 万, 億 and 兆 count from a number before them: standing first
            // they are words of their own (数万 すうまん, 億万 おくまん), not 一万.
            if (total == 0 && section == 0 && !havePending) return std::nullopt;
            if (lastBig != 0 && unit >= lastBig) return std::nullopt;
            lastBig = unit;
            lastSmall = 0;
            section += havePending ? pending : 0;
            if (section >= kLimit / unit) return std::nullopt;
            total += (section == 0 ? 1 : section) * unit;
            if (total >= kLimit) return std::nullopt;
            section = pending = 0;
            havePending = false;
            afterUnit = true;
        } else if (unit != 0) {
            if ((havePending && pending > 9) || (lastSmall != 0 && unit >= lastSmall)) return std::nullopt;
            lastSmall = unit;
            section += (havePending ? pending : 1) * unit;
            pending = 0;
            havePending = false;
            afterUnit = true;
        } else {
            return std::nullopt;
        }
    }
    n.whole = total + section + (havePending ? pending : 0);
    return n;
}

std::u16string Plain(std::uint64_t n)
{
    return n == 0 ? std::u16string() : NumberReading(std::to_string(n));
}

std::vector<std::u16string> WithPrefix(const std::u16string& prefix, std::u16string_view forms)
{
    std::vector<std::u16string> out;
    for (auto form : SplitOn(forms, u'|')) out.push_back(prefix + std::u16string(form));
    return out;
}

// `element` read plainly (さんびゃく) with its last unit (ひゃく, its first
// sound as voiced there) replaced by the counter's form after that unit.
std::vector<std::u16string> ReplaceUnit(const std::u16string& prefix, const std::u16string& element,
                                        std::size_t unitLength, std::u16string_view forms)
{
    std::vector<std::u16string> out;
    if (forms.empty() || element.size() < unitLength) return out;
    const std::u16string head = element.substr(0, element.size() - unitLength + 1);
    for (auto form : SplitOn(forms, u'|')) out.push_back(prefix + head + std::u16string(form.substr(1)));
    return out;
}

// A whole number with a counter, by the counter's last-element rule.
std::vector<std::u16string> WholeWithCounter(std::uint64_t n, const Counter& c)
{
    if (n == 0) return WithPrefix(u"ぜろ", c.plain);
    if (n >= 10 && c.ten.empty()) return {};  // a counter for small numbers only (つ)
    if (const std::uint64_t ones = n % 10) {
        if (c.ones[ones - 1].empty()) return {};
        return WithPrefix(Plain(n - ones), c.ones[ones - 1]);
    }
    if (n % 100) {
        if (c.ten.empty()) return {};
        const std::uint64_t tens = n / 10 % 10;
        return WithPrefix(Plain(n - n % 100) + std::u16string(tens > 1 ? kDigitReadings[tens] : u""), c.ten);
    }
    if (n % 1000) return ReplaceUnit(Plain(n - n % 1000), Plain(n % 1000), 3, c.hundred);
    if (n % 10000) return ReplaceUnit(Plain(n - n % 10000), Plain(n % 10000), 2, c.thousand);
    const std::u16string all = Plain(n);
    if (all.ends_with(u"まん")) return ReplaceUnit(u"", all, 2, c.tenThousand);
    return c.plain.empty() ? std::vector<std::u16string>{} : WithPrefix(all, c.plain);
}

// The whole part before てん: its last sound clipped where speech clips it.
std::u16string BeforePoint(std::uint64_t n)
{
    if (n == 0) return u"れい";
    std::u16string r = Plain(n);
    if (r.ends_with(u"いち") || r.ends_with(u"はち"))
        r.back() = u'っ';
    else if (r.ends_with(u"じゅう"))
        r.replace(r.size() - 1, 1, u"っ");
    return r;
}

std::vector<std::u16string> Decimal(const Number& n, const Counter* c)
{
    std::u16string r = BeforePoint(n.whole) + u"てん";
    for (std::size_t i = 0; i + 1 < n.fraction.size(); ++i) r += kDigitReadings[n.fraction[i] - u'０'];
    const int last = n.fraction.back() - u'０';
    if (!c) return {r + std::u16string(kDigitReadings[last])};
    if (last == 0 || c->ones[last - 1].empty())
        return c->plain.empty() ? std::vector<std::u16string>{} : WithPrefix(r + u"ぜろ", c->plain);
    return WithPrefix(r, c->ones[last - 1]);
}

}  // namespace

bool IsNumeralCharacter(char16_t c)
{
    // Asked about the first character of every word: one bit per code unit,
    // worked out once.
    static const std::bitset<65536> numerals = [] {
        std::bitset<65536> bits;
        for (std::uint32_t u = 0; u < bits.size(); ++u)
            bits[u] = DigitValue(static_cast<char16_t>(u)) >= 0 || UnitValue(static_cast<char16_t>(u)) != 0;
        return bits;
    }();
    return numerals.test(c);
}

std::vector<std::size_t> CountersAt(std::u16string_view text)
{
    // Every counter's spellings, split once and sorted: the question is asked
    // after every number of every text.
    static const std::vector<std::u16string_view> spellings = [] {
        std::vector<std::u16string_view> all;
        for (const Counter& c : Counters())
            std::ranges::copy(SplitOn(c.spellings, u' '), std::back_inserter(all));
        for (const Derived& d : kDerived) std::ranges::copy(SplitOn(d.spellings, u' '), std::back_inserter(all));
        std::ranges::sort(all);
        return all;
    }();
    std::vector<std::size_t> lengths;
    if (text.empty()) return lengths;
    // Those starting with the text's first character lie together.
    for (auto s = std::ranges::lower_bound(spellings, text.substr(0, 1));
         s != spellings.end() && (*s)[0] == text[0]; ++s)
        if (text.starts_with(*s) && std::ranges::find(lengths, s->size()) == lengths.end())
            lengths.push_back(s->size());
    std::sort(lengths.rbegin(), lengths.rend());
    return lengths;
}

std::vector<std::u16string> CountedReadings(std::u16string_view numeral, std::u16string_view counter,
                                            CountPlace place)
{
    const std::optional<Number> number = ParseNumber(numeral);
    if (!number) return {};
    std::u16string_view suffix;
    const Counter* c = nullptr;
    if (!counter.empty()) {
        if (place == CountPlace::kPartOfRatio)
            for (const Counter& part : kRatioParts)
                if (HasSpelling(part.spellings, counter)) c = &part;
        if (!c) c = FindCounter(counter);
        for (const Derived& d : kDerived) {
            if (c || !HasSpelling(d.spellings, counter)) continue;
            c = FindCounter(d.base);
            suffix = d.suffix;
        }
        if (!c) return {};
    }
    std::vector<std::u16string> out;
    if (number->howMany) {
        if (c) out = WithPrefix(u"", c->howMany);
    } else if (!number->fraction.empty()) {
        out = Decimal(*number, c);
    } else if (!c) {
        out.push_back(NumberReading(std::to_string(number->whole)));
        for (const NumeralKanji& k : kNumeralKanjiOthers)
            if (place == CountPlace::kAlone && numeral.size() == 1 && numeral[0] == k.kanji)
                out.emplace_back(k.other);
    } else {
        const bool secondOfTwoOrThreeDays =
            place == CountPlace::kAfterTwoAnd && number->whole == 3 && counter == u"日";
        for (const Special& s : kSpecial)
            if (s.number == number->whole && HasSpelling(c->spellings, s.counter) && !secondOfTwoOrThreeDays)
                out = WithPrefix(u"", s.readings);
        if (out.empty()) out = WholeWithCounter(number->whole, *c);
        // The first of a month is ついたち; one day's length is いちにち.
        if (place == CountPlace::kDayOfMonth && number->whole == 1 && out.size() == 2 && out[1] == u"ついたち")
            std::swap(out[0], out[1]);
    }
    for (auto& r : out) r += suffix;
    // A thousand before a larger unit is also said without its one (1000万
    // いっせんまん, then せんまん).
    constexpr std::uint64_t kTenThousand = 10000;
    for (std::size_t k = 0, n = number->whole >= kTenThousand ? out.size() : 0; k < n; ++k)
        if (const std::size_t at = out[k].find(u"いっせん"); at != std::u16string::npos) {
            std::u16string plain = out[k];
            plain.erase(at, 2);
            if (std::find(out.begin(), out.end(), plain) == out.end()) out.push_back(std::move(plain));
        }
    return out;
}

}  // namespace lexidrop
