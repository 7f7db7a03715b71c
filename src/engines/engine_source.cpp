#include "engines/engine_source.h"

#include <array>
#include <set>

#include "core/text.h"

namespace quexa::engines {

namespace {

struct SourceKey {
    std::string_view key;
    EngineRecord::Field field;
    bool reserved;  // written as hexadecimal bytes
};

constexpr std::array<SourceKey, 10> kKeys{{
    {"name", EngineRecord::kName, false},
    {"website", EngineRecord::kWebSite, false},
    {"url_rules", EngineRecord::kUrlRules, false},
    {"item_templates", EngineRecord::kItemTemplates, false},
    {"next_page_templates", EngineRecord::kNextPageTemplates, false},
    {"next_page_root", EngineRecord::kNextPageRoot, false},
    {"search_url", EngineRecord::kSearchUrl, false},
    {"reserved_1", EngineRecord::kReserved1, true},
    {"reserved_2", EngineRecord::kReserved2, true},
    {"reserved_3", EngineRecord::kReserved3, true},
}};

const SourceKey* FindKey(std::string_view key) {
    for (const SourceKey& entry : kKeys) {
        if (entry.key == key) {
            return &entry;
        }
    }
    return nullptr;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

bool ParseHex(std::string_view text, std::size_t size, std::string& bytes) {
    if (text.size() != 2 * size) {
        return false;
    }
    bytes.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]);
        const int low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) {
            return false;
        }
        bytes.push_back(static_cast<char>(high * 16 + low));
    }
    return true;
}

std::string FormatHex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string out;
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        out.push_back(kDigits[byte >> 4]);
        out.push_back(kDigits[byte & 15]);
    }
    return out;
}

bool StoreValue(const SourceKey& key, std::string_view value, EngineRecord& record,
                std::string& why) {
    if (key.reserved) {
        std::string bytes;
        if (!ParseHex(value, key.field.size, bytes)) {
            why = "needs exactly " + std::to_string(key.field.size * 2) + " hexadecimal digits";
            return false;
        }
        record.SetRaw(key.field, bytes);
        return true;
    }
    // A field ends at its first NUL: what follows one would be lost without a word.
    if (const std::size_t nul = value.find('\0'); nul != std::string_view::npos) {
        why = "holds a NUL byte at byte " + std::to_string(nul + 1) + "; a field can't hold one";
        return false;
    }
    if (!record.SetText(key.field, value)) {
        why = "is " + std::to_string(value.size()) + " bytes long; at most " +
              std::to_string(key.field.size - 1) + " fit";
        return false;
    }
    return true;
}

}  // namespace

bool EngineSource::Parse(std::string_view text, EngineRecord& record, std::string& error) {
    record = EngineRecord();
    std::set<std::string_view> seen;
    std::size_t lineNumber = 0;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text = newline == std::string_view::npos ? std::string_view() : text.substr(newline + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.empty() || line.front() == '#') {
            continue;
        }
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        const std::size_t equals = line.find('=');
        const SourceKey* key =
            equals == std::string_view::npos ? nullptr : FindKey(line.substr(0, equals));
        if (key == nullptr) {
            error = where +
                    "expected one of the keys name, website, url_rules, item_templates, "
                    "next_page_templates, next_page_root, search_url, reserved_1..3 "
                    "followed by '='";
            return false;
        }
        if (!seen.insert(key->key).second) {
            error = where + std::string(key->key) + " is given twice";
            return false;
        }
        std::string why;
        if (!StoreValue(*key, line.substr(equals + 1), record, why)) {
            error = where + std::string(key->key) + " " + why;
            return false;
        }
    }
    if (!seen.contains("name")) {
        error = "the engine has no name";
        return false;
    }
    return true;
}

std::string EngineSource::Format(const EngineRecord& record) {
    std::string out;
    for (const SourceKey& key : kKeys) {
        const std::string value =
            key.reserved ? FormatHex(record.Raw(key.field)) : record.Text(key.field);
        if (key.reserved && value == std::string(key.field.size * 2, '0')) {
            continue;
        }
        out.append(key.key).append("=").append(value).append("\n");
    }
    return out;
}

}  // namespace quexa::engines
