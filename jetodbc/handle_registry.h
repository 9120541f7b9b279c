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

#include <cstdint>

namespace jetodbc {

enum HandleTag : uint32_t {
    kEnvironmentTag = 0x4a45564e,  // "JEVN"
    kConnectionTag = 0x4a444243,   // "JDBC"
    kStatementTag = 0x4a53544d,    // "JSTM"
};

// True when handle is the address of a live object of that kind. Safe from
// any thread; never dereferences handle.
bool IsLiveHandle(const void* handle, uint32_t tag);

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
