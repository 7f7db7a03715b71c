#include "web/header_collector.h"

#include "core/text.h"
#include "web/status_line.h"

namespace quexa::web {

namespace {

std::string_view WithoutLineEnd(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) {
        line.remove_suffix(1);
    }
    return line;
}

bool StartsWithLower(std::string_view line, std::string_view lowerPrefix) {
    return core::AsciiLower(line.substr(0, lowerPrefix.size())) == lowerPrefix;
}

bool IsLocationWithTarget(std::string_view line) {
    constexpr std::string_view kName = "location:";
    return StartsWithLower(line, kName) && !core::Trim(line.substr(kName.size())).empty();
}

}  // namespace

void HeaderCollector::Clear() {
    raw_.clear();
    code_ = 0;
    hasLocation_ = false;
    redirectEnded_ = false;
    complete_ = false;
}

bool HeaderCollector::Add(std::string_view line) {
    if (complete_) {
        return true;
    }
    line = WithoutLineEnd(line);
    if (StartsWithLower(line, "http/")) {
        StartResponse(line);
        return false;
    }
    if (raw_.empty()) {
        return false;
    }
    if (!line.empty()) {
        hasLocation_ = hasLocation_ || IsLocationWithTarget(line);
        raw_.append(line).push_back('\0');
        return false;
    }
    if (!EndsFinalResponse()) {
        redirectEnded_ = code_ >= 300 && code_ < 400;
        return false;
    }
    raw_.push_back('\0');
    complete_ = true;
    return true;
}

void HeaderCollector::StartResponse(std::string_view statusLine) {
    raw_.assign(statusLine).push_back('\0');
    code_ = StatusCodeFromRawHeaders(raw_);
    hasLocation_ = false;
    redirectEnded_ = false;
}

bool HeaderCollector::AcceptUnfollowedRedirect() {
    if (complete_ || !redirectEnded_) {
        return complete_;
    }
    raw_.push_back('\0');
    complete_ = true;
    return true;
}

// Interim answers go on to the real one, and a redirect with a target is followed.
bool HeaderCollector::EndsFinalResponse() const {
    const bool interim = code_ >= 100 && code_ < 200;
    const bool followed = code_ >= 300 && code_ < 400 && hasLocation_;
    return !interim && !followed;
}

}  // namespace quexa::web
