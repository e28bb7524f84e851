#include "kvcore/dialogs/grid_props_page.h"

#include "fw/core/strings.h"
#include "fw/ui/commondlg.h"
#include "fw/ui/dataexchange.h"
#include "fw/ui/gridview.h"
#include "fw/ui/text.h"
#include "kvcore/app/session_core.h"
#include "kvcore/frame/app_core.h"

#include <QGridLayout>
#include <QToolButton>

#include <array>

namespace {

// The standard 16 colours, 0x00BBGGRR.
constexpr std::array<std::uint32_t, KvColorPalette::kColors> kPalette = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0, //
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

QColor ToQColor(std::uint32_t ref)
{
    return QColor(static_cast<int>(ref & 0xFF), static_cast<int>((ref >> 8) & 0xFF), static_cast<int>((ref >> 16) & 0xFF));
}

} // namespace

fw::GridProperties& KvGridProperties()
{
    static fw::GridProperties loggedOff;
    return ps ? ps->m_settings.grid : loggedOff;
}

KvColorPalette::KvColorPalette(QWidget* parent) : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setSpacing(2);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    for (int i = 0; i < kColors; ++i) {
        auto* swatch = new QToolButton(this);
        swatch->setCheckable(true);
        swatch->setAutoRaise(false);
        swatch->setFixedSize(22, 18);
        swatch->setStyleSheet(QStringLiteral("QToolButton { background: %1; border: 1px solid gray; }"
                                             " QToolButton:checked { border: 2px solid black; }")
                                  .arg(ToQColor(kPalette[static_cast<std::size_t>(i)]).name()));
        connect(swatch, &QToolButton::clicked, this, [this, i] { Pick(i); });
        grid->addWidget(swatch, i / 8, i % 8);
    }
}

std::uint32_t KvColorPalette::ColorAt(int index)
{
    return index >= 0 && index < kColors ? kPalette[static_cast<std::size_t>(index)] : 0;
}

void KvColorPalette::SetColor(std::uint32_t color)
{
    m_current = -1;
    for (int i = 0; i < kColors; ++i)
        if (kPalette[static_cast<std::size_t>(i)] == color)
            m_current = i;
    const auto swatches = findChildren<QToolButton*>();
    for (int i = 0; i < swatches.size(); ++i)
        swatches[i]->setChecked(i == m_current);
    update();
}

void KvColorPalette::Pick(int index)
{
    if (index < 0 || index >= kColors)
        return;
    m_picked = kPalette[static_cast<std::size_t>(index)];
    // The swatch shows the colour of the list's entry, not the click.
    const auto swatches = findChildren<QToolButton*>();
    for (int i = 0; i < swatches.size(); ++i)
        swatches[i]->setChecked(i == m_current);
    fw::Dialog::notifyFromControl(this, kNotifyColorPicked);
}

bool CTGXPropDlg::PreviewSource::cellStyle(int row, int col, fw::CellStyle& style) const
{
    if (row == 0 && col > 0) {
        style.value = std::string(1, static_cast<char>('A' + col - 1));
        return true;
    }
    if (col == 1 && (row == 1 || row == 2)) {
        style.value = fw::loadString(IDS_GRID_PREVIEW_TEXT);
        style.bold = row == 2;
    }
    return true;
}

CTGXPropDlg::CTGXPropDlg(fw::GridProperties& props)
    : fw::PropertyPage(IDD_GRID_PROPERTIES)
    , m_props(props)
{
    for (std::uint32_t id : { IDC_GRID_3D, IDC_GRID_VERTICAL, IDC_GRID_HORIZONTAL, IDC_GRID_MARK_ROW, IDC_GRID_MARK_COLUMN })
        commands().onNotify(id, fw::Notify::Clicked, [this] { OnCheck(); });
    commands().onNotify(IDC_GRID_COLOR_LIST, fw::Notify::SelChange, [this] { OnColorSelected(); });
    commands().onNotify(IDC_GRID_COLOR_CHOOSER, kNotifyColorPicked, [this] { OnColorPicked(); });
    commands().onCommand(IDC_GRID_FONT, [this] { OnFont(); });
    commands().onCommand(IDC_GRID_PAGE_SETUP, [this] { OnPageSetup(); });
    // The page setup holds the header and footer too.
    commands().onCommand(IDC_GRID_HEAD_FOOT, [this] { OnPageSetup(); });
}

CTGXPropDlg::~CTGXPropDlg() = default;

fw::GridView* CTGXPropDlg::Preview() const { return itemAs<fw::GridView>(IDC_GRID_PREVIEW); }

bool CTGXPropDlg::onInitDialog()
{
    auto chooser = std::make_unique<KvColorPalette>();
    m_chooser = chooser.get();
    setItemWidget(IDC_GRID_COLOR_CHOOSER, std::move(chooser));
    fw::PropertyPage::onInitDialog();
    if (fw::GridView* preview = Preview()) {
        preview->setSource(&m_source);
        preview->onInitialUpdate();
        preview->setFrozenCols(1);
        preview->setZoom(100);
        preview->setCurrentCell(1, 1);
        preview->setMinimumSize(260, 150);
    }
    for (unsigned id : { IDS_GRID_LINE_COLOR, IDS_GRID_MARK_COLOR })
        addString(IDC_GRID_COLOR_LIST, fw::loadString(id));
    setCurSel(IDC_GRID_COLOR_LIST, 0);
    OnColorSelected();
    RedrawPreview();
    return true;
}

bool CTGXPropDlg::onSetActive()
{
    updateData(false);
    return true;
}

void CTGXPropDlg::doDataExchange(fw::DataExchange& dx)
{
    struct Flag {
        std::uint32_t id;
        bool fw::GridProperties::*member;
    };
    static constexpr Flag kFlags[] = {
        { IDC_GRID_3D, &fw::GridProperties::threeD },
        { IDC_GRID_VERTICAL, &fw::GridProperties::verticalLines },
        { IDC_GRID_HORIZONTAL, &fw::GridProperties::horizontalLines },
        { IDC_GRID_MARK_ROW, &fw::GridProperties::markCurrentRow },
        { IDC_GRID_MARK_COLUMN, &fw::GridProperties::markCurrentColumn },
    };
    for (const Flag& flag : kFlags) {
        int checked = m_props.*flag.member ? 1 : 0;
        dx.check(flag.id, checked);
        m_props.*flag.member = checked != 0;
    }
}

void CTGXPropDlg::RedrawPreview()
{
    if (fw::GridView* preview = Preview())
        preview->setProperties(m_props);
}

void CTGXPropDlg::OnCheck()
{
    updateData(true);
    RedrawPreview();
    setModified(true);
}

void CTGXPropDlg::OnColorSelected()
{
    const int entry = curSel(IDC_GRID_COLOR_LIST);
    if (entry < 0 || entry >= fw::kGridColorCount || !m_chooser)
        return;
    m_chooser->SetColor(m_props.colors[static_cast<std::size_t>(entry)]);
}

void CTGXPropDlg::OnColorPicked()
{
    const int entry = curSel(IDC_GRID_COLOR_LIST);
    if (entry < 0 || entry >= fw::kGridColorCount || !m_chooser)
        return;
    m_props.colors[static_cast<std::size_t>(entry)] = m_chooser->Picked();
    m_chooser->SetColor(m_chooser->Picked());
    RedrawPreview();
    setModified(true);
}

void CTGXPropDlg::OnFont()
{
    fw::FontChoice start { m_props.font.face, m_props.font.points, m_props.font.bold, m_props.font.italic };
    if (start.face.empty()) // the application's font is the standard style's
        if (const fw::GridView* preview = Preview())
            start.face = fw::fromQt(preview->baseFont().family());
    const std::optional<fw::FontChoice> chosen = fw::chooseFont(start, this);
    if (!chosen)
        return;
    if (!chosen->face.empty())
        m_props.font = { chosen->face, chosen->pointSize, chosen->bold, chosen->italic };
    setModified(true);
    RedrawPreview();
}

void CTGXPropDlg::OnPageSetup()
{
    if (fw::pageSetupDialog(m_props.page, this))
        setModified(true);
}

CTGXCustomizePage::CTGXCustomizePage() : CTGXPropDlg(m_working) { }

bool CTGXCustomizePage::onApply()
{
    const bool applied = CTGXPropDlg::onApply();
    KvGridProperties() = m_working;
    if (CKvAppCore* app = CKvAppCore::Instance())
        app->UpdateAllDocuments(0, 0, nullptr);
    return applied;
}
