#pragma once

// TRELLIS_API marks what libtrellis exports: the toolkit's classes and functions, and those of
// the window layer (ui/) and the drawing context (gfx/) compiled into it. Everything else in the
// library stays hidden.
//
// On Windows the library is built with TRELLIS_BUILDING_LIBRARY defined and exports with
// __declspec(dllexport); its users import with __declspec(dllimport). With GCC and Clang the
// library is compiled with hidden visibility by default and the marked declarations get default
// visibility.

#if defined(_WIN32) || defined(__CYGWIN__)
#if defined(TRELLIS_BUILDING_LIBRARY)
#define TRELLIS_API __declspec(dllexport)
#else
#define TRELLIS_API __declspec(dllimport)
#endif
#elif defined(__GNUC__) || defined(__clang__)
#define TRELLIS_API __attribute__((visibility("default")))
#else
#define TRELLIS_API
#endif
