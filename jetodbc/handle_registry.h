// The registry of live handles: every environment, connection and statement
// is entered under its address and kind while it exists. A handle from the
// client is checked by looking its address up here, never by reading
// through it, so a freed or stray pointer is answered without touching the
// memory it points to.
//
// An address that a new handle of the same kind reuses after a free is that
// new handle again; the client that still holds the old one is then using a
// live handle, as with any driver.
#pragma once

#include <atomic>
#include <cstdint>

namespace jetodbc {

enum HandleTag : uint32_t {
    kEnvironmentTag = 0x4a45564e,  // "JEVN"
    kConnectionTag = 0x4a444243,   // "JDBC"
    kStatementTag = 0x4a53544d,    // "JSTM"
};

// The handle of each kind last found live (environment, connection,
// statement): a client makes run after run of calls on one statement. A
// handle leaves here, under the registry's lock, before it leaves the
// registry, so a freed handle is never answered from here. Constant-
// initialised and trivially destroyed, so it outlives static destructors.
inline std::atomic<const void*> recentLiveHandle[3] = {};

// The entry of recentLiveHandle for handles of tag's kind; -1 for no kind.
inline int RecentIndex(uint32_t tag) {
    switch (tag) {
        case kEnvironmentTag:
            return 0;
        case kConnectionTag:
            return 1;
        case kStatementTag:
            return 2;
        default:
            return -1;
    }
}

// As IsLiveHandle, without the fast answer for the recent handles.
bool IsRegisteredHandle(const void* handle, uint32_t tag);

// True when handle is the address of a live object of that kind. Safe from
// any thread; never dereferences handle.
inline bool IsLiveHandle(const void* handle, uint32_t tag) {
    if (handle == nullptr) return false;
    const int kind = RecentIndex(tag);
    if (kind >= 0 && recentLiveHandle[kind].load(std::memory_order_acquire) == handle) return true;
    return IsRegisteredHandle(handle, tag);
}

// Membership of the registry for the life of its holder: the object whose
// address it is given is live from the construction of this member until
// its destruction. Declare it as the object's last member, so that the
// object is entered once every other member exists and leaves before any of
// them goes.
class LiveHandle {
  public:
    LiveHandle(const void* object, HandleTag tag);
    ~LiveHandle();

    LiveHandle(const LiveHandle&) = delete;
    LiveHandle& operator=(const LiveHandle&) = delete;

  private:
    const void* const object_;
};

}  // namespace jetodbc
