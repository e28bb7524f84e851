// Program-wide state that the reply dispatch, the list windows and the
// dialogs share. (The core application exports the same names once it
// stands; until then the program keeps them.)
#pragma once

extern int fMulti; // a multiple operation runs: transaction replies are collected
extern int nMultiCount; // replies collected in the current multiple operation
extern int fErrorCheckEx; // extended error check of order transactions
extern int nErrorEx; // host error number of the last refused order transaction
