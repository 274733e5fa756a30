#pragma once
// The decoded profile of one dive: header values the dive computer stored, the dive-wide
// figures, and a fixed block of 661 points (one every 20 seconds). DecodeProfile fills
// the decoder's columns; TTissueModel fills the model columns while it replays.

#include <array>
#include <cstdint>

inline constexpr int kMaxPointIndex = 660;
inline constexpr int kPointCapacity = kMaxPointIndex + 1;

// Families of dive computers, told apart by the high nibble of the hardware code byte.
enum class ProfileFamily : std::uint8_t { Basic = 0, A = 0xA, F = 0xF };

struct ProfilePoint {
    std::uint16_t DepthWord = 0;  // bits 6-15 depth in 1/64 bar, bits 0-5 warnings
    std::uint8_t Marks = 0;       // bit 6: pO2 above MaxPO2
    std::uint16_t Levels = 0;     // bits 0-2 cold, 3-5 workload, 6-8 microbubbles
    std::uint8_t StopIndex = 0;
    std::uint16_t NoStopTime = 0;
    std::uint16_t StopTime = 0;
    std::uint16_t AscentTime = 0;
    std::array<std::uint8_t, 8> Saturation{};
    std::uint8_t Loading = 0;
    std::uint8_t CNSPercent = 0;
    double O2Fraction = 0;
    double PO2 = 0;
    double MOD = 0;
};

inline constexpr std::uint8_t kMarkPO2 = 0x40;
inline constexpr std::uint16_t kWarningFrozen = 0x08;  // tissues held (warning bit 3)

struct DiveProfile {
    // Header
    ProfileFamily Family = ProfileFamily::Basic;
    std::array<double, 8> InitialTissue{};
    double InitialBubble = 0;
    double InitialBubbleVolume = 0;
    double InitialSkinTemp = 0;
    int InitialCold = 0;
    double SurfaceTemp = 0;
    double InitialCNS = 0;
    double MaxPO2 = 0;  // families A and F; 0 for the basic family
    int O2Percent = 21;
    // Dive-wide figures
    std::int32_t Count = 0;  // index of the last point
    double ProfileMaxDepth = 0;
    double NitroxMOD = 0;
    double MeanDepth = 0;
    double GasConsumption = 0;
    std::uint8_t MaxWork = 0;
    double ConsumptionNorm = 0;
    double WorkFactor = 0;  // litres per minute per workload level above rest
    // The stored block claimed more bytes than it holds; decoded as far as it goes.
    bool Truncated = false;
    std::array<ProfilePoint, kPointCapacity> Points{};
};

inline double PointDepth(const ProfilePoint& p) { return (p.DepthWord >> 6) / 64.0; }
inline int ColdLevel(const ProfilePoint& p) { return p.Levels & 7; }
inline int WorkLevel(const ProfilePoint& p) { return (p.Levels >> 3) & 7; }
inline int BubbleLevel(const ProfilePoint& p) { return (p.Levels >> 6) & 7; }
inline double InertFraction(const ProfilePoint& p) { return 1.0 - p.O2Fraction; }
// Mask 0x40 asks for the pO2 mark; any other mask for all its warning bits.
inline bool HasWarning(const ProfilePoint& p, std::uint16_t mask) {
    if (mask == kMarkPO2) {
        return (p.Marks & kMarkPO2) != 0;
    }
    return (p.DepthWord & mask) == mask;
}

// Altitude ranges 1..4; any other value counts as range 1.
inline int NormalAltitudeRange(int range) { return range >= 1 && range <= 4 ? range : 1; }
inline double SurfacePressure(int range) {
    constexpr double kValues[] = {0.921875, 0.828125, 0.73828125, 0.62109375};
    return kValues[NormalAltitudeRange(range) - 1];
}
inline double SurfaceN2(int range) {
    constexpr double kValues[] = {0.68359375, 0.609375, 0.5390625, 0.4453125};
    return kValues[NormalAltitudeRange(range) - 1];
}
