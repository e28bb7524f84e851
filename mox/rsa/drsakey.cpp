// Disposal of an RSA key's numbers.
#include "mox/rsa.h"
#include "mox/ut.h"

void rsa_dispose_key(rsa_key* key)
{
    if (!key) {
        ut_diag(UT_HERE, 0, UT_SEV_RECOVER, "rsa_dispose_key() called with null key pointer");
        return;
    }
    mpm_arc** all[]
        = { &key->n, &key->exp, &key->p, &key->q, &key->dp, &key->dq, &key->qinv, &key->d, &key->e };
    for (mpm_arc** a : all) {
        mpm_arc_free(*a);
        *a = nullptr;
    }
}

void rsa_free_key(rsa_key* key)
{
    if (!key)
        return;
    rsa_dispose_key(key);
    ut_free(UT_HERE, key);
}
