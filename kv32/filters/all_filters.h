// Every criteria class of the list windows.
#pragma once

#include "kv32/filters/orders_filter.h"
#include "kv32/filters/party_filters.h"
#include "kv32/filters/private_order_filter.h"
#include "kv32/filters/supervision_filters.h"
#include "kv32/filters/trading_filters.h"
