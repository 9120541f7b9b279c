// RC4, the stream cipher that hides part of a Jet 4 header page. Encrypting
// and decrypting are the same operation.
#pragma once

#include <cstddef>
#include <cstdint>

namespace jetwriter {

// Transforms data[0..length) in place with the keystream of key[0..keyLength).
// keyLength must be at least 1.
void Rc4Transform(const uint8_t* key, size_t keyLength, uint8_t* data, size_t length);

}  // namespace jetwriter
