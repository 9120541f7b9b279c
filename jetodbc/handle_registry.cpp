#include "jetodbc/handle_registry.h"

#include <atomic>
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

bool IsRegisteredHandle(const void* handle, uint32_t tag) {
    if (handle == nullptr) return false;
    Registry& registry = TheRegistry();
    const int kind = RecentIndex(tag);
    std::lock_guard<std::mutex> lock(registry.mutex);
    auto found = registry.live.find(handle);
    if (found == registry.live.end() || found->second != tag) return false;
    if (kind >= 0) recentLiveHandle[kind].store(handle, std::memory_order_release);
    return true;
}

LiveHandle::LiveHandle(const void* object, HandleTag tag) : object_(object) {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    registry.live[object] = tag;
}

LiveHandle::~LiveHandle() {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    for (std::atomic<const void*>& recent : recentLiveHandle) {
        const void* expected = object_;
        recent.compare_exchange_strong(expected, nullptr, std::memory_order_acq_rel);
    }
    registry.live.erase(object_);
}

}  // namespace jetodbc
