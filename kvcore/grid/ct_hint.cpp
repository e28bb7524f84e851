#include "kvcore/grid/ct_hint.h"

namespace kvcore {

CTHint::~CTHint() = default;

} // namespace kvcore
