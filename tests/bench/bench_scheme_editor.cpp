// The scheme editor dialog over a category of 1,000 engines: opening it and switching between two
// schemes and back, against SchemeEditor alone taking the same steps without a window.
#include <QApplication>
#include <QComboBox>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/memory_profile.h"
#include "engines/engine_record.h"
#include "engines/scheme_editor.h"
#include "engines/scheme_file.h"
#include "files/engine_block.h"
#include "null_prompter.h"
#include "recording_opener.h"
#include "temp_folder.h"
#include "ui/scheme_editor/scheme_editor_dialog.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kEngines = 1000;
constexpr int kRuns = 7;
constexpr const char* kDir = "Bench";

struct Category {
    Category() {
        folders.appDirectory = folder.Path().string();
        folders.dataDirectory = folders.appDirectory;
        const fs::path engines = folder.Path() / "Categories" / kDir;
        fs::create_directories(engines);
        std::vector<quexa::engines::SchemeEntry> entries;
        for (int i = 0; i < kEngines; ++i) {
            const std::string name = "Engine " + std::to_string(i);
            quexa::engines::EngineRecord record;
            record.SetText(quexa::engines::EngineRecord::kName, name);
            record.SetText(quexa::engines::EngineRecord::kWebSite, "www.example.org");
            quexa::files::WriteEngineBlock(engines / ("e" + std::to_string(i) + ".qzf"),
                                           record.bytes());
            entries.push_back({name, i % 300, static_cast<std::uint8_t>(i % 2)});
        }
        const std::string schemes = folders.dataDirectory + "/UserData/Scheme/" + kDir + "/";
        fs::create_directories(schemes);
        quexa::engines::SchemeFile::Save(schemes + "First.scm", "first", entries);
        quexa::engines::SchemeFile::Save(schemes + "Second.scm", "second", entries);
        profile.WriteString("UserData\\Scheme", std::string(kDir) + ".LastScheme",
                            schemes + "First.scm");
    }

    quexa::testing::TempFolder folder;
    quexa::core::AppFolders folders;
    quexa::core::MemoryProfile profile;
};

double Median(const std::function<void()>& steps) {
    std::vector<double> seconds;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        steps();
        seconds.push_back(std::chrono::duration<double>(Clock::now() - start).count());
    }
    std::nth_element(seconds.begin(), seconds.begin() + kRuns / 2, seconds.end());
    return seconds[kRuns / 2];
}

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QApplication application(argc, argv);
    Category category;
    quexa::testing::NullPrompter prompter;
    quexa::testing::RecordingOpener opener;

    // Open (on the first scheme), the second scheme, the first again.
    const double alone = Median([&category] {
        quexa::engines::SchemeEditor editor(category.folders, category.profile, kDir);
        editor.Open();
        editor.Select(2);
        editor.Select(1);
    });
    const double window = Median([&] {
        quexa::ui::SchemeEditorDialog dialog(category.folders, category.profile, kDir, prompter,
                                             opener);
        dialog.show();
        Settle();
        for (const int index : {2, 1}) {
            dialog.Schemes().setCurrentIndex(index);
            Q_EMIT dialog.Schemes().activated(index);
            Settle();
        }
    });
    std::printf("scheme editor, %d engines: SchemeEditor alone %.1f ms, dialog %.1f ms\n", kEngines,
                alone * 1e3, window * 1e3);
    std::printf("ratio scheme editor dialog / SchemeEditor alone: %.2fx (goal 1.5x)\n",
                window / alone);
    return 0;
}
