// The result list control over a large list, each figure against its anchor measured in the same
// run: the same work without the view, or a plain QTableView over a minimal model serving the
// same texts.
#include <malloc.h>

#include <QAbstractTableModel>
#include <QApplication>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStringList>
#include <QTableView>
#include <QTimer>

#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "bench_clock.h"
#include "core/memory_profile.h"
#include "core/result_list.h"
#include "core/settings_cache.h"
#include "core/wait_state.h"
#include "files/result_file.h"
#include "gap_probe.h"
#include "null_prompter.h"
#include "null_task_host.h"
#include "result_item_maker.h"
#include "tasks/task_control.h"
#include "ui/qt_main_thread.h"
#include "ui/result_list_model.h"
#include "ui/result_list_view.h"
#include "ui/wait_window.h"

namespace {

namespace fs = std::filesystem;
using quexa::bench::Clock;
using quexa::bench::Median;
using quexa::bench::Since;
using quexa::core::ResultCell;
using quexa::core::ResultList;
using quexa::ui::ResultListModel;
using quexa::ui::ResultListView;

constexpr std::size_t kMillion = 1'000'000;
constexpr std::size_t kFileItems = 100'000;
constexpr int kRuns = 5;

std::size_t HeapInUse() {
    return mallinfo2().uordblks;
}

void Fill(ResultList& list, std::size_t count) {
    std::vector<quexa::core::ResultItem> items = quexa::bench::MakeResultItems(count);
    for (quexa::core::ResultItem& item : items) {
        item.previewHeight = quexa::core::ResultItem::kPreviewBandHeight;
    }
    list.AppendItems(items);
}

// The anchor: the least a table model can do, serving the list's texts.
class PlainModel : public QAbstractTableModel {
  public:
    explicit PlainModel(const ResultList& list) : list_(list) {}
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(list_.Count());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : 8;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        const std::string_view text = list_.CellText(static_cast<std::size_t>(index.row()),
                                                     static_cast<ResultCell>(index.column()));
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

  private:
    const ResultList& list_;
};

void Settle() {
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
    }
}

// A shown view taking a model of the whole list, up to its first painted frame.
template <typename View>
double TakeAndPaint(QAbstractItemModel& model) {
    View view;
    view.resize(1000, 700);
    view.show();
    Settle();
    const auto start = Clock::now();
    view.setModel(&model);
    view.viewport()->repaint();
    const double seconds = Since(start);
    view.setModel(nullptr);
    return seconds;
}

void ResetToFirstPaint(const ResultList& list, ResultListModel& ours) {
    PlainModel plain(list);
    std::vector<double> plainRuns;
    std::vector<double> ourRuns;
    for (int run = 0; run < kRuns; ++run) {
        plainRuns.push_back(TakeAndPaint<QTableView>(plain));
        ourRuns.push_back(TakeAndPaint<ResultListView>(ours));
    }
    const double plainTime = Median(plainRuns);
    const double ourTime = Median(ourRuns);
    std::printf(
        "1,000,000 rows, model taken to first paint: view %.1f ms, plain QTableView %.1f ms\n",
        ourTime * 1e3, plainTime * 1e3);
    std::printf("ratio list_view reset/plain: %.2f (goal <= 2)\n", ourTime / plainTime);
}

void JumpScroll(ResultListView& view) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> anywhere(0, view.verticalScrollBar()->maximum());
    std::vector<double> paints;
    for (int jump = 0; jump < 200; ++jump) {
        const auto start = Clock::now();
        view.verticalScrollBar()->setValue(anywhere(random));
        view.viewport()->repaint();
        paints.push_back(Since(start));
    }
    const double median = Median(paints);
    std::printf("jump-scroll repaint over 1,000,000 rows: median %.2f ms, longest %.2f ms\n",
                median * 1e3, *std::max_element(paints.begin(), paints.end()) * 1e3);
    std::printf("ratio list_view jump/16ms: %.2f (goal < 1)\n", median / 0.016);
}

void MemoryPerRow() {
    const std::size_t before = HeapInUse();
    auto list = std::make_unique<ResultList>();
    Fill(*list, kMillion);
    const std::size_t listBytes = HeapInUse() - before;
    {
        ResultListModel model(*list);
        ResultListView view;
        view.setModel(&model);
        view.resize(1000, 700);
        view.show();
        Settle();
        view.viewport()->repaint();
        const std::size_t allBytes = HeapInUse() - before;
        std::printf("memory per row: list %.0f bytes, with model and view %.0f bytes\n",
                    static_cast<double>(listBytes) / kMillion,
                    static_cast<double>(allBytes) / kMillion);
        std::printf("ratio list_view memory with/without view: %.3f (goal <= 1.25)\n",
                    static_cast<double>(allBytes) / static_cast<double>(listBytes));
    }
}

// How a comparison is timed: the wall clock where other threads share the work (a load reads
// its file on a thread of its own), else the calling thread's processor time, which the other
// work of a shared machine does not disturb.
enum class Clocked { Wall, Thread };

double Now(Clocked clocked) {
    return clocked == Clocked::Wall
               ? std::chrono::duration<double>(Clock::now().time_since_epoch()).count()
               : quexa::bench::ThreadSeconds();
}

// Runs the work on a list, with or without a shown view over it; the seconds it took.
double Timed(bool withView, Clocked clocked, const std::function<void(ResultList&)>& prepare,
             const std::function<void(ResultList&)>& work) {
    ResultList list;
    prepare(list);
    std::unique_ptr<ResultListModel> model;
    std::unique_ptr<ResultListView> view;
    if (withView) {
        model = std::make_unique<ResultListModel>(list);
        view = std::make_unique<ResultListView>();
        view->setModel(model.get());
        view->resize(1000, 700);
        view->show();
        Settle();
    }
    const double start = Now(clocked);
    work(list);
    Settle();
    if (view) {
        view->viewport()->repaint();
    }
    return Now(clocked) - start;
}

void Compare(const char* what, const char* key, double goal, Clocked clocked,
             const std::function<void(ResultList&)>& prepare,
             const std::function<void(ResultList&)>& work) {
    std::vector<double> without;
    std::vector<double> with;
    for (int run = 0; run < kRuns; ++run) {
        without.push_back(Timed(false, clocked, prepare, work));
        with.push_back(Timed(true, clocked, prepare, work));
    }
    const double plain = Median(without);
    const double viewed = Median(with);
    std::printf("%s: with the view %.1f ms, without %.1f ms (%s, medians)\n", what, viewed * 1e3,
                plain * 1e3, clocked == Clocked::Wall ? "wall clock" : "processor time");
    std::printf("ratio list_view %s with/without: %.2f (goal <= %.2f)\n", key, viewed / plain,
                goal);
}

void LoadWithView(quexa::ui::QtMainThread& mainThread) {
    const fs::path path =
        fs::temp_directory_path() / ("quexa_bench_list_view_" + std::to_string(getpid()) + ".qzr");
    {
        ResultList list;
        Fill(list, kFileItems);
        quexa::files::WriteResultFile(path, list, {});
    }
    quexa::files::FileProgress progress;
    progress.processPending = [&mainThread] { mainThread.ProcessPending(); };
    Compare(
        "loading a 100,000-item result file", "load", 1.5, Clocked::Wall, [](ResultList&) {},
        [&](ResultList& list) { quexa::files::LoadResultFile(path, list, {}, progress); });
    std::error_code error;
    fs::remove(path, error);
}

// A search's drains: a page's worth of items at a time, the window's events between them.
void DrainWithView(quexa::ui::QtMainThread& mainThread) {
    constexpr std::size_t kPage = 50;
    std::vector<quexa::core::ResultItem> items = quexa::bench::MakeResultItems(kMillion);
    Compare(
        "draining 1,000,000 items, 50 a page", "drain", 1.5, Clocked::Thread, [](ResultList&) {},
        [&](ResultList& list) {
            std::vector<quexa::core::ResultItem> page(kPage);
            for (std::size_t first = 0; first < items.size(); first += kPage) {
                const std::size_t count = std::min(kPage, items.size() - first);
                std::copy_n(items.begin() + static_cast<std::ptrdiff_t>(first), count,
                            page.begin());
                list.AppendItems(std::span(page.data(), count));
                mainThread.ProcessPending();
            }
        });
}

void VerificationDeletions() {
    constexpr int kDeletions = 1000;
    std::mt19937 random(11);
    std::vector<std::size_t> rows;
    for (int i = 0; i < kDeletions; ++i) {
        rows.push_back(std::uniform_int_distribution<std::size_t>(0, kMillion - 1 - i)(random));
    }
    const auto prepare = [](ResultList& list) { Fill(list, kMillion); };
    const auto work = [&rows](ResultList& list) {
        for (const std::size_t row : rows) {
            list.DeleteVerifiedItem(row);
        }
    };
    std::vector<double> without;
    std::vector<double> with;
    for (int run = 0; run < 3; ++run) {
        without.push_back(Timed(false, Clocked::Wall, prepare, work));
        with.push_back(Timed(true, Clocked::Wall, prepare, work));
    }
    const double viewed = Median(with);
    std::printf(
        "1,000 verification deletions over 1,000,000 rows: with the view %.0f ms, "
        "without %.0f ms\n",
        viewed * 1e3, Median(without) * 1e3);
    std::printf("ratio list_view deletions/1s: %.2f (goal < 1)\n", viewed);
}

// The silent window layer, but with the wait window a sort opens: what the window's task host
// does with OpenWait and CloseWait.
class WaitingHost : public quexa::testing::NullTaskHost {
  public:
    explicit WaitingHost(quexa::ui::WaitWindow& window) : window_(window) {}
    void OpenWait(std::string_view text) override {
        quexa::core::WaitState::Settings settings;
        settings.caption = "Quexa";
        settings.text = std::string(text);
        settings.showCancel = false;
        window_.Open(std::move(settings));
    }
    void SetWaitProgress(int position, int total) override {
        window_.SetProgress(static_cast<std::uint64_t>(position),
                            static_cast<std::uint64_t>(total));
    }
    void CloseWait() override { window_.Close(); }

  private:
    quexa::ui::WaitWindow& window_;
};

// A header click on a million rows: the order worked out off this thread while the wait window
// paints, then applied to the list under the view.
void SortWithWaitWindow(const std::shared_ptr<quexa::ui::QtMainThread>& mainThread) {
    quexa::core::MemoryProfile profile;
    quexa::core::SettingsCache cache;
    ResultList list;
    Fill(list, kMillion);
    quexa::core::WaitState wait;
    quexa::ui::WaitWindow window(wait);
    WaitingHost host(window);
    quexa::testing::NullPrompter prompter;
    quexa::tasks::TaskControl control(
        quexa::tasks::TaskEnvironment{list, profile, cache, mainThread, host, prompter});
    ResultListModel model(list);
    ResultListView view;
    view.setModel(&model);
    view.resize(1000, 700);
    view.SetPreviewHeight(quexa::core::ResultItem::kPreviewBandHeight);
    view.SetSorter(
        [&control](quexa::core::SortChoice choice) { return control.SortList(choice).sorted; });
    view.show();
    view.SetCurrentRow(500'000);
    Settle();
    const int title = static_cast<int>(ResultCell::Title);
    for (const char* way : {"up", "down"}) {
        quexa::bench::GapProbe probe;
        probe.Start();
        const auto start = Clock::now();
        view.SortByColumn(title);
        Settle();
        const double took = Since(start);
        const double gap = probe.Stop();
        std::printf(
            "sorting 1,000,000 rows by Title (%s) with the view and the wait window: %.0f ms, "
            "longest time without events %.1f ms\n",
            way, took * 1e3, gap * 1e3);
        std::printf("ratio list_view sort gap/100ms (%s): %.2f (goal < 1)\n", way, gap / 0.1);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    quexa::bench::KeepFreedMemory();
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QApplication application(argc, argv);
    const auto mainThread = std::make_shared<quexa::ui::QtMainThread>();
    // Parts can be named on the command line; none runs them all.
    const QStringList parts =
        QApplication::arguments().mid(1).filter(QRegularExpression("^[a-z]+$"));
    const auto wanted = [&parts](const char* part) {
        return parts.isEmpty() || parts.contains(QString::fromLatin1(part));
    };
    if (wanted("memory")) {
        MemoryPerRow();
    }
    if (wanted("paint")) {
        ResultList list;
        Fill(list, kMillion);
        ResultListModel model(list);
        ResetToFirstPaint(list, model);
        ResultListView view;
        view.setModel(&model);
        view.resize(1000, 700);
        view.SetPreviewHeight(quexa::core::ResultItem::kPreviewBandHeight);
        view.show();
        Settle();
        JumpScroll(view);
    }
    if (wanted("load")) {
        LoadWithView(*mainThread);
    }
    if (wanted("drain")) {
        DrainWithView(*mainThread);
    }
    if (wanted("delete")) {
        VerificationDeletions();
    }
    if (wanted("sort")) {
        SortWithWaitWindow(mainThread);
    }
    return 0;
}
