// The news types (a 4-character code and a name) that name a news head's
// type. Snapshot only.
#pragma once

#include "kv32/tables/code_name_table.h"

using NewsTypeRec = CodeNameRec<4>;

class CSubTable73 : public CCodeNameTable<4, 73> {
public:
    void GetRec(int i, NewsTypeRec& out) { CopyRec(i, out); }
    using CCodeNameTable<4, 73>::GetRec;
};
