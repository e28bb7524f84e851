#include "kvcore/dialogs/color_select_dlg.h"

#include "kvcore/app/session_core.h"
#include "kvcore/dialogs/get_color.h"
#include "kvcore/gridview/gx_view.h"

#include <QListWidget>
#include <QPainter>
#include <QPixmap>

#include <array>

namespace {

QIcon Swatch(kvcore::COLORREF color)
{
    QPixmap pixmap(28, 14);
    pixmap.fill(QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
        static_cast<int>((color >> 16) & 0xFF)));
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, pixmap.width() - 1, pixmap.height() - 1);
    return QIcon(pixmap);
}

} // namespace

CColorSelectDlg::CColorSelectDlg(kvcore::CTGXView* view)
    : fw::Dialog(IDD_COLOR_SELECT, view)
    , m_pView(view)
{
    commands().onNotify(IDC_COLOR_LIST, fw::Notify::DblClk, [this] { PickColor(); });
}

bool CColorSelectDlg::onInitDialog()
{
    fw::Dialog::onInitDialog();
    kvcore::CTGXDoc* doc = m_pView ? m_pView->GetDocument() : nullptr;
    if (auto* list = itemAs<QListWidget>(IDC_COLOR_LIST))
        list->setIconSize(QSize(28, 14));
    if (doc) {
        for (const KvColorRow& row : KvColorRows(*doc)) {
            addString(IDC_COLOR_LIST, row.name);
            m_colors.push_back(row.color);
            ShowSwatch(static_cast<int>(m_colors.size()) - 1);
        }
    }
    setCurSel(IDC_COLOR_LIST, m_colors.empty() ? -1 : 0);
    return true;
}

void CColorSelectDlg::ShowSwatch(int row)
{
    auto* list = itemAs<QListWidget>(IDC_COLOR_LIST);
    if (list && row >= 0 && row < list->count())
        list->item(row)->setIcon(Swatch(m_colors[static_cast<std::size_t>(row)]));
}

void CColorSelectDlg::PickColor()
{
    const int row = curSel(IDC_COLOR_LIST);
    if (row < 0 || static_cast<std::size_t>(row) >= m_colors.size())
        return;
    // The session's 16 custom colours travel with the user's settings.
    std::array<std::uint32_t, kCustomColourCount> custom {};
    if (ps)
        for (std::size_t i = 0; i < custom.size(); ++i)
            custom[i] = ps->m_settings.options.customColours[i].ref;
    m_colors[static_cast<std::size_t>(row)] = GetColor(ps ? custom.data() : nullptr, m_colors[static_cast<std::size_t>(row)]);
    if (ps)
        for (std::size_t i = 0; i < custom.size(); ++i)
            ps->m_settings.options.customColours[i].ref = custom[i];
    ShowSwatch(row);
}

void CColorSelectDlg::onOK()
{
    if (kvcore::CTGXDoc* doc = m_pView ? m_pView->GetDocument() : nullptr)
        KvApplyColorRows(*doc, m_colors);
    endDialog(fw::IDOK);
}
