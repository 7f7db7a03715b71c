#include "files/link_list.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>

#include "core/text.h"
#include "files/atomic_file.h"

namespace quexa::files {
namespace {

// Up to the first NUL, at most width bytes.
std::string FieldText(const char* begin, std::size_t width) {
    return {begin, std::find(begin, begin + width, '\0')};
}

void PutText(char* field, std::size_t width, std::string_view text) {
    const std::string bounded = core::BoundedCopy(text, width);
    std::memcpy(field, bounded.data(), bounded.size());
}

}  // namespace

LinkList::RecordBytes LinkList::Encode(const core::ResultItem& item) {
    RecordBytes record{};
    PutText(record.data(), kLocationWidth, item.location);
    PutText(record.data() + kTitleOffset, kTitleWidth, item.title);
    record[kVisitedOffset] = item.visit == core::VisitCode::Visited ? 1 : 0;
    record[kInUseOffset] = 1;
    return record;
}

LinkList::Entry LinkList::Decode(const RecordBytes& record) {
    Entry entry;
    entry.location = FieldText(record.data(), kLocationWidth);
    entry.title = FieldText(record.data() + kTitleOffset, kTitleWidth);
    entry.visited = record[kVisitedOffset] != 0;
    entry.inUse = record[kInUseOffset] != 0;
    return entry;
}

bool LinkList::Write(const std::filesystem::path& path, const core::ResultList& list,
                     const ExportJob& job, core::Prompter& prompter) {
    AtomicFile file(path);
    if (!file.Begin()) {
        prompter.Tell(core::Prompter::Title::Error, kCannotWrite);
        return false;
    }
    file.Write(kHeader);
    static constexpr RecordBytes kEmpty{};
    std::size_t written = 0;
    job.ForEachTaken(list, [&](std::size_t row, const core::ResultItem& item) {
        for (; written < row; ++written) {
            file.Write(kEmpty);
        }
        file.Write(Encode(item));
        ++written;
    });
    return file.Commit();
}

std::optional<std::vector<LinkList::Entry>> LinkList::Parse(std::string_view bytes) {
    if (bytes.size() < kHeaderSize ||
        !std::equal(kHeader.begin(), kHeader.begin() + 4, bytes.begin())) {
        return std::nullopt;
    }
    std::vector<Entry> entries;
    entries.reserve((bytes.size() - kHeaderSize) / kRecordSize);
    RecordBytes record{};
    for (std::size_t at = kHeaderSize; bytes.size() - at >= kRecordSize; at += kRecordSize) {
        std::memcpy(record.data(), bytes.data() + at, kRecordSize);
        entries.push_back(Decode(record));
    }
    return entries;
}

std::optional<std::vector<LinkList::Entry>> LinkList::Read(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return Parse(bytes);
}

}  // namespace quexa::files
