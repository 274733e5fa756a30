#include <gtest/gtest.h>

#include "ComNumbers.h"

TEST(ComNumbers, FixedTableBothWays) {
    const struct {
        int com;
        const char* path;
    } table[] = {{1, "/dev/ttyS0"},    {8, "/dev/ttyS7"},    {9, "/dev/ttyUSB0"},  {16, "/dev/ttyUSB7"},
                 {17, "/dev/ttyACM0"}, {24, "/dev/ttyACM7"}, {25, "/dev/rfcomm0"}, {32, "/dev/rfcomm7"}};
    for (const auto& row : table) {
        EXPECT_EQ(ComDevicePath(row.com), QString::fromLatin1(row.path));
        EXPECT_EQ(ComNumberOfDevice(QString::fromLatin1(row.path)), row.com);
    }
    EXPECT_TRUE(ComDevicePath(0).isEmpty());
    EXPECT_TRUE(ComDevicePath(33).isEmpty());
    EXPECT_EQ(ComNumberOfDevice("ttyUSB1"), 10);
    EXPECT_EQ(ComNumberOfDevice("/dev/ttyS8"), 0);
    EXPECT_EQ(ComNumberOfDevice("/dev/ttyS10"), 0);
    EXPECT_EQ(ComNumberOfDevice("/dev/lp0"), 0);
    EXPECT_EQ(ComNumberOfDevice("/dev/ttyUSB"), 0);
}

TEST(ComNumbers, EnumerationMarksKnownPortsAndReturnsTheHighest) {
    // COM1, COM3, a port beyond the table and a printer port.
    std::array<bool, kMaxComNumber + 1> present{};
    present[5] = true;  // cleared first
    const int highest = MarkComPorts({"/dev/ttyS0", "/dev/ttyS2", "/dev/ttyS40", "/dev/lp0"}, present);
    EXPECT_EQ(highest, 3);
    for (int n = 1; n <= kMaxComNumber; ++n) EXPECT_EQ(present[n], n == 1 || n == 3) << n;
    EXPECT_EQ(MarkComPorts({}, present), 0);
}
