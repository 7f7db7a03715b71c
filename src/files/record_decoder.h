#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

#include "core/hand_off_queue.h"
#include "core/prepared_item.h"
#include "files/protected_container.h"

namespace quexa::files {

// Reads and decodes a result file's records on a thread of its own, a few batches ahead of
// the caller, so that reading the file and building the list overlap. A batch read while the
// caller has nothing queued goes undecoded and Next decodes it on the caller's thread, so that
// neither thread waits while the other works. The container is used only by the reading thread
// until this object is gone.
class RecordDecoder {
  public:
    static constexpr std::size_t kBatch = 1024;

    // Reads at most count records from the container's current position.
    RecordDecoder(ProtectedContainer& container, std::uint32_t count, int previewHeight);
    // Stops the reading thread and waits for it.
    ~RecordDecoder();
    RecordDecoder(const RecordDecoder&) = delete;
    RecordDecoder& operator=(const RecordDecoder&) = delete;

    // The next items in file order, readied for the list; empty once the records, or the
    // file, have ended. Throws std::bad_alloc when the reading thread ran out of memory.
    std::vector<core::PreparedItem> Next();

  private:
    static constexpr std::size_t kBatchesAhead = 4;

    struct Batch {
        std::vector<core::PreparedItem> items;
        // Undecoded records, the first count of them read, when items is left to the caller.
        std::vector<Record> records;
        std::size_t count = 0;
    };

    void Run(std::uint32_t count);
    void ReadAll(std::uint32_t count);
    std::vector<core::PreparedItem> Decode(std::span<const Record> records) const;
    std::vector<Record> TakeSpare();

    ProtectedContainer& container_;
    const Record mask_;
    const int previewHeight_;
    core::HandOffQueue<Batch> ready_{kBatchesAhead};
    // Record buffers the caller has decoded, for the reading thread to fill again.
    std::mutex spareMutex_;
    std::vector<std::vector<Record>> spare_;
    // Set by the reading thread before it finishes the queue, read after the queue ran dry.
    std::atomic<bool> outOfMemory_{false};
    std::thread thread_;
};

}  // namespace quexa::files
