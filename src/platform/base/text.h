#pragma once
// String helpers with the game's semantics.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A whole decimal number, all of text; throws GameError naming the context ("la linea de
// guion ...", "--seed") when text is empty or not a number.
int ParseWholeNumber(const std::string& text, const std::string& context);
// ASCII letters in lower case; other bytes as they are.
std::string AsciiLower(std::string s);
// Skips leading white space, takes an optional sign and decimal digits; 0 when none.
int StrToInt(const std::string& s);
// UTF-8 source text to Latin-1 code points (other characters become '?').
std::vector<uint16_t> ToCodePoints(const std::string& utf8);
// Latin-1 bytes (from files) to UTF-8.
std::string Latin1ToUtf8(const std::string& latin1);
// A data path as written by the game ("artwork\\x.png" or "artwork/x.png") in the form
// the file system takes: backslashes become slashes.
std::string NativePath(const std::string& path);

// Text from a file or the network as a message may show it on a terminal: control bytes
// (C0, DEL, and C1 written in UTF-8) as \xHH, so that nothing read moves the cursor,
// changes colours or cuts the message; at most max bytes of the text are shown, "..."
// telling that there was more.
std::string Printable(std::string_view text, size_t max = 200);

// How JSON text is quoted for the game's two writers: the rig's trace keeps UTF-8 as it is
// (and writes newlines, returns and tabs short); names read from data files are Latin-1,
// so every byte outside printable ASCII is written as the code point it stands for.
enum class JsonText { Utf8, Latin1 };
// Appends s to out as a JSON string, quotes included.
void AppendJsonString(std::string& out, std::string_view s, JsonText text = JsonText::Utf8);
