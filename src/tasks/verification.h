#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "core/profile.h"
#include "core/result_item.h"
#include "tasks/task_runtime.h"
#include "tasks/verify_buffer.h"

namespace quexa::tasks {

// The verification task: web locations are asked for their status by workers, file locations
// are looked up on the spot; the verify rule picks the items and what to delete.
class Verification {
  public:
    explicit Verification(TaskRuntime& runtime) : runtime_(runtime) {}

    // True when at least one worker runs; the task then ends through FinishTask.
    bool StartVerification(bool resetMarks);
    bool ShouldVerify(std::size_t row) const;
    // Items whose check a stop cut short go back to "Normal", not checked.
    void ResetVerifying();
    // The list was changed by hand during a verification: look at every row again.
    void ListEdited() { cursor_ = 0; }
    // Rows the result handler has examined; for the window's progress and for tests.
    std::size_t cursor() const { return cursor_; }

    // "Verify-> " and "Stop Verify-> " before a location in the status pane.
    static constexpr std::string_view kVerifyText = "Verify-> ";
    static constexpr std::string_view kResultText = "Stop Verify-> ";

  private:
    struct Rule {
        bool normal = true;
        bool reachable = false;
        bool unreachable = false;
        bool unknown = true;
        bool selected = false;
        static Rule Read(const core::Profile& profile);
    };

    bool Qualifies(std::size_t row, const Rule& rule) const;
    bool StartWorker(std::size_t row);
    void MarkChecking(std::size_t row);
    // A file location: Reachable when it exists, else Unreachable and maybe deleted. True when
    // the row was deleted.
    bool CheckFileItem(std::size_t row, bool deleteUnreachable);
    void DeleteRow(std::size_t row);
    void OnResult(const std::shared_ptr<TaskChannel>& from, VerifyBuffer& buffer,
                  std::optional<core::StatusCode> result);
    void RecordResult(const std::string& location, core::StatusCode result);
    // The check of that location was cut short: its item goes back to "Normal", not checked.
    void ForgetCheck(const std::string& location);
    void AssignNextVerify(VerifyBuffer& buffer);

    TaskRuntime& runtime_;
    // Every row above it was handed out or did not qualify in this run.
    std::size_t cursor_ = 0;
};

// Web locations: those holding "http://" or "https://" in any letter case.
bool IsWebLocation(std::string_view location);

}  // namespace quexa::tasks
