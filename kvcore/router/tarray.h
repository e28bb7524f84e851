// CTArray: a store of fixed-size records carved from large zero-filled blocks.
// A record never moves while it is in use, so tables keep pointers to records
// and sort by moving pointers only.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "kvcore/kvcore_api.h"

class KVCORE_API CTArray {
public:
    // elementSize and recordsPerBlock must be at least 1 (std::invalid_argument).
    CTArray(unsigned elementSize, int recordsPerBlock);
    ~CTArray();
    CTArray(const CTArray&) = delete;
    CTArray& operator=(const CTArray&) = delete;

    // Grows with fresh zero-filled records or shrinks (records beyond the size
    // are no longer reached; raising the size again gives fresh records). 0 frees
    // everything. Running out of memory throws std::bad_alloc with the size set to
    // the records obtained; a negative size throws std::invalid_argument.
    void SetSize(int n);
    int GetSize() const { return m_nSize; }
    // Entry i points at record i for i below the size; null when nothing is held.
    void** GetData();
    void RemoveAll() { SetSize(0); }
    unsigned GetElementSize() const { return m_nElementSize; }

private:
    void* HandOut();

    unsigned m_nElementSize;
    std::vector<std::unique_ptr<unsigned char[]>> m_blocks;
    int m_nLastIndex = -1; // last record handed out of the current block
    int m_nGrowBy; // records per block (every block is full size), and the record table's step
    std::vector<void*> m_records; // allocated length = m_records.size()
    int m_nSize = 0;
};
