#include "reading/reading.h"

#include <gtest/gtest.h>

#include <cstring>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

// What a stream still holds, and its state, after a read.
struct after_read {
    bool ok;
    bool eof;
    std::string rest;
};

static after_read state_of(std::istream& in, bool ok) {
    after_read r{ok, in.eof(), ""};
    in.clear();
    r.rest.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return r;
}

static void expect_same(const after_read& mine, const after_read& standard) {
    EXPECT_EQ(mine.ok, standard.ok);
    EXPECT_EQ(mine.eof, standard.eof);
    EXPECT_EQ(mine.rest, standard.rest);
}

// The rules must read exactly as the standard extractors do: same value, same state,
// same characters left behind.
template <typename T, typename Read>
static void expect_like_extractor(const char* text, Read read) {
    SCOPED_TRACE(std::string("input \"") + text + "\"");
    std::istringstream mine(text), standard(text);
    T a{}, b{};
    bool ok = read(mine, a);
    standard >> b;
    bool standard_ok = !standard.fail();
    EXPECT_EQ(ok, !mine.fail());
    if (ok || standard_ok) {
        EXPECT_EQ(std::memcmp(&a, &b, sizeof a), 0) << a << " vs " << b;
    }
    expect_same(state_of(mine, ok), state_of(standard, standard_ok));
}

static const char* const int_texts[] = {
    "12",
    " 12 ",
    "\n\t-7x",
    "+5",
    "010",
    "-",
    "+",
    "x",
    "",
    "   ",
    "12|",
    "67|-12",
    "2147483647",
    "-2147483648",
    "2147483648",
    "-2147483649",
    "99999999999999999999 1",
    "0008",
    "--1",
    "-5999999",
    "1.5",
    "\r\n42\r\n",
};

TEST(ReadInt, ReadsAsTheStandardExtractor) {
    for (const char* text : int_texts) expect_like_extractor<int>(text, read_int);
}

static const char* const double_texts[] = {
    "1",     "0.5abc", "-2.25", "+.5",         "5.",     ".",       "-",       "+",     "1e",
    "1e5x",  "1E-3",   "1e+",   "1e999",       "-1e999", "1e-999",  "0x1p3",   "inf",   "nan",
    "1.2.3", "1-2",    ".e5",   "00012",       "",       "  \n 7 ", "1013.25", "3e2e1", "-0",
    "1..2",  "e5",     "+-1",   "0.000393701",
};

TEST(ReadDouble, ReadsAsTheStandardExtractor) {
    for (const char* text : double_texts) expect_like_extractor<double>(text, read_double);
}

TEST(ReadWord, ReadsAsTheStandardExtractor) {
    for (const char* text : {"abc", "  abc def", "\n\nlast", "", " \t ", "a|b c", "6"}) {
        SCOPED_TRACE(text);
        std::istringstream mine(text), standard(text);
        std::string a = "before", b = "before";
        bool ok = read_word(mine, a);
        standard >> b;
        EXPECT_EQ(a, b);
        expect_same(state_of(mine, ok), state_of(standard, !standard.fail()));
    }
}

TEST(ReadMark, ReadsAsTheStandardExtractor) {
    for (const char* text : {"|", " |12", "\n x", "", "  ", "ab"}) {
        SCOPED_TRACE(text);
        std::istringstream mine(text), standard(text);
        char a = '?', b = '?';
        bool ok = read_mark(mine, a);
        standard >> b;
        EXPECT_EQ(a, b);
        expect_same(state_of(mine, ok), state_of(standard, !standard.fail()));
    }
}

TEST(ReadColumnWord, EndsAfterABar) {
    std::istringstream in("67|-12 OV| | CL");
    std::string w;
    const char* const want[] = {"67|", "-12", "OV|", "|", "CL"};
    for (const char* expected : want) {
        ASSERT_TRUE(read_column_word(in, w));
        EXPECT_EQ(w, expected);
    }
    EXPECT_TRUE(in.eof());
    EXPECT_FALSE(read_column_word(in, w));
    EXPECT_EQ(w, "CL");
}

TEST(SkipColumnWords, CountsValuesBehindSeparators) {
    std::istringstream in(" 8|-13 12| 14 9");
    ASSERT_TRUE(skip_column_words(in, 4));
    int v = 0;
    ASSERT_TRUE(read_int(in, v));
    EXPECT_EQ(v, 9);
    EXPECT_FALSE(skip_column_words(in, 1));
}

TEST(FindLabel, TakesWholeWordsOnly) {
    std::istringstream in("XDPT DPTX DPT 5");
    ASSERT_TRUE(find_label(in, "DPT"));
    int v = 0;
    ASSERT_TRUE(read_int(in, v));
    EXPECT_EQ(v, 5);
    EXPECT_FALSE(find_label(in, "DPT"));
    EXPECT_TRUE(in.eof());
}

TEST(FindLabel, LabelAtTheVeryEndIsFound) {
    std::istringstream in("a b FHR");
    EXPECT_TRUE(find_label(in, "FHR"));
    EXPECT_TRUE(in.eof());
    EXPECT_FALSE(in.fail());
}

TEST(FindLabel, StopsAtTheLimit) {
    const std::string text = "N/X 1 2 KHON N/X 3";
    const long long limit = static_cast<long long>(text.find("KHON"));
    std::istringstream in(text);
    ASSERT_TRUE(find_label(in, "N/X", limit));
    EXPECT_FALSE(find_label(in, "N/X", limit));
    // A label standing before the limit is found even when the search starts mid-stream.
    std::istringstream again(text);
    again.seekg(4);
    EXPECT_TRUE(find_label(again, "KHON", limit + 1));
}

TEST(Reading, FailedStreamReadsNothing) {
    std::istringstream in("5 6");
    in.setstate(std::ios::failbit);
    int v = 1;
    std::string w = "x";
    EXPECT_FALSE(read_int(in, v));
    EXPECT_FALSE(read_word(in, w));
    EXPECT_FALSE(find_label(in, "6"));
    EXPECT_EQ(w, "x");
    in.clear();
    EXPECT_TRUE(read_int(in, v));
    EXPECT_EQ(v, 5);
}

// Where a word-by-word search over text from start stops: the position right after the
// first word equal to label, or -1 when none starts before limit and the end. first_word,
// when given, gets where the search's first word equal to each of watched starts before
// it stops (-1 for none).
static long long first_label_word(const std::string& text, long long start,
                                  const std::string& label, long long limit,
                                  const std::vector<std::string>& watched = {},
                                  std::vector<long long>* first_word = nullptr) {
    auto white = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
    if (first_word) first_word->assign(watched.size(), -1);
    long long i = start, n = static_cast<long long>(text.size());
    for (;;) {
        while (i < n && white(text[static_cast<size_t>(i)])) ++i;
        if (i == n || (limit >= 0 && i >= limit)) return -1;
        long long j = i;
        while (j < n && !white(text[static_cast<size_t>(j)])) ++j;
        const std::string word = text.substr(static_cast<size_t>(i), static_cast<size_t>(j - i));
        if (word == label) return j;
        for (std::size_t w = 0; first_word && w < watched.size(); ++w)
            if (word == watched[w] && (*first_word)[w] < 0) (*first_word)[w] = i;
        i = j;
    }
}

TEST(FindLabel, BlockSearchFindsTheSameWordAsAWordSearch) {
    // Texts larger than one search block, with near misses of the label around block
    // boundaries, searched from word starts and from the middle of words; words of other
    // lengths noted on the way, or with no label until each has been seen, the rare ones
    // written only across the places where a block of the search ends.
    std::mt19937 random(7);
    const char* const words[] = {"DPT", "XDPT", "DPTX", "D", "DP", "12", "|", "DPT|", "DDPT"};
    const char* const blanks[] = {" ", "  ", "\n", "\r\n", "\t"};
    const std::vector<std::string> watched = {
        "XDPT", "12", "D", "DPT|", "W1", "WXYZ|", std::string(200, 'b')};
    std::vector<const char*> watched_text;
    for (const std::string& w : watched) watched_text.push_back(w.c_str());
    const long long block = 1 << 16;
    for (int round = 0; round < 90; ++round) {
        std::string text;
        size_t size = 1000 + random() % 200000;
        while (text.size() < size) {
            text += words[random() % 9];
            text += blanks[random() % 5];
            if (random() % 50 == 0) text.append(random() % 70000, random() % 2 ? 'a' : 'D');
        }
        if (round % 3 == 0) text.pop_back(); // ends inside a word
        long long start = static_cast<long long>(random() % text.size());
        for (long long end = start + block; end < static_cast<long long>(text.size());
             end += block) {
            const std::string& rare = watched[4 + random() % 3];
            const std::string put = blanks[random() % 2] + rare + (random() % 4 ? " " : "x");
            const long long at = end - static_cast<long long>(random() % (put.size() + 2));
            if (random() % 4) text.replace(static_cast<size_t>(at), put.size(), put);
        }
        long long limit = round % 2 ? -1 : static_cast<long long>(random() % text.size());
        const std::string label = round % 5 == 4 ? "" : "DPT";
        SCOPED_TRACE("round " + std::to_string(round));
        std::vector<long long> first_word;
        long long want =
            first_label_word(text, start, label, label.empty() ? -1 : limit, watched, &first_word);
        std::vector<long long> first_at(watched.size(), -2);
        watched_words notes{watched_text.data(), static_cast<int>(watched.size()), first_at.data(),
                            false};
        std::istringstream in(text);
        in.seekg(start);
        if (label.empty()) {
            note_words(in, notes);
            EXPECT_TRUE(notes.complete);
            EXPECT_EQ(first_at, first_word);
            continue;
        }
        bool found = find_label(in, label, limit, &notes);
        ASSERT_EQ(found, want >= 0);
        EXPECT_TRUE(notes.complete);
        EXPECT_EQ(first_at, first_word);
        if (found) {
            EXPECT_EQ(in.eof(), want == static_cast<long long>(text.size()));
            in.clear();
            EXPECT_EQ(static_cast<long long>(in.tellg()), want);
        }
    }
}

TEST(AtLabel, TakesTheLabelWhereTheStreamStandsOrNothing) {
    std::istringstream in("5DPT 6 DPTX DPT");
    in.seekg(1);
    ASSERT_TRUE(at_label(in, "DPT"));
    int v = 0;
    ASSERT_TRUE(read_int(in, v));
    EXPECT_EQ(v, 6);
    EXPECT_FALSE(at_label(in, "DPT")); // a blank first
    in.seekg(7);
    EXPECT_FALSE(at_label(in, "DPT"));
    EXPECT_EQ(static_cast<long long>(in.tellg()), 7);
    in.seekg(12);
    EXPECT_TRUE(at_label(in, "DPT"));
    EXPECT_TRUE(in.eof());
}

// Beyond their bounds a word keeps only its first characters and a number is none, yet both
// are taken whole, as the standard extractor takes them.
TEST(Reading, LongItemsAreTakenWholeAndKeptShort) {
    const std::string word(100000, 'x'), number = "1." + std::string(longest_number, '0');
    std::istringstream in(word + " " + number + " 5");
    std::string w;
    double d = 9;
    int i = 0;
    ASSERT_TRUE(read_word(in, w));
    EXPECT_EQ(w, word.substr(0, kept_word_length));
    EXPECT_FALSE(read_double(in, d));
    EXPECT_EQ(d, 0.0);
    in.clear();
    ASSERT_TRUE(read_int(in, i));
    EXPECT_EQ(i, 5);
}

TEST(ParseNumber, TakesOnlyAWholeWordThatIsANumber) {
    struct {
        const char* word;
        bool ok;
        double value;
    } const cases[] = {
        {"0.7", true, 0.7},   {"1", true, 1},       {"-0.5", true, -0.5}, {"+.5", true, 0.5},
        {"5.", true, 5},      {"1.5e0", true, 1.5}, {"7E-1", true, 0.7},  {"0,7", false, 0},
        {",7", false, 0},     {"0.7abc", false, 0}, {"70%", false, 0},    {"1e", false, 0},
        {"1e+", false, 0},    {".", false, 0},      {"-", false, 0},      {"", false, 0},
        {"inf", false, 0},    {"nan", false, 0},    {"0x1p3", false, 0},  {"1e999", false, 0},
        {"-1e999", false, 0}, {"1.2.3", false, 0},  {" 1", false, 0},     {"1 ", false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("word \"") + c.word + "\"");
        double value = 0;
        EXPECT_EQ(parse_number(c.word, value), c.ok);
        EXPECT_EQ(value, c.value);
    }
}
