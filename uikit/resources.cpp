#include "trellis/resources.h"

namespace {

std::string& CurrentModule() {
    static std::string module = kToolkitResourceModule;
    return module;
}

}  // namespace

const std::string& GetResourceModule() {
    return CurrentModule();
}

void SetResourceModule(std::string module) {
    CurrentModule() = std::move(module);
}

ScopedResourceModule::ScopedResourceModule(std::string module) : previous_(GetResourceModule()) {
    SetResourceModule(std::move(module));
}

ScopedResourceModule::~ScopedResourceModule() {
    SetResourceModule(std::move(previous_));
}
