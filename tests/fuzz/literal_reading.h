#pragma once

#include <string>
#include <vector>

// A slow, step-by-step reading of the extraction rules, written without looking at the fast
// code: plain std::string searches, one replacement after another, quadratic where the rules
// are. The unit tests and the page fuzzer hold the fast road to it.
namespace quexa::literal {

struct Item {
    std::string title;
    std::string location;
    std::string preview;
    bool operator==(const Item&) const = default;
};

struct Engine {
    std::string urlRules;
    std::string itemTemplates;
    std::string nextPageTemplates;
    std::string nextPageRoot;
};

struct PageResult {
    std::vector<Item> items;
    std::string nextPage;
};

std::string StripTags(std::string text);
std::string DecodeEntities(const std::string& text);
std::string DecodeJsonEscapes(const std::string& text);
std::string ReplaceSymbolEntities(std::string text);
std::vector<std::string> SplitTemplateList(const std::string& text);
std::string ApplyUrlRules(const std::string& field, std::string location);
PageResult ExtractPage(const Engine& engine, std::string page);

}  // namespace quexa::literal
