#include "kv32/shell/order_withdraw_record.h"

#include "kvcore/values/field_writer.h"

namespace {

constexpr int kUserWidth = 12;

bool KnownSide(char side)
{
    return side == kWithdrawBuy || side == kWithdrawSell || side == kWithdrawBothSides || side == kWithdrawNoSide;
}

} // namespace

std::string KvOrderWithdrawRecord(std::string_view user, const COrderWithdrawCriteria& c)
{
    if (!KnownSide(c.side))
        return {};
    KvFieldWriter w;
    w.TextCut(user, kUserWidth).Char('A').Char(c.side);
    if (c.orderNo)
        w.Unsigned(*c.orderNo, 12);
    else
        w.Text("", 12);
    w.Char('=').Text("", 9).Text("", 9);
    w.Text(c.account, 12).Text(c.boardCode, 4).Text(c.securityCode, 12);
    w.Text(c.todayOnly ? "TODAY" : "", 8);
    w.Text(c.userCode, 12).Text(c.firmCode, 12);
    return w.Str();
}

std::string KvWithdrawAllOrdersRecord(std::string_view user)
{
    KvFieldWriter w;
    w.TextCut(user, kUserWidth).Char('A').Text("", kWithdrawAllOrdersLength - kUserWidth - 1);
    return w.Str();
}
