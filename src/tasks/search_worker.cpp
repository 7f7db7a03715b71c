#include "tasks/search_worker.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>
#include <utility>

#include "core/text.h"
#include "engines/markup.h"
#include "engines/page_extractor.h"
#include "engines/search_url.h"
#include "web/http_session.h"

namespace quexa::tasks {
namespace {

constexpr std::string_view kPageNumber = "*PAGE_NUMBER*";
constexpr std::string_view kBaseZero = "</PAGE_NUMBER_BASE_ZERO/>";

std::string NormalisedUrl(std::string_view url) {
    return core::AsciiLower(core::Trim(url));
}

}  // namespace

SearchWorker::SearchWorker(std::unique_ptr<engines::EngineDefinition> engine,
                           std::shared_ptr<TaskChannel> channel, bool dropDuplicates,
                           EndNotice onEnd)
    : engine_(std::move(engine)),
      channel_(std::move(channel)),
      dropDuplicates_(dropDuplicates),
      onEnd_(std::move(onEnd)) {}

void SearchWorker::Run() {
    {
        web::HttpSession session(channel_->HttpSettings());
        engines::PageExtractor extractor(*engine_);

        std::string url = engine_->searchUrl;
        engines::DecodeEntities(url);
        const auto interval = std::chrono::seconds(engines::SearchUrl::TakePageInterval(url));
        std::optional<std::chrono::steady_clock::time_point> lastRequest;
        std::string pageTemplate = url;
        const bool numbered = core::Contains(url, kPageNumber);
        int page = 0;
        if (numbered && core::Contains(pageTemplate, kBaseZero)) {
            pageTemplate = core::ReplaceAll(pageTemplate, kBaseZero, "");
            page = -1;
        }
        while (true) {
            ++page;
            if (numbered) {
                url = core::ReplaceAll(pageTemplate, kPageNumber, std::to_string(page));
            }
            // An empty URL ends here, before any request; so does a link back to any page of
            // this search, however the links go round.
            std::string normalised = NormalisedUrl(url);
            if (normalised.empty() || !fetchedPages_.insert(std::move(normalised)).second) {
                break;
            }
            if (lastRequest && !WaitUntil(*lastRequest + interval)) {
                break;
            }
            lastRequest = std::chrono::steady_clock::now();
            const std::optional<std::string_view> body = session.FetchPage(url);
            if (!Running()) {
                break;
            }
            const int newItems = TakeItems(extractor, body ? std::string(*body) : std::string());
            if (Running()) {
                AnnouncePage();
            }
            if (!numbered) {
                url = extractor.NextPageUrl();
            }
            // A page that added no new item ends the engine too: next-page links that keep
            // changing on pages without new items would never end otherwise. So every page but
            // the first adds to the item count, and the return number bounds the pages as well.
            if (newItems == 0 || LimitReached() || url.empty() || !Running()) {
                break;
            }
        }
    }
    std::string name = engine_->name;
    engine_.reset();
    channel_->mainThread().Post(
        [onEnd = std::move(onEnd_), name = std::move(name)]() mutable { onEnd(std::move(name)); });
}

int SearchWorker::TakeItems(engines::PageExtractor& extractor, std::string page) {
    if (!Running()) {
        return 0;
    }
    int newItems = 0;
    extractor.ExtractItems(std::move(page), [this, &newItems](engines::ExtractedItem&& item) {
        if (foundLocations_.insert(core::AsciiLower(item.location)).second) {
            ++newItems;
        }
        FoundItemRecord record{
            core::BoundedCopy(engine_->name, FoundItemRecord::kEngineNameLimit + 1),
            std::move(item.title), std::move(item.preview), std::move(item.location)};
        ++itemCount_;
        channel_->Queue(std::move(record), dropDuplicates_);
        return !LimitReached();
    });
    return newItems;
}

bool SearchWorker::WaitUntil(std::chrono::steady_clock::time_point when) const {
    // Short naps, so that a stop is seen as soon as a transfer's would be.
    constexpr auto kNap = std::chrono::milliseconds(50);
    while (Running()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= when) {
            return true;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(when - now, kNap));
    }
    return false;
}

bool SearchWorker::LimitReached() const {
    return engine_->returnNumber != -1 && itemCount_ >= engine_->returnNumber;
}

void SearchWorker::AnnouncePage() {
    const std::lock_guard lock(channel_->notifyLock);
    channel_->mainThread().Send([] {});
}

}  // namespace quexa::tasks
