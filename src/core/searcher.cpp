#include "core/searcher.h"

#include <cstring>

#include "core/text.h"

namespace quexa::core {

Searcher::Searcher(std::string_view needle) : needle_(needle) {
    const std::size_t size = needle_.size();
    skip_.fill(size);
    for (std::size_t i = 0; i + 1 < size; ++i) {
        skip_[static_cast<unsigned char>(needle_[i])] = size - 1 - i;
    }
}

std::size_t Searcher::Find(std::string_view text, std::size_t from) const {
    const std::size_t size = needle_.size();
    if (from > text.size()) {
        return npos;
    }
    if (size <= 1) {
        if (size == 0) {
            return from;
        }
        const void* hit = std::memchr(text.data() + from, needle_[0], text.size() - from);
        return hit == nullptr
                   ? npos
                   : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
    }
    const char* const data = text.data();
    const char last = needle_[size - 1];
    for (std::size_t at = from; at + size <= text.size();) {
        const char c = data[at + size - 1];
        if (c == last && std::memcmp(data + at, needle_.data(), size - 1) == 0) {
            return at;
        }
        at += skip_[static_cast<unsigned char>(c)];
    }
    return npos;
}

}  // namespace quexa::core
