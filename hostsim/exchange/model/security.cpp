#include "model/security.h"

namespace exchange {

std::string Security::key() const
{
    std::string k(1, kind);
    k += board;
    k.resize(5, ' ');
    k += instrumentId;
    k.resize(17, ' ');
    return k;
}

} // namespace exchange
