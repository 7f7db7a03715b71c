#include "result_item_maker.h"

#include <malloc.h>

#include <ctime>
#include <string>

namespace quexa::bench {
namespace {

std::string Location(std::size_t i) {
    return "http://www.example" + std::to_string(i % 997) + ".com/articles/" + std::to_string(i) +
           "/index.html";
}

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return text;
}

}  // namespace

std::vector<core::ResultItem> MakeResultItems(std::size_t count) {
    std::vector<core::ResultItem> items(count);
    for (std::size_t i = 0; i < count; ++i) {
        core::ResultItem& item = items[i];
        item.title = "Result number " + std::to_string(i) + " about the query | words";
        item.location = i % 4 == 3 ? Upper(Location(i / 2)) : Location(i);
        item.searchTarget = "Engine " + std::to_string(i % 12);
        item.preview =
            "A summary of the page as the engine describes it, with a few more words "
            "so that it looks like a real one: " +
            std::to_string(i);
    }
    return items;
}

double ThreadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

void KeepFreedMemory() {
    mallopt(M_MMAP_MAX, 0);
    mallopt(M_TRIM_THRESHOLD, -1);
}

}  // namespace quexa::bench
