#include "kvcore/router/tarray.h"

#include <limits>
#include <new>
#include <stdexcept>

CTArray::CTArray(unsigned elementSize, int recordsPerBlock)
    : m_nElementSize(elementSize)
    , m_nGrowBy(recordsPerBlock)
{
    if (elementSize < 1 || recordsPerBlock < 1) {
        throw std::invalid_argument("CTArray: element size and records per block must be at least 1");
    }
}

CTArray::~CTArray() = default;

void* CTArray::HandOut()
{
    if (!m_blocks.empty() && m_nLastIndex < m_nGrowBy - 1) {
        ++m_nLastIndex;
        return m_blocks.back().get() + static_cast<size_t>(m_nLastIndex) * m_nElementSize;
    }
    const auto perBlock = static_cast<size_t>(m_nGrowBy);
    if (perBlock > std::numeric_limits<size_t>::max() / m_nElementSize)
        throw std::bad_alloc();
    m_blocks.reserve(m_blocks.size() + 1); // so that the push below cannot fail after the block is made
    m_blocks.push_back(std::make_unique<unsigned char[]>(perBlock * m_nElementSize)); // zero-filled
    m_nLastIndex = 0;
    return m_blocks.back().get();
}

void CTArray::SetSize(int n)
{
    if (n < 0)
        throw std::invalid_argument("CTArray::SetSize: negative size");
    if (n == 0) {
        m_blocks.clear();
        m_blocks.shrink_to_fit();
        m_records.clear();
        m_records.shrink_to_fit();
        m_nLastIndex = -1;
        m_nSize = 0;
        return;
    }
    if (n <= m_nSize) {
        m_nSize = n;
        return;
    }
    const auto allocated = static_cast<int>(m_records.size());
    if (n > allocated) {
        // The first table is made to measure; later ones grow by at least a block.
        const int64_t stepped = allocated == 0 ? n : static_cast<int64_t>(allocated) + m_nGrowBy;
        const int64_t newLength = stepped > n ? stepped : n;
        m_records.resize(static_cast<size_t>(newLength), nullptr);
    }
    for (int i = m_nSize; i < n; ++i) {
        try {
            m_records[static_cast<size_t>(i)] = HandOut();
        } catch (const std::bad_alloc&) {
            m_nSize = i;
            throw;
        }
        m_nSize = i + 1;
    }
}

void** CTArray::GetData()
{
    return m_records.empty() ? nullptr : m_records.data();
}
