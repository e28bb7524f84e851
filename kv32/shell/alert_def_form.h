// The rules of the firm, user and security alert definition dialogs without
// their windows: which subject is edited, the state its alert record gives
// the controls, the criterion lines, the operator and bound of the chosen
// criterion, and the edits, which change the alert record at once. Nothing
// is sent to the host; the windows hear of the changes when the dialog closes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "kvcore/values/cdouble.h"

enum class KvAlertKind { User, Firm, Security };

// Decimals a firm or user bound may take from what is typed.
inline constexpr int kAlertFreeDecimals = 15;
// The most characters of a bound.
inline constexpr int kAlertValueLimit = 16;

class KvAlertForm {
public:
    explicit KvAlertForm(KvAlertKind kind);

    KvAlertKind Kind() const { return m_kind; }
    // The windows' refresh hint of the kind's table: 27 users, 25 firms, 26 securities.
    uint16_t CloseHint() const;
    // The criteria of a record of the kind: 16 for firms and users, 15 for securities.
    int CriterionCount() const;

    // Opens on the host row of the subject the opener's current row names
    // (-1 none). A firm or user not in the list gives the first entry. The
    // security form cannot open without a security: false, nothing filled.
    bool Open(int subjectRow);

    // Security form: the board at this list position; the securities are
    // refilled and the previous short name kept when the board has it.
    void ChooseBoard(int position);
    // The subject at this list position (the security form: of the board's securities).
    void ChooseSubject(int position);
    void ChooseCriterion(int criterion);
    // Operator list position; the stored code is position + 1.
    void ChooseOperator(int position);
    // A typed bound in the user's format; a text that is not a number changes nothing.
    void TypeValue(std::string_view text);
    void Create();
    void Clear();
    void ClearAll();
    // Tells the windows of the kind's table that the definitions may have changed.
    void Close() const;

    // What the dialog shows.
    const std::vector<std::string>& Boards() const { return m_boards; }
    int Board() const { return m_board; }
    const std::vector<std::string>& Subjects() const { return m_subjectNames; }
    int Subject() const { return m_subject; }
    // The subject's host row; -1 when none is found.
    int SubjectRow() const;
    // The subject's alert record; -1 when it has none.
    int AlertIndex() const { return m_alert; }
    const std::vector<std::string>& CriterionLines() const { return m_lines; }
    int Criterion() const { return m_criterion; }
    static std::vector<std::string> OperatorTexts();
    // The operator's list position; -1 when the criterion has none.
    int OperatorPosition() const;
    const std::string& ValueText() const { return m_valueText; }
    // Decimals the bound accepts (the edit's limit).
    int ValueDecimals() const { return m_valueDecimals; }
    // Security percent criteria: no operator list, the bound in the percent field beside its explanation.
    bool PercentKind() const { return m_percent; }
    std::string Explanation() const;
    bool EditingEnabled() const { return m_alert >= 0; }
    bool CreateEnabled() const { return SubjectRow() >= 0 && m_alert < 0; }

    // The criterion in the alert record (tests and the windows read them here).
    int32_t Operator(int criterion) const;
    CDouble Bound(int criterion) const;
    int32_t Modified(int criterion) const;
    int32_t Status(int criterion) const;

    // The criterion's name; with its operator set, followed by "*".
    std::string Line(int criterion) const;
    // A security percent criterion.
    static bool IsPercentCriterion(int criterion);

private:
    struct Slot {
        int32_t* op;
        CDouble* bound;
        int32_t* modified;
        int32_t* status;
    };
    // Null pointers when there is no record.
    Slot At(int criterion) const;
    void FillSubjects();
    void FillSecurities();
    void LookUp();
    void ShowCriterion();
    void Edited(const Slot& c) const;

    KvAlertKind m_kind;
    std::vector<std::string> m_boards;
    int m_board = -1;
    std::vector<std::string> m_subjectNames;
    std::vector<int> m_subjectRows;
    int m_subject = -1;
    int m_alert = -1;
    std::vector<std::string> m_lines;
    int m_criterion = -1;
    std::string m_valueText;
    int m_valueDecimals = kAlertFreeDecimals;
    bool m_percent = false;
    double m_remembered = 0.0;
};

// A typed bound: the user's decimal separator is read as the point, then
// digits with at most one point. decimals < 0: as many as typed. False for
// anything else; an empty text is 0.
bool KvReadAlertBound(std::string_view text, int decimals, CDouble& bound);
