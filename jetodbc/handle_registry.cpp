#include "jetodbc/handle_registry.h"

#include <mutex>
#include <unordered_map>

namespace jetodbc {

namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_map<const void*, uint32_t> live;  // address -> tag
};

// Never destroyed: a handle the client frees while the process exits, after
// static destructors have run, still finds the registry.
Registry& TheRegistry() {
    static Registry* registry = new Registry();
    return *registry;
}

}  // namespace

bool IsLiveHandle(const void* handle, uint32_t tag) {
    if (handle == nullptr) return false;
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    auto found = registry.live.find(handle);
    return found != registry.live.end() && found->second == tag;
}

LiveHandle::LiveHandle(const void* object, HandleTag tag) : object_(object) {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    registry.live[object] = tag;
}

LiveHandle::~LiveHandle() {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    registry.live.erase(object_);
}

}  // namespace jetodbc
