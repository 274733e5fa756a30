#pragma once
// Writes profile blocks in the dive computer's layout: the encoder matching
// DecodeProfile, for tests, benchmarks and generated example dives.
//
//   TProfileBlockBuilder b(ProfileFamily::F);
//   b.SetOxygenIndex(6);                         // 32 % nitrox
//   b.AddWaypoint(0, 0).AddWaypoint(2, 1.8).AddWaypoint(30, 1.8).AddWaypoint(34, 0);
//   std::vector<std::uint8_t> block = b.Build(); // length word + header + point stream
//
// Points are one every 20 seconds. Each group of three points carries one information
// byte (workload, microbubble level, cold step) and, for family A, one gas byte.

#include <cstdint>
#include <vector>

#include "DiveProfile.h"

class TProfileBlockBuilder {
public:
    explicit TProfileBlockBuilder(ProfileFamily family);

    // Header
    TProfileBlockBuilder& SetSurfaceTemp(double celsius);
    TProfileBlockBuilder& SetInitialTissue(double bar);  // all eight compartments
    TProfileBlockBuilder& SetInitialTissue(int compartment, double bar);
    TProfileBlockBuilder& SetInitialBubble(double value);
    TProfileBlockBuilder& SetInitialBubbleVolume(double value);
    TProfileBlockBuilder& SetInitialSkinTemp(double celsius);
    TProfileBlockBuilder& SetInitialCold(int level);
    TProfileBlockBuilder& SetInitialCNS(double percent);
    TProfileBlockBuilder& SetOxygenIndex(int index);      // family F
    TProfileBlockBuilder& SetOxygenPercent(int percent);  // family A
    TProfileBlockBuilder& SetPO2LimitIndex(int index);    // families A and F
    TProfileBlockBuilder& SetGasMode(int mode);           // family A

    // Levels written with the following groups.
    TProfileBlockBuilder& SetWorkload(int level);
    TProfileBlockBuilder& SetMicrobubbles(int level);
    // One cold step (+1 colder, -1 warmer) in the information byte of the current group.
    TProfileBlockBuilder& StepCold(int direction);
    // Gas byte (oxygen percent) of the following groups, family A.
    TProfileBlockBuilder& SetGasByte(int percent);
    // Warning bits (0..0x3F) of the following points.
    TProfileBlockBuilder& SetWarnings(std::uint16_t bits);

    // Adds one point (relative pressure in bar) or a raw depth word.
    TProfileBlockBuilder& AddPoint(double depthBar);
    TProfileBlockBuilder& AddDepthWord(std::uint16_t word);
    // Adds points every 20 s on a straight line from the last waypoint to this one
    // (minutes since the start, relative pressure in bar); the first waypoint adds one point.
    TProfileBlockBuilder& AddWaypoint(double minute, double depthBar);

    int PointCount() const { return static_cast<int>(m_words.size()); }
    // The block. Adds one closing surface word so that every added point is decoded
    // (the stream's last word is replaced by the end point).
    std::vector<std::uint8_t> Build() const;

    static std::uint16_t DepthWordOf(double depthBar, std::uint16_t warnings = 0);

private:
    struct Group {
        std::uint8_t Info = 0x10;
        std::uint8_t Gas = 21;
    };
    Group& CurrentGroup();

    ProfileFamily m_family;
    std::vector<std::uint8_t> m_header;
    std::vector<std::uint16_t> m_words;
    std::vector<Group> m_groups;
    int m_workload = 1;
    int m_bubbles = 0;
    int m_gas = 21;
    int m_pendingCold = 0;
    std::uint16_t m_warnings = 0;
    double m_lastMinute = -1;
    double m_lastDepth = 0;
};
