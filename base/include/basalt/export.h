#pragma once

/*
 * BASALT_API marks what libbasalt exports; everything else in the library stays hidden.
 *
 * On Windows the library is built with BASALT_BUILDING_LIBRARY defined and exports with
 * __declspec(dllexport); callers import with __declspec(dllimport). With GCC and Clang the
 * library is compiled with hidden visibility by default and the marked functions get default
 * visibility; callers see a harmless attribute.
 */

#if defined(_WIN32) || defined(__CYGWIN__)
#if defined(BASALT_BUILDING_LIBRARY)
#define BASALT_API __declspec(dllexport)
#else
#define BASALT_API __declspec(dllimport)
#endif
#elif defined(__GNUC__) || defined(__clang__)
#define BASALT_API __attribute__((visibility("default")))
#else
#define BASALT_API
#endif
