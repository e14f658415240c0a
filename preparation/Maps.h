// The maps step of the installation run: for a surface other than the stage's own, the track's
// texture folder, the track materials ("Maps\*.mat") and the car slot's surface setups are
// swapped for that surface's; and the stage's entry of the host's track list is written. The
// host's own materials are kept once in "\Maps\MatBkp_by_vlmk.zip".
#pragma once
#include <cstdint>
#include <string>

namespace gFunc {

// The surface suffixes: the stage's own surface and the tarmac, gravel and snow variants.
inline constexpr const char* kSuffixOwn = "_ORG";
inline constexpr const char* kSuffixTarmac = "_VLMK_T";
inline constexpr const char* kSuffixGravel = "_VLMK_G";
inline constexpr const char* kSuffixSnow = "_VLMK_S";

// The surface code for "no surface chosen".
inline constexpr std::int32_t kNoSurface = -1;

// The suffix of a surface code (0 tarmac, 1 gravel, 2 snow) on a country 0..8.
std::string SurfaceSuffix(std::int32_t surface, std::int32_t country);

// Texture folders, materials and setups for a surface code (0 tarmac, 1 gravel, 2 snow) on
// gCountry's stage gStageId. Returns 1 when all succeeded, otherwise the first result of 0 (a
// missing materials package). Stops at its first failure (FileError), kNoSurface included,
// and takes the materials backup, complete, before any material is deleted.
std::int16_t PrepareMaps(std::int16_t slot, std::int32_t surface);

// Moves the texture folder of the suffix into the place the host reads (nothing for "_ORG").
// Returns 1; stops at its first failure.
std::int16_t SwapTrackTextures(const std::string& suffix);

// Replaces the materials "\Maps\*.mat" by the suffix's materials package and writes the stage's
// track-list entry. Returns 1, or 0 when the package is missing (then no material is touched,
// but the track list is still written). Stops at its first failure.
std::int16_t InstallMaterials(const std::string& suffix);

// Copies the suffix's surface setups of the slot's folder over the other two surfaces' (none
// for "_ORG"). Returns 1; a missing file only skips its copy. Without a host folder it touches
// nothing and returns 0.
std::int16_t SwapSurfaceSetups(const std::string& suffix, std::int16_t slot);

// The host's map code of gStageId ("10_O"), or empty text for a stage id without one.
std::string TrackCode();

}  // namespace gFunc
