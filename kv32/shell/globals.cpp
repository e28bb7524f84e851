#include "kv32/shell/globals.h"

int fMulti = 0;
int nMultiCount = 0;
int fErrorCheckEx = 0;
int nErrorEx = 0;
