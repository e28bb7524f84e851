#include "kv32/shell/wai_form.h"

#include "kv32/tables/all_tables.h"

bool WaiOkEnabled(std::string_view text)
{
    return !text.empty();
}

const std::vector<std::string>& WaiKnownNames()
{
    return KvTables().localOrders.FillWorkAreas();
}

void WaiAccept(std::string_view text, bool chosenFromList)
{
    if (!chosenFromList)
        KvTables().localOrders.AddWorkArea(text);
}
