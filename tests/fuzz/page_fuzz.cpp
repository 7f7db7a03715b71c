// A page with engine templates of the fuzzer's choosing, through the whole road to finished
// items and the next page's link. The input is split at the first two NUL bytes into engine
// fields ("url rules\nitem templates\nnext-page templates\nroot") and the page.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engines/engine_definition.h"
#include "engines/markup.h"
#include "engines/page_extractor.h"
#include "literal_reading.h"

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
    const std::vector<ExtractedItem> items = extractor.ExtractItems(page);
    for (const ExtractedItem& item : items) {
        // A quoted empty location ("") passes the emptiness test and loses its quotes after it.
        if (item.title.empty() || item.title.size() > 255 || item.location.size() > 255 ||
            item.preview.size() > 1023) {
            __builtin_trap();
        }
    }
    const std::string nextPage = extractor.NextPageUrl();

    // The fast road must give exactly what the step-by-step rules give.
    const quexa::literal::PageResult expected = quexa::literal::ExtractPage(
        {engine.urlRules, engine.itemTemplates, engine.nextPageTemplates, engine.nextPageRoot},
        page);
    if (expected.nextPage != nextPage || expected.items.size() != items.size()) {
        __builtin_trap();
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        const quexa::literal::Item got{items[i].title, items[i].location, items[i].preview};
        if (!(got == expected.items[i])) {
            __builtin_trap();
        }
    }

    std::string text(page);
    StripTags(text);
    if (text != quexa::literal::StripTags(page)) {
        __builtin_trap();
    }
    const std::string stripped = text;
    DecodeEntities(text);
    if (text != quexa::literal::DecodeEntities(stripped)) {
        __builtin_trap();
    }
    const std::string decoded = text;
    ReplaceSymbolEntities(text);
    if (text != quexa::literal::ReplaceSymbolEntities(decoded)) {
        __builtin_trap();
    }
    if (text.size() > page.size()) {
        __builtin_trap();  // every pass only shrinks the text
    }
    return 0;
}
