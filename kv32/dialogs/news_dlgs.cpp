#include "kv32/dialogs/news_dlgs.h"

#include <QDateTime>
#include <QTimer>

#include "fw/core/msgbox.h"
#include "fw/core/profile.h"
#include "fw/ui/commondlg.h"
#include "fw/ui/datetimefield.h"
#include "fw/ui/text.h"
#include "kv32/dialogs/msg_dlgs.h"
#include "kv32/res/message_dialogs_ids.h"
#include "kv32/shell/message_send_form.h"
#include "kv32/shell/news_location.h"
#include "kv32/shell/news_opener.h"
#include "kv32/tables/all_tables.h"
#include "kvcore/app/app_core_base.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/profile_settings.h"
#include "kvcore/app/prompts.h"

namespace {

constexpr uint32_t kDisplayRadios[] = { IDC_NEWS_URGENT, IDC_NEWS_REGULAR, IDC_NEWS_NON_DISPLAY };

void FillList(fw::Dialog& d, uint32_t id, const NewsList& list, int selected)
{
    for (const std::string& name : list.names)
        d.addString(id, name);
    d.setCurSel(id, selected);
}

} // namespace

// ---- News ----

CNewsDlg::CNewsDlg(QWidget* parent)
    : CKvDialog(Kv32MessageDialog(IDD_NEWS), parent)
{
    commands().onNotify(IDC_NEWS_OPEN, fw::Notify::Clicked, [this] { OpenFile(); });
    commands().onNotify(IDC_NEWS_GET_HEADER, fw::Notify::Clicked, [this] { GetHeader(); });
    commands().onNotify(IDC_NEWS_VIEW, fw::Notify::Clicked, [this] { View(); });
}

bool CNewsDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    static constexpr uint32_t kMissing[] = { 0, IDS_NEWS_NO_ISSUERS, IDS_NEWS_NO_TYPES, IDS_NEWS_NO_LANGUAGES };
    const CNewsForm::OpenResult opened = m_form.Open(m_nMode, m_nRow, CDateTime::GetTickCount());
    if (opened != CNewsForm::kOpened) {
        KvMessageBox(Kv32MessageDialogString(kMissing[opened]), fw::MB_ICONSTOP);
        // Ended once its modal loop runs: an end before that would be undone by the loop's start.
        QTimer::singleShot(0, this, [this] { endDialog(fw::IDCANCEL); });
        return false;
    }
    FillList(*this, IDC_NEWS_ISSUER, m_form.m_issuers, m_form.m_nIssuer);
    FillList(*this, IDC_NEWS_TYPE, m_form.m_types, m_form.m_nType);
    FillList(*this, IDC_NEWS_LANGUAGE, m_form.m_languages, m_form.m_nLanguage);
    FillList(*this, IDC_NEWS_SECURITY, m_form.m_securities, m_form.m_nSecurity);
    const CDateTime& t = m_form.m_time;
    m_time.Logic().SetDateTime(t);
    m_time.AttachTimeCtrl(IDC_NEWS_TIME, *this);
    if (fw::DateTimeField* field = m_time.Field())
        field->setValue(QDateTime(QDate(2000, 1, 1), QTime(t.GetHour(), t.GetMinute(), t.GetSecond())));
    setItemText(IDC_NEWS_TITLE, m_form.m_sTitle);
    m_limit.Attach(*this, IDC_NEWS_TEXT, kNewsTypedChars);
    m_limit.Trust();
    setItemText(IDC_NEWS_TEXT, m_form.m_sText);
    checkButton(IDC_NEWS_FLASH, m_form.m_bFlash ? 1 : 0);
    checkButton(IDC_NEWS_INFO_FEED, m_form.m_bInfoFeed ? 1 : 0);
    for (size_t i = 0; i < std::size(kDisplayRadios); ++i)
        checkButton(kDisplayRadios[i], m_form.m_nDisplay == static_cast<int>(i) ? 1 : 0);
    return true;
}

void CNewsDlg::OpenFile()
{
    fw::Profile profile(kKvAppProfile);
    fw::FileDialogRequest request;
    const std::string last = profile.getString("NEWS", "LastFilePath");
    request.defaultName = last.empty() ? std::string() : last + "/";
    const std::optional<std::string> chosen = fw::getFileName(request, this);
    if (!chosen)
        return;
    setItemText(IDC_NEWS_PATH, *chosen);
    const size_t slash = chosen->rfind('/');
    if (slash != std::string::npos)
        profile.writeString("NEWS", "LastFilePath", chosen->substr(0, slash));
}

void CNewsDlg::GetHeader()
{
    const std::string path = itemText(IDC_NEWS_PATH);
    std::string text;
    switch (KvReadNewsHeader(path, text)) {
    case NewsHeaderResult::Ok:
        // A file's head may pass what can be typed; the record carries up to its own limit.
        m_limit.Trust();
        setItemText(IDC_NEWS_TEXT, MsgTextLf(text));
        break;
    case NewsHeaderResult::CannotOpen:
        KvMessageBox(Kv32MessageDialogString(IDS_NEWS_CANNOT_OPEN_FILE) + " " + path, fw::MB_ICONSTOP);
        break;
    case NewsHeaderResult::NotSendable:
        KvMessageBox(Kv32MessageDialogString(IDS_TEXT_NOT_SENDABLE) + path, fw::MB_ICONSTOP);
        break;
    }
}

void CNewsDlg::View()
{
    KvOpenNewsDocument(itemText(IDC_NEWS_PATH));
}

bool CNewsDlg::Collect()
{
    m_form.m_nIssuer = curSel(IDC_NEWS_ISSUER);
    m_form.m_nType = curSel(IDC_NEWS_TYPE);
    m_form.m_nLanguage = curSel(IDC_NEWS_LANGUAGE);
    m_form.m_nSecurity = curSel(IDC_NEWS_SECURITY);
    m_form.m_sTitle = itemText(IDC_NEWS_TITLE);
    m_form.m_sPath = itemText(IDC_NEWS_PATH);
    m_form.m_bFlash = isButtonChecked(IDC_NEWS_FLASH) != 0;
    m_form.m_bInfoFeed = isButtonChecked(IDC_NEWS_INFO_FEED) != 0;
    for (size_t i = 0; i < std::size(kDisplayRadios); ++i)
        if (isButtonChecked(kDisplayRadios[i]))
            m_form.m_nDisplay = static_cast<int>(i);
    const std::string time = m_time.FormatTimeVORL();
    if (time.size() == 6) {
        const CDateTime& t = m_form.m_time;
        m_form.m_time = CDateTime(t.IsValid() ? t.GetYear() : 2000, t.IsValid() ? t.GetMonth() : 1,
            t.IsValid() ? t.GetDay() : 1, std::stoi(time.substr(0, 2)), std::stoi(time.substr(2, 2)),
            std::stoi(time.substr(4, 2)));
    }
    for (const uint32_t id : { IDC_NEWS_TITLE, IDC_NEWS_TEXT }) {
        std::string text;
        if (!KvSendableText(*this, id, text)) {
            KvMessageBox(Kv32MessageDialogString(IDS_TEXT_NOT_SENDABLE), fw::MB_ICONSTOP);
            gotoItem(id);
            return false;
        }
        (id == IDC_NEWS_TEXT ? m_form.m_sText : m_form.m_sTitle) = text;
    }
    return true;
}

void CNewsDlg::onOK()
{
    if (!Collect())
        return;
    static constexpr uint32_t kFocus[]
        = { 0, IDC_NEWS_ISSUER, IDC_NEWS_TYPE, IDC_NEWS_LANGUAGE, IDC_NEWS_TITLE, IDC_NEWS_TEXT };
    const CNewsForm::Refusal refusal = m_form.Check();
    if (refusal.field != CNewsForm::kNoField) {
        KvMessageBox(refusal.text, refusal.icon);
        gotoItem(kFocus[refusal.field]);
        return;
    }
    if (AreYouShure(0u) != fw::IDYES)
        return;
    std::string fileName;
    if (!m_form.m_sPath.empty()) {
        fileName = KvBaseName(m_form.m_sPath);
        CNewsLocation where;
        if (where.Upload(m_form.m_sPath) != 1)
            return;
    }
    int code = 0;
    std::string record = m_form.BuildRecord(fileName, code);
    if (record.empty())
        return;
    if (VORLTransaction(code, record.data(), static_cast<int>(record.size()), 1) == 1)
        endDialog(fw::IDOK);
}

// ---- News item ----

CNewsItemDlg::CNewsItemDlg(int row, QWidget* parent)
    : CKvDialog(Kv32MessageDialog(IDD_NEWS_ITEM), parent)
    , m_nRow(row)
{
}

bool CNewsItemDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    CNewsTable& news = NewsTable();
    if (m_nRow >= 0 && m_nRow < news.GetCount()) {
        const int32_t id = news.GetRec(m_nRow)->nNewsId;
        if (!news.GetRec(m_nRow)->body)
            KvFetchNewsText(m_nRow);
        // The fetch may have moved rows; the item is the one with its id.
        int row = -1;
        for (int i = 0; i < news.GetCount() && row < 0; ++i)
            if (news.GetRec(i)->nNewsId == id)
                row = i;
        if (row >= 0) {
            const NewsRec& rec = *news.GetRec(row);
            setWindowTitle(fw::toQt(rec.szTitle));
            setItemText(IDC_ITEM_TITLE, rec.szTitle);
            setItemText(IDC_ITEM_TYPE, rec.szType);
            setItemText(IDC_ITEM_ISSUER, rec.szIssuer);
            setItemText(IDC_ITEM_SECURITY, rec.szSecurity);
            setItemText(IDC_ITEM_DATE, rec.dateTime.IsValid() ? rec.dateTime.FormatDate() : std::string());
            setItemText(IDC_ITEM_TIME, rec.dateTime.IsValid() ? rec.dateTime.FormatTime() : std::string());
            setItemText(IDC_ITEM_TEXT, rec.body ? MsgTextLf(*rec.body) : std::string());
        }
    }
    gotoItem(fw::kIdOk);
    return false;
}

// ---- Received News ----

CNewsRecvDlg::CNewsRecvDlg(QWidget* parent)
    : CKvDialog(Kv32MessageDialog(IDD_RECEIVED_NEWS), parent)
{
}

bool CNewsRecvDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    CNewsTable& news = NewsTable();
    for (int i = news.GetCount() - 1; i >= 0; --i)
        if (news.GetRec(i)->cDisplayMode == 'P') {
            setItemText(IDC_RECV_NEWS_TITLE, news.GetRec(i)->szTitle);
            break;
        }
    gotoItem(fw::kIdOk);
    return false;
}
