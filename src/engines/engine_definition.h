#pragma once

#include <array>
#include <atomic>
#include <memory>
#include <string>
#include <string_view>

#include "engines/engine_record.h"

namespace quexa::engines {

// The in-memory engine of one search. Texts hold at most what their record fields hold.
struct EngineDefinition {
    static constexpr std::size_t kQueryField = 50;
    static constexpr std::size_t kSearchUrlField = 256;

    std::string name;
    std::string urlRules;
    std::array<char, 5> reserved1{};
    std::string query;
    int returnNumber = -1;  // -1: no limit
    std::string itemTemplates;
    std::string nextPageTemplates;
    std::array<char, 10> reserved2{};
    std::string nextPageRoot;
    std::string searchUrl;
    char reserved3 = 0;
    const std::atomic<int>* runFlag = nullptr;
};

std::unique_ptr<EngineDefinition> BuildEngineDefinition(const EngineRecord& record,
                                                        std::string_view query, int returnNumber,
                                                        const std::atomic<int>* runFlag = nullptr);

}  // namespace quexa::engines
