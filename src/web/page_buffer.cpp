#include "web/page_buffer.h"

#include <algorithm>

namespace quexa::web {

void PageBuffer::Clear() {
    text_.clear();
    bytesRead_ = 0;
    chunkUsed_ = 0;
    chunkCut_ = false;
}

bool PageBuffer::Append(std::string_view bytes) {
    bytes = bytes.substr(0, cap_ - std::min(bytesRead_, cap_));
    while (!bytes.empty()) {
        const std::size_t take = std::min(bytes.size(), kChunkSize - chunkUsed_);
        AppendWithinChunk(bytes.substr(0, take));
        bytes.remove_prefix(take);
    }
    return !Full();
}

void PageBuffer::AppendWithinChunk(std::string_view piece) {
    if (!chunkCut_) {
        const std::size_t nul = piece.find('\0');
        chunkCut_ = nul != std::string_view::npos;
        text_.append(piece.substr(0, nul));
    }
    bytesRead_ += piece.size();
    chunkUsed_ += piece.size();
    if (chunkUsed_ == kChunkSize) {
        chunkUsed_ = 0;
        chunkCut_ = false;
    }
}

}  // namespace quexa::web
