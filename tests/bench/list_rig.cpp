#include "list_rig.h"

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>

#include "result_item_maker.h"

namespace quexa::bench {

using Clock = std::chrono::steady_clock;

void GapWatch::ProcessPending() {
    Note();
    PlainMainThread::ProcessPending();
}

void GapWatch::Start() {
    last_ = Clock::now();
    longest_ = {};
    rounds_ = 0;
    watching_ = true;
}

void GapWatch::Stop() {
    Note();
    watching_ = false;
}

void GapWatch::Note() {
    if (!watching_) {
        return;
    }
    const Clock::time_point now = Clock::now();
    longest_ = std::max<std::chrono::duration<double>>(longest_, now - last_);
    last_ = now;
    ++rounds_;
}

ListRig::ListRig() : mainThread(std::make_shared<GapWatch>()) {
    cache.previewHeight = 0;
    control = std::make_unique<tasks::TaskControl>(
        tasks::TaskEnvironment{list, profile, cache, mainThread, host, prompter});
}

ListRig::~ListRig() {
    control.reset();
    mainThread->Shutdown();
}

void ListRig::Fill(std::size_t rows) {
    list.DeleteAll();
    std::vector<core::ResultItem> items = MakeResultItems(rows);
    list.AppendItems(items);
}

std::vector<HandedRow> SpreadRows(const core::ResultList& list, std::size_t count) {
    if (count == 0 || list.Count() < count) {
        throw std::invalid_argument("fewer rows than answers");
    }
    std::vector<HandedRow> rows;
    const std::size_t step = list.Count() / count;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t row = i * step + step / 2;
        rows.push_back({list.IdOf(row), list.Item(row).location});
    }
    std::shuffle(rows.begin(), rows.end(), std::mt19937(1));
    return rows;
}

void EvictCaches() {
    constexpr std::size_t kPage = 4096;
    constexpr std::size_t kLine = 64;
    constexpr std::size_t kPages = 256 << 20;  // more pages than the translation buffers map
    constexpr std::size_t kLines = 16 << 20;   // beyond the second-level cache
    static std::vector<unsigned char> other(kPages, 1);
    static unsigned char sum = 0;
    for (std::size_t at = 0; at < kPages; at += kPage) {
        sum = static_cast<unsigned char>(sum + other[at]);
    }
    for (std::size_t at = 0; at < kLines; at += kLine) {
        other[at] = sum;
    }
}

AnswerTimes AnswerEach(core::ResultList& list, std::span<const HandedRow> rows, bool cold) {
    AnswerTimes times;
    for (const HandedRow& handed : rows) {
        if (cold) {
            EvictCaches();
        }
        const Clock::time_point start = Clock::now();
        // As the verification does: the row must still hold the location it was handed for.
        const core::ResultItem* item = list.ItemOf(handed.id);
        const std::optional<std::size_t> row = item != nullptr && item->location == handed.location
                                                   ? list.RowOf(handed.id)
                                                   : std::nullopt;
        const bool found = row.has_value();
        const Clock::time_point foundAt = Clock::now();
        if (!found) {
            throw std::logic_error("an answer lost its row");
        }
        list.DeleteVerifiedItem(*row);
        times.finds.push_back(std::chrono::duration<double>(foundAt - start).count());
        times.find += times.finds.back();
        times.erase += std::chrono::duration<double>(Clock::now() - foundAt).count();
    }
    return times;
}

}  // namespace quexa::bench
