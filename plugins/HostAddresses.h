// Fixed addresses of the host builds that the plug-ins read and write inside the host's own
// process (32-bit little-endian values unless a byte).
#pragma once
#include <cstdint>

namespace qvrplugin {

// The build marker byte and the two builds whose menu car index is known.
inline constexpr std::uint32_t kBuildMarker = 0x4860F5;
inline constexpr std::uint8_t kMarkerIndexAt565DE5 = 0xE8, kMarkerIndexAt55C465 = 0x00;
inline constexpr std::uint32_t kMenuCarIndexE8 = 0x565DE5;  // the car the host's menu shows first
inline constexpr std::uint32_t kMenuCarIndex00 = 0x55C465;
// Code bytes set to 0xEB (a short jump) when the host loads avviora.
inline constexpr std::uint32_t kBranchA = 0x626ACB, kBranchB = 0x4AA673;
inline constexpr std::uint8_t kShortJump = 0xEB;

// The car object; its +0x1100 holds the current gear. Gears are written only while the driving
// flag is non-zero.
inline constexpr std::uint32_t kCarPtr = 0x8EF660;
inline constexpr std::uint32_t kCarGear = 0x1100;
inline constexpr std::uint32_t kDrivingFlag = 0x165F10F;

}  // namespace qvrplugin
