#pragma once
#include <cstdint>

namespace vorl {
// Port of a service for "tcp" or "udp" in network order. A name made only of
// digits is that port number (1..65535). False when unknown.
bool LookupServicePort(const char* service, const char* protocol, uint16_t* portNet);
} // namespace vorl
