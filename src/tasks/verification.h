#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
    // A file location: Reachable when it exists, else Unreachable and maybe deleted.
    void CheckFileItem(std::size_t row, bool deleteUnreachable);
    // The row goes with the next DeleteDoomed: a scan deletes its rows in one pass.
    void Doom(std::size_t row);
    // A deletion of the row being answered for, at once.
    void DeleteRow(std::size_t row);
    void DeleteDoomed();
    void OnResult(const std::shared_ptr<TaskChannel>& from, VerifyBuffer& buffer,
                  std::optional<core::StatusCode> result);
    // The row the buffer's location was handed out from, if it is still listed with it.
    std::optional<std::size_t> HandedRow(const VerifyBuffer& buffer) const;
    void RecordResult(const VerifyBuffer& buffer, core::StatusCode result);
    // The check was cut short: its item goes back to "Normal", not checked.
    void ForgetCheck(const VerifyBuffer& buffer);
    void AssignNextVerify(VerifyBuffer& buffer);
    void HandOut(std::size_t row, VerifyBuffer& buffer);

    TaskRuntime& runtime_;
    // Every row above it was handed out or did not qualify in this run.
    std::size_t cursor_ = 0;
    // Rows found unreachable by this scan or result, deleted together at its end.
    std::vector<core::ResultList::RowId> doomed_;
};

// Web locations: those holding "http://" or "https://" in any letter case.
bool IsWebLocation(std::string_view location);

}  // namespace quexa::tasks
