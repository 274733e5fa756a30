#include "ProfileDecoder.h"

#include <algorithm>

namespace {

// Byte k of the block, counted from the start of its length word; bytes beyond what the
// block holds read as 0 (only a damaged block gets there).
class BlockReader {
public:
    BlockReader(std::span<const std::uint8_t> block, std::size_t usable) : m_block(block), m_usable(usable) {}
    std::uint8_t At(std::size_t k) const { return k < m_usable ? m_block[k] : 0; }
    bool Has(std::size_t k, std::size_t n) const { return k + n <= m_usable; }

private:
    std::span<const std::uint8_t> m_block;
    std::size_t m_usable;
};

void ClearProfile(DiveProfile& profile) {
    profile.Points.fill(ProfilePoint{});
    profile.Count = 0;
    profile.InitialTissue.fill(0);
    profile.InitialBubble = profile.InitialBubbleVolume = profile.InitialSkinTemp = 0;
    profile.InitialCold = 0;
    profile.SurfaceTemp = profile.InitialCNS = profile.MaxPO2 = 0;
    profile.O2Percent = 21;
    profile.ProfileMaxDepth = profile.NitroxMOD = profile.MeanDepth = profile.GasConsumption = 0;
    profile.MaxWork = 0;
    profile.ConsumptionNorm = profile.WorkFactor = 0;
    profile.Truncated = false;
}

double ModOf(double maxPO2, double o2Fraction, double surfacePressure) {
    if (o2Fraction == 0) {
        return kModWithoutOxygen;
    }
    return maxPO2 / o2Fraction - surfacePressure;
}

}  // namespace

int MicrobubbleClass(double b) {
    if (b <= 0.0625) return 0;
    if (b <= 0.5) return 1;
    if (b <= 1) return 2;
    if (b <= 2.5) return 3;
    if (b <= 4.5) return 4;
    if (b <= 7) return 5;
    if (b <= 10) return 6;
    return 7;
}

bool DecodeProfile(DiveProfile& profile, std::span<const std::uint8_t> block, const ProfileDiveInfo& dive) {
    if (block.size() < 2) {
        return false;
    }
    const int claimed = block[0] | (block[1] << 8);
    const int stored = static_cast<int>(block.size()) - 2;
    const int length = std::min(claimed, stored);
    const BlockReader in(block, static_cast<std::size_t>(length) + 2);

    // 1. Clear
    ClearProfile(profile);
    profile.Truncated = claimed > stored;
    const ProfileFamily family = dive.Family();
    profile.Family = family;
    const double surfacePressure = SurfacePressure(dive.AltitudeRange);

    // 2. Header
    profile.SurfaceTemp = in.At(2) / 4.0;
    for (int j = 0; j < 8; ++j) {
        profile.InitialTissue[j] = (in.At(3 + 2 * j) | (in.At(4 + 2 * j) << 8)) / 4096.0;
    }
    profile.InitialBubble = (((in.At(20) >> 4) << 8) | in.At(19)) / 256.0;
    profile.InitialBubbleVolume = (((in.At(20) & 0x0F) << 8) | in.At(21)) / 4096.0;
    profile.InitialSkinTemp = (((in.At(23) >> 4) << 8) | in.At(22)) / 64.0;
    profile.InitialCold = in.At(23) & 0x0F;

    double o2Fraction = 53 / 256.0;
    int headerLength = 24;
    int groupSize = 7;
    int streamBytes = length - 22;
    if (family == ProfileFamily::F) {
        profile.InitialCNS = in.At(24) / 2.0;
        const int index = in.At(25) & 0x0F;
        profile.O2Percent = index == 0 ? 21 : 20 + 2 * index;
        o2Fraction = kOxygenFraction[index] / 256.0;
        profile.MaxPO2 = 1.2 + 0.05 * (in.At(25) >> 4);
        headerLength = 26;
        streamBytes = length - 24;
    } else if (family == ProfileFamily::A) {
        profile.InitialCNS = in.At(24) / 2.0;
        profile.O2Percent = in.At(25);
        o2Fraction = in.At(25) / 100.0;
        profile.MaxPO2 = 1.2 + 0.05 * (in.At(26) & 0x0F);
        headerLength = 27;
        groupSize = 8;
        streamBytes = length - 25;
    }

    // 3. Number of points. With N of 1 or less the stream would never reach its end
    // test, and more than 660 points do not fit: N is kept within 1..660.
    int points = (streamBytes / groupSize) * 3 + (streamBytes % groupSize) / 2;
    points = std::clamp(points, 1, kMaxPointIndex);

    // 4. Start point
    auto& pts = profile.Points;
    pts[0].DepthWord = 0x0200;
    pts[0].Levels =
        static_cast<std::uint16_t>(MicrobubbleClass(profile.InitialBubble) * 64 + profile.InitialCold + 8);
    pts[0].O2Fraction = o2Fraction;
    profile.Count = 1;

    // 5. Point stream: the first two points of a group carry the levels of the previous
    // information byte, the third point those of its own group's byte.
    // Within a group of 7 (or 8) bytes the words lie at offsets 0, 2 and 4, the
    // information byte at 6 and family A's gas byte at 7.
    auto group = static_cast<std::size_t>(headerLength);
    const auto groupBytes = static_cast<std::size_t>(groupSize);
    std::uint16_t levelWord = pts[0].Levels;
    auto coldCounter = static_cast<std::int16_t>(profile.InitialCold);
    const bool scr = dive.IsSCR();
    auto readPoint = [&](std::size_t pos) {
        if (profile.Count >= points) {
            return false;
        }
        if (!in.Has(pos, 2)) {  // only a damaged block ends before its point count
            points = profile.Count;
            return false;
        }
        ProfilePoint& p = pts[static_cast<std::size_t>(profile.Count)];
        p.DepthWord = static_cast<std::uint16_t>((in.At(pos) << 8) | in.At(pos + 1));
        p.Levels = levelWord;
        p.O2Fraction = o2Fraction;
        ++profile.Count;
        return profile.Count < points;
    };
    if (readPoint(group) && readPoint(group + 2)) {
        for (;;) {
            const std::uint8_t info = in.At(group + 6);
            const bool warmer = (info & 0x80) != 0;
            const bool colder = (info & 0x08) != 0;
            if (colder && !warmer) {
                ++coldCounter;
            } else if (warmer && !colder) {
                --coldCounter;
            }
            levelWord = static_cast<std::uint16_t>(static_cast<std::uint16_t>(coldCounter) |
                                                   (((info >> 4) & 7) << 3) | ((info & 7) << 6));
            if (family == ProfileFamily::A && scr) {
                o2Fraction = in.At(group + 7) / 100.0;
            }
            if (!readPoint(group + 4)) {
                break;
            }
            group += groupBytes;
            if (!readPoint(group) || !readPoint(group + 2)) {
                break;
            }
        }
    }
    // The end point: at the surface, with the levels of the point before it.
    const auto last = static_cast<std::size_t>(profile.Count);
    pts[last].DepthWord = 0;
    pts[last].Levels = pts[last - 1].Levels;
    // 6.
    pts[last].O2Fraction = pts[last - 1].O2Fraction;

    // 7. Maximum depth
    std::uint16_t deepest = 0;
    for (std::size_t i = 0; i <= last; ++i) {
        deepest = std::max(deepest, pts[i].DepthWord);
    }
    profile.ProfileMaxDepth = (deepest >> 6) / 64.0;

    // 8. Maximum operating depth of a nitrox gas (families with a pO2 limit only: the
    // basic family has none, and 0 bar would give a negative depth).
    if (dive.IsNitrox() && family != ProfileFamily::Basic) {
        profile.NitroxMOD = ModOf(profile.MaxPO2, pts[1].O2Fraction, surfacePressure);
    }

    // 9. Gas changes, MOD and pO2 marks
    if (family != ProfileFamily::Basic) {
        for (std::size_t k = 0; k < last / 3; ++k) {
            const double d = pts[3 * k + 3].O2Fraction - pts[3 * k].O2Fraction;
            pts[3 * k + 1].O2Fraction = pts[3 * k].O2Fraction + 0.2 * d;
            pts[3 * k + 2].O2Fraction = pts[3 * k + 3].O2Fraction - 0.2 * d;
        }
        for (std::size_t i = 0; i <= last; ++i) {
            ProfilePoint& p = pts[i];
            p.MOD = ModOf(profile.MaxPO2, p.O2Fraction, surfacePressure);
            p.PO2 = p.O2Fraction * (PointDepth(p) + surfacePressure);
            if (p.PO2 > profile.MaxPO2) {
                p.Marks |= kMarkPO2;
            }
        }
    }

    // 10. Statistics over the points under water
    int under = 0;
    long sumDepth = 0;
    long sumWork = 0;
    for (std::size_t i = 0; i <= last; ++i) {
        if (pts[i].DepthWord > 205) {
            ++under;
            sumDepth += pts[i].DepthWord >> 6;
            sumWork += WorkLevel(pts[i]);
        }
    }
    int maxWork = 0;
    for (std::size_t i = 0; i <= last; ++i) {
        ProfilePoint& p = pts[i];
        if ((p.DepthWord & 0xFFC0) < 205) {
            p.Levels = static_cast<std::uint16_t>(p.Levels & ~(7u << 3));
        }
        maxWork = std::max(maxWork, WorkLevel(p));
    }
    profile.MaxWork = static_cast<std::uint8_t>(maxWork);

    // 11.-13. A dive with no point under water, no dive time or no workload would divide
    // by zero: those figures are 0.
    if (under > 0) {
        profile.MeanDepth = static_cast<double>(sumDepth) / 64.0 / under;
    }
    const double volume = dive.TankSize / 100.0;
    const double pressure = dive.AirConsumption / 100.0;
    if (scr) {
        if (dive.DiveTime != 0) {
            profile.GasConsumption = pressure * volume / dive.DiveTime;
        }
    } else if (under > 0) {
        profile.GasConsumption =
            pressure * volume / (profile.MeanDepth + surfacePressure + 0.04) / under * 3 * 310 / 293;
    }
    if (sumWork != 0) {
        profile.WorkFactor = (profile.GasConsumption - 8) / static_cast<double>(sumWork) * under;
    }
    double y = 0;
    const auto upto = std::min(static_cast<std::size_t>(under), last);
    for (std::size_t i = 0; i <= upto; ++i) {
        y += profile.WorkFactor * WorkLevel(pts[i]) + 8;
    }
    if (y != 0) {
        profile.ConsumptionNorm = profile.GasConsumption / y * under;
    }
    return true;
}

std::uint8_t SummariseProfile(const DiveProfile& profile, std::uint16_t& diveType, bool decoFlag) {
    if (decoFlag) {
        diveType |= 0x0008;
        int longest = 0;
        for (int i = 0; i <= profile.Count; ++i) {
            longest = std::max<int>(longest, profile.Points[i].AscentTime);
        }
        return static_cast<std::uint8_t>((longest & 0x7F) | 0x80);
    }
    diveType |= 0x0004;
    int shortest = 255;
    for (int i = 0; i <= profile.Count; ++i) {
        shortest = std::min<int>(shortest, profile.Points[i].NoStopTime);
    }
    return static_cast<std::uint8_t>(shortest);
}
