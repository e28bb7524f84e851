#pragma once
// The router library's whole C interface.
#include "vorl/bc.h"
#include "vorl/client.h"
#include "vorl/errors.h"
#include "vorl/plugin.h"
#include "vorl/plugins.h"
#include "vorl/result.h"
#include "vorl/server.h"
#include "vorl/util.h"
#include "vorl/wire.h"
