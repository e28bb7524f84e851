// Memory helpers over the checked allocator: plain blocks with their own diagnostics, memory
// blocks (mblk) and output chains.
#include "mox/ut.h"

#include <cstring>

void* ut_new_mem(const char* tag, int line, size_t size)
{
    if (size == 0) {
        ut_diag(tag, line, 0, UT_SEV_FATAL, "ut_new_mem() called with 0 size");
        return nullptr;
    }
    void* p = ut_alloc(tag, line, size);
    if (!p)
        ut_diag(tag, line, UT_ERR_NO_MEMORY, UT_SEV_RECOVER, "out of memory allocating %zu bytes", size);
    return p;
}

void* ut_ensure_mem(const char* tag, int line, void* block, size_t size)
{
    if (size == 0) {
        ut_diag(tag, line, 0, UT_SEV_FATAL, "ut_ensure_mem() called with 0 size");
        return nullptr;
    }
    void* p = ut_realloc(tag, line, block, size);
    if (!p)
        ut_diag(tag, line, UT_ERR_NO_MEMORY, UT_SEV_RECOVER, "out of memory ensuring %zu bytes", size);
    return p;
}

void ut_free_mem(const char* tag, int line, void* block)
{
    ut_free(tag, line, block);
}

int ut_new_mblk(const char* tag, int line, mblk* b, uint32_t size)
{
    b->used = 0;
    if (size == 0) {
        b->data = nullptr;
        b->size = 0;
        return 0;
    }
    b->data = static_cast<uint8_t*>(ut_alloc(tag, line, size));
    if (!b->data) {
        b->size = 0;
        ut_diag(tag, line, UT_ERR_NO_MEMORY, UT_SEV_RECOVER, "out of memory allocating %u bytes", size);
        return -1;
    }
    b->size = size;
    return 0;
}

int ut_ensure_mblk(const char* tag, int line, mblk* b, uint32_t n)
{
    if (b->data && b->size >= n)
        return 0;
    void* p = ut_realloc(tag, line, b->data, n ? n : 1);
    if (!p) {
        ut_diag(tag, line, UT_ERR_NO_MEMORY, UT_SEV_RECOVER, "out of memory ensuring %u bytes", n);
        return -1;
    }
    b->data = static_cast<uint8_t*>(p);
    b->size = n ? n : 1;
    if (b->used > b->size)
        b->used = b->size;
    return 0;
}

void ut_free_mblk(const char* tag, int line, mblk* b)
{
    if (!b)
        return;
    ut_free(tag, line, b->data);
    b->data = nullptr;
    b->size = 0;
    b->used = 0;
}

void ut_free_chain(const char* tag, int line, ut_chain* head)
{
    while (head) {
        ut_chain* next = head->next;
        ut_free(tag, line, head->data);
        ut_free(tag, line, head);
        head = next;
    }
}
