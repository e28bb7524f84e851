#include "kv32/dialogs/alerts/alert_def_dlgs.h"

#include <memory>

#include "kv32/res/alert_dialog_ids.h"
#include "kvcore/ui/plain_num_edit_widget.h"

CAlertDefDlg::CAlertDefDlg(KvAlertKind kind, uint32_t templateId, int subjectRow, QWidget* parent)
    : CKvDialog(Kv32AlertDialog(templateId), parent)
    , m_form(kind)
    , m_nSubjectRow(subjectRow)
{
    fw::CommandMap& map = commands();
    map.onNotify(IDC_ALERT_BOARD, fw::Notify::SelChange, [this] {
        m_form.ChooseBoard(curSel(IDC_ALERT_BOARD));
        ShowAll();
    });
    map.onNotify(IDC_ALERT_SUBJECT, fw::Notify::SelChange, [this] {
        m_form.ChooseSubject(curSel(IDC_ALERT_SUBJECT));
        ShowAll();
    });
    map.onNotify(IDC_ALERT_CRITERION, fw::Notify::SelChange, [this] {
        m_form.ChooseCriterion(curSel(IDC_ALERT_CRITERION));
        ShowCriterion();
    });
    map.onNotify(IDC_ALERT_OPERATOR, fw::Notify::SelChange, [this] {
        m_form.ChooseOperator(curSel(IDC_ALERT_OPERATOR));
        ShowCriterion();
    });
    map.onNotify(IDC_ALERT_VALUE, fw::Notify::Change, [this] { ValueTyped(IDC_ALERT_VALUE); });
    map.onNotify(IDC_ALERT_PERCENT, fw::Notify::Change, [this] { ValueTyped(IDC_ALERT_PERCENT); });
    map.onNotify(IDC_ALERT_CREATE, fw::Notify::Clicked, [this] {
        m_form.Create();
        ShowAll();
    });
    map.onNotify(IDC_ALERT_CLEAR, fw::Notify::Clicked, [this] {
        m_form.Clear();
        ShowCriterion();
    });
    map.onNotify(IDC_ALERT_CLEAR_ALL, fw::Notify::Clicked, [this] {
        setRedraw(IDC_ALERT_CRITERION, false);
        m_form.ClearAll();
        ShowCriterion();
        setRedraw(IDC_ALERT_CRITERION, true);
    });
}

bool CAlertDefDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    m_value.LimitText(kAlertValueLimit);
    m_percent.LimitText(kAlertValueLimit);
    setItemWidget(IDC_ALERT_VALUE, std::make_unique<KvPlainNumEditWidget>(m_value));
    if (m_form.Kind() == KvAlertKind::Security)
        setItemWidget(IDC_ALERT_PERCENT, std::make_unique<KvPlainNumEditWidget>(m_percent));
    m_form.Open(m_nSubjectRow);
    ShowAll();
    gotoItem(IDC_ALERT_SUBJECT);
    return false;
}

void CAlertDefDlg::ShowAll()
{
    m_bShowing = true;
    if (m_form.Kind() == KvAlertKind::Security) {
        resetContent(IDC_ALERT_BOARD);
        for (const std::string& board : m_form.Boards())
            addString(IDC_ALERT_BOARD, board);
        setCurSel(IDC_ALERT_BOARD, m_form.Board());
    }
    resetContent(IDC_ALERT_SUBJECT);
    for (const std::string& subject : m_form.Subjects())
        addString(IDC_ALERT_SUBJECT, subject);
    setCurSel(IDC_ALERT_SUBJECT, m_form.Subject());

    const bool editing = m_form.EditingEnabled();
    resetContent(IDC_ALERT_CRITERION);
    resetContent(IDC_ALERT_OPERATOR);
    if (editing) {
        for (const std::string& line : m_form.CriterionLines())
            addString(IDC_ALERT_CRITERION, line);
        for (const std::string& op : KvAlertForm::OperatorTexts())
            addString(IDC_ALERT_OPERATOR, op);
    }
    for (uint32_t id : { IDC_ALERT_CRITERION, IDC_ALERT_OPERATOR, IDC_ALERT_VALUE, IDC_ALERT_PERCENT,
             IDC_ALERT_CLEAR, IDC_ALERT_CLEAR_ALL })
        enableItem(id, editing);
    enableItem(IDC_ALERT_CREATE, m_form.CreateEnabled());
    m_bShowing = false;
    ShowCriterion();
}

void CAlertDefDlg::RewriteLines()
{
    // Lines whose mark changed are written again in their place.
    const std::vector<std::string>& lines = m_form.CriterionLines();
    for (int i = 0; i < static_cast<int>(lines.size()) && i < itemCount(IDC_ALERT_CRITERION); ++i) {
        if (itemString(IDC_ALERT_CRITERION, i) != lines[static_cast<size_t>(i)]) {
            deleteString(IDC_ALERT_CRITERION, i);
            insertString(IDC_ALERT_CRITERION, i, lines[static_cast<size_t>(i)]);
        }
    }
    setCurSel(IDC_ALERT_CRITERION, m_form.Criterion());
}

void CAlertDefDlg::ShowCriterion()
{
    m_bShowing = true;
    RewriteLines();
    setCurSel(IDC_ALERT_OPERATOR, m_form.OperatorPosition());

    const bool percent = m_form.PercentKind();
    if (m_form.Kind() == KvAlertKind::Security) {
        for (uint32_t id :
            { IDC_ALERT_OPERATOR_LABEL, IDC_ALERT_OPERATOR, IDC_ALERT_VALUE_LABEL, IDC_ALERT_VALUE })
            showItem(id, !percent);
        showItem(IDC_ALERT_PERCENT, percent);
        showItem(IDC_ALERT_EXPLANATION, percent);
        setItemText(IDC_ALERT_EXPLANATION, m_form.Explanation());
    }
    CDecEdit& field = percent ? m_percent : m_value;
    field.SetDecMax(m_form.ValueDecimals());
    const uint32_t fieldId = percent ? IDC_ALERT_PERCENT : IDC_ALERT_VALUE;
    if (itemText(fieldId) != m_form.ValueText())
        setItemText(fieldId, m_form.ValueText());
    m_bShowing = false;
}

void CAlertDefDlg::ValueTyped(uint32_t id)
{
    if (m_bShowing)
        return;
    m_form.TypeValue(itemText(id));
    // A percent criterion's mark follows the number; the text typed stays as it is.
    RewriteLines();
}

void CAlertDefDlg::onOK()
{
    m_form.Close();
    endDialog(fw::IDOK);
}

void CAlertDefDlg::onCancel()
{
    // Every change is already in the alert record: the windows must hear of it.
    onOK();
}

CTraderAlertDlg::CTraderAlertDlg(int userRow, QWidget* parent)
    : CAlertDefDlg(KvAlertKind::User, IDD_TRADER_ALERT, userRow, parent)
{
}

CFirmAlertDlg::CFirmAlertDlg(int firmRow, QWidget* parent)
    : CAlertDefDlg(KvAlertKind::Firm, IDD_FIRM_ALERT, firmRow, parent)
{
}

CSecAlertDlg::CSecAlertDlg(int securityRow, QWidget* parent)
    : CAlertDefDlg(KvAlertKind::Security, IDD_SEC_ALERT, securityRow, parent)
{
}
