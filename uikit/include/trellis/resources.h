#pragma once

// Images embedded in a module live in Qt's resource system under ":/<module>/<type>/<id>",
// e.g. ":/trellis/PNG/2000" for the toolkit's glyph strip. The operations that take a resource
// id look in the current resource module: the toolkit's own unless the application names
// another (its own resources), as the host lets a caller choose whose resources are current.
// User-interface thread only.

#include <string>

#include "trellis/export.h"

inline constexpr const char* kToolkitResourceModule = "trellis";

TRELLIS_API const std::string& GetResourceModule();
TRELLIS_API void SetResourceModule(std::string module);

// Makes module current for the object's lifetime, then restores the previous one.
class TRELLIS_API ScopedResourceModule {
public:
    explicit ScopedResourceModule(std::string module);
    ~ScopedResourceModule();
    ScopedResourceModule(const ScopedResourceModule&) = delete;
    ScopedResourceModule& operator=(const ScopedResourceModule&) = delete;

private:
    std::string previous_;
};
