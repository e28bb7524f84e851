// A snapshot-only table of short codes and their names (languages, news
// types): each record is the resume key, a code of CodeWidth characters, a
// 30-character name and the last-record flag.
#pragma once

#include <string>
#include <string_view>

#include "kv32/tables/record_text.h"
#include "kv32/tables/snapshot_table.h"
#include "kvcore/app/app_core_base.h"

template <int CodeWidth> struct CodeNameRec {
    char szKey[9];
    char szCode[CodeWidth + 1];
    char szName[31];
};

template <int CodeWidth, int Request>
class CCodeNameTable : public CSnapshotTable<CHostTable<CodeNameRec<CodeWidth>>> {
    using Base = CSnapshotTable<CHostTable<CodeNameRec<CodeWidth>>>;

public:
    using Rec = CodeNameRec<CodeWidth>;
    static constexpr int kRequest = Request;

    CCodeNameTable()
        : Base(0, 8, Request)
    {
    }

    void Free() override
    {
        Base::Free();
        this->ResetNextKey();
    }

    int Decode(CRecordReader& reader) override
    {
        const std::string key = reader.TextNoStrip(Base::kNextKeyWidth);
        Rec rec {};
        CopyText(rec.szCode, reader.Text(CodeWidth));
        CopyText(rec.szName, reader.Text(30));
        const char last = reader.Char();
        if (!reader.Ok())
            return 0;
        CopyText(rec.szKey, key);
        this->TakeNextKey(key);
        fLastRec = last == '1' ? 1 : 0;
        this->AddRec(rec);
        return 1;
    }

    // The row with this code; -1 when none.
    int FindByCode(std::string_view code)
    {
        return FindFirstRow(*this, [&](const Rec& r) { return SameStripped(r.szCode, code, CodeWidth); });
    }
};
