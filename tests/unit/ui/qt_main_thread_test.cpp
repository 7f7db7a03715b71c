#include "ui/qt_main_thread.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "core/plain_main_thread.h"

namespace quexa::ui {
namespace {

using namespace std::chrono_literals;

// Both queues keep one contract; each test runs against the plain one and the Qt one.
template <typename Queue>
class MainThreadTest : public ::testing::Test {
  protected:
    // Runs the queue on this thread until the condition holds; false when the time ran out.
    bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = 10s) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (!done()) {
            if (std::chrono::steady_clock::now() > deadline) {
                return false;
            }
            queue_.WaitAndProcess(10ms);
        }
        return true;
    }

    // Whether the caller is this test's thread as the queue sees it.
    bool OnUserInterfaceThread() const {
        return queue_.IsCurrent() && std::this_thread::get_id() == testThread_;
    }

    Queue queue_;
    const std::thread::id testThread_ = std::this_thread::get_id();
};

using Queues = ::testing::Types<core::PlainMainThread, QtMainThread>;

class QueueNames {
  public:
    template <typename Queue>
    static std::string GetName(int /*index*/) {
        return std::is_same_v<Queue, QtMainThread> ? "Qt" : "Plain";
    }
};

TYPED_TEST_SUITE(MainThreadTest, Queues, QueueNames);

TYPED_TEST(MainThreadTest, PostsFromWorkersRunOnTheUserInterfaceThreadInTheirOrder) {
    constexpr int kWorkers = 4;
    constexpr int kPosts = 200;
    struct Run {
        int worker;
        int sequence;
        bool onUserInterfaceThread;
    };
    std::vector<Run> runs;  // only the user-interface thread touches it
    std::vector<std::thread> workers;
    for (int worker = 0; worker < kWorkers; ++worker) {
        workers.emplace_back([this, worker, &runs] {
            for (int sequence = 0; sequence < kPosts; ++sequence) {
                this->queue_.Post([this, worker, sequence, &runs] {
                    runs.push_back({worker, sequence, this->OnUserInterfaceThread()});
                });
            }
        });
    }
    for (std::thread& worker : workers) {
        worker.join();
    }
    ASSERT_TRUE(this->RunUntil([&runs] { return runs.size() == kWorkers * kPosts; }));

    std::vector<int> next(kWorkers, 0);
    for (const Run& run : runs) {
        EXPECT_TRUE(run.onUserInterfaceThread) << "worker " << run.worker;
        EXPECT_EQ(run.sequence, next[run.worker]) << "worker " << run.worker;
        next[run.worker] = run.sequence + 1;
    }
}

TYPED_TEST(MainThreadTest, PostsAndSendsOfOneWorkerKeepTheirOrder) {
    std::vector<std::string> order;  // only the user-interface thread writes it while queued
    std::size_t seenAfterFirstSend = 0;
    bool sent = false;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        auto record = [&order](std::string name) {
            return [&order, name = std::move(name)] { order.push_back(name); };
        };
        this->queue_.Post(record("post 1"));
        this->queue_.Post(record("post 2"));
        sent = this->queue_.Send(record("send 3"));
        seenAfterFirstSend = order.size();
        this->queue_.Post(record("post 4"));
        sent = this->queue_.Send(record("send 5")) && sent;
        finished = true;
    });
    ASSERT_TRUE(this->RunUntil([&finished] { return finished.load(); }));
    worker.join();

    EXPECT_TRUE(sent);
    EXPECT_EQ(seenAfterFirstSend, 3U) << "a send returns after what was posted before it ran";
    EXPECT_EQ(order, (std::vector<std::string>{"post 1", "post 2", "send 3", "post 4", "send 5"}));
}

TYPED_TEST(MainThreadTest, SendHoldsTheWorkerUntilTheTaskRanAndHandsBackItsResult) {
    std::atomic<bool> sending{false};
    std::atomic<bool> returned{false};
    int computed = 0;
    bool ranOnUserInterfaceThread = false;
    int seenByWorker = 0;
    bool sent = false;
    std::thread worker([&] {
        sending = true;
        sent = this->queue_.Send([&] {
            ranOnUserInterfaceThread = this->OnUserInterfaceThread();
            computed = 6 * 7;
        });
        seenByWorker = computed;
        returned = true;
    });
    while (!sending) {
        std::this_thread::yield();
    }
    std::this_thread::sleep_for(50ms);
    EXPECT_FALSE(returned) << "the send returned before the user-interface thread ran it";

    ASSERT_TRUE(this->RunUntil([&returned] { return returned.load(); }));
    worker.join();
    EXPECT_TRUE(sent);
    EXPECT_TRUE(ranOnUserInterfaceThread);
    EXPECT_EQ(seenByWorker, 42);
}

TYPED_TEST(MainThreadTest, SendOnTheUserInterfaceThreadRunsAtOnce) {
    struct Case {
        const char* name;
        bool insidePostedTask;
    };
    for (const Case& c :
         {Case{"from the test's own code", false}, Case{"from inside a posted task", true}}) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> order;
        bool sent = false;
        auto sendNow = [&] {
            order.push_back("before");
            sent = this->queue_.Send([&] {
                order.push_back(this->OnUserInterfaceThread() ? "task here" : "task elsewhere");
            });
            order.push_back("after");
        };
        if (c.insidePostedTask) {
            this->queue_.Post(sendNow);
            ASSERT_TRUE(this->RunUntil([&order] { return order.size() == 3; }));
        } else {
            sendNow();
        }
        EXPECT_TRUE(sent);
        EXPECT_EQ(order, (std::vector<std::string>{"before", "task here", "after"}));
    }
}

TYPED_TEST(MainThreadTest, ShutdownReleasesABlockedSenderWithoutRunningItsTask) {
    std::atomic<bool> sending{false};
    std::atomic<bool> ran{false};
    auto sender = std::async(std::launch::async, [&] {
        sending = true;
        return this->queue_.Send([&ran] { ran = true; });
    });
    while (!sending) {
        std::this_thread::yield();
    }
    std::this_thread::sleep_for(20ms);  // most likely waiting inside Send by now
    this->queue_.Shutdown();

    ASSERT_EQ(sender.wait_for(5s), std::future_status::ready) << "the sender is still blocked";
    EXPECT_FALSE(sender.get());
    EXPECT_FALSE(this->queue_.WaitAndProcess(20ms));
    EXPECT_FALSE(ran);
}

TYPED_TEST(MainThreadTest, NothingHandedInAroundAShutdownRunsLater) {
    struct Case {
        const char* name;
        bool beforeShutdown;
        bool synchronous;
    };
    for (const Case& c : {Case{"a post still queued at the shut-down", true, false},
                          Case{"a post after the shut-down", false, false},
                          Case{"a send after the shut-down", false, true}}) {
        SCOPED_TRACE(c.name);
        TypeParam queue;
        std::atomic<bool> ran{false};
        bool sent = true;
        auto handIn = [&] {
            std::thread worker([&] {
                if (c.synchronous) {
                    sent = queue.Send([&ran] { ran = true; });
                } else {
                    queue.Post([&ran] { ran = true; });
                }
            });
            worker.join();
        };
        if (c.beforeShutdown) {
            handIn();
        }
        queue.Shutdown();
        if (!c.beforeShutdown) {
            handIn();
        }
        EXPECT_FALSE(queue.WaitAndProcess(20ms));
        queue.ProcessPending();
        EXPECT_FALSE(ran);
        EXPECT_EQ(sent, !c.synchronous) << "a send that can't run reports it";
    }
}

TYPED_TEST(MainThreadTest, ProcessPendingRunsWhatIsQueuedWithoutWaiting) {
    constexpr int kPosts = 25;
    int ran = 0;
    std::thread worker([&] {
        for (int i = 0; i < kPosts; ++i) {
            this->queue_.Post([&ran] { ++ran; });
        }
    });
    worker.join();
    this->queue_.ProcessPending();
    EXPECT_EQ(ran, kPosts);
}

TYPED_TEST(MainThreadTest, ProcessPendingInsideATaskRunsWhatWorkersHandInMeanwhile) {
    // A long loop on the user-interface thread waits for a worker's notice it must handle
    // itself, as the stop wait of a task does.
    bool noticeHandled = false;
    bool loopSawNotice = false;
    bool loopDone = false;
    std::thread worker;
    this->queue_.Post([&] {
        worker = std::thread([&] {
            this->queue_.Send([] {});
            this->queue_.Post([&noticeHandled] { noticeHandled = true; });
        });
        for (int round = 0; round < 500 && !noticeHandled; ++round) {
            this->queue_.ProcessPending();
            std::this_thread::sleep_for(2ms);
        }
        loopSawNotice = noticeHandled;
        loopDone = true;
    });
    ASSERT_TRUE(this->RunUntil([&loopDone] { return loopDone; }));
    worker.join();
    EXPECT_TRUE(loopSawNotice);
}

TYPED_TEST(MainThreadTest, WaitAndProcessReportsWhetherSomethingRan) {
    EXPECT_FALSE(this->queue_.WaitAndProcess(30ms)) << "nothing was queued";

    bool ran = false;
    std::thread worker([&] {
        std::this_thread::sleep_for(20ms);
        this->queue_.Post([&ran] { ran = true; });
    });
    const bool reported = this->queue_.WaitAndProcess(5s);
    worker.join();
    EXPECT_TRUE(reported);
    EXPECT_TRUE(ran) << "the post arrived while waiting";
}

// Between two steps of a long loop the window's own events (input, painting, timers) still get
// their turn, also when no work of ours is queued.
TEST(QtMainThreadTest, ProcessPendingLetsTheWindowsOwnEventsThrough) {
    QtMainThread queue;
    for (int attempt = 0; attempt < 3; ++attempt) {
        bool fired = false;
        QTimer::singleShot(0, [&fired] { fired = true; });
        for (int round = 0; round < 500 && !fired; ++round) {
            queue.ProcessPending();
            std::this_thread::sleep_for(1ms);
        }
        EXPECT_TRUE(fired) << attempt;
    }
}

TEST(QtMainThreadTest, LastReferenceDroppedOnAWorkerDropsWhatIsQueued) {
    auto queue = std::make_shared<QtMainThread>();
    std::atomic<bool> ran{false};
    std::thread worker([&ran, held = std::move(queue)]() mutable {
        held->Post([&ran] { ran = true; });
        held.reset();  // the queue ends on this thread
    });
    worker.join();
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(ran);
}

// Ends the application under a worker waiting in Send; the exit code is 0 when the sender
// was released without its task.
[[noreturn]] void EndApplicationUnderABlockedSender() {
    QtMainThread queue;
    std::atomic<bool> sending{false};
    std::atomic<bool> ran{false};
    auto sender = std::async(std::launch::async, [&] {
        sending = true;
        return queue.Send([&ran] { ran = true; });
    });
    while (!sending) {
        std::this_thread::yield();
    }
    std::this_thread::sleep_for(20ms);
    delete QCoreApplication::instance();
    const bool released = sender.wait_for(5s) == std::future_status::ready;
    std::_Exit(released && !sender.get() && !ran ? 0 : 1);
}

TEST(QtMainThreadDeathTest, TheApplicationEndingReleasesABlockedSender) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(EndApplicationUnderABlockedSender(), ::testing::ExitedWithCode(0), "");
}

TEST(QtMainThreadTest, OnlyTheThreadThatMadeItIsTheUserInterfaceThread) {
    const QtMainThread queue;
    bool onWorker = true;
    std::thread worker([&] { onWorker = queue.IsCurrent(); });
    worker.join();
    EXPECT_TRUE(queue.IsCurrent());
    EXPECT_FALSE(onWorker);
}

}  // namespace
}  // namespace quexa::ui
