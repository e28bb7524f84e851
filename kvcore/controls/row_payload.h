// The rows that one drag carries between the workstation's windows, and their bytes
// under the private clipboard format: a row count, then per row the object record of
// class "CKvRowData" (five 32-bit identities, then quantity and price as 16 bytes each:
// the double, its decimal count and 4 padding bytes). The bytes may come from another
// process, so reading checks every count and length and refuses anything else.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "fw/core/archive.h"
#include "kvcore/kvcore_api.h"
#include "kvcore/values/cdouble.h"

inline constexpr const char* kKvClipboardFormatName = "Trader Bench internal";

// One dragged row; -1 marks an identity the row does not carry.
class KVCORE_API CKvRowData : public fw::Serializable {
public:
    int32_t m_nSec = -1;
    int32_t m_nBoard = -1;
    int32_t m_nOrder = -1;
    int32_t m_nUser = -1;
    int32_t m_nFirm = -1;
    CDouble m_Quantity;
    CDouble m_Price;

    static const fw::ClassInfo& runtimeClass();
    const fw::ClassInfo& classInfo() const override { return runtimeClass(); }
    void serialize(fw::Archive& ar) override;
};

KVCORE_API bool operator==(const CKvRowData& a, const CKvRowData& b);

// The rows of one drag, in order.
struct KVCORE_API CKvClipboardFormat {
    std::vector<CKvRowData> rows;
};

KVCORE_API std::vector<uint8_t> WriteRowPayload(const CKvClipboardFormat& list);
// nullopt when the bytes are not a row list; bytes after the last row are ignored,
// as the blocks of other writers are padded.
KVCORE_API std::optional<CKvClipboardFormat> ReadRowPayload(std::span<const uint8_t> bytes);
// As ReadRowPayload, with the reason for a refusal.
KVCORE_API std::optional<CKvClipboardFormat> ReadRowPayload(
    std::span<const uint8_t> bytes, std::string& error);
