// lexidrop-lookup run as a program: arguments and standard input in UTF-8,
// the list window's lines out, clear failures for text it cannot take.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

std::string U8(const char8_t* s)
{
    return reinterpret_cast<const char*>(s);
}

struct ToolRun {
    int exitCode;
    std::string out, err;
};

// Runs the tool with `arguments` (already quoted for the shell) and `input` on stdin.
ToolRun Tool(const std::string& arguments, const std::string& input = "")
{
    // Unique names: test cases run in parallel processes.
    static int calls = 0;
    const std::string stem =
        "lexidrop-lookup-test-" + std::to_string(getpid()) + "-" + std::to_string(++calls);
    auto dir = std::filesystem::temp_directory_path();
    auto in = dir / (stem + ".in"), err = dir / (stem + ".err");
    std::ofstream(in, std::ios::binary) << input;
    std::string command =
        std::string(LEXIDROP_LOOKUP_TOOL) + " " + arguments + " <" + in.string() + " 2>" + err.string();
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    int status = pclose(pipe);
    std::ifstream e(err, std::ios::binary);
    ToolRun r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, out,
              std::string(std::istreambuf_iterator<char>(e), {})};
    std::filesystem::remove(in);
    std::filesystem::remove(err);
    return r;
}

TEST(LookupTool, PrintsTheListWindowLines)
{
    ToolRun r = Tool(U8(u8"今日は良い 天気です"));  // arguments are joined by a space
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind(U8(u8"0 今日は良い 天気です\n1 きょうはよい てんきです\n"), 0), 0u) << r.out;

    r = Tool(U8(u8"--no-line-numbers --kana katakana --max-candidates 2 市場"));
    EXPECT_EQ(r.out, U8(u8"市場\nシジョウ\nイチバ\n"));

    r = Tool(U8(u8"--width full --case upper --no-line-numbers abc1"));
    EXPECT_EQ(r.out, U8(u8"abc1\nＡＢＣ１\n"));  // the mapped reading differs from the text

    r = Tool(U8(u8"--sort --max-candidates 3 今日"));
    EXPECT_EQ(r.out, U8(u8"0 今日\n1 きょう\n2 こんにち\n"));
}

TEST(LookupTool, LineLimitsAndEachLine)
{
    // Standard input: its final line break is not part of the text.
    ToolRun r = Tool("--max-candidates 1", U8(u8"今日\n明日\n"));
    EXPECT_EQ(r.out, U8(u8"0 今日\n1 きょう\n"));  // line limit 1 by default

    r = Tool("--max-candidates 1 --line-limit 0", U8(u8"今日\n明日\n"));
    EXPECT_EQ(r.out, U8(u8"0 今日\n明日\n1 きょう\nあした\n"));

    r = Tool("--each-line --max-candidates 1", U8(u8"今日\n\nABC\r\n"));
    EXPECT_EQ(r.out, U8(u8"0 今日\n1 きょう\n\n\n0 ABC\n\n"));

    // CR, LF and CR LF each end one line, mixed in one input.
    for (const char* breaks : {"\r", "\n", "\r\n"}) {
        const std::string input = U8(u8"今日") + breaks + U8(u8"明日") + "\r" + U8(u8"市場") + "\r\n";
        r = Tool("--each-line --max-candidates 1 --no-line-numbers", input);
        EXPECT_EQ(r.out, U8(u8"今日\nきょう\n\n明日\nあした\n\n市場\nしじょう\n\n"))
            << static_cast<int>(breaks[0]);
    }
}

TEST(LookupTool, HelpAndRepeatedOptions)
{
    for (const char* help : {"-h", "--help", "x --help"}) {
        ToolRun r = Tool(help);
        EXPECT_EQ(r.exitCode, 0) << help;
        EXPECT_EQ(r.out.rfind("usage: lexidrop-lookup", 0), 0u) << r.out;
        EXPECT_TRUE(r.err.empty());
    }
    // The last of a repeated option counts, "none" included.
    struct Case {
        const char* options;
        const char8_t* out;
    };
    const Case cases[] = {
        {"--kana katakana --kana hiragana", u8"市場\nしじょう\n"},
        {"--kana hiragana --kana katakana", u8"市場\nシジョウ\n"},
        {"--kana katakana --kana none", u8"市場\nしじょう\n"},
        {"--width full --width half --kana katakana", u8"市場\nｼｼﾞｮｳ\n"},
        {"--max-candidates 3 --max-candidates 1", u8"市場\nしじょう\n"},
        {"--line-numbers --no-line-numbers", u8"市場\nしじょう\n"},
    };
    for (const Case& c : cases) {
        ToolRun r = Tool(std::string(c.options) + " --max-candidates 1 --no-line-numbers " + U8(u8"市場"));
        EXPECT_EQ(r.out, U8(c.out)) << c.options;
    }
    ToolRun r = Tool(U8(u8"--case upper --case lower --width full --no-line-numbers --max-candidates 1 Ab"));
    EXPECT_EQ(r.out, U8(u8"Ab\nａｂ\n"));
}

TEST(LookupTool, MalformedNumbersAreClearErrors)
{
    for (const char* number :
         {"", "x", "-1", "+1", "1x", " 1", "0x10", "4294967296", "99999999999999999999"}) {
        for (const char* option : {"--max-candidates", "--line-limit"}) {
            ToolRun r = Tool(std::string(option) + " '" + number + "' x");
            EXPECT_EQ(r.exitCode, 2) << option << " '" << number << "'";
            EXPECT_NE(r.err.find(std::string("bad number for ") + option), std::string::npos) << r.err;
            EXPECT_TRUE(r.out.empty());
        }
    }
    // The whole 32-bit range is taken; at most 99 readings come out.
    EXPECT_EQ(Tool("--line-limit 4294967295 x").exitCode, 0);
    ToolRun r = Tool("--max-candidates 4294967295 --no-line-numbers " + U8(u8"上手"));
    EXPECT_EQ(r.exitCode, 0);
    const auto lines = std::count(r.out.begin(), r.out.end(), '\n');
    EXPECT_GT(lines, 2);
    EXPECT_LE(lines, 100);
}

TEST(LookupTool, ReadsEveryLineItCan)
{
    const struct {
        const char* arguments;
        std::string input, out, err;
    } cases[] = {
        // Characters Shift-JIS lacks stay as written and the rest is read around them.
        {"--max-candidates 1 --each-line", U8(u8"𠮷野家😀の\n5〜6個\n−〓"),
         U8(u8"0 𠮷野家😀の\n1 𠮷のや😀の\n\n0 5～6個\n1 ごからろっこ\n\n0 －〓\n\n"), ""},
        // Characters Shift-JIS lacks but writes otherwise (Unicode's compatibility forms) are read so.
        {"--max-candidates 1 --each-line --no-line-numbers", U8(u8"3m²\n5㎥\n10µg\n2ℓ"),
         U8(u8"3m2\nさんへいほうめーとる\n\n5m3\nごりっぽうめーとる\n\n10μg\nじゅうまいくろぐらむ\n\n2l\nにりっとる\n\n"), ""},
        {"--furigana brackets --each-line", U8(u8"😀今日\n"), U8(u8"😀 今日[きょう]\n"), ""},
        // A line that is not UTF-8 gets only its separator; the lines after it are read.
        {"--max-candidates 1 --each-line --no-line-numbers", U8(u8"今日\n\xff\r\n明日\n\xc0\xaf\n"),
         U8(u8"今日\nきょう\n\n\n明日\nあした\n\n\n"),
         "lexidrop-lookup: line 2 is not valid UTF-8\nlexidrop-lookup: line 4 is not valid UTF-8\n"},
        {"--furigana ruby --each-line", "\xed\xa0\x80\n", "\n",
         "lexidrop-lookup: line 1 is not valid UTF-8\n"},
        // One text: reported with the line it goes wrong on, unless the line limit leaves that out.
        {"--line-limit 0", U8(u8"今日\r\n明日\xe3\x81"), "", "lexidrop-lookup: line 2 is not valid UTF-8\n"},
        {"--max-candidates 1", U8(u8"今日\r\n明日\xe3\x81"), U8(u8"0 今日\n1 きょう\n"), ""},
    };
    // Lines shared among threads come out as one thread gives them, numbered alike.
    for (const char* jobs : {" --jobs 1", " --jobs 3"})
        for (const auto& c : cases) {
            const std::string arguments = c.arguments + std::string(jobs);
            ToolRun r = Tool(arguments, c.input);
            EXPECT_EQ(r.out, c.out) << arguments << " " << c.input;
            EXPECT_EQ(r.err, c.err) << arguments << " " << c.input;
            EXPECT_EQ(r.exitCode, c.err.empty() ? 0 : 1) << arguments << " " << c.input;
        }
}

TEST(LookupTool, RefusesWhatItCannotTake)
{
    EXPECT_EQ(Tool("--width wide x").exitCode, 2);
    EXPECT_EQ(Tool("--max-candidates 0 x").exitCode, 2);
    EXPECT_EQ(Tool("--bogus x").exitCode, 2);
    EXPECT_EQ(Tool("--furigana html x").exitCode, 2);
    EXPECT_EQ(Tool("--jobs 0 x").exitCode, 2);
    EXPECT_EQ(Tool("--dictionary /nonexistent/Lexidrop.dic x").exitCode, 1);
}

TEST(LookupTool, FuriganaInBothForms)
{
    ToolRun r = Tool(U8(u8"--furigana brackets 今日は良い天気です"));
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out, U8(u8"今日[きょう]は 良[よ]い 天気[てんき]です\n"));
    EXPECT_TRUE(r.err.empty());

    r = Tool(U8(u8"--furigana ruby '<b>お茶</b> & [x]'"));
    EXPECT_EQ(r.out, U8(u8"&lt;b&gt;お<ruby>茶<rt>ちゃ</rt></ruby>&lt;/b&gt; &amp; [x]\n"));

    // One line per input line, an empty one included; the mapping applies to the readings.
    r = Tool("--furigana brackets --each-line --kana katakana --line-numbers", U8(u8"良い\r\n\n[お茶]\n"));
    EXPECT_EQ(r.out, U8(u8"良[ヨ]い\n\n［お 茶[チャ]］\n"));

    // Without --each-line the line limit takes the first line, as for the readings.
    r = Tool("--furigana brackets", U8(u8"大人\n子供\n"));
    EXPECT_EQ(r.out, U8(u8"大人[おとな]\n"));
}

}  // namespace
