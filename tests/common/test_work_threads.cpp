// The helpers that put work on a thread of its own: ReadAhead (the file
// readers), WriteBehind (the workbook writer) and WorkAside (one long step
// while the window paints). Their promises: the work comes through whole and
// in order, a failure reaches the caller where it would have met it, and
// ending early never hangs.

#include "common/read_ahead.h"
#include "common/work_aside.h"
#include "common/write_behind.h"

#include <QtTest>
#include <atomic>
#include <chrono>
#include <random>
#include <stdexcept>
#include <thread>

using namespace zolt;

namespace {

struct Numbers {
    std::vector<int> values;
    void clear() { values.clear(); }
};

// A short pause of random length, so that the two threads meet at every
// point of their turns.
void jitter(std::mt19937 &random)
{
    std::this_thread::sleep_for(std::chrono::microseconds(random() % 200));
}

}  // namespace

class TestWorkThreads : public QObject {
    Q_OBJECT

private slots:
    void readAheadKeepsOrderAndPassesTheFailureOn()
    {
        std::mt19937 reading(1), taking(2);
        int next = 0;
        auto fill = [&](Numbers &batch, const std::function<bool()> &) {
            jitter(reading);
            for (int i = 0; i < 50; ++i)
                batch.values.push_back(next++);
            if (next == 50 * 40)
                throw std::runtime_error("damaged at 2000");
            return true;
        };
        ReadAhead<Numbers> ahead(fill);
        int expected = 0;
        try {
            while (Numbers *batch = ahead.next()) {
                for (int value : batch->values)
                    QCOMPARE(value, expected++);
                jitter(taking);
            }
            QFAIL("the reading's failure did not reach the caller");
        } catch (const std::runtime_error &e) {
            QCOMPARE(QString::fromLatin1(e.what()), QString("damaged at 2000"));
        }
        QCOMPARE(expected, 2000);  // every value read before the failure came through first
    }

    void readAheadEndsAndStopsWhileBusy()
    {
        // The last batch says no more follow: next() then answers null.
        int batches = 0;
        ReadAhead<Numbers> finite([&](Numbers &batch, const std::function<bool()> &) {
            batch.values.push_back(batches);
            return ++batches < 5;
        });
        int taken = 0;
        while (finite.next())
            ++taken;
        QCOMPARE(taken, 5);
        QVERIFY(!finite.next());

        // Destroyed while its reading is busy, or waiting for a free batch:
        // the reading is told to stop, and nothing hangs.
        std::atomic<bool> sawStop = false;
        {
            ReadAhead<Numbers> busy([&](Numbers &, const std::function<bool()> &stopping) {
                while (!stopping())
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                sawStop = true;
                return false;
            });
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        QVERIFY(sawStop);
        {
            ReadAhead<Numbers> waiting([](Numbers &batch, const std::function<bool()> &) {
                batch.values.push_back(1);
                return true;
            });
            QVERIFY(waiting.next());  // the others fill up and wait
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    void writeBehindKeepsOrderAndPassesTheFailureOn()
    {
        std::mt19937 working(3), filling(4);
        std::vector<int> written;
        {
            WriteBehind<Numbers> behind([&](Numbers &batch) {
                jitter(working);
                written.insert(written.end(), batch.values.begin(), batch.values.end());
            });
            for (int b = 0; b < 40; ++b) {
                QVERIFY(behind.filling().values.empty());  // handed back emptied
                for (int i = 0; i < 50; ++i)
                    behind.filling().values.push_back(b * 50 + i);
                jitter(filling);
                behind.handOver();
            }
            behind.wait();
        }
        QCOMPARE(int(written.size()), 2000);
        for (int i = 0; i < 2000; ++i)
            QCOMPARE(written[size_t(i)], i);

        // A failure is thrown at the next hand-over or wait, and no batch
        // is worked on after it.
        int worked = 0;
        WriteBehind<Numbers> failing([&](Numbers &) {
            if (++worked == 3)
                throw std::runtime_error("disk full");
        });
        bool thrown = false;
        try {
            for (int b = 0; b < 10; ++b) {
                failing.filling().values.push_back(b);
                failing.handOver();
            }
            failing.wait();
        } catch (const std::runtime_error &e) {
            thrown = QString::fromLatin1(e.what()) == "disk full";
        }
        QVERIFY(thrown);
        QCOMPARE(worked, 3);
    }

    void writeBehindStopsWhileBusy()
    {
        std::atomic<int> worked = 0;
        {
            WriteBehind<Numbers> behind([&](Numbers &) {
                std::this_thread::sleep_for(std::chrono::milliseconds(30));
                ++worked;
            });
            behind.filling().values.push_back(1);
            behind.handOver();
            // Destroyed while the batch handed over is being worked on.
        }
        QCOMPARE(int(worked), 1);
    }

    void workAsideLetsTheCallerGoOnAndPassesFailuresOn()
    {
        using namespace std::chrono_literals;
        // The work ends only once the caller has been let go on three times.
        std::atomic<int> turns = 0;
        WorkAside([&turns] { while (turns < 3) std::this_thread::sleep_for(1ms); }, [&turns] { ++turns; }, 2ms);
        QCOMPARE(turns.load(), 3);

        // Work that ends at once never calls the caller's turn.
        WorkAside([] {}, [] { QFAIL("called for work that had ended"); }, 1000ms);

        QVERIFY_THROWS_EXCEPTION(std::runtime_error,
                                 WorkAside([] { throw std::runtime_error("unreadable"); }, [] {}, 1ms));

        // A stop from the caller's turn waits for the work, which may be
        // using the caller's frame, and is not asked again.
        std::atomic<bool> workEnded = false;
        int calls = 0;
        try {
            WorkAside([&workEnded] { std::this_thread::sleep_for(30ms); workEnded = true; },
                      [&calls] { ++calls; throw std::logic_error("stopped"); }, 1ms);
            QFAIL("the caller's stop was lost");
        } catch (const std::logic_error &) {
            QVERIFY(workEnded);
            QCOMPARE(calls, 1);
        }
    }
};

QTEST_GUILESS_MAIN(TestWorkThreads)
#include "test_work_threads.moc"
