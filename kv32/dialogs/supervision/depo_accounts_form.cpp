#include "kv32/dialogs/supervision/depo_accounts_form.h"

#include "kv32/tables/host_table.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/router/record_reader.h"
#include "kvcore/values/field_writer.h"

namespace {

constexpr int kUserWidth = 12;
constexpr int kCodeWidth = 12;
constexpr char kOprDepoSuspend = 36;
constexpr char kOprDepoUnsuspend = 37;

} // namespace

std::string DepoAccountKey(std::string_view user)
{
    KvFieldWriter w;
    w.TextCut(user, kUserWidth);
    return w.Str();
}

int CDepoAccountList::Request()
{
    m_rows.clear();
    KvFieldWriter w;
    AppendUserField(w);
    std::string key = w.Str();
    return VORLInfoReq(kDepoAccountRequest, key.data(), static_cast<int>(key.size()), this) != 0 ? 1 : 0;
}

int CDepoAccountList::Decode(CRecordReader& reader)
{
    const int32_t count = reader.Int(6);
    if (!reader.Ok())
        return 0;
    ReadHostAccounts(reader, count, m_rows);
    return 1;
}

std::string BuildDepoStatusRecord(std::string_view user, bool suspend, std::string_view account, char sessionFlag,
    char display)
{
    KvFieldWriter w;
    w.TextCut(user, kUserWidth)
        .Char(suspend ? kOprDepoSuspend : kOprDepoUnsuspend)
        .Text(account, kCodeWidth)
        .Char(sessionFlag)
        .Char(display);
    return w.Str();
}
