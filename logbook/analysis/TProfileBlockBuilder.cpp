#include "TProfileBlockBuilder.h"

#include <algorithm>
#include <cmath>

namespace {

int HeaderLength(ProfileFamily family) {
    return family == ProfileFamily::A ? 27 : family == ProfileFamily::F ? 26 : 24;
}

void PutWord(std::vector<std::uint8_t>& h, std::size_t at, int value) {
    h[at] = static_cast<std::uint8_t>(value & 0xFF);
    h[at + 1] = static_cast<std::uint8_t>((value >> 8) & 0xFF);
}

}  // namespace

TProfileBlockBuilder::TProfileBlockBuilder(ProfileFamily family)
    : m_family(family), m_header(static_cast<std::size_t>(HeaderLength(family)), 0) {
    SetSurfaceTemp(24).SetInitialTissue(0.68359375).SetInitialSkinTemp(33).SetInitialCold(0);
    if (family == ProfileFamily::A) {
        SetOxygenPercent(21).SetPO2LimitIndex(8);
    } else if (family == ProfileFamily::F) {
        SetPO2LimitIndex(8);
    }
}

TProfileBlockBuilder& TProfileBlockBuilder::SetSurfaceTemp(double celsius) {
    m_header[2] = static_cast<std::uint8_t>(std::clamp<long>(std::lround(celsius * 4), 0, 255));
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::SetInitialTissue(double bar) {
    for (int j = 1; j <= 8; ++j) SetInitialTissue(j, bar);
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::SetInitialTissue(int compartment, double bar) {
    PutWord(m_header, 3 + 2 * static_cast<std::size_t>(compartment - 1),
            static_cast<int>(std::clamp<long>(std::lround(bar * 4096), 0, 0xFFFF)));
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::SetInitialBubble(double value) {
    const int v = static_cast<int>(std::clamp<long>(std::lround(value * 256), 0, 0xFFF));
    m_header[19] = static_cast<std::uint8_t>(v & 0xFF);
    m_header[20] = static_cast<std::uint8_t>((m_header[20] & 0x0F) | ((v >> 8) << 4));
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::SetInitialBubbleVolume(double value) {
    const int v = static_cast<int>(std::clamp<long>(std::lround(value * 4096), 0, 0xFFF));
    m_header[21] = static_cast<std::uint8_t>(v & 0xFF);
    m_header[20] = static_cast<std::uint8_t>((m_header[20] & 0xF0) | (v >> 8));
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::SetInitialSkinTemp(double celsius) {
    const int v = static_cast<int>(std::clamp<long>(std::lround(celsius * 64), 0, 0xFFF));
    m_header[22] = static_cast<std::uint8_t>(v & 0xFF);
    m_header[23] = static_cast<std::uint8_t>((m_header[23] & 0x0F) | ((v >> 8) << 4));
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::SetInitialCold(int level) {
    m_header[23] = static_cast<std::uint8_t>((m_header[23] & 0xF0) | (level & 0x0F));
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::SetInitialCNS(double percent) {
    if (m_family != ProfileFamily::Basic) {
        m_header[24] = static_cast<std::uint8_t>(std::clamp<long>(std::lround(percent * 2), 0, 255));
    }
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::SetOxygenIndex(int index) {
    if (m_family == ProfileFamily::F) {
        m_header[25] = static_cast<std::uint8_t>((m_header[25] & 0xF0) | (index & 0x0F));
    }
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::SetOxygenPercent(int percent) {
    if (m_family == ProfileFamily::A) {
        m_header[25] = static_cast<std::uint8_t>(percent);
        m_gas = percent;
    }
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::SetPO2LimitIndex(int index) {
    if (m_family == ProfileFamily::F) {
        m_header[25] = static_cast<std::uint8_t>((m_header[25] & 0x0F) | ((index & 0x0F) << 4));
    } else if (m_family == ProfileFamily::A) {
        m_header[26] = static_cast<std::uint8_t>((m_header[26] & 0xF0) | (index & 0x0F));
    }
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::SetGasMode(int mode) {
    if (m_family == ProfileFamily::A) {
        m_header[26] = static_cast<std::uint8_t>((m_header[26] & 0x0F) | ((mode & 0x0F) << 4));
    }
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::SetWorkload(int level) {
    m_workload = level & 7;
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::SetMicrobubbles(int level) {
    m_bubbles = level & 7;
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::StepCold(int direction) {
    m_pendingCold = direction > 0 ? 1 : direction < 0 ? -1 : 0;
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::SetGasByte(int percent) {
    m_gas = percent;
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::SetWarnings(std::uint16_t bits) {
    m_warnings = bits & 0x3F;
    return *this;
}

TProfileBlockBuilder::Group& TProfileBlockBuilder::CurrentGroup() {
    const std::size_t group = m_words.size() / 3;
    if (m_groups.size() <= group) {
        m_groups.resize(group + 1);
    }
    return m_groups[group];
}

std::uint16_t TProfileBlockBuilder::DepthWordOf(double depthBar, std::uint16_t warnings) {
    const long units = std::clamp<long>(std::lround(depthBar * 64), 0, 0x3FF);
    return static_cast<std::uint16_t>((units << 6) | (warnings & 0x3F));
}

TProfileBlockBuilder& TProfileBlockBuilder::AddDepthWord(std::uint16_t word) {
    Group& g = CurrentGroup();
    auto info = static_cast<std::uint8_t>((m_workload << 4) | m_bubbles);
    if (m_pendingCold > 0) info |= 0x08;
    if (m_pendingCold < 0) info |= 0x80;
    g.Info = info;
    g.Gas = static_cast<std::uint8_t>(m_gas);
    m_words.push_back(word);
    if (m_words.size() % 3 == 0) {
        m_pendingCold = 0;  // the step went out with this group's information byte
    }
    return *this;
}

TProfileBlockBuilder& TProfileBlockBuilder::AddPoint(double depthBar) {
    return AddDepthWord(DepthWordOf(depthBar, m_warnings));
}

TProfileBlockBuilder& TProfileBlockBuilder::AddWaypoint(double minute, double depthBar) {
    if (m_lastMinute < 0) {
        AddPoint(depthBar);
    } else {
        const int steps = static_cast<int>(std::lround((minute - m_lastMinute) * 3));
        for (int s = 1; s <= steps; ++s) {
            AddPoint(m_lastDepth + (depthBar - m_lastDepth) * s / steps);
        }
    }
    m_lastMinute = minute;
    m_lastDepth = depthBar;
    return *this;
}

std::vector<std::uint8_t> TProfileBlockBuilder::Build() const {
    std::vector<std::uint16_t> words = m_words;
    words.push_back(0);
    std::vector<std::uint8_t> block = m_header;
    for (std::size_t i = 0; i < words.size(); ++i) {
        block.push_back(static_cast<std::uint8_t>(words[i] >> 8));
        block.push_back(static_cast<std::uint8_t>(words[i] & 0xFF));
        if (i % 3 == 2 && i + 1 < words.size()) {
            const std::size_t g = i / 3;
            const Group group = g < m_groups.size() ? m_groups[g] : Group{};
            block.push_back(group.Info);
            if (m_family == ProfileFamily::A) {
                block.push_back(group.Gas);
            }
        }
    }
    PutWord(block, 0, static_cast<int>(block.size() - 2));
    return block;
}
