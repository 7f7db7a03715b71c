#include "files/record_decoder.h"

#include <algorithm>
#include <utility>

#include "files/result_file.h"

namespace quexa::files {

RecordDecoder::RecordDecoder(ProtectedContainer& container, std::uint32_t count, int previewHeight)
    : container_(container),
      mask_(container.RecordMask()),
      previewHeight_(previewHeight),
      thread_([this, count] { Run(count); }) {}

RecordDecoder::~RecordDecoder() {
    {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

std::vector<core::PreparedItem> RecordDecoder::Next() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !ready_.empty() || finished_; });
    if (ready_.empty()) {
        return {};
    }
    Batch batch = std::move(ready_.front());
    ready_.pop_front();
    lock.unlock();
    changed_.notify_all();
    if (batch.records.empty()) {
        return std::move(batch.items);
    }
    std::vector<core::PreparedItem> items = Decode(std::span(batch.records).first(batch.count));
    lock.lock();
    spare_.push_back(std::move(batch.records));
    return items;
}

void RecordDecoder::Run(std::uint32_t count) {
    std::vector<Record> records(kBatch);
    for (std::size_t left = count; left > 0;) {
        const std::size_t wanted = std::min(kBatch, left);
        const std::size_t read = container_.ReadScrambledRecords(std::span(records).first(wanted));
        Batch batch;
        if (CallerIsIdle()) {
            batch.records = std::exchange(records, TakeSpare());
            batch.count = read;
        } else {
            batch.items = Decode(std::span(records).first(read));
        }
        if ((read > 0 && !Hand(std::move(batch))) || read < wanted) {
            break;
        }
        left -= read;
    }
    {
        const std::lock_guard lock(mutex_);
        finished_ = true;
    }
    changed_.notify_all();
}

bool RecordDecoder::Hand(Batch batch) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return ready_.size() < kBatchesAhead || stopped_; });
    if (stopped_) {
        return false;
    }
    ready_.push_back(std::move(batch));
    lock.unlock();
    changed_.notify_all();
    return true;
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

// A caller with nothing queued would only wait: it gets the next batch undecoded.
bool RecordDecoder::CallerIsIdle() {
    const std::lock_guard lock(mutex_);
    return ready_.empty();
}

std::vector<Record> RecordDecoder::TakeSpare() {
    const std::lock_guard lock(mutex_);
    if (spare_.empty()) {
        return std::vector<Record>(kBatch);
    }
    std::vector<Record> records = std::move(spare_.back());
    spare_.pop_back();
    return records;
}

}  // namespace quexa::files
