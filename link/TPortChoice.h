#pragma once
// The list and the rules of the port choice dialog (TComOpt), without the window:
// item 0 "AUTO", then one item "COM%d" per port found; which item shows the setting;
// what OK stores in InterfacePort.
//
//   TPortChoice choice;  choice.Build(port);           // after EnumComPorts on the port
//   combo.addItems(choice.Items());
//   combo.setCurrentIndex(choice.SelectionFor(settings.InterfacePort));   // -1: none
//   settings.InterfacePort = choice.Apply(combo.currentIndex(), settings.InterfacePort);

#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

#include "IComPort.h"

class TPortChoice {
public:
    // Calls EnumComPorts on the port and builds PortIndex and PortList from it.
    void Build(IComPort& port);
    // Builds from a list of present ports (index = COM number, entry 0 unused).
    void Build(const std::array<bool, kMaxComNumber + 1>& present);

    // "AUTO", "COM1", "COM3", ...
    QStringList Items() const;
    // Item index of COM n, -1 when n was not found; PortIndex(0) is 0.
    int PortIndex(int com) const;
    // COM number of each item; item 0 ("AUTO") is 0.
    const std::vector<std::uint8_t>& PortList() const { return m_portList; }

    // The item that shows the setting: item 0 for AUTO and for a fixed port above 32,
    // else the item of the fixed port (-1 when that port was not found).
    int SelectionFor(std::uint16_t interfacePort) const;
    // The setting after OK with item k chosen: the fixed port (high byte) becomes the
    // item's COM number, 0 for AUTO, for no selection (-1) and for a k beyond the list;
    // the low byte is kept.
    std::uint16_t Apply(int item, std::uint16_t interfacePort) const;

private:
    std::array<int, kMaxComNumber + 1> m_portIndex{};
    std::vector<std::uint8_t> m_portList{0};
};
