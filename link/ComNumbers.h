#pragma once
// COM numbers of this system: a fixed table, so that a remembered number keeps its
// meaning between runs. COM1-8 = /dev/ttyS0-7, COM9-16 = /dev/ttyUSB0-7,
// COM17-24 = /dev/ttyACM0-7, COM25-32 = /dev/rfcomm0-7.
//
//   ComDevicePath(9) == "/dev/ttyUSB0";  ComNumberOfDevice("/dev/ttyACM1") == 18

#include <QString>
#include <QStringList>
#include <array>

#include "IComPort.h"

// Device file of COM `com` (1 ... 32); empty for other numbers.
QString ComDevicePath(int com);
// COM number of a device file or port name ("ttyUSB0" or "/dev/ttyUSB0"); 0 when none.
int ComNumberOfDevice(const QString& nameOrPath);
// Clears `present`, marks the COM numbers of the given device names and returns the
// highest one (0 when none maps to a number).
int MarkComPorts(const QStringList& deviceNames, std::array<bool, kMaxComNumber + 1>& present);
