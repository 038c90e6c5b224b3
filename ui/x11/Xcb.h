#pragma once

#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

// The few helpers that every caller of xcb in the program shares. Only files that talk to the X
// server include this header: in ui/, those in ui/x11/ alone.
namespace qor::xcb {

// Owns a reply of the X server, which xcb allocates with malloc.
struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeReply>;

// The atom of that name, XCB_ATOM_NONE when the server does not answer. Waits for the answer.
xcb_atom_t internAtom(xcb_connection_t* connection, const char* name);

} // namespace qor::xcb
