#pragma once
// The MOX key object's stored form, and the process's table of RSA key
// encodings that RSA key objects name by token.

#include "mox/bsapi.h"
#include "mox/mox.h"

namespace mox::api {

void keyobj_init_des(MOXKEY* key, const uint8_t k1[8], const uint8_t k2[8]);
// Takes ownership of `encoding` (a block from the checked allocator) and names it in the object.
// Returns false when the table is full (the block is then released).
bool keyobj_init_rsa(MOXKEY* key, mblk* encoding);
// The RSA encoding an object names, or null.
const mblk* keyobj_rsa_encoding(const MOXKEY* key);
// Releases the RSA encoding an object names (nothing for DES objects) and clears the reference.
void keyobj_release(MOXKEY* key);
// Releases every RSA encoding still held.
void keyobj_release_all();

// The session's view of a key object: `list` receives up to three key blocks.
// False when the object is not a well-formed key object.
bool keyobj_view(const MOXKEY* key, mblk list[3], bsapi_key* out);

} // namespace mox::api
