// Column titles of the Indices window, English and Hungarian.
#pragma once

enum Kv32IndicesStringId : unsigned {
    IDS_INDICES_FIRST_COLUMN = 690, // to 697
};

void Kv32RegisterIndicesStrings();
