#pragma once
// A client's public key as message 513 carries it, checked before the toolkit
// sees it: a BER OCTET STRING around SEQUENCE { modulus, exponent }, read
// within the message's length only.
#include <cstddef>
#include <cstdint>
#include <string>

namespace pimox {

// True for a key fit to carry the session key: modulus 512 to 4096 bits and
// odd, exponent odd, at least 3 and below the modulus; `why` names a fault.
bool CheckPublicKey(const uint8_t* body, std::size_t length, std::string* why);

} // namespace pimox
