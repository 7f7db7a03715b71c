#include "locking_program.h"

#include <chrono>
#include <optional>

#include "files/result_file_lock.h"

namespace quexa::testing {
namespace {

// Runs in the child: the lock stays held until the child exits.
bool HoldLock(const std::filesystem::path& target) {
    static std::optional<files::ResultFileLock> lock;
    lock.emplace(target, std::chrono::milliseconds(0));
    return lock->held();
}

}  // namespace

LockingProgram::LockingProgram(const std::filesystem::path& target,
                               const std::function<void()>& whileHeld)
    : ForkedChild([target] { return HoldLock(target); }, whileHeld) {}

}  // namespace quexa::testing
