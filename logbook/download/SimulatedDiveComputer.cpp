#include "SimulatedDiveComputer.h"

#include <algorithm>
#include <array>

#include "ExampleDives.h"
#include "ProfileEncoder.h"

namespace {

TPlanTime PlanTimeOf(const QDateTime& t) {
    return {t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute()};
}

TPlanTime ShiftedByDays(const TPlanTime& t, qint64 days) {
    const QDate d = QDate(t.Year, t.Month, t.Day).addDays(days);
    return {d.year(), d.month(), d.day(), t.Hour, t.Minute};
}

}  // namespace

TSimMemory SimulatedDiveComputerMemory(const QDateTime& now) {
    TSimMemory memory;
    memory.Serial = kSimulatedComputerSerial;
    const TPlanTime nowPlan = PlanTimeOf(now);
    // The computer's clock started well before the oldest dive.
    const TPlanTime clockZero = ShiftedByDays(nowPlan, -1000);
    memory.DeviceClock = static_cast<std::uint32_t>(SecondsBetween(clockZero, nowPlan) * 2);

    const std::vector<TExampleTrip> trips = ExampleTrips();
    // Trip of each computer, and how many days before today it ends.
    constexpr std::array<int, 3> kDaysBeforeNow{15, 8, 1};
    for (int computer = 0; computer < 3; ++computer) {
        const TExampleTrip* last = nullptr;
        for (const auto& trip : trips)
            if (trip.Computer == computer && std::any_of(trip.Dives.begin(), trip.Dives.end(),
                                                         [](const auto& d) { return d.IsDownloaded(); }))
                last = &trip;
        if (!last) continue;
        const TPlanTime* lastStart = nullptr;
        for (const auto& dive : last->Dives)
            if (dive.IsDownloaded()) lastStart = &dive.Plan.Start;
        if (!lastStart) continue;
        const QDate lastDay(lastStart->Year, lastStart->Month, lastStart->Day);
        const qint64 shift = lastDay.daysTo(now.date().addDays(-kDaysBeforeNow[computer]));
        for (const auto& dive : last->Dives) {
            if (!dive.IsDownloaded()) continue;
            TDivePlan plan = dive.Plan;
            plan.Serial = kSimulatedComputerSerial;
            plan.Start = ShiftedByDays(plan.Start, shift);
            plan.DeviceTime = static_cast<std::uint32_t>(SecondsBetween(clockZero, plan.Start) * 2);
            memory.DiveBlocks.push_back(EncodeDiveBlock(plan));
            if (memory.DiveBlocks.size() == 1) memory.HwSw = plan.HwSw;
        }
    }
    return memory;
}
