#include "task_fixture.h"

#include <fstream>
#include <stdexcept>

#include "core/settings_table.h"
#include "demo_farm/demo_home.h"
#include "engines/engine_source.h"
#include "engines/scheme_list.h"
#include "files/engine_block.h"

namespace quexa::testing {

namespace settings = core::settings;

TaskFixture::TaskFixture() : mainThread(std::make_shared<CountingMainThread>()) {
    std::string error;
    if (!farm.Start(0, &error)) {
        throw std::runtime_error("farm: " + error);
    }
    cache.appDirectory = home.Path().string();
    cache.dataDirectory = home.Path().string();
    cache.previewHeight = 0;
    control = std::make_unique<tasks::TaskControl>(
        tasks::TaskEnvironment{list, profile, cache, mainThread, host, prompter});
}

TaskFixture::~TaskFixture() {
    if (control != nullptr && control->state().taskRunning) {
        control->StopTask();
    }
    RunToIdle(std::chrono::seconds(10));
    control.reset();
    farm.Stop();
    mainThread->Shutdown();
}

void TaskFixture::UseCategory(const std::string& category,
                              const std::vector<demo::FakeEngine>& engines) {
    std::string error;
    if (!demo::WriteCategoryHome(home.Path(), farm.port(), category, engines, &error)) {
        throw std::runtime_error("home: " + error);
    }
    settings::kLastCategory.Write(profile, category);
}

void TaskFixture::UseScheme(const std::string& category, const std::string& name,
                            const std::vector<engines::SchemeEntry>& entries) {
    const std::filesystem::path folder = home.Path() / "UserData" / "Scheme" / category;
    std::filesystem::create_directories(folder);
    const std::filesystem::path path = folder / (name + ".scm");
    if (!engines::SchemeFile::Save(path, "test scheme", entries)) {
        throw std::runtime_error("can't write " + path.string());
    }
    engines::SetLastScheme(profile, category, path.string());
}

void TaskFixture::AddEngineFile(const std::string& category, const std::string& file,
                                const std::string& source) {
    engines::EngineRecord record;
    std::string error;
    if (!engines::EngineSource::Parse(source, record, error)) {
        throw std::runtime_error("engine source: " + error);
    }
    const std::filesystem::path path = home.Path() / "Categories" / category / file;
    if (!files::WriteEngineBlock(path, record.bytes())) {
        throw std::runtime_error("can't write " + path.string());
    }
}

bool TaskFixture::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        mainThread->WaitAndProcess(std::chrono::milliseconds(10));
    }
    return true;
}

bool TaskFixture::RunToIdle(std::chrono::milliseconds limit, bool threads) {
    return RunUntil(
        [this, threads] {
            return control->Idle() && (!threads || control->ReleaseEndedWorkers() == 0);
        },
        limit);
}

void TaskFixture::AddItem(const std::string& location, core::StatusCode status, bool selected) {
    core::ResultItem item;
    item.title = "Item " + location;
    item.location = location;
    item.searchTarget = "test";
    item.status = status;
    item.selected = selected;
    list.AddItem(static_cast<std::ptrdiff_t>(list.Count()), std::move(item));
}

std::ptrdiff_t TaskFixture::RowOf(const std::string& location) const {
    for (std::size_t row = 0; row < list.Count(); ++row) {
        if (list.Item(row).location == location) {
            return static_cast<std::ptrdiff_t>(row);
        }
    }
    return -1;
}

}  // namespace quexa::testing
