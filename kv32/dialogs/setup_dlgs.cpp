#include "kv32/dialogs/setup_dlgs.h"

#include <cstdlib>
#include <string>

#include <QTreeWidget>

#include "fw/core/msgbox.h"
#include "fw/core/strings.h"
#include "fw/ui/datetimefield.h"
#include "fw/ui/text.h"
#include "kv32/res/shell_dialog_ids.h"
#include "kv32/shell/component_check.h"
#include "kv32/shell/session.h"
#include "kvcore/app/message_box.h"
#include "kvcore/app/version_info.h"
#include "kvcore/dialogs/get_color.h"
#include "kvcore/router/cvorl.h"

namespace {

constexpr unsigned kAppTitle = 57344;
constexpr unsigned kCoreAboutText = 30014;

struct Letter {
    uint32_t id;
    char letter;
};
constexpr Letter kDisplayTypes[] = {
    { IDC_SETUP_TE_DEFAULT, ' ' },
    { IDC_SETUP_URGENT, 'P' },
    { IDC_SETUP_REGULAR, 'S' },
    { IDC_SETUP_NON_DISPLAY, 'N' },
};

} // namespace

// ---- Bench Setup ----

COptionsDlg::COptionsDlg(QWidget* parent)
    : CKvDialog(Kv32ShellDialog(IDD_BENCH_SETUP), parent)
{
    for (uint32_t id : { IDC_SETUP_TIME_SLICE, IDC_SETUP_LOGO, IDC_SETUP_INFORM_BY, IDC_SETUP_BEEPS,
             IDC_SETUP_PRICE_SLICES, IDC_SETUP_ANY_SLICES, IDC_SETUP_PAGE_WIDTH, IDC_SETUP_FONT_SIZE })
        commands().onNotify(id, fw::Notify::Change, [this] { UpdateOk(); });
    commands().onNotify(IDC_SETUP_BUY_COLOR, fw::Notify::Clicked, [this] { ChooseColour(true); });
    commands().onNotify(IDC_SETUP_SELL_COLOR, fw::Notify::Clicked, [this] { ChooseColour(false); });
}

bool COptionsDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    m_setup = KvCurrentSetup();
    const KvSetup& s = m_setup;
    auto number = [this](uint32_t id, int value) { setItemText(id, std::to_string(value)); };
    number(IDC_SETUP_TIME_SLICE, s.timeSlice);
    number(IDC_SETUP_HIGH_SPEED, s.highSpeedDelay);
    number(IDC_SETUP_INFORM_BY, s.informBy);
    number(IDC_SETUP_BEEPS, s.beeps);
    number(IDC_SETUP_LOGO, s.logoSeconds);
    number(IDC_SETUP_LAST_TRADES, s.lastTrades);
    number(IDC_SETUP_PRICE_SLICES, s.priceSlices);
    number(IDC_SETUP_ANY_SLICES, s.anySlices);
    number(IDC_SETUP_PAGE_WIDTH, s.pageWidth);
    number(IDC_SETUP_FONT_SIZE, s.fontSize);
    if (auto* end = itemAs<fw::DateTimeField>(IDC_SETUP_TRADING_END)) {
        if (s.endHour >= 0)
            end->setValue(QDateTime(QDate(2000, 1, 1), QTime(s.endHour, s.endMinute, 0)));
        QObject::connect(end, &fw::DateTimeField::valueChanged, this, [this] { UpdateOk(); });
    }
    checkButton(IDC_SETUP_COLOR_BACK, s.colorMethod == 0);
    checkButton(IDC_SETUP_COLOR_FORE, s.colorMethod == 1);
    checkButton(IDC_SETUP_COLOR_NONE, s.colorMethod == -1);
    checkButton(IDC_SETUP_ORDER_COLOR, s.orderColor != 0);
    checkButton(IDC_SETUP_ORDER_EXIT, s.orderExit != 0);
    checkButton(IDC_SETUP_CHANGE_TODAY, s.priceChangeMode == 0);
    checkButton(IDC_SETUP_CHANGE_LTP, s.priceChangeMode != 0);
    checkButton(IDC_SETUP_PRINT_LOG, s.printLog != 0);
    checkButton(IDC_SETUP_DIRECT_PRINT, s.directPrint != 0);
    for (const Letter& l : kDisplayTypes)
        checkButton(l.id, s.displayType == l.letter);
    checkButton(IDC_SETUP_COPY_POSITION, s.copyWindowPos != 0);
    UpdateOk();
    return true;
}

bool COptionsDlg::EndTimeValid() const
{
    auto* end = itemAs<fw::DateTimeField>(IDC_SETUP_TRADING_END);
    return end != nullptr && end->value().has_value() && end->value()->isValid();
}

void COptionsDlg::UpdateOk()
{
    enableItem(fw::kIdOk, SetupOkEnabled([this](uint32_t id) { return itemText(id); }, EndTimeValid()));
}

void COptionsDlg::ChooseColour(bool buy)
{
    fw::Color& colour = buy ? m_setup.buy : m_setup.sell;
    std::array<uint32_t, 16> custom {};
    CSession* session = KvSession();
    if (session != nullptr)
        for (size_t i = 0; i < custom.size(); ++i)
            custom[i] = session->m_settings.options.customColours[i].ref;
    colour.ref = GetColor(custom.data(), colour.ref);
    if (session != nullptr)
        for (size_t i = 0; i < custom.size(); ++i)
            session->m_settings.options.customColours[i].ref = custom[i];
}

void COptionsDlg::onOK()
{
    KvSetup s = m_setup;
    const uint32_t invalid = ReadSetupNumbers([this](uint32_t id) { return itemText(id); }, s);
    if (invalid != 0) {
        KvMessageBox(Kv32ShellDialogString(IDS_INVALID_NUMBER), fw::MB_ICONSTOP);
        gotoItem(invalid);
        return;
    }
    int highSpeed = 0;
    if (CheckSetupNumber(itemText(IDC_SETUP_HIGH_SPEED), false, highSpeed))
        s.highSpeedDelay = highSpeed;
    if (auto* end = itemAs<fw::DateTimeField>(IDC_SETUP_TRADING_END); end != nullptr && end->value()) {
        s.endHour = end->value()->time().hour();
        s.endMinute = end->value()->time().minute();
    }
    s.colorMethod = isButtonChecked(IDC_SETUP_COLOR_NONE) ? -1 : isButtonChecked(IDC_SETUP_COLOR_FORE) ? 1 : 0;
    s.orderColor = isButtonChecked(IDC_SETUP_ORDER_COLOR) ? 1 : 0;
    s.orderExit = isButtonChecked(IDC_SETUP_ORDER_EXIT) ? 1 : 0;
    s.priceChangeMode = isButtonChecked(IDC_SETUP_CHANGE_LTP) ? 1 : 0;
    s.printLog = isButtonChecked(IDC_SETUP_PRINT_LOG) ? 1 : 0;
    s.directPrint = isButtonChecked(IDC_SETUP_DIRECT_PRINT) ? 1 : 0;
    for (const Letter& l : kDisplayTypes)
        if (isButtonChecked(l.id))
            s.displayType = l.letter;
    s.copyWindowPos = isButtonChecked(IDC_SETUP_COPY_POSITION) ? 1 : 0;
    KvApplySetup(s);
    m_setup = KvCurrentSetup();
    endDialog(fw::IDOK);
}

// ---- About ----

CAboutDlg::CAboutDlg(QWidget* parent)
    : CKvDialog(Kv32ShellDialog(IDD_ABOUT), parent)
{
}

bool CAboutDlg::onInitDialog()
{
    CKvDialog::onInitDialog();
    setItemIcon(IDC_ABOUT_ICON, StdIcon::Application);
    const std::string version = KvProgramVersion();
    std::string text = fw::loadString(kAppTitle) + "\n" + fw::loadString(kCoreAboutText) + "\n Version " + version;
    if (const char* userPath = std::getenv("kv3userpath"))
        text += Kv32ShellDialogString(IDS_ABOUT_USER_SETTINGS) + userPath;
    setItemText(IDC_ABOUT_TEXT, text);
    if (ps != nullptr && !ps->m_sUser.empty())
        setItemText(IDC_TARGET_USER, ps->m_sUser);
    else
        setItemText(IDC_TARGET_USER, Kv32ShellDialogString(IDS_ABOUT_NO_USER));

    auto tree = std::make_unique<QTreeWidget>();
    tree->setHeaderHidden(true);
    auto* root = new QTreeWidgetItem(QStringList(fw::toQt("kv32 v" + version)));
    tree->addTopLevelItem(root);
    new QTreeWidgetItem(root, QStringList(fw::toQt("libkvcore.so v" + GetVersionInfo(GetCoreInstanceHandle()))));
    const std::string router = pvorl == nullptr ? std::string() : "libvorl.so v" + InstalledComponentVersions()("libvorl.so");
    new QTreeWidgetItem(root, QStringList(fw::toQt(router)));
    tree->expandAll();
    tree->setMinimumHeight(90);
    setItemWidget(IDC_ABOUT_TREE, std::move(tree));
    return true;
}
