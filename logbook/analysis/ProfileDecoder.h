#pragma once
// Decoding of a dive's stored profile block into a DiveProfile, and the summary that the
// replay stores in the dive record when it reaches the last point.
//
//   DiveProfile profile;                      // 661 points, no allocation while decoding
//   ProfileDiveInfo info = ProfileInfoOf(dive);
//   if (DecodeProfile(profile, dive.ProfileBlock, info)) {
//       for (int i = 0; i <= profile.Count; ++i)
//           use(PointDepth(profile.Points[i]), ColdLevel(profile.Points[i]));
//   }
//
// `block` is the whole profile block: the 16-bit length word followed by its bytes. A
// block whose length word claims more bytes than it holds is decoded as far as its bytes
// go and marks the profile Truncated. An empty block (or one too short to hold its length
// word) means "no profile": nothing is decoded and the profile keeps its content.

#include <cstdint>
#include <span>

#include "DiveProfile.h"
#include "ProfileDiveInfo.h"

// Oxygen fraction of family F's oxygen index, 1/256 steps (index 0 is air).
inline constexpr std::uint8_t kOxygenFraction[16] = {53, 56, 61,  67,  72,  77,  82,  87,
                                                     92, 97, 102, 108, 113, 118, 123, 128};

// MOD given for a gas without oxygen, where the division would be by zero.
inline constexpr double kModWithoutOxygen = 32766;

// Returns true when a profile was decoded.
bool DecodeProfile(DiveProfile& profile, std::span<const std::uint8_t> block, const ProfileDiveInfo& dive);

// Microbubble class of the header's initial bubble value (0..7).
int MicrobubbleClass(double initialBubble);

// For a dive that required decompression (decoFlag) sets DiveType bit 0x08 and returns the
// largest ascent time with bit 7 set; otherwise sets bit 0x04 and returns the smallest
// no-stop time. The caller stores the result as the dive's StopInfo.
std::uint8_t SummariseProfile(const DiveProfile& profile, std::uint16_t& diveType, bool decoFlag);
