#pragma once

// The platform the program is built for, for the few rules that differ
// (which programs to look for, which fonts to use). Code that calls the
// platform itself lives in files of its own that the build chooses.

namespace calorix {

#ifdef _WIN32
inline constexpr bool kWindowsBuild = true;
#else
inline constexpr bool kWindowsBuild = false;
#endif

}  // namespace calorix
