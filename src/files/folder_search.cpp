#include "files/folder_search.h"

#include <algorithm>
#include <optional>

namespace quexa::files {

FolderSearch::FolderSearch(const PatternList& patterns, const MountTable& mounts,
                           Listener& listener, bool describe)
    : patterns_(patterns), mounts_(mounts), listener_(listener), describe_(describe) {}

void FolderSearch::SearchTarget(std::string_view target) {
    std::string folder = NormalisePath(target);
    if (const std::optional<std::string> local = mounts_.LocalPathOf(folder)) {
        folder = NormalisePath(*local);
    } else if (IsNetworkForm(folder)) {
        return;
    }
    SearchFolder(folder);
}

void FolderSearch::SearchFolder(const std::string& folder) {
    if (stopped_) {
        return;
    }
    FolderLister lister(folder, describe_ ? &patterns_ : nullptr);
    Replay(lister, lister.Next());
}

void FolderSearch::Replay(FolderLister& lister, FolderLister::Listing listing) {
    if (stopped_ || listing.skipped) {
        return;
    }
    listener_.EnterFolder(listing.path);
    if (!listing.listed) {
        return;
    }
    ReportMatches(listing);
    // Closed before going down, so that deep trees never run out of descriptors.
    listing.Close();
    if (stopped_) {
        return;
    }
    for (const FolderLister::Entry& entry : listing.entries) {
        if (!KeepGoing()) {
            return;
        }
        if (entry.folder) {
            Replay(lister, lister.Next());
        }
    }
}

std::string FolderSearch::NormalisePath(std::string_view path) {
    std::string text(path);
    if (text.starts_with("\\\\")) {
        std::replace(text.begin(), text.end(), '\\', '/');
    }
    const bool network = IsNetworkForm(text);
    std::string out;
    out.reserve(text.size() + 1);
    for (const char c : text) {
        if (c != '/' || out.empty() || out.back() != '/') {
            out += c;
        }
    }
    if (out.size() > 1 && out.back() == '/') {
        out.pop_back();
    }
    if (network) {
        out.insert(out.begin(), '/');
    }
    return out;
}

bool FolderSearch::KeepGoing() {
    if (!stopped_ && !listener_.KeepGoing()) {
        stopped_ = true;
    }
    return !stopped_;
}

void FolderSearch::ReportMatches(const FolderLister::Listing& listing) {
    for (const WildcardPattern& pattern : patterns_) {
        for (const FolderLister::Entry& entry : listing.entries) {
            if (!pattern.Matches(entry.name)) {
                continue;
            }
            if (!KeepGoing()) {
                return;
            }
            location_ = FolderLister::JoinPath(listing.path, entry.name);
            listener_.Found({listing.path, entry.name, location_, listing.Fd(),
                             entry.description ? &*entry.description : nullptr});
        }
    }
}

}  // namespace quexa::files
