// Object identifiers, algorithm identifiers and the algorithm table, with their BER codecs.
#pragma once

#include <cstddef>
#include <cstdint>

#include "mox/ut.h"

// An object identifier. Constants of the algorithm table have owned = 0 and are shared; decoded
// or copied identifiers have owned = 1 and are freed with objid_free.
struct objid {
    uint32_t count;
    uint32_t owned;
    const uint32_t* arcs;
};

// The modules an algorithm table entry names; the session layer maps them to its module records.
enum algid_module : int {
    ALGID_MOD_NONE = 0,
    ALGID_MOD_RSA,
    ALGID_MOD_DES,
    ALGID_MOD_DES_EDE3,
    ALGID_MOD_MD5,
    ALGID_MOD_SHA1,
    ALGID_MOD_RIPEMD,
    ALGID_MOD_MDC2_SINGLE,
    ALGID_MOD_MDC2_DOUBLE,
};

// Parameter operations of an entry; parameters are absent (null) or a memory block (an IV).
struct algid_params_ops {
    void (*free)(mblk* params);
    uint32_t (*size)(const mblk* params); // 0: cannot be encoded
    uint8_t* (*encode)(const mblk* params, uint8_t* out);
    const uint8_t* (*decode)(const uint8_t* in, const uint8_t* end, mblk** params);
    int (*compare)(const mblk* a, const mblk* b); // 0 when equal
    mblk* (*copy)(const mblk* params, int* ok);
};

struct algid_entry {
    algid_module encryption;
    const objid* encryption_oid;
    algid_module digest;
    const objid* digest_oid;
    algid_params_ops params;
    const char* name;
};

struct algid {
    const objid* oid; // may be owned
    mblk* params;
    const algid_entry* entry;
};

inline constexpr int ALGID_TABLE_SIZE = 14;
// The fourteen entries in lookup order; entry 14 is the default (md5withRSAEncryption).
const algid_entry* algid_table();
const algid_entry* algid_default_entry();
// Binary search by arc count, then arc by arc; a null or unknown identifier gives the default.
const algid_entry* algid_lookup(const objid* oid);

// Tag and length of an element of the expected type (or context-specific); null on mismatch.
const uint8_t* algid_ber_expect(const uint8_t* in, const uint8_t* end, int type, uint32_t* len);

// Object identifiers.
uint32_t objid_sizeof_ber(const objid* oid);
uint8_t* objid_to_ber(const objid* oid, uint8_t* out);
const uint8_t* objid_from_ber(const uint8_t* in, const uint8_t* end, objid** oid);
int objid_cmp(const objid* a, const objid* b); // 0 equal, else -1 / 1 (count first)
const objid* objid_copy(const objid* oid, int* ok); // constants are shared
void objid_free(const objid* oid); // constants are left alone

// Algorithm identifiers: SEQUENCE { OBJECT IDENTIFIER, parameters }.
uint32_t algid_sizeof_ber(const algid* a);
uint8_t* algid_to_ber(const algid* a, uint8_t* out);
// Fills *a (oid owned, params new, entry looked up); returns the position after the sequence.
const uint8_t* algid_from_ber(const uint8_t* in, const uint8_t* end, algid* a);
int algid_copy(algid* dst, const algid* src); // 1 on success
void algid_free(algid* a); // frees the contents, not the record
const objid* algid_entry_oid(int index); // the identifier of table entry index (0..13)
