#include "tasks/verification.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "core/settings_table.h"
#include "core/text.h"
#include "tasks/verify_worker.h"

namespace quexa::tasks {
namespace {

using core::StatusCode;
namespace settings = core::settings;

// Waiting window messages are handled this often while a long list is scanned.
constexpr std::size_t kRowsBetweenEvents = 64;

bool FileExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(std::filesystem::path(path), error);
}

}  // namespace

bool IsWebLocation(std::string_view location) {
    const std::string lower = core::AsciiLower(location);
    return core::Contains(lower, "http://") || core::Contains(lower, "https://");
}

Verification::Rule Verification::Rule::Read(const core::Profile& profile) {
    return Rule{
        settings::kVerifyNormal.ReadFlag(profile), settings::kVerifyReachable.ReadFlag(profile),
        settings::kVerifyUnreachable.ReadFlag(profile), settings::kVerifyUnknown.ReadFlag(profile),
        settings::kVerifySelected.ReadFlag(profile)};
}

bool Verification::ShouldVerify(std::size_t row) const {
    return Qualifies(row, Rule::Read(runtime_.env.profile));
}

bool Verification::Qualifies(std::size_t row, const Rule& rule) const {
    const core::ResultList& list = runtime_.env.list;
    if (list.CellText(row, core::ResultCell::VerifyMark) != core::ResultList::kNotChecked) {
        return false;
    }
    const core::ResultItem& item = list.Item(row);
    if (!IsWebLocation(item.location)) {
        return false;
    }
    if (rule.selected && item.selected) {
        return true;
    }
    switch (item.status) {
        case StatusCode::Normal:
            return rule.normal;
        case StatusCode::Reachable:
            return rule.reachable;
        case StatusCode::Unknown:
            return rule.unknown;
        case StatusCode::Unreachable:
            return rule.unreachable;
        default:
            return false;
    }
}

bool Verification::StartVerification(bool resetMarks) {
    TaskEnvironment& env = runtime_.env;
    runtime_.state.hangUpShown = false;
    runtime_.timeoutSeconds = settings::kVerifyTimeout.Read(env.profile);
    env.host.SetProgressRange(env.list.Count());
    runtime_.slots.Release();
    runtime_.activeThreadCount = 0;
    runtime_.OpenChannel()->runFlag.store(1);
    cursor_ = 0;
    const bool deleteUnreachable = settings::kDeleteUnreachable.ReadFlag(env.profile);
    if (resetMarks) {
        for (std::size_t row = 0; row < env.list.Count(); ++row) {
            env.list.SetCellText(row, core::ResultCell::VerifyMark, core::ResultList::kNotChecked);
        }
    }
    env.host.SetBusy(true);
    const int limit = WorkerSlots::ThreadLimit(settings::kLineType.Read(env.profile));
    const Rule rule = Rule::Read(env.profile);

    std::size_t row = 0;
    while (row < env.list.Count() && runtime_.activeThreadCount < limit) {
        if (Qualifies(row, rule)) {
            StartWorker(row);
        } else if (!IsWebLocation(env.list.Item(row).location)) {
            CheckFileItem(row, deleteUnreachable);
        }
        ++row;
    }
    cursor_ = row;
    DeleteDoomed();
    if (runtime_.activeThreadCount > 0) {
        runtime_.state.verifyRunning = true;
        runtime_.state.taskRunning = true;
        env.host.ShowProgress(true);
        return true;
    }
    runtime_.channel->runFlag.store(0);
    env.host.ShowProgress(false);
    env.host.SetBusy(false);
    return false;
}

void Verification::ResetVerifying() {
    core::ResultList& list = runtime_.env.list;
    for (std::size_t row = 0; row < list.Count(); ++row) {
        if (list.Item(row).status == StatusCode::Verifing) {
            list.SetStatus(row, StatusCode::Normal);
            list.SetCellText(row, core::ResultCell::VerifyMark, core::ResultList::kNotChecked);
        }
    }
}

bool Verification::StartWorker(std::size_t row) {
    TaskEnvironment& env = runtime_.env;
    auto buffer = std::make_shared<VerifyBuffer>();
    buffer->location = core::BoundedCopy(env.list.Item(row).location, VerifyBuffer::kSize);
    buffer->row = env.list.IdOf(row);
    env.host.SetStatusText(std::string(kVerifyText) + buffer->location);
    std::shared_ptr<TaskChannel> channel = runtime_.channel;
    auto onResult = [this, channel](VerifyBuffer& handed, std::optional<StatusCode> result) {
        OnResult(channel, handed, result);
    };
    auto worker = std::make_shared<VerifyWorker>(channel, buffer, std::move(onResult));
    if (!runtime_.slots.Start([worker] { worker->Run(); })) {
        return false;
    }
    ++runtime_.activeThreadCount;
    MarkChecking(row);
    return true;
}

void Verification::MarkChecking(std::size_t row) {
    core::ResultList& list = runtime_.env.list;
    list.SetStatus(row, StatusCode::Verifing);
    list.SetCellText(row, core::ResultCell::VerifyMark, core::ResultList::kChecked);
}

void Verification::CheckFileItem(std::size_t row, bool deleteUnreachable) {
    core::ResultList& list = runtime_.env.list;
    const bool exists = FileExists(list.Item(row).location);
    if (!exists && deleteUnreachable) {
        Doom(row);
        return;
    }
    list.SetStatus(row, exists ? StatusCode::Reachable : StatusCode::Unreachable);
}

void Verification::DeleteRow(std::size_t row) {
    runtime_.env.list.DeleteVerifiedItem(row);
    if (row < cursor_) {
        --cursor_;
    }
}

void Verification::Doom(std::size_t row) {
    doomed_.push_back(runtime_.env.list.IdOf(row));
}

void Verification::DeleteDoomed() {
    if (doomed_.empty()) {
        return;
    }
    core::ResultList& list = runtime_.env.list;
    std::size_t above = 0;
    for (const core::ResultList::RowId id : doomed_) {
        const std::optional<std::size_t> row = list.RowOf(id);
        above += row && *row < cursor_ ? 1 : 0;
    }
    list.DeleteVerifiedItems(doomed_);
    cursor_ -= above;
    doomed_.clear();
}

void Verification::OnResult(const std::shared_ptr<TaskChannel>& from, VerifyBuffer& buffer,
                            std::optional<StatusCode> result) {
    // A worker given up after a stop may report long after its task; its task control may be
    // gone, so nothing but the buffer is touched then.
    if (from->Abandoned() || from != runtime_.channel) {
        buffer.location.clear();
        return;
    }
    TaskEnvironment& env = runtime_.env;
    ++runtime_.handlerDepth;
    env.host.StepProgress();
    env.host.SetStatusText(std::string(kResultText) + buffer.location);
    if (result) {
        RecordResult(buffer, *result);
    } else {
        ForgetCheck(buffer);
    }
    if (from->runFlag.load() == 1) {
        AssignNextVerify(buffer);
    } else {
        buffer.location.clear();
    }
    --runtime_.handlerDepth;
    if (buffer.location.empty()) {
        --runtime_.activeThreadCount;
    }
    if (runtime_.activeThreadCount == 0) {
        runtime_.finishTask();
    }
}

std::optional<std::size_t> Verification::HandedRow(const VerifyBuffer& buffer) const {
    const core::ResultList& list = runtime_.env.list;
    const core::ResultItem* item = list.ItemOf(buffer.row);
    if (item == nullptr || item->location != buffer.location) {
        return std::nullopt;  // deleted or edited by hand meanwhile
    }
    return list.RowOf(buffer.row);
}

void Verification::RecordResult(const VerifyBuffer& buffer, StatusCode result) {
    TaskEnvironment& env = runtime_.env;
    const std::optional<std::size_t> row = HandedRow(buffer);
    if (!row) {
        return;
    }
    const bool deleteUnreachable = settings::kDeleteUnreachable.ReadFlag(env.profile);
    const bool deleteUnknown = settings::kDeleteUnknown.ReadFlag(env.profile);
    if ((result == StatusCode::Unreachable && deleteUnreachable) ||
        (result == StatusCode::Unknown && deleteUnknown)) {
        DeleteRow(*row);
        env.host.RefreshFastInfo();
    } else {
        env.list.SetStatus(*row, result);
        env.list.SetModified();
    }
}

void Verification::ForgetCheck(const VerifyBuffer& buffer) {
    core::ResultList& list = runtime_.env.list;
    const std::optional<std::size_t> row = HandedRow(buffer);
    if (row && list.Item(*row).status == StatusCode::Verifing) {
        list.SetStatus(*row, StatusCode::Normal);
        list.SetCellText(*row, core::ResultCell::VerifyMark, core::ResultList::kNotChecked);
    }
}

void Verification::AssignNextVerify(VerifyBuffer& buffer) {
    TaskEnvironment& env = runtime_.env;
    const bool deleteUnreachable = settings::kDeleteUnreachable.ReadFlag(env.profile);
    const Rule rule = Rule::Read(env.profile);
    buffer.location.clear();
    std::size_t scanned = 0;
    while (cursor_ < env.list.Count()) {
        if (++scanned % kRowsBetweenEvents == 0) {
            env.mainThread->ProcessPending();
            if (cursor_ >= env.list.Count()) {
                break;
            }
        }
        const std::size_t row = cursor_++;
        if (Qualifies(row, rule)) {
            HandOut(row, buffer);
            break;
        }
        if (!IsWebLocation(env.list.Item(row).location)) {
            CheckFileItem(row, deleteUnreachable);
        }
    }
    DeleteDoomed();
}

void Verification::HandOut(std::size_t row, VerifyBuffer& buffer) {
    TaskEnvironment& env = runtime_.env;
    buffer.location = core::BoundedCopy(env.list.Item(row).location, VerifyBuffer::kSize);
    buffer.row = env.list.IdOf(row);
    env.host.SetStatusText(std::string(kVerifyText) + buffer.location);
    MarkChecking(row);
}

}  // namespace quexa::tasks
