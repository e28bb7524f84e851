#include "kv32/trading/mm_order_record.h"

#include "kv32/trading/order_record.h"
#include "kvcore/values/field_writer.h"
#include "kvcore/values/number_text.h"

namespace {

using R = KvOrderRecord;

// The top-up field's marker: the host tops the order up itself.
const std::string kTopUpMarker(R::kQuantityWidth, 'T');

bool Negative(std::string_view text)
{
    const size_t first = text.find_first_not_of(' ');
    return first != std::string_view::npos && text[first] == '-';
}

class BlockWriter {
public:
    explicit BlockWriter(KvFieldWriter& w)
        : m_w(w)
    {
    }
    bool Text(const std::string& text, int width)
    {
        if (static_cast<int>(text.size()) > width)
            return false;
        m_w.Text(text, width);
        return true;
    }
    bool Quantity(const std::string& text)
    {
        const std::optional<std::string> digits = Cur2Str(text, R::kQuantityWidth, 0);
        if (Negative(text) || !digits || digits->size() != static_cast<size_t>(R::kQuantityWidth))
            return false;
        m_w.Raw(*digits);
        return true;
    }

private:
    KvFieldWriter& m_w;
};

KvMMField WriteBlock(KvFieldWriter& w, const KvMMSide& side, bool sent, bool buy, int priceDecimals, int yieldDecimals)
{
    BlockWriter b(w);
    const auto field = [buy](KvMMField ifBuy, KvMMField ifSell) { return buy ? ifBuy : ifSell; };
    const std::string blanks(R::kPriceWidth, ' ');
    if (!sent) {
        // The block not sent: nothing but the top-up marker survives.
        w.Text("", R::kAccountWidth);
        w.Raw(KvOrderFlags({}));
        w.Raw(blanks).Raw(blanks);
        w.Raw(std::string(R::kQuantityWidth, '0'));
        w.Raw(side.useTopUp ? kTopUpMarker : std::string(R::kQuantityWidth, '0'));
        w.Text("", R::kReferenceWidth);
        return KvMMField::None;
    }
    if (!b.Text(side.account, R::kAccountWidth))
        return field(KvMMField::BuyAccount, KvMMField::SellAccount);
    w.Raw(KvMarketMakerFlags(side));
    const int decimals = side.yield ? yieldDecimals : priceDecimals;
    if (side.priceText.empty())
        w.Raw(blanks).Raw(blanks);
    else {
        const std::optional<std::string> digits = Cur2Str(side.priceText, R::kPriceWidth, decimals);
        if (!digits || digits->size() != blanks.size())
            return field(KvMMField::BuyPrice, KvMMField::SellPrice);
        w.Raw(side.yield ? blanks : *digits).Raw(side.yield ? *digits : blanks);
    }
    if (!b.Quantity(side.quantityText))
        return field(KvMMField::BuyQuantity, KvMMField::SellQuantity);
    if (side.useTopUp)
        w.Raw(kTopUpMarker);
    else if (!b.Quantity(side.topUpText))
        return field(KvMMField::BuyTopUp, KvMMField::SellTopUp);
    if (!b.Text(side.reference, R::kReferenceWidth))
        return field(KvMMField::BuyReference, KvMMField::SellReference);
    return KvMMField::None;
}

} // namespace

std::string KvMarketMakerFlags(const KvMMSide& side)
{
    std::string flags = KvOrderFlags({ kFlagLimit, kFlagMarketMaker });
    const auto set = [&flags](int pos, bool on) { flags[static_cast<size_t>(pos)] = on ? '1' : '0'; };
    set(kFlagYield, side.yield);
    set(kFlagHidden, !side.topUpText.empty());
    set(kFlagSession, side.session);
    set(kFlagDay, side.day);
    return flags;
}

KvMMRecordResult BuildMarketMakerRecord(const KvMMOrder& order)
{
    if (order.securityKey.size() != static_cast<size_t>(R::kSecurityWidth))
        return { std::string(), KvMMField::Security };
    KvFieldWriter w;
    w.TextCut(order.user, R::kUserWidth);
    w.Text(order.securityKey, R::kSecurityWidth);
    w.Char(order.send == KvMMSend::Both ? '0' : (order.send == KvMMSend::Buy ? 'B' : 'S'));
    w.Char('0');
    const bool buySent = order.send != KvMMSend::Sell;
    const bool sellSent = order.send != KvMMSend::Buy;
    KvMMField failed = WriteBlock(w, order.buy, buySent, true, order.priceDecimals, order.yieldDecimals);
    if (failed == KvMMField::None)
        failed = WriteBlock(w, order.sell, sellSent, false, order.priceDecimals, order.yieldDecimals);
    if (failed != KvMMField::None)
        return { std::string(), failed };
    if (!w.Ok() || w.Size() != kMMOrderLength)
        return { std::string(), KvMMField::Security };
    return { w.Str(), KvMMField::None };
}
