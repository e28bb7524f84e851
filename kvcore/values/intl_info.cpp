#include "kvcore/values/intl_info.h"

namespace {
KvIntlInfo& Current() {
  static KvIntlInfo info;
  return info;
}
}  // namespace

const KvIntlInfo& KvIntl() { return Current(); }

void KvSetIntl(const KvIntlInfo& info) { Current() = info; }
