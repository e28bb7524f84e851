// The languages of news heads: a 2-character code and a name. Snapshot only.
#pragma once

#include "kv32/tables/code_name_table.h"

using LanguageRec = CodeNameRec<2>;

class CTable65 : public CCodeNameTable<2, 65> {
};
