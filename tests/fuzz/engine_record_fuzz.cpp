// An engine file's bytes, descrambled, through everything that reads the record.
#include <unistd.h>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

#include "engines/engine_definition.h"
#include "engines/engine_record.h"
#include "engines/engine_source.h"
#include "engines/search_url.h"
#include "engines/template_list.h"
#include "engines/url_rule_list.h"

using namespace quexa::engines;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("quexa-fuzz-engine-" + std::to_string(getpid()));
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    EngineRecord record;
    if (!ReadEngineRecord(file, record)) {
        // Short files still exercise the source reader.
        std::string error;
        EngineSource::Parse(std::string(reinterpret_cast<const char*>(data), size), record, error);
    }
    const auto definition = BuildEngineDefinition(record, "fuzz &amp; query", 10);
    const SearchUrl url(definition->searchUrl, definition->query);
    url.PageUrl(url.FirstPage() + 1);
    SplitTemplateList(definition->itemTemplates);
    SplitTemplateList(definition->nextPageTemplates);
    const UrlRuleList rules(definition->urlRules);
    for (std::string location : {"", "/url?q=a.org/x&sa=1", "http://x.org/"}) {
        rules.ApplyUrlRules(location);
    }
    std::string error;
    EngineRecord again;
    EngineSource::Parse(EngineSource::Format(record), again, error);
    return 0;
}
