// The Ticker window's menu, English and Hungarian.
#pragma once

void Kv32RegisterTickerResources();
