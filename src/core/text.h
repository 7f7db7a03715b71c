#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Byte-string helpers shared by every layer. Text is UTF-8; nothing here assumes it is valid.
namespace quexa::core {

inline constexpr std::size_t npos = std::string_view::npos;

// First position of needle at or after from, or npos. An empty needle is found at from.
std::size_t Find(std::string_view text, std::string_view needle, std::size_t from = 0);
inline bool Contains(std::string_view text, std::string_view needle) {
    return Find(text, needle) != npos;
}

// Space, TAB, LF, VT, FF and CR: the C locale's white space.
bool IsSpace(char c);
std::string_view Trim(std::string_view text);
void TrimInPlace(std::string& text);
// Removes every c at both ends.
void TrimCharInPlace(std::string& text, char c);

// Replaces every occurrence, left to right without overlap. An empty from changes nothing.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);
void RemoveChar(std::string& text, char c);
// Drops every CR and LF; fast on long texts with few line breaks.
void RemoveLineBreaks(std::string& text);
// The same, and with marks set (when not null) sets bit i for every byte i of the result that
// had a line break before it; no line break leaves marks empty.
void RemoveLineBreaks(std::string& text, std::vector<std::uint64_t>* marks);

// The largest cut at or below maxBytes that does not split a UTF-8 sequence.
std::size_t Utf8CutPoint(std::string_view text, std::size_t maxBytes);
// What fits in a NUL-terminated field of fieldSize bytes, cut at a character boundary.
std::string BoundedCopy(std::string_view text, std::size_t fieldSize);
// Cuts text to at most maxBytes at a character boundary.
void CutInPlace(std::string& text, std::size_t maxBytes);

std::string AsciiLower(std::string_view text);

// Where the first byte that is not part of a well-formed UTF-8 sequence is, or npos.
std::size_t FirstInvalidUtf8(std::string_view text);
// The text made safe for a terminal: C0 and C1 control characters and DEL become escapes (\n,
// \r, \t, \e, \x07, \u009b), and so does every byte outside a well-formed UTF-8 sequence
// (\xff). Backslashes and printable characters stay as they are.
std::string EscapeControls(std::string_view text);

}  // namespace quexa::core
