#include "engines/engine_definition.h"

#include <algorithm>

#include "core/text.h"

namespace quexa::engines {

namespace {

template <std::size_t N>
void CopyReserved(const EngineRecord& record, EngineRecord::Field field, std::array<char, N>& out) {
    const std::string_view raw = record.Raw(field);
    std::copy_n(raw.begin(), std::min(N, raw.size()), out.begin());
}

}  // namespace

std::unique_ptr<EngineDefinition> BuildEngineDefinition(const EngineRecord& record,
                                                        std::string_view query, int returnNumber,
                                                        const std::atomic<int>* runFlag) {
    auto definition = std::make_unique<EngineDefinition>();
    definition->name = record.Text(EngineRecord::kName);
    definition->urlRules = record.Text(EngineRecord::kUrlRules);
    CopyReserved(record, EngineRecord::kReserved1, definition->reserved1);
    definition->itemTemplates = record.Text(EngineRecord::kItemTemplates);
    definition->nextPageTemplates = record.Text(EngineRecord::kNextPageTemplates);
    CopyReserved(record, EngineRecord::kReserved2, definition->reserved2);
    definition->reserved3 = record.Raw(EngineRecord::kReserved3)[0];
    definition->nextPageRoot = record.Text(EngineRecord::kNextPageRoot);
    definition->searchUrl = record.Text(EngineRecord::kSearchUrl);
    definition->query = core::BoundedCopy(query, EngineDefinition::kQueryField);
    definition->returnNumber = returnNumber;
    definition->runFlag = runFlag;
    return definition;
}

}  // namespace quexa::engines
