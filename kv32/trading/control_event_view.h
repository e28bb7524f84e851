// What the price control event viewer shows of one trading event: a
// reference price change ('G') or a price limit change ('H'), with its board,
// security and the exchange message that belongs to it.
#pragma once

#include <string>

struct TradeEventRec;

enum : int { kControlEventReference = 1, kControlEventLimits = 2 };

struct KvControlEventView {
    int mode = 0; // 0: an event of another kind, which this viewer does not show
    std::string board;
    std::string security;
    std::string referencePrice;
    std::string lowerLimit;
    std::string upperLimit;
    std::string message;
    std::string title; // empty: the template's own
};
KvControlEventView ControlEventView(const TradeEventRec& event);
