#include "files/result_file.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <span>
#include <system_error>

#include "core/text.h"
#include "files/atomic_file.h"
#include "files/container_header.h"
#include "files/record_decoder.h"

namespace quexa::files {
namespace fs = std::filesystem;
using core::StatusCode;
using core::VisitCode;
namespace {

struct Field {
    std::size_t offset;
    std::size_t width;
};
constexpr Field kTitleField{0, 60};
constexpr Field kTargetField{60, 50};
constexpr Field kLocationField{110, 255};
constexpr Field kPreviewField{365, 256};
constexpr std::size_t kFlagsOffset = 621;

constexpr std::uint8_t kReachableBit = 0x08;
constexpr std::uint8_t kTimeoutBit = 0x01;
constexpr std::uint8_t kUnknownBit = 0x02;
constexpr std::uint8_t kUnreachableBit = 0x04;
constexpr std::uint8_t kOtherStatusBit = 0x10;
constexpr std::uint8_t kSelectedBit = 0x20;
constexpr std::uint8_t kVisitedBit = 0x40;

constexpr std::string_view kSavingText = "Saving , please stand by ... ...";
constexpr std::string_view kLoadingText = "Loading , please stand by ... ...";

// A text that fills its field is stored without terminator.
void PutField(Record& record, Field field, std::string_view text) {
    const std::size_t length = core::Utf8CutPoint(text, field.width);
    std::memcpy(record.data() + field.offset, text.data(), length);
}

constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
constexpr std::uint64_t kHighs = 0x8080808080808080ULL;

std::uint64_t MaskedWord(const char* bytes, const char* mask) {
    std::uint64_t word = 0;
    std::uint64_t key = 0;
    std::memcpy(&word, bytes, sizeof word);
    std::memcpy(&key, mask, sizeof key);
    return word ^ key;
}

// The text of a field of record XOR mask: up to its first zero byte, or the whole field.
std::string GetField(const Record& record, const Record& mask, Field field) {
    const char* in = record.data() + field.offset;
    const char* key = mask.data() + field.offset;
    std::size_t length = 0;
    for (; length + sizeof(std::uint64_t) <= field.width; length += sizeof(std::uint64_t)) {
        const std::uint64_t word = MaskedWord(in + length, key + length);
        // The lowest flagged byte is the first zero byte; flags above it may be false.
        const std::uint64_t zeros = (word - kOnes) & ~word & kHighs;
        if (zeros != 0) {
            length += static_cast<std::size_t>(std::countr_zero(zeros)) / 8;
            break;
        }
    }
    if (length + sizeof(std::uint64_t) > field.width) {
        while (length < field.width && in[length] != key[length]) {
            ++length;
        }
    }
    std::string text(length, '\0');
    char* out = text.data();
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= length; i += sizeof(std::uint64_t)) {
        const std::uint64_t word = MaskedWord(in + i, key + i);
        std::memcpy(out + i, &word, sizeof word);
    }
    for (; i < length; ++i) {
        out[i] = static_cast<char>(in[i] ^ key[i]);
    }
    return text;
}

const Record& ZeroMask() {
    static const Record zeros{};
    return zeros;
}

ContainerHeader BuildHeader(const ResultFileHeader& header, std::size_t rows) {
    ContainerHeader bytes;
    bytes.SetRecordCount(static_cast<std::uint32_t>(std::min<std::size_t>(rows, UINT32_MAX)));
    bytes.SetAuthor(header.author);
    bytes.SetModeLetter(header.mode);
    bytes.SetKeywords(header.keywords);
    bytes.SetStateFileName(header.stateFileName);
    bytes.SetSearchTarget(header.searchTarget);
    bytes.SetNote(header.note);
    bytes.SetCheckValue(header.checkValue);
    return bytes;
}

ResultFileHeader TakeHeader(const ContainerHeader& bytes) {
    ResultFileHeader header;
    header.mode = bytes.ModeLetter();
    header.keywords = bytes.Keywords();
    header.searchTarget = bytes.SearchTarget();
    header.note = bytes.Note();
    header.author = bytes.Author();
    header.stateFileName = bytes.StateFileName();
    header.checkValue = bytes.CheckValue();
    header.count = bytes.RecordCount();
    return header;
}

bool IsRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

core::WaitState::Settings WaitSettings(std::string_view text, bool cancel) {
    core::WaitState::Settings settings;
    settings.text = text;
    settings.showCancel = cancel;
    return settings;
}

void Pump(const FileProgress& progress) {
    if (progress.processPending) {
        progress.processPending();
    }
}

bool WriteRecords(AtomicFile& file, const core::ResultList& list, const ExportRule* rule,
                  const FileProgress& progress, core::WaitState::Scope& wait) {
    for (std::size_t row = 0; row < list.Count(); ++row) {
        wait.SetPosition(row);
        Pump(progress);
        const core::ResultItem& item = list.Item(row);
        if (rule != nullptr && !rule->Matches(item)) {
            continue;
        }
        Record record = EncodeRecord(item);
        Scramble(record, DefaultKey());
        if (!file.Write(record)) {
            return false;
        }
    }
    return true;
}

// The header's count, but never more than the file holds: a damaged count must not reserve
// memory for records that are not there.
std::size_t RecordsPresent(const fs::path& path, std::uint32_t count) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error || size <= kHeaderSize) {
        return 0;
    }
    return std::min<std::uintmax_t>(count, (size - kHeaderSize) / kRecordSize);
}

void ReadRecords(ProtectedContainer& container, std::uint32_t count, core::ResultList& list,
                 const LoadOptions& options, const FileProgress& progress,
                 core::WaitState::Scope& wait) {
    RecordDecoder decoder(container, count, options.previewHeight);
    std::uint32_t index = 0;
    for (std::vector<core::PreparedItem> batch = decoder.Next(); !batch.empty();
         batch = decoder.Next()) {
        std::size_t taken = 0;
        for (; taken < batch.size(); ++taken, ++index) {
            if (wait.Cancelled()) {
                break;
            }
            wait.SetPosition(index);
            Pump(progress);
        }
        list.AppendPreparedItems(std::span(batch).first(taken), options.skipListed);
        if (taken < batch.size()) {
            return;
        }
    }
}

}  // namespace

std::uint8_t EncodeFlags(const core::ResultItem& item) {
    std::uint8_t flags = 0;
    switch (item.status) {
        case StatusCode::Reachable:
            flags = kReachableBit;
            break;
        case StatusCode::Timeout:
            flags = kTimeoutBit;
            break;
        case StatusCode::Unknown:
            flags = kUnknownBit;
            break;
        case StatusCode::Unreachable:
            flags = kUnreachableBit;
            break;
        default:
            flags = kOtherStatusBit;
            break;
    }
    if (item.selected) {
        flags |= kSelectedBit;
    }
    if (item.visit == VisitCode::Visited) {
        flags |= kVisitedBit;
    }
    return flags;
}

void DecodeFlags(std::uint8_t flags, core::ResultItem& item) {
    if ((flags & kReachableBit) != 0) {
        item.status = StatusCode::Reachable;
    } else if ((flags & kUnreachableBit) != 0) {
        item.status = StatusCode::Unreachable;
    } else if ((flags & kUnknownBit) != 0) {
        item.status = StatusCode::Unknown;
    } else if ((flags & kTimeoutBit) != 0) {
        item.status = StatusCode::Timeout;
    } else {
        item.status = StatusCode::Normal;
    }
    item.selected = (flags & kSelectedBit) != 0;
    item.visit = (flags & kVisitedBit) != 0 ? VisitCode::Visited : VisitCode::WithoutVisit;
}

Record EncodeRecord(const core::ResultItem& item) {
    Record record{};
    PutField(record, kTitleField, item.title);
    PutField(record, kTargetField, item.searchTarget);
    PutField(record, kLocationField, item.location);
    PutField(record, kPreviewField, item.preview);
    record[kFlagsOffset] = static_cast<char>(EncodeFlags(item));
    return record;
}

core::ResultItem DecodeRecord(const Record& record) {
    return DecodeRecord(record, ZeroMask());
}

core::ResultItem DecodeRecord(const Record& record, const Record& mask) {
    core::ResultItem item;
    item.title = GetField(record, mask, kTitleField);
    item.searchTarget = GetField(record, mask, kTargetField);
    item.location = GetField(record, mask, kLocationField);
    item.preview = GetField(record, mask, kPreviewField);
    DecodeFlags(static_cast<std::uint8_t>(record[kFlagsOffset] ^ mask[kFlagsOffset]), item);
    return item;
}

bool WriteResultFile(const fs::path& path, const core::ResultList& list,
                     const ResultFileHeader& header, const FileProgress& progress,
                     const ExportRule* rule) {
    AtomicFile file(path);
    if (!file.Begin()) {
        return false;
    }
    const ContainerHeader bytes = BuildHeader(header, list.Count());
    if (!file.Write(bytes.RawBytes())) {
        return false;
    }
    core::WaitState::Scope wait(progress.wait, WaitSettings(kSavingText, false));
    wait.SetTotal(list.Count());
    if (!WriteRecords(file, list, rule, progress, wait)) {
        return false;
    }
    wait.SetPosition(list.Count());
    // A failed flush is a failed write: the caller reports it, the old file stays.
    return file.Commit();
}

LoadedFile LoadResultFile(const fs::path& path, core::ResultList& list, const LoadOptions& options,
                          const FileProgress& progress) {
    if (!options.append) {
        list.Locations().Clear();
    }
    ProtectedContainer container;
    // A device or a pipe could feed records for ever, or block the read.
    if (!IsRegularFile(path) || !container.Open(path)) {
        return {LoadOutcome::CannotOpen, {}};
    }
    switch (container.CheckVersion()) {
        case ProtectedContainer::Version::Ok:
            break;
        case ProtectedContainer::Version::NotAResultFile:
            return {LoadOutcome::NotAResultFile, {}};
        case ProtectedContainer::Version::Newer:
            return {LoadOutcome::NewerVersion, {}};
    }
    ContainerHeader bytes;
    if (!container.ReadHeader(bytes) || !container.SeekToRecords()) {
        return {LoadOutcome::Unreadable, {}};
    }
    const ResultFileHeader header = TakeHeader(bytes);
    core::WaitState::Scope wait(progress.wait, WaitSettings(kLoadingText, true));
    wait.SetTotal(header.count);
    list.Reserve(RecordsPresent(path, header.count));
    ReadRecords(container, header.count, list, options, progress, wait);
    return {LoadOutcome::Loaded, header};
}

std::optional<ResultFileHeader> ReadResultFileHeader(const fs::path& path) {
    ProtectedContainer container;
    ContainerHeader bytes;
    if (!container.Open(path) || container.CheckVersion() != ProtectedContainer::Version::Ok ||
        !container.ReadHeader(bytes)) {
        return std::nullopt;
    }
    return TakeHeader(bytes);
}

bool PromptForPassword(const fs::path& path, core::Prompter& prompter, bool quiet) {
    using Title = core::Prompter::Title;
    for (;;) {
        ProtectedContainer container;
        if (!container.Open(path)) {
            if (!quiet) {
                prompter.Tell(Title::Error, kOperatorFileFailed);
            }
            return false;
        }
        // A file that is no result file has no password to ask for: the loader says what it is.
        if (container.CheckVersion() != ProtectedContainer::Version::Ok ||
            !container.IsProtected()) {
            return true;
        }
        const std::optional<std::string> password = prompter.AskPassword();
        if (!password) {
            return false;
        }
        if (container.TestPassword(*password)) {
            return true;
        }
        if (prompter.Ask(Title::Error, "Password unvaild\ntry again ?",
                         core::Prompter::Buttons::YesCancel) != core::Prompter::Answer::Yes) {
            return false;
        }
    }
}

}  // namespace quexa::files
