#include <vector>

#include <gtest/gtest.h>

#include "TVirtualClock.h"

TEST(VirtualClock, PeriodicTimerFiresOnItsPeriodUntilStopped) {
    TVirtualClock clock;
    std::vector<std::int64_t> fired;
    auto t = clock.CreateTimer([&] { fired.push_back(clock.NowMs()); });
    t->Start(600);
    clock.Advance(1999);
    EXPECT_EQ(fired, (std::vector<std::int64_t>{600, 1200, 1800}));
    t->Stop();
    clock.Advance(5000);
    EXPECT_EQ(fired.size(), 3u);
    EXPECT_FALSE(t->IsActive());
}

TEST(VirtualClock, RestartBeginsANewPeriod) {
    TVirtualClock clock;
    int fired = 0;
    auto t = clock.CreateTimer([&] { ++fired; });
    t->Start(600);
    clock.Advance(500);
    t->Start(600);
    clock.Advance(500);
    EXPECT_EQ(fired, 0);
    clock.Advance(100);
    EXPECT_EQ(fired, 1);
}

TEST(VirtualClock, HandlerMayStopOrRestartItsOwnTimer) {
    TVirtualClock clock;
    int fired = 0;
    std::unique_ptr<ITimer> t;
    t = clock.CreateTimer([&] {
        if (++fired == 2) t->Stop();
    });
    t->Start(10);
    clock.Advance(100);
    EXPECT_EQ(fired, 2);
}

TEST(VirtualClock, NestedDelayRunsLaterEventsInOrder) {
    TVirtualClock clock;
    std::vector<int> order;
    clock.Post(
        [&] {
            order.push_back(1);
            clock.Delay(50);  // a wait inside a handler, as the transfer window does
            order.push_back(3);
        },
        10);
    clock.Post([&] { order.push_back(2); }, 30);
    clock.Post([&] { order.push_back(4); }, 100);
    clock.Advance(20);
    EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(clock.NowMs(), 60);  // the nested wait moved time on
    clock.Advance(50);
    EXPECT_EQ(order.back(), 4);
}

TEST(VirtualClock, SameTimeRunsInPostingOrderAndDestroyedTimersNeverFire) {
    TVirtualClock clock;
    std::vector<int> order;
    for (int i = 0; i < 5; ++i) clock.Post([&order, i] { order.push_back(i); });
    int fired = 0;
    {
        auto t = clock.CreateTimer([&] { ++fired; });
        t->Start(5);
    }
    clock.Advance(100);
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(fired, 0);
    EXPECT_EQ(clock.PendingCount(), 0u);
}
