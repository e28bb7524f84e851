#pragma once
// The whole plinth interface in one include. One header per module.
#include "plinth/export.h"
#if __has_include("plinth/config.h")
#include "plinth/config.h"
#endif
#if __has_include("plinth/time.h")
#include "plinth/time.h"
#endif
#if __has_include("plinth/sockwait.h")
#include "plinth/sockwait.h"
#endif
#if __has_include("plinth/shlib.h")
#include "plinth/shlib.h"
#endif
#if __has_include("plinth/process.h")
#include "plinth/process.h"
#endif
#if __has_include("plinth/thread.h")
#include "plinth/thread.h"
#endif
#if __has_include("plinth/lang.h")
#include "plinth/lang.h"
#endif
#if __has_include("plinth/event.h")
#include "plinth/event.h"
#endif
#if __has_include("plinth/mutex.h")
#include "plinth/mutex.h"
#endif
#if __has_include("plinth/reslock.h")
#include "plinth/reslock.h"
#endif
#if __has_include("plinth/shmem.h")
#include "plinth/shmem.h"
#endif
#if __has_include("plinth/persist.h")
#include "plinth/persist.h"
#endif
#if __has_include("plinth/trace.h")
#include "plinth/trace.h"
#endif
#if __has_include("plinth/evlog.h")
#include "plinth/evlog.h"
#endif
#if __has_include("plinth/option.h")
#include "plinth/option.h"
#endif
#if __has_include("plinth/syscrypt.h")
#include "plinth/syscrypt.h"
#endif
#if __has_include("plinth/exception.h")
#include "plinth/exception.h"
#endif
