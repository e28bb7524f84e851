// What the order-method viewer of one order shows: a box per method, checked
// from the order's flag string, and the expiry, settlement and trigger values
// beside the boxes that carry them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct COrderRec;

struct KvOrderMethodBox {
    uint32_t id;
    bool checked;
};
// Every box of the viewer for a 32-character flag string ('1' set); a
// position the string does not reach counts as not set.
std::vector<KvOrderMethodBox> OrderMethodBoxes(std::string_view flags);

struct KvOrderMethodValues {
    std::string expiryDate; // only for a good-till-date order
    std::string expiryTime;
    std::string settleDate; // only with a settlement date
    std::string trigger; // only for a stop order
};
KvOrderMethodValues OrderMethodValues(const COrderRec& order);
