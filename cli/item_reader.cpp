#include "cli/item_reader.h"

#include <array>
#include <nlohmann/json.hpp>
#include <optional>
#include <string_view>

#include "core/status_code.h"
#include "core/text.h"

namespace quexa::cli {
namespace {

using Json = nlohmann::json;

constexpr std::array kStatuses{core::StatusCode::Reachable, core::StatusCode::Timeout,
                               core::StatusCode::Unknown,   core::StatusCode::Unreachable,
                               core::StatusCode::Verifing,  core::StatusCode::Normal};
constexpr std::array kVisits{core::VisitCode::WithoutVisit, core::VisitCode::Visited};

template <typename Code, std::size_t N>
std::optional<Code> CodeNamed(const std::array<Code, N>& codes, std::string_view text) {
    for (const Code code : codes) {
        if (core::CodeText(static_cast<int>(code)) == text) {
            return code;
        }
    }
    return std::nullopt;
}

template <typename Code, std::size_t N>
std::string Choices(const std::array<Code, N>& codes) {
    std::string text;
    for (const Code code : codes) {
        text += (text.empty() ? "\"" : ", \"") +
                std::string(core::CodeText(static_cast<int>(code))) + "\"";
    }
    return text;
}

bool TakeText(const Json& object, const char* key, std::string& field, std::string& error) {
    const auto found = object.find(key);
    if (found == object.end()) {
        return true;
    }
    if (!found->is_string()) {
        error = std::string("\"") + key + "\" must be a text";
        return false;
    }
    field = found->get<std::string>();
    return true;
}

template <typename Code, std::size_t N>
bool TakeCode(const Json& object, const char* key, const std::array<Code, N>& codes, Code& field,
              std::string& error) {
    const auto found = object.find(key);
    if (found == object.end()) {
        return true;
    }
    const std::optional<Code> code =
        found->is_string() ? CodeNamed(codes, found->get<std::string>()) : std::nullopt;
    if (!code) {
        error = std::string("\"") + key + "\" must be one of " + Choices(codes);
        return false;
    }
    field = *code;
    return true;
}

bool TakeFlag(const Json& object, const char* key, bool& field, std::string& error) {
    const auto found = object.find(key);
    if (found == object.end()) {
        return true;
    }
    if (!found->is_boolean()) {
        error = std::string("\"") + key + "\" must be true or false";
        return false;
    }
    field = found->get<bool>();
    return true;
}

}  // namespace

bool ItemReader::Read(std::istream& in) {
    std::string line;
    for (std::size_t number = 1; std::getline(in, line); ++number) {
        if (line.find_first_not_of(" \t\r") == std::string::npos) {
            continue;
        }
        if (!ReadLine(line)) {
            error_ = "line " + std::to_string(number) + ": " + error_;
            return false;
        }
    }
    return true;
}

bool ItemReader::ReadLine(const std::string& line) {
    if (const std::size_t bad = core::FirstInvalidUtf8(line); bad != core::npos) {
        error_ = "invalid UTF-8 at byte " + std::to_string(bad + 1) + " (the input must be UTF-8)";
        return false;
    }
    const Json object = Json::parse(line, nullptr, false);
    if (!object.is_object()) {
        error_ = "not a JSON object";
        return false;
    }
    core::ResultItem item;
    const bool read = TakeText(object, "title", item.title, error_) &&
                      TakeText(object, "location", item.location, error_) &&
                      TakeText(object, "target", item.searchTarget, error_) &&
                      TakeText(object, "preview", item.preview, error_) &&
                      TakeCode(object, "status", kStatuses, item.status, error_) &&
                      TakeCode(object, "visit", kVisits, item.visit, error_) &&
                      TakeFlag(object, "selected", item.selected, error_);
    if (read) {
        items_.push_back(std::move(item));
    }
    return read;
}

}  // namespace quexa::cli
