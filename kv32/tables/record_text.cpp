#include "kv32/tables/record_text.h"

#include "kv32/res/table_strings.h"

void TakeStateLetter(char letter, char (&text)[33], int32_t& flag)
{
    if (letter == 'S') {
        CopyText(text, Kv32TableString(IDS_STATE_SUSPENDED));
        flag = 0;
    } else if (letter == 'A') {
        CopyText(text, Kv32TableString(IDS_STATE_ACTIVE));
        flag = -1;
    }
}
