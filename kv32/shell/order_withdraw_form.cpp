#include "kv32/shell/order_withdraw_form.h"

#include <charconv>
#include <cstring>

#include "kv32/tables/all_tables.h"

namespace {

std::string Stripped(const char* text, size_t width)
{
    std::string s(text, strnlen(text, width));
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    return s;
}

std::string Padded(std::string s, size_t width)
{
    s.resize(width, ' ');
    return s;
}

CWithdrawResolution Refuse(KvWithdrawError error, KvWithdrawField focus)
{
    CWithdrawResolution r;
    r.error = error;
    r.focus = focus;
    return r;
}

} // namespace

bool WithdrawOrderNumberEnabled(const bool (&all)[kWithdrawAllCount])
{
    for (bool a : all)
        if (a)
            return false;
    return true;
}

bool WithdrawAllFirmsEnabled(bool allAccounts, const std::string& account)
{
    return allAccounts || account.empty();
}

char WithdrawSide(bool buy, bool sell)
{
    if (buy && sell)
        return kWithdrawBothSides;
    if (buy)
        return kWithdrawBuy;
    if (sell)
        return kWithdrawSell;
    return kWithdrawNoSide;
}

std::vector<std::string> WithdrawSecurityNames(int boardRow)
{
    std::vector<std::string> names;
    CBoardTable& boards = BoardTable();
    if (boardRow < 0 || boardRow >= boards.GetCount())
        return names;
    const char* boardCode = boards.GetRec(boardRow)->szCode;
    CSecurityTable& securities = SecurityTable();
    for (int i = 0; i < securities.GetCount(); ++i) {
        const SecurityRec& s = *securities.GetRec(i);
        if (CSecurityTable::CodeHasBoard(s.szCode, boardCode))
            names.emplace_back(s.szShortName);
    }
    return names;
}

CWithdrawResolution ResolveWithdraw(const CWithdrawScreen& screen)
{
    CWithdrawResolution r;
    COrderWithdrawCriteria& c = r.criteria;
    const bool allBoard = screen.all[kAllBoard], allSecurity = screen.all[kAllSecurity];

    if (!allBoard) {
        const int board = BoardTable().FindByName(screen.boardName.c_str());
        if (board < 0)
            return Refuse(KvWithdrawError::InvalidSecurity, KvWithdrawField::Board);
        c.boardCode = Stripped(BoardTable().GetRec(board)->szCode, 4);
    }
    if (!allSecurity) {
        CSecurityTable& securities = SecurityTable();
        int row = securities.FindByName(screen.security);
        if (row < 0)
            row = securities.FindByInstrument(screen.security);
        if (row < 0 || screen.security.empty())
            return Refuse(KvWithdrawError::InvalidSecurity, KvWithdrawField::Security);
        c.securityCode = Stripped(securities.GetRec(row)->szCode + 5, 12);
        if (!allBoard) {
            const std::string key = "0" + Padded(c.boardCode, 4) + Padded(c.securityCode, 12);
            if (securities.FindByCode(key) < 0)
                return Refuse(KvWithdrawError::InvalidSecurity, KvWithdrawField::Security);
        }
    }
    if (!screen.all[kAllAccount]) {
        if (screen.account.size() > 12)
            return Refuse(KvWithdrawError::InvalidValue, KvWithdrawField::Account);
        c.account = screen.account;
    }
    if (!screen.all[kAllFirm] && !screen.firmName.empty()) {
        const int firm = ParticipantTable().FindByName(screen.firmName.c_str(), "BROK");
        if (firm < 0)
            return Refuse(KvWithdrawError::UnknownFirm, KvWithdrawField::Firm);
        c.firmCode = Stripped(ParticipantTable().GetRec(firm)->szCode, 12);
    }
    if (!screen.all[kAllUser] && !screen.userName.empty()) {
        const int user = screen.firmName.empty() || screen.all[kAllFirm]
            ? TraderTable().FindByName(screen.userName.c_str())
            : TraderTable().FindByNameAndFirm(screen.userName.c_str(), screen.firmName.c_str());
        if (user < 0)
            return Refuse(KvWithdrawError::UnknownUser, KvWithdrawField::User);
        c.userCode = Stripped(TraderTable().GetRec(user)->szCode, 12);
    }
    if (WithdrawOrderNumberEnabled(screen.all) && !screen.orderNo.empty()) {
        uint64_t number = 0;
        const char* first = screen.orderNo.data();
        const char* last = first + screen.orderNo.size();
        const auto [end, ec] = std::from_chars(first, last, number);
        if (ec != std::errc() || end != last || screen.orderNo.size() > 12)
            return Refuse(KvWithdrawError::InvalidValue, KvWithdrawField::OrderNo);
        c.orderNo = number;
    }
    c.side = WithdrawSide(screen.buy, screen.sell);
    if (c.side == kWithdrawNoSide)
        return Refuse(KvWithdrawError::NoSide, KvWithdrawField::Buy);
    return r;
}
