// The Ticker window's document: the Last N Trades rows shown as a strip, one
// column per trade and one line per chosen field. The strip scrolls on its
// view's timer, smoothly or a trade at a time; the trade at the left edge
// stays there when the table drops its oldest trades.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "kv32/lists/last_trades_list.h"

class CTickerDoc : public CLastNDoc {
public:
    static constexpr std::uint32_t kTicker = CTable118::kTickerWindow;

    CTickerDoc();
    // The Last N data, then the smooth-scroll flag.
    void Serialize(fw::Archive& ar) override;

    // The fields are the chosen columns, in their order: Security, Price and
    // Qty until the user chooses others.
    void AddDefaultSelColumns() override;
    // Grid lines below the header line: one per chosen field after the first.
    int LineCount() const { return static_cast<int>(m_selected.size()) - 1; }
    int TradeCount() const { return GetRowCount(); }
    // The text of line (0 the header line) for trade column col (1-based); a
    // column beyond the trades is empty.
    std::string CellText(int line, int col) const;
    // The title of a line's field.
    std::string LineTitle(int line) const;

    // The view tells which trade column is at its left edge; after a rebuild
    // the column that shows the same trade (1 when it is gone).
    void NoteLeftColumn(int col);
    int LeftColumn() const;

    bool Smooth() const { return m_bSmooth != 0; }
    void SetSmooth(bool smooth) { m_bSmooth = smooth ? 1 : 0; }
    // Milliseconds between scroll steps for the flag.
    int Period() const { return Smooth() ? 20 : 1000; }

private:
    std::int32_t m_bSmooth = 1;
    std::uint32_t m_nLeftTradeNo = 0;
};
