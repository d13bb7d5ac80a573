#include "platform/foundation/MainQueue.h"

#include "platform/foundation/tests/EventLoopWait.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include <atomic>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

namespace foundation {
namespace {

using test::runEventLoopUntil;

TEST(MainQueue, KnowsTheMainThread)
{
    EXPECT_TRUE(mainQueue::isMainThread());
    bool onWorker = true;
    std::thread([&] { onWorker = mainQueue::isMainThread(); }).join();
    EXPECT_FALSE(onWorker);
}

TEST(MainQueue, AsyncRunsLaterOnTheMainThreadInOrder)
{
    std::vector<int> order;
    bool allOnMain = true;
    for (int i = 0; i < 50; ++i) {
        mainQueue::async([&, i] {
            allOnMain = allOnMain && mainQueue::isMainThread();
            order.push_back(i);
            if (i == 10) // a task queuing another: it comes after everything queued before it
                mainQueue::async([&] { order.push_back(100); });
        });
    }
    EXPECT_TRUE(order.empty()) << "async never runs inline, even on the main thread";
    ASSERT_TRUE(runEventLoopUntil([&] { return order.size() == 51; }));
    std::vector<int> expected;
    for (int i = 0; i < 50; ++i)
        expected.push_back(i);
    expected.push_back(100);
    EXPECT_EQ(order, expected);
    EXPECT_TRUE(allOnMain);
}

TEST(MainQueue, TasksFromEachWorkerKeepTheirOrder)
{
    constexpr int workers = 4;
    constexpr int tasksPerWorker = 500;
    std::vector<std::vector<int>> seen(workers); // touched on the main thread only
    std::atomic<int> ran{0};
    std::vector<std::thread> threads;
    for (int w = 0; w < workers; ++w) {
        threads.emplace_back([&, w] {
            for (int i = 0; i < tasksPerWorker; ++i)
                mainQueue::async([&, w, i] {
                    seen[static_cast<std::size_t>(w)].push_back(i);
                    ran.fetch_add(1);
                });
        });
    }
    for (auto& thread : threads)
        thread.join();
    ASSERT_TRUE(runEventLoopUntil([&] { return ran.load() == workers * tasksPerWorker; }));
    for (const auto& sequence : seen) {
        ASSERT_EQ(sequence.size(), static_cast<std::size_t>(tasksPerWorker));
        for (int i = 0; i < tasksPerWorker; ++i)
            EXPECT_EQ(sequence[static_cast<std::size_t>(i)], i);
    }
}

TEST(MainQueue, SyncOnTheMainThreadRunsInlineAheadOfQueuedTasks)
{
    std::vector<std::string> order;
    mainQueue::async([&] { order.push_back("queued"); });
    mainQueue::sync([&] { order.push_back("inline"); });
    EXPECT_EQ(order, std::vector<std::string>{"inline"}) << "ran before returning, without the event loop";
    ASSERT_TRUE(runEventLoopUntil([&] { return order.size() == 2; }));
    EXPECT_EQ(order.back(), "queued");
}

TEST(MainQueue, SyncFromAWorkerWaitsForTheMainThreadAfterEarlierTasks)
{
    std::vector<std::string> order; // main thread only, read once the worker has returned
    std::atomic<bool> workerDone{false};
    bool ranOnMain = false;
    std::string rethrown;
    std::thread worker([&] {
        mainQueue::async([&] { order.push_back("async"); });
        mainQueue::sync([&] {
            ranOnMain = mainQueue::isMainThread();
            order.push_back("sync");
        });
        // Back here only after the task ran: the main thread wrote order before we read it.
        if (order.size() == 2)
            order.push_back("worker saw both");
        try {
            mainQueue::sync([] { throw std::runtime_error("task failed"); });
        } catch (const std::runtime_error& error) {
            rethrown = error.what();
        }
        workerDone = true;
    });
    ASSERT_TRUE(runEventLoopUntil([&] { return workerDone.load(); }));
    worker.join();
    EXPECT_EQ(order, (std::vector<std::string>{"async", "sync", "worker saw both"}));
    EXPECT_TRUE(ranOnMain);
    EXPECT_EQ(rethrown, "task failed") << "an exception of the task reaches the caller";
}

TEST(MainQueue, TasksRunInsideNestedEventLoops)
{
    bool inner = false;
    bool outerFinished = false;
    mainQueue::async([&] {
        // A modal dialog or a drag: its own loop keeps serving the queue.
        mainQueue::async([&] { inner = true; });
        EXPECT_TRUE(runEventLoopUntil([&] { return inner; }));
        outerFinished = true;
    });
    ASSERT_TRUE(runEventLoopUntil([&] { return outerFinished; }));
    EXPECT_TRUE(inner);
}

// A widget whose input handlers record what the model said when the event arrived.
class Probe : public QWidget {
public:
    explicit Probe(const int& model, QWidget* parent = nullptr) : QWidget(parent), model_(model) {}

    std::vector<std::pair<QEvent::Type, int>> seen;

protected:
    void mousePressEvent(QMouseEvent* event) override { record(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { record(event); }
    void mouseDoubleClickEvent(QMouseEvent* event) override { record(event); }
    void keyPressEvent(QKeyEvent* event) override { record(event); }
    void wheelEvent(QWheelEvent* event) override { record(event); }

private:
    void record(QEvent* event) { seen.emplace_back(event->type(), model_); }

    const int& model_;
};

// A task queued before an input event has run by the time the event is handled, even though
// the event loop never ran in between.
TEST(MainQueue, QueuedTasksRunBeforeTheNextInputEvent)
{
    int model = 0;
    Probe probe(model);
    probe.resize(100, 100);
    probe.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&probe));

    struct Step {
        const char* what;
        std::function<void()> send;
        QEvent::Type type;
    };
    const std::vector<Step> steps{
        {"mouse press", [&] { QTest::mousePress(&probe, Qt::LeftButton, {}, QPoint(10, 10)); },
         QEvent::MouseButtonPress},
        {"mouse release", [&] { QTest::mouseRelease(&probe, Qt::LeftButton, {}, QPoint(10, 10)); },
         QEvent::MouseButtonRelease},
        {"double click", [&] { QTest::mouseDClick(&probe, Qt::LeftButton, {}, QPoint(10, 10)); },
         QEvent::MouseButtonDblClick},
        {"key press", [&] { QTest::keyPress(&probe, Qt::Key_A); }, QEvent::KeyPress},
        {"wheel", [&] {
             QWheelEvent wheel(QPointF(10, 10), probe.mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, 120),
                               Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
             QApplication::sendEvent(&probe, &wheel);
         },
         QEvent::Wheel},
    };
    int expected = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        probe.seen.clear();
        mainQueue::async([&model] { ++model; });
        mainQueue::async([&model] { ++model; });
        expected += 2;
        step.send();
        auto mine = std::find_if(probe.seen.begin(), probe.seen.end(),
                                 [&](const auto& s) { return s.first == step.type; });
        ASSERT_NE(mine, probe.seen.end()) << "the widget got the event";
        EXPECT_EQ(mine->second, expected) << "both tasks ran before the handler";
    }
}

TEST(MainQueue, AnInputEventForAWidgetThatAQueuedTaskDestroyedGoesNowhere)
{
    QWidget window;
    int model = 0;
    auto* probe = new Probe(model, &window);
    QPointer<Probe> guard(probe);
    mainQueue::async([probe] { delete probe; });
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(probe, &press); // would reach freed memory if delivered
    EXPECT_TRUE(guard.isNull());
}

} // namespace
} // namespace foundation
