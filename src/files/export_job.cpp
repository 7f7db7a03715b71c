#include "files/export_job.h"

namespace quexa::files {
namespace {

// Hides the bar on every way out, an exception from a writer's callback included.
class ProgressScope {
  public:
    ProgressScope(const ExportJob::Progress& progress, std::size_t rows) : progress_(progress) {
        if (progress_.show) {
            progress_.show(rows);
        }
    }
    ~ProgressScope() {
        if (progress_.hide) {
            progress_.hide();
        }
    }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    void Step() const {
        if (progress_.step) {
            progress_.step();
        }
    }

  private:
    const ExportJob::Progress& progress_;
};

}  // namespace

ExportJob ExportJob::FromProfile(const core::Profile& profile, bool all) {
    ExportJob job;
    job.fields = ExportFields::Load(profile);
    if (!all) {
        job.rule = ExportRule::Load(profile);
    }
    return job;
}

void ExportJob::ForEachTaken(
    const core::ResultList& list,
    const std::function<void(std::size_t row, const core::ResultItem&)>& take) const {
    const ProgressScope scope(progress, list.Count());
    for (std::size_t row = 0; row < list.Count(); ++row) {
        const core::ResultItem& item = list.Item(row);
        if (Takes(item)) {
            take(row, item);
        }
        scope.Step();
    }
}

}  // namespace quexa::files
