// The rules of the order counting limits dialog without its window: one limit
// definition of a board and either one firm or every firm ("*"), found again
// after every change of board, firm or "All", and created, changed or marked
// deleted in the definitions table on OK or Delete.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The most digits of a limit: any such number fits the definition's 32-bit field.
inline constexpr int kOrdCountLimitDigits = 9;

class KvOrdCountForm {
public:
    // The four limits in the dialog's order: normal orders, market-maker
    // orders, periodic normal average, periodic market-maker average.
    using Limits = std::array<int64_t, 4>;

    // Opens plainly (-1) or for a row of the order counting table.
    void Open(int countingRow);

    void ChooseBoard(int position);
    void ChooseFirm(int position);
    void SetAllFirms(bool all);
    // A limit edit's text; false (and the limit unchanged) when it is not at
    // most kOrdCountLimitDigits digits. An empty text is 0.
    bool SetLimit(int which, std::string_view text);

    // OK: 0 when the definition was created or changed and the dialog closes,
    // else the string id of the refusal (the dialog stays open, nothing changed).
    unsigned Accept();
    // Delete: marks the definition found deleted.
    void Delete();

    const std::vector<std::string>& Boards() const { return m_boardCodes; }
    int Board() const { return m_board; }
    const std::vector<std::string>& Firms() const { return m_firms; }
    int Firm() const { return m_firm; }
    bool AllFirms() const { return m_allFirms; }
    bool FirmListEnabled() const { return !m_allFirms; }
    const Limits& LimitValues() const { return m_limits; }
    std::string LimitText(int which) const;
    // The counting period in minutes ("%d").
    static std::string PeriodText();
    // The definition found for the board and firm; -1 none.
    int Definition() const { return m_definition; }
    bool DeleteEnabled() const;

private:
    void FillLists();
    void LookUp();
    void LoadLimits();

    std::vector<std::string> m_boardCodes;
    std::vector<int> m_boardRows;
    int m_board = -1;
    std::vector<std::string> m_firms;
    int m_firm = -1;
    bool m_allFirms = true;
    Limits m_limits {};
    int m_countingRow = -1;
    int m_definition = -1;
};
