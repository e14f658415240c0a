// The MD5 digests of our own plug-ins, shifter.dll and avviora.dll, as this build made them.
// The build computes them after linking the plug-ins (which carry no time stamp, so the same
// sources give the same bytes) and generates their definitions.
#pragma once

namespace vm::build {

// True when the digests below are those of plug-ins built together with this program. The
// native build makes no plug-ins: there the digests are empty placeholders that match no file,
// and tests that need a match inject their own check list.
extern const bool kPluginDigestsBuilt;
extern const char* const kShifterMd5;
extern const char* const kAvvioraMd5;

}  // namespace vm::build
