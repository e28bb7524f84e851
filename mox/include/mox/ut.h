// Toolkit utilities: the checked allocator, memory blocks, output chains, diagnostics and
// the error list, and the small BER helpers (tags, lengths, OCTET and BIT STRINGs).
//
// Every allocation of the toolkit goes through ut_alloc/ut_realloc/ut_free with the caller's
// source tag and line (use the UT_HERE macro), so that blocks still held at shutdown can be
// traced back to where they came from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

// The source tag of the current file: its base name.
consteval const char* ut_basename(const char* path)
{
    const char* base = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\')
            base = p + 1;
    return base;
}
#define UT_TAG (ut_basename(__FILE__))
#define UT_HERE UT_TAG, __LINE__

// ---- error codes (bits 20-31 module, 8-19 detail, 0-7 number) ----
inline constexpr uint32_t UT_ERR_HELD_AT_SHUTDOWN = 0x140100;
inline constexpr uint32_t UT_ERR_STATS_FILE = 0x140003;
inline constexpr uint32_t UT_ERR_NO_MEMORY = 0x140200;
inline constexpr uint32_t UT_ERR_TOO_LARGE = 0x140400;
inline constexpr uint32_t UT_ERR_NOT_OCTETSTRING = 0x140500;
inline constexpr uint32_t UT_ERR_NOT_BITSTRING = 0x140504;
inline constexpr uint32_t UT_ERR_BITSTRING_UNUSED = 0x140700;
inline constexpr uint32_t UT_ERR_UNKNOWN_TAG = 0x140800;
inline constexpr uint32_t UT_ERR_TRUNCATED = 0x140900; // element runs past the end of the input
inline constexpr uint32_t UT_ERR_BAD_MBLK = 0x140a00;

// ---- severities ----
inline constexpr int UT_SEV_RECOVER = -2; // report and return to the caller
inline constexpr int UT_SEV_FATAL = -1; // broken invariant: report, end the program with status 1

// ---- diagnostics ----
// Starts the diagnostic layer: identification (the program name is taken from it), usage text
// (or null), tag file (or null; every line is appended to it too), message stream (null: stderr).
void ut_start(const char* ident, const char* usage, const char* tagfile, FILE* stream);
// Runs the shutdown report of blocks still held ("<prog>.unf" in the current folder).
// Returns the number of blocks still held.
int ut_finish();
// The program name used in diagnostic lines ("unknown" before ut_start).
const char* ut_progname();
// Installs a handler called for severities other than -1 and -2 before the program ends.
void ut_set_handler(void (*handler)(int severity));

// Writes one diagnostic line. Severity -2 returns; -1 ends the program with status 1; any other
// severity ends it with that status. Returns nothing useful: callers go on with their own result.
void ut_diag(const char* tag, int line, uint32_t code, int severity, const char* fmt, ...)
    __attribute__((format(printf, 5, 6)));

// The error list: at most 30 codes; once full, the first 15 stay and the last 15 slide.
inline constexpr int UT_ERRLIST_MAX = 30;
int ut_errlist(uint32_t* out, int capacity); // copies the codes, returns the count
uint32_t ut_last_error(); // newest code, 0 when the list is empty
void ut_errlist_clear();

// ---- checked allocator ----
void* ut_alloc(const char* tag, int line, size_t size);
void* ut_realloc(const char* tag, int line, void* user, size_t size);
void ut_free(const char* tag, int line, void* user); // null is ignored
int ut_mem_held(); // number of live blocks
size_t ut_mem_held_bytes(); // their total user size
// Test hook: after `allowed` further successful allocations every allocation fails; -1 disables.
void ut_mem_fail_after(long allowed);
// Test hook: sees every raw block (guards included) just before it goes back to the system.
void ut_mem_set_free_hook(void (*hook)(const uint8_t* raw, size_t bytes));

// Memory helpers with their own diagnostics (size 0 is a caller bug and ends the program).
void* ut_new_mem(const char* tag, int line, size_t size);
void* ut_ensure_mem(const char* tag, int line, void* block, size_t size);
void ut_free_mem(const char* tag, int line, void* block);

// ---- memory blocks ----
struct mblk {
    uint8_t* data;
    uint32_t size; // allocated bytes
    uint32_t used; // bytes in use
};
// Allocates `size` bytes into b (size 0: no data); used = 0. Returns 0, or -1 out of memory.
int ut_new_mblk(const char* tag, int line, mblk* b, uint32_t size);
// Makes b hold at least n bytes, keeping its contents. Returns 0, or -1 out of memory.
int ut_ensure_mblk(const char* tag, int line, mblk* b, uint32_t n);
// Frees b's data and zeroes all three fields.
void ut_free_mblk(const char* tag, int line, mblk* b);

// ---- output chains (what a session's finish hands back) ----
struct ut_chain {
    ut_chain* next;
    uint8_t* data;
    uint32_t len;
};
// Frees every node's data and the node, following next. Both must come from ut_alloc.
void ut_free_chain(const char* tag, int line, ut_chain* head);

// ---- ASN.1 tags and lengths ----
// Type indexes 0..21 (see ut_type_tag); -2 on reading stands for any context-specific tag.
enum ut_asn1_type : int {
    UT_BOOLEAN = 0,
    UT_INTEGER = 1,
    UT_BIT_STRING = 2,
    UT_OCTET_STRING = 3,
    UT_NULL = 4,
    UT_OBJECT_ID = 5,
    UT_SEQUENCE = 20,
    UT_SET = 21,
    UT_CONTEXT = -2,
};
uint8_t ut_type_tag(int type); // the tag byte of a type index (bad index: fatal)
uint32_t ut_sizeof_type2tag(int type);
uint8_t* ut_type2tag(int type, uint8_t* out);
// Reads a tag; on success stores the type index and returns the position after it.
const uint8_t* ut_tag2type(const uint8_t* in, const uint8_t* end, int* type);

uint32_t ut_sizeof_size2len(uint32_t size);
uint8_t* ut_size2len(uint32_t size, uint8_t* out);
// Length in exactly noctets octets (1..5); out-of-range arguments are caller bugs (fatal).
uint8_t* ut_size2len_n(uint32_t size, uint32_t noctets, uint8_t* out);
// Reads a definite length; the byte 0x80 reads as 0. Does not check the content against end.
const uint8_t* ut_len2size(const uint8_t* in, const uint8_t* end, uint32_t* size);
// Tag and length together; fails (UT_ERR_TRUNCATED) when the content runs past end.
const uint8_t* ut_ber_header(const uint8_t* in, const uint8_t* end, int* type, uint32_t* len);

// ---- OCTET STRING and BIT STRING <-> memory block ----
// Reads one OCTET STRING into b (allocating at least 1 byte); returns the position past it or null.
const uint8_t* ut_beroctetstring2mblk(const uint8_t* in, size_t inlen, mblk* b);
// Encoded size of used bytes as an OCTET STRING; 0 for a suspicious block (reported).
uint32_t ut_sizeof_mblk2beroctetstring(const uint8_t* data, uint32_t size, uint32_t used);
// Writes the OCTET STRING; returns the position past it, or `out` itself when nothing was written.
uint8_t* ut_mblk2beroctetstring(const uint8_t* data, uint32_t size, uint32_t used, uint8_t* out);

// BIT STRING with unused-bits byte 0. Same conventions as the OCTET STRING pair.
const uint8_t* ut_berbitstring2mblk(const uint8_t* in, const uint8_t* end, mblk* b);
uint32_t ut_sizeof_mblk2berbitstring(const uint8_t* data, uint32_t size, uint32_t used);
uint8_t* ut_mblk2berbitstring(const uint8_t* data, uint32_t size, uint32_t used, uint8_t* out);
