#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quexa::web {

// The text of a page as it is read. The body counts in chunks of 8,191 bytes, as it was always
// read; a NUL byte ends the text of its chunk, and the next chunk goes on. Reading stops at the
// cap: what came before it is the page.
class PageBuffer {
  public:
    static constexpr std::size_t kChunkSize = 8191;
    static constexpr std::size_t kDefaultCap = 8 * 1024 * 1024;

    explicit PageBuffer(std::size_t cap = kDefaultCap) : cap_(cap) {}

    void Clear();
    // Takes the next body bytes; false once the cap is reached and nothing more is wanted.
    bool Append(std::string_view bytes);

    std::string_view Text() const { return text_; }
    std::size_t BytesRead() const { return bytesRead_; }
    bool Full() const { return bytesRead_ >= cap_; }

  private:
    void AppendWithinChunk(std::string_view piece);

    std::size_t cap_;
    std::string text_;
    std::size_t bytesRead_ = 0;
    std::size_t chunkUsed_ = 0;
    bool chunkCut_ = false;
};

}  // namespace quexa::web
