#include "kv32/dialogs/order_entry_dlg.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

#include "fw/ui/datetimefield.h"
#include "fw/ui/text.h"
#include "kv32/res/order_entry_ids.h"
#include "kv32/shell/session.h"
#include "kv32/windows/quote_wnd.h"
#include "kvcore/app/session_core.h"

namespace {

std::optional<QDateTime> FromWire(const std::string& text, bool time)
{
    if (text.empty())
        return std::nullopt;
    const QString s = QString::fromLatin1(text.c_str());
    if (time) {
        const QTime t = QTime::fromString(s, QStringLiteral("HHmmss"));
        return t.isValid() ? std::optional(QDateTime(QDate(2000, 1, 1), t)) : std::nullopt;
    }
    const QDate d = QDate::fromString(s, QStringLiteral("yyyyMMdd"));
    return d.isValid() ? std::optional(QDateTime(d, QTime(0, 0))) : std::nullopt;
}

std::string ToWire(const std::optional<QDateTime>& value, bool time)
{
    if (!value)
        return {};
    return (time ? value->time().toString(QStringLiteral("HHmmss"))
                 : value->date().toString(QStringLiteral("yyyyMMdd")))
        .toStdString();
}

} // namespace

COrderEntryDlg::COrderEntryDlg(int side, int primary, QWidget* parent, int preset, int copyMethods)
    : CTDialogVorl(Kv32OrderEntryDialog(primary != 0 ? IDD_ORDER_ENTRY_PD : IDD_ORDER_ENTRY), parent)
    , m_form(side, primary != 0, preset != 0, copyMethods != 0)
{
    for (uint32_t id : { IDC_OE_BUY, IDC_OE_SELL, IDC_OE_MARKET, IDC_OE_LIMIT, IDC_OE_YIELD, IDC_OE_STOP,
             IDC_OE_SETTLE, IDC_OE_SESSION, IDC_OE_DAY, IDC_OE_GTC, IDC_OE_GTD, IDC_OE_FILL_ANY,
             IDC_OE_FILL_MIN, IDC_OE_ALL_OR_NONE, IDC_OE_FILL_OR_KILL, IDC_OE_FILL_AND_KILL, IDC_OE_SEND_POB,
             IDC_OE_CONFIRM, IDC_OE_BUYIN })
        commands().onNotify(id, fw::Notify::Clicked, [this, id] {
            if (m_bSyncing)
                return;
            m_form.Click(id);
            After();
        });
    commands().onNotify(IDC_OE_BOARD, fw::Notify::SelChange, [this] {
        m_form.SelectBoard(curSel(IDC_OE_BOARD));
        After();
    });
    commands().onNotify(IDC_OE_SECURITY, fw::Notify::SelChange, [this] {
        m_form.SelectSecurity(curSel(IDC_OE_SECURITY));
        After();
    });
    commands().onNotify(IDC_OE_ACCOUNT, fw::Notify::SelChange, [this] {
        m_form.SelectAccount(curSel(IDC_OE_ACCOUNT));
        After();
    });
    for (uint32_t id :
        { IDC_OE_PRICE, IDC_OE_QUANTITY, IDC_OE_HIDDEN, IDC_OE_MIN_FILL, IDC_OE_TRIGGER, IDC_OE_REFERENCE,
            IDC_OE_REFERENCE_PD, IDC_OE_WAI, IDC_OE_EXPIRY_DATE, IDC_OE_EXPIRY_TIME, IDC_OE_SETTLE_DATE })
        commands().onNotify(id, fw::Notify::Change, [this, id] {
            if (m_bSyncing)
                return;
            FromWidgets(id);
            // Typing shows its own text; only the fields that follow it change.
            if (id == IDC_OE_PRICE)
                After();
        });
    for (uint32_t id : { IDC_OE_SECURITY, IDC_OE_ACCOUNT, IDC_OE_PRICE, IDC_OE_QUANTITY, IDC_OE_HIDDEN }) {
        commands().onNotify(id, fw::Notify::SetFocus, [this, id] {
            if (m_bSyncing)
                return;
            m_form.Focus(id);
            After();
        });
        commands().onNotify(id, fw::Notify::KillFocus, [this, id] {
            if (m_bSyncing)
                return;
            m_form.Leave(id);
            After();
        });
    }
}

COrderEntryDlg::~COrderEntryDlg() = default;

void COrderEntryDlg::SetPreset(const std::string& board, const std::string& security,
    const std::string& price, const std::string& quantity, bool priceIsYield)
{
    m_form.SetPreset(board, security, price, quantity, priceIsYield);
}

void COrderEntryDlg::SetPrivateOrder(int index)
{
    m_form.SetPrivateOrder(index);
}

bool COrderEntryDlg::onInitDialog()
{
    CTDialogVorl::onInitDialog();
    // The quote window takes a place of its own, so that it never hides the field being typed in.
    if (QWidget* area = item(IDC_OE_QUOTE_AREA))
        area->setMinimumHeight(CQuoteWnd(this).sizeHint().height());
    m_form.Init();
    After();
    return true;
}

void COrderEntryDlg::FromWidgets(uint32_t id)
{
    if (auto* field = itemAs<fw::DateTimeField>(id))
        m_form.Type(id, ToWire(field->value(), id == IDC_OE_EXPIRY_TIME));
    else
        m_form.Type(id, itemText(id));
}

void COrderEntryDlg::Show()
{
    m_bSyncing = true;
    setWindowTitle(fw::toQt(m_form.Caption()));
    for (const auto& [id, c] : m_form.Controls()) {
        QWidget* w = item(id);
        if (w == nullptr)
            continue;
        if (auto* field = qobject_cast<fw::DateTimeField*>(w)) {
            const std::string shown = ToWire(field->value(), id == IDC_OE_EXPIRY_TIME);
            if (shown != c.text)
                field->setValue(FromWire(c.text, id == IDC_OE_EXPIRY_TIME));
        } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
            bool same = itemCount(id) == static_cast<int>(c.items.size());
            for (int i = 0; same && i < itemCount(id); ++i)
                same = itemString(id, i) == c.items[static_cast<size_t>(i)];
            if (!same) {
                resetContent(id);
                for (const std::string& s : c.items)
                    addString(id, s);
            }
            if (combo->isEditable()) {
                if (itemText(id) != c.text)
                    setItemText(id, c.text);
            } else if (curSel(id) != c.sel) {
                setCurSel(id, c.sel);
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            if (button->isCheckable())
                checkButton(id, c.checked ? 1 : 0);
            else if (!c.text.empty())
                setItemText(id, c.text);
        } else if (qobject_cast<QLineEdit*>(w) != nullptr || qobject_cast<QLabel*>(w) != nullptr) {
            if (itemText(id) != c.text
                && (qobject_cast<QLabel*>(w) == nullptr || !c.text.empty() || id == IDC_OE_COUNTER))
                setItemText(id, c.text);
        }
        enableItem(id, c.enabled);
    }
    m_bSyncing = false;
    Paint();
}

void COrderEntryDlg::After()
{
    Show();
    if (const uint32_t focus = m_form.TakeFocus(); focus != 0 && item(focus) != nullptr) {
        m_bSyncing = true;
        gotoItem(focus);
        m_bSyncing = false;
    }
    const int quote = m_form.QuoteSecurity();
    if (quote < 0) {
        m_quote.reset();
    } else if (!m_quote || m_quote->Security() != quote) {
        m_quote = std::make_unique<CQuoteWnd>(this);
        const QWidget* area = item(IDC_OE_QUOTE_AREA);
        m_quote->setGeometry(area != nullptr ? area->geometry() : QRect(275, 140, 310, 90));
        m_quote->SetSecurity(quote);
        m_quote->setAttribute(Qt::WA_ShowWithoutActivating);
        m_quote->show();
    }
}

void COrderEntryDlg::Paint()
{
    const CSession* session = KvSession();
    const bool colour = ps != nullptr && ps->m_settings.options.orderColor != 0 && session != nullptr;
    if (!colour) {
        setAutoFillBackground(false);
        setPalette(QPalette());
        return;
    }
    const fw::Color c = m_form.Side() == 1 ? session->m_colour1 : session->m_colour2;
    QPalette p = palette();
    const QColor q(c.red(), c.green(), c.blue());
    p.setColor(QPalette::Window, q);
    p.setColor(QPalette::Button, q);
    setPalette(p);
    setAutoFillBackground(true);
}

void COrderEntryDlg::onOK()
{
    // Edits report every change; the fields that follow the price are settled now.
    m_form.Leave(IDC_OE_PRICE);
    const KvOrderOkResult result = m_form.Ok();
    After();
    if ((result == KvOrderOkResult::Sent || result == KvOrderOkResult::Stored) && m_form.Closes())
        endDialog(fw::IDOK);
}

void COrderEntryDlg::keyPressEvent(QKeyEvent* event)
{
    int code = 0;
    switch (event->key()) {
    case Qt::Key_F3:
        code = 114;
        break;
    case Qt::Key_F5:
        code = 116;
        break;
    case Qt::Key_F6:
        code = 117;
        break;
    case Qt::Key_F7:
        code = 118;
        break;
    case Qt::Key_F8:
        code = 119;
        break;
    default:
        break;
    }
    if (code != 0) {
        m_form.Key(code, (event->modifiers() & Qt::ShiftModifier) != 0);
        After();
        event->accept();
        return;
    }
    CTDialogVorl::keyPressEvent(event);
}
