#pragma once

#include <cstddef>
#include <istream>
#include <streambuf>
#include <string>

// The reading rules that every parser of the program shares, for files and for the
// console alike. Each behaves as the standard formatted extractor of its kind: it flushes
// the stream's tie, skips white space, leaves the character that ends the item unread,
// sets eofbit when it meets the end of input (a read that ends there still succeeds) and
// sets failbit, returning false, when nothing usable can be read. Nothing beyond the
// item is ever taken.

// How much of a word a read keeps unless told otherwise: a longer word is still taken
// whole, but only this many of its first characters are stored. That is enough to tell
// apart any two words of up to kept_word_length - 1 characters, every word the program
// compares is far shorter, and memory stays bounded whatever the input holds.
inline constexpr std::size_t kept_word_length = 256;

// The longest number text read_double converts; a longer one is taken whole and fails.
inline constexpr std::size_t longest_number = 4096;

// A word: characters up to the next white space, of which the first keep are stored. size,
// when given, gets how many characters the whole word has. On failure the word keeps its
// value.
bool read_word(std::istream& in, std::string& word, std::size_t keep = kept_word_length,
               std::size_t* size = nullptr);

// A word of an extended bulletin row: it ends at white space or right after a '|', so
// that a value written behind a separator ("67|-12") is a word of its own. Keeps the first
// kept_word_length characters.
bool read_column_word(std::istream& in, std::string& word);

// Takes and drops count column words.
bool skip_column_words(std::istream& in, int count);

// A decimal integer with an optional sign (a leading zero is no octal prefix). Fails
// when no digit follows, or when the number does not fit 32 bits.
bool read_int(std::istream& in, int& value);

// One non-blank character, whatever it is.
bool read_mark(std::istream& in, char& mark);

// A floating-point number as the standard extractor reads it: optional sign, digits,
// optional point and fraction, optional exponent. "inf", "nan" and hexadecimal are no
// numbers; a value beyond the range of a double fails, and so does a text of more than
// longest_number characters (with the value 0).
bool read_double(std::istream& in, double& value);

// Words a label search notes on its way, so that a later search for one of them can go
// straight to it: first_at[i] gets the stream position where words[i] first stands as a
// whole word (where the stream stood or after white space, and before white space or the
// end of input) in the text the search passed over, from where the stream stood to where
// the search ended (the label's start, the limit, or the end of input), or -1 where it
// stands nowhere there. The words are not empty, hold no white space and are at most
// longest_watched_word characters, count at most most_watched_words. complete tells
// whether the notes were taken: a stream that cannot be repositioned, or a label too long
// for the block search, is searched word by word and notes nothing.
inline constexpr int most_watched_words = 32;
inline constexpr std::size_t longest_watched_word = 254;
struct watched_words {
    const char* const* words;
    int count;
    long long* first_at;
    bool complete;
};

// Takes words until one equals label and leaves the stream right after it. Fails at the
// end of input, and, when limit is not negative, at a word that starts at or beyond the
// stream position limit. A file stream is searched a block at a time and repositioned,
// so it must be opened in binary mode, where positions count characters. watched, when
// given, gets the notes of its words over the text searched.
bool find_label(std::istream& in, const std::string& label, long long limit = -1,
                watched_words* watched = nullptr);

// Notes watched's words as find_label does, passing over the text from where the stream
// stands until each has been found, or to the end of input. Leaves the stream's state and
// position undefined.
void note_words(std::istream& in, watched_words& watched);

// Whether the stream stands right on label followed by white space or the end of input, a
// word as find_label counts it: takes the label then (setting eofbit at the end of input),
// and otherwise leaves the stream where it stood. False for a stream that cannot be
// repositioned.
bool at_label(std::istream& in, const std::string& label);

// Whether word, whole, is a number in the standard form: an optional sign, digits with an
// optional point and fraction, an optional exponent, and nothing else. "inf", "nan" and
// hexadecimal are no numbers, nor is a value beyond the range of a double.
bool parse_number(const std::string& word, double& value);

// The first steps of every read, for the few readers that take items of their own kind
// (the menu's choice, the product scanner).

// White space as the "C" locale knows it: blank, \t, \n, \v, \f, \r.
inline bool is_white(int c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

// What every read does first: flush the tie and skip white space, as the standard
// extractors do. Returns the buffer standing on the item's first character, or null,
// with failbit (and eofbit at the end of input) set, when there is no item to read.
inline std::streambuf* start_item(std::istream& in) {
    std::istream::sentry ok(in, true);
    if (!ok) return nullptr;
    std::streambuf* buf = in.rdbuf();
    int c = buf->sgetc();
    while (c != EOF && is_white(c)) c = buf->snextc();
    if (c == EOF) {
        in.setstate(std::ios::eofbit | std::ios::failbit);
        return nullptr;
    }
    return buf;
}
