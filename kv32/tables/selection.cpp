#include "kv32/tables/selection.h"

#include "fw/core/archive.h"

int SerializeSelection(fw::Archive& ar, std::vector<int>& selection, const SelectionCodes& codes)
{
    try {
        if (ar.isStoring()) {
            ar.writeDWord(static_cast<uint32_t>(selection.size()));
            for (int row : selection) {
                ar.writeString(row >= 0 && row < codes.rowCount ? codes.codeOf(row) : std::string());
                if (codes.withIndex)
                    ar.writeLong(row);
            }
            return 1;
        }
        selection.clear();
        const uint32_t count = ar.readDWord();
        for (uint32_t i = 0; i < count; ++i) {
            const std::string code = ar.readString();
            int row = -1;
            if (codes.withIndex) {
                const int32_t stored = ar.readLong();
                if (stored >= 0 && stored < codes.rowCount && codes.codeOf(stored) == code)
                    row = stored;
            }
            if (row < 0)
                row = codes.findByCode(code);
            if (row >= 0)
                selection.push_back(row);
        }
        return 1;
    } catch (const fw::ArchiveError&) {
        return 0;
    }
}
