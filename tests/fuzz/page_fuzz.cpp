// A page with engine templates of the fuzzer's choosing, through the whole road to finished
// items and the next page's link. The input is split at the first two NUL bytes into engine
// fields ("url rules\nitem templates\nnext-page templates\nroot") and the page.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "engines/engine_definition.h"
#include "engines/markup.h"
#include "engines/page_extractor.h"

using namespace quexa::engines;

namespace {

std::string_view TakeLine(std::string_view& text) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t split = input.find('\0');
    std::string_view fields = input.substr(0, split);
    const std::string page(split == std::string_view::npos ? input : input.substr(split + 1));

    EngineDefinition engine;
    engine.urlRules = TakeLine(fields);
    engine.itemTemplates = TakeLine(fields);
    engine.nextPageTemplates = TakeLine(fields);
    engine.nextPageRoot = TakeLine(fields);
    PageExtractor extractor(engine);
    for (const ExtractedItem& item : extractor.ExtractItems(page)) {
        // A quoted empty location ("") passes the emptiness test and loses its quotes after it.
        if (item.title.empty() || item.title.size() > 255 || item.location.size() > 255 ||
            item.preview.size() > 1023) {
            __builtin_trap();
        }
    }
    extractor.NextPageUrl();

    std::string text(page);
    StripTags(text);
    DecodeEntities(text);
    ReplaceSymbolEntities(text);
    if (text.size() > page.size()) {
        __builtin_trap();  // every pass only shrinks the text
    }
    return 0;
}
