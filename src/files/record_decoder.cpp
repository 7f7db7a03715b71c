#include "files/record_decoder.h"

#include <algorithm>
#include <new>
#include <utility>

#include "files/result_file.h"

namespace quexa::files {

RecordDecoder::RecordDecoder(ProtectedContainer& container, std::uint32_t count, int previewHeight)
    : container_(container),
      mask_(container.RecordMask()),
      previewHeight_(previewHeight),
      thread_([this, count] { Run(count); }) {}

RecordDecoder::~RecordDecoder() {
    ready_.Stop();
    thread_.join();
}

std::vector<core::PreparedItem> RecordDecoder::Next() {
    std::optional<Batch> batch = ready_.Pop();
    if (!batch) {
        if (outOfMemory_) {
            throw std::bad_alloc();
        }
        return {};
    }
    if (batch->records.empty()) {
        return std::move(batch->items);
    }
    std::vector<core::PreparedItem> items = Decode(std::span(batch->records).first(batch->count));
    const std::lock_guard lock(spareMutex_);
    spare_.push_back(std::move(batch->records));
    return items;
}

void RecordDecoder::Run(std::uint32_t count) {
    // Out of memory here would end the process; the caller reports it instead.
    try {
        ReadAll(count);
    } catch (const std::bad_alloc&) {
        outOfMemory_ = true;
    }
    ready_.Finish();
}

void RecordDecoder::ReadAll(std::uint32_t count) {
    std::vector<Record> records(kBatch);
    for (std::size_t left = count; left > 0;) {
        const std::size_t wanted = std::min(kBatch, left);
        const std::size_t read = container_.ReadScrambledRecords(std::span(records).first(wanted));
        Batch batch;
        // A caller with nothing queued would only wait: it gets the batch undecoded.
        if (ready_.Size() == 0) {
            batch.records = std::exchange(records, TakeSpare());
            batch.count = read;
        } else {
            batch.items = Decode(std::span(records).first(read));
        }
        if ((read > 0 && !ready_.Push(std::move(batch))) || read < wanted) {
            break;
        }
        left -= read;
    }
}

std::vector<core::PreparedItem> RecordDecoder::Decode(std::span<const Record> records) const {
    std::vector<core::PreparedItem> items;
    items.reserve(records.size());
    for (const Record& record : records) {
        core::ResultItem item = DecodeRecord(record, mask_);
        item.previewHeight = previewHeight_;
        items.emplace_back(std::move(item));
    }
    return items;
}

std::vector<Record> RecordDecoder::TakeSpare() {
    const std::lock_guard lock(spareMutex_);
    if (spare_.empty()) {
        return std::vector<Record>(kBatch);
    }
    std::vector<Record> records = std::move(spare_.back());
    spare_.pop_back();
    return records;
}

}  // namespace quexa::files
