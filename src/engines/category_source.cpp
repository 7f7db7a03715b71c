#include "engines/category_source.h"

#include <array>
#include <set>

#include "engines/category_list.h"

namespace quexa::engines {

namespace {

struct SourceKey {
    std::string_view key;
    std::string CategoryRecord::*member;
    std::size_t fieldSize;
};

constexpr std::array<SourceKey, 4> kKeys{{
    {"name", &CategoryRecord::name, CategoryRecord::kNameField},
    {"icon", &CategoryRecord::iconFile, CategoryRecord::kIconField},
    {"directory", &CategoryRecord::directory, CategoryRecord::kDirectoryField},
    {"note", &CategoryRecord::note, CategoryRecord::kNoteField},
}};

constexpr std::string_view kRecordLine = "[category]";

const SourceKey* FindKey(std::string_view key) {
    for (const SourceKey& entry : kKeys) {
        if (entry.key == key) {
            return &entry;
        }
    }
    return nullptr;
}

// A finished record needs a name and a directory of its own.
std::string CheckRecord(const CategoryRecord& record) {
    if (record.name.empty()) {
        return "has no name";
    }
    if (!IsPlainFolderName(record.directory)) {
        return "needs a directory that names one folder";
    }
    return {};
}

class SourceParser {
  public:
    explicit SourceParser(std::vector<CategoryRecord>& records) : records_(records) {}

    // Empty when the line was taken, else why not.
    std::string TakeLine(std::string_view line) {
        if (line == kRecordLine) {
            return OpenRecord();
        }
        const std::size_t equals = line.find('=');
        const SourceKey* key =
            equals == std::string_view::npos ? nullptr : FindKey(line.substr(0, equals));
        if (key == nullptr) {
            return "expected \"[category]\" or one of the keys name, icon, directory, note "
                   "followed by '='";
        }
        if (records_.empty()) {
            return std::string(key->key) + " comes before the first \"[category]\"";
        }
        if (!seen_.insert(key->key).second) {
            return std::string(key->key) + " is given twice";
        }
        const std::string_view value = line.substr(equals + 1);
        if (value.size() >= key->fieldSize) {
            return std::string(key->key) + " is " + std::to_string(value.size()) +
                   " bytes long; at most " + std::to_string(key->fieldSize - 1) + " fit";
        }
        records_.back().*(key->member) = std::string(value);
        return {};
    }

    std::string Finish() {
        if (records_.empty()) {
            return {};
        }
        const std::string why = CheckRecord(records_.back());
        return why.empty() ? std::string()
                           : "category " + std::to_string(records_.size()) + " " + why;
    }

  private:
    std::string OpenRecord() {
        std::string why = Finish();
        if (!why.empty()) {
            return why;
        }
        if (records_.size() >= static_cast<std::size_t>(CategoryFile::kMaxCount)) {
            return "more than " + std::to_string(CategoryFile::kMaxCount) + " categories";
        }
        records_.emplace_back();
        seen_.clear();
        return {};
    }

    std::vector<CategoryRecord>& records_;
    std::set<std::string_view> seen_;
};

}  // namespace

bool CategorySource::Parse(std::string_view text, std::vector<CategoryRecord>& records,
                           std::string& error) {
    records.clear();
    SourceParser parser(records);
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
        if (line.find('\0') != std::string_view::npos) {
            error = "line " + std::to_string(lineNumber) + ": holds a NUL byte";
            return false;
        }
        const std::string why = parser.TakeLine(line);
        if (!why.empty()) {
            error = "line " + std::to_string(lineNumber) + ": " + why;
            return false;
        }
    }
    error = parser.Finish();
    return error.empty();
}

std::string CategorySource::Format(const std::vector<CategoryRecord>& records) {
    std::string out;
    for (const CategoryRecord& record : records) {
        out.append(kRecordLine).append("\n");
        for (const SourceKey& key : kKeys) {
            const std::string& value = record.*(key.member);
            if (!value.empty()) {
                out.append(key.key).append("=").append(value).append("\n");
            }
        }
    }
    return out;
}

}  // namespace quexa::engines
