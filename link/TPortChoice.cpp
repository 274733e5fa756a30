#include "TPortChoice.h"

void TPortChoice::Build(IComPort& port) {
    port.EnumComPorts();
    std::array<bool, kMaxComNumber + 1> present{};
    for (int n = 1; n <= kMaxComNumber; ++n) present[n] = port.PortPresent(n);
    Build(present);
}

void TPortChoice::Build(const std::array<bool, kMaxComNumber + 1>& present) {
    m_portIndex.fill(-1);
    m_portIndex[0] = 0;
    m_portList.assign(1, 0);
    for (int n = 1; n <= kMaxComNumber; ++n) {
        if (!present[n]) continue;
        m_portIndex[n] = static_cast<int>(m_portList.size());
        m_portList.push_back(static_cast<std::uint8_t>(n));
    }
}

QStringList TPortChoice::Items() const {
    QStringList items{QStringLiteral("AUTO")};
    for (std::size_t i = 1; i < m_portList.size(); ++i) items << QStringLiteral("COM%1").arg(m_portList[i]);
    return items;
}

int TPortChoice::PortIndex(int com) const {
    if (com < 0 || com > kMaxComNumber) return -1;
    return m_portIndex[com];
}

int TPortChoice::SelectionFor(std::uint16_t interfacePort) const {
    if (interfacePort > 0x20FF) return 0;  // a fixed port above COM32
    return m_portIndex[interfacePort >> 8];
}

std::uint16_t TPortChoice::Apply(int item, std::uint16_t interfacePort) const {
    int fixed = 0;
    if (item >= 0 && item < static_cast<int>(m_portList.size())) fixed = m_portList[item];
    return static_cast<std::uint16_t>((fixed << 8) | (interfacePort & 0xFF));
}
