#pragma once

#include <string>
#include <string_view>

// Texts placed into an exported HTML page. The texts come from scraped pages and from result
// files of any origin: the page they end up in must never run script in the browser that
// opens it, while the simple inline markup a title or preview may carry still shows.
namespace quexa::files {

// Keeps the tags b, i, em, strong, u, br, span and font (font with plain color, size and face
// values, no other attribute anywhere), balanced within the text. Drops script, style, iframe,
// object, applet and embed elements with their content. Every other "<", ">" and quote reads
// as text.
std::string KeepInlineMarkup(std::string_view text);

// Every "&", "<", ">", '"' and "'" as a character reference.
std::string EscapeHtml(std::string_view text);

// A link whose scheme runs script (javascript:, vbscript:, livescript:, mocha:, data:), as a
// browser reads it: tabs and line breaks dropped, leading blanks and control bytes skipped,
// letter case ignored.
bool IsScriptLink(std::string_view location);

// The location for an attribute value (or for text): escaped, empty when it would run script.
std::string LinkText(std::string_view location);

}  // namespace quexa::files
