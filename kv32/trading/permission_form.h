// The rules of setting or deleting a user's trading permission without the
// window: the items of each scope with the codes they send, and the record of
// the operator action (transaction 142, operator 27 set or 28 delete).
#pragma once

#include <string>
#include <vector>

inline constexpr int kPermissionTransaction = 142;
inline constexpr char kPermissionSet = 27;
inline constexpr char kPermissionDelete = 28;
inline constexpr size_t kPermissionLength = 84;

enum KvPermissionScope : int {
    kScopeNone = -1,
    kScopeBoard = 0,
    kScopeMarket,
    kScopeInstrument,
    kScopeIndustry,
    kScopeSector,
    kScopeSecurity,
};

// One entry of the scope's list: its name and the code the record carries
// (a board, market, instrument or sector code, or a security's instrument id).
struct KvPermissionItem {
    std::string name;
    std::string code;
};
// The list of a scope in table order; the industry has none (it is typed).
std::vector<KvPermissionItem> PermissionScopeItems(int scope);

struct KvPermissionInput {
    std::string user;
    bool deleteMode = false;
    std::string firm;
    std::string userText;
    int scope = kScopeNone;
    // The chosen item's code, or the industry text (its first four characters go).
    std::string code;
    bool negated = false;
    std::string priority; // field 588, 12 characters
    std::string role; // up to two digits; empty sends "00"
};

enum class KvPermissionField { None, Firm, User, Item, Priority, Role };
struct KvPermissionRecord {
    std::string text; // empty when a field failed
    KvPermissionField failed = KvPermissionField::None;
};
KvPermissionRecord BuildPermissionRecord(const KvPermissionInput& in);
