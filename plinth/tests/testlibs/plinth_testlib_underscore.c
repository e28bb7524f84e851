/* A library whose entry points carry a leading underscore in their exported names. */
#define EXPORT __attribute__((visibility("default")))

EXPORT int _Init(void) { return 42; }
EXPORT int Both(void) { return 1; }
EXPORT int _Both(void) { return 2; }
EXPORT int exported_counter = 7;

static int hidden_helper(void) { return 3; }
int internal_only(void) { return hidden_helper(); }
