#include "fw/core/gridsource.h"

namespace fw {

GridSource::~GridSource() = default;

} // namespace fw
