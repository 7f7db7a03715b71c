#pragma once

#include <string>
#include <string_view>

// The text cleaning applied to everything cut out of a result page. Each pass is linear in the
// text and works in place: a hostile page can't make it quadratic.
namespace quexa::engines {

// Removes tags: one that only styles its text ("b", "span", "a"...) vanishes, any other stands
// for white space. Every run of white space, line breaks included, becomes one space.
void StripTags(std::string& text);
// StripTags of source into text, writing at most cap bytes. False when it stopped before the end
// of source; text then holds only what reading on could not change.
bool StripTagsInto(std::string_view source, std::string& text, std::size_t cap);

// Decodes numeric references (kept: 9, 10, 32-126, 161-255; other values vanish) and the
// Latin-1 named references of the decoding table, as UTF-8. Never makes the text longer.
void DecodeEntities(std::string& text);
// DecodeEntities of a text that goes on beyond its end: the tail whose decoding depends on what
// follows is dropped.
void DecodeEntitiesOfPrefix(std::string& text);

// Decodes the escapes of a JSON string's content (\", \\, \/, \n, \t, \u2013 and surrogate
// pairs) to UTF-8. \u0000, lone surrogates and \b vanish; a backslash that starts no escape
// stays. Never makes the text longer.
void DecodeJsonEscapes(std::string& text);

// The second pass over titles and previews: a few symbol names left by the first one.
void ReplaceSymbolEntities(std::string& text);

}  // namespace quexa::engines
