#include "kvcore/doc/ct_doc.h"

#include "fw/core/archive.h"
#include "fw/core/strings.h"
#include "kvcore/app/session_core.h"

#include <algorithm>

CTRowObject::~CTRowObject() = default;
CTDocWindow::~CTDocWindow() = default;
KvTableTemplate::~KvTableTemplate() = default;

CTDoc::CTDoc() = default;

CTDoc::~CTDoc()
{
    // A document that went without closing leaves no owner behind that points at it.
    if (ps != nullptr && ps->GetTableDoc(GetDocID()) == this)
        ps->SetTableDoc(GetDocID(), nullptr);
}

std::uint32_t CTDoc::GetDocID() const
{
    const auto* tmpl = dynamic_cast<const KvTableTemplate*>(docTemplate());
    return tmpl == nullptr ? 0 : tmpl->GetDocTemplateID();
}

KvLayoutEntry* CTDoc::Entry() const
{
    return ps == nullptr ? nullptr : ps->GetLayout(GetDocID());
}

CTDocWindow* CTDoc::GetWindow() const
{
    for (fw::DocumentView* view : views())
        if (auto* window = dynamic_cast<CTDocWindow*>(view))
            return window;
    return nullptr;
}

void CTDoc::AddColumnTitles()
{
    const int first = GetFirstColumnID();
    for (int k = 0; k < GetMaxColumns(); ++k)
        m_available.push_back(static_cast<std::uint16_t>(first + k));
}

void CTDoc::AddDefaultColors() { m_colorRefs.clear(); }

void CTDoc::AddDefaultSelColumns()
{
    for (int k = 0; k < GetMaxColumns(); ++k)
        m_selected.push_back(static_cast<std::uint16_t>(k));
}

void CTDoc::MakeTitle(std::string& title) { title = fw::loadString(GetDocID()); }

int CTDoc::ApplyFilter(bool apply)
{
    if (apply)
        Retitle();
    return 1;
}

void CTDoc::Retitle()
{
    std::string title;
    MakeTitle(title);
    setTitle(title);
}

void CTDoc::setTitle(const std::string& title)
{
    fw::Document::setTitle(m_sCustomTitle.empty() ? title : m_sCustomTitle);
}

bool CTDoc::onNewDocument()
{
    if (!CTGXDoc::onNewDocument())
        return false;
    if (ps != nullptr) {
        const std::uint32_t id = GetDocID();
        // A window already open on the table hands over its live layout first.
        if (CTDoc* owner = ps->GetTableDoc(id); owner != nullptr && owner != this)
            owner->StoreDocumentInfo();
        if (KvLayoutEntry* entry = ps->GetLayout(id))
            entry->open = 1;
        ps->SetTableDoc(id, this);
    }
    LoadDocumentInfo();
    SetDocDescription();
    return true;
}

void CTDoc::LoadDocumentInfo()
{
    const KvLayoutEntry none;
    const KvLayoutEntry* stored = Entry();
    const KvLayoutEntry& entry = stored != nullptr ? *stored : none;
    AddColumnTitles();
    m_selected.clear();
    if (!entry.selected.empty())
        m_selected = entry.selected;
    else
        AddDefaultSelColumns();
    m_width.clear();
    if (!entry.widths.empty())
        m_width = entry.widths;
    else
        m_width.assign(static_cast<std::size_t>(std::max(GetMaxColumns(), 0)), 0);
    m_colorRefs.clear();
    if (!entry.colours.empty())
        m_colorRefs = entry.colours;
    else
        AddDefaultColors();
    m_defaultBack = entry.defaultBack.ref;
    m_defaultText = entry.defaultText.ref;
    m_fixedColumns = entry.fixed;
    m_sortKeys = entry.sortKeys;
    m_zoom = entry.zoom;
    m_fitWindow = entry.fit;
    if (ps != nullptr && ps->m_settings.options.restorePositions)
        m_wndPlacement = entry.placement;
}

void CTDoc::StoreDocumentInfo()
{
    KvLayoutEntry* entry = Entry();
    StoreColumnWidths();
    if (CTDocWindow* window = GetWindow()) {
        m_wndPlacement = window->GetFramePlacement();
    } else {
        // No window: no position to keep, and the table counts as closed.
        if (entry != nullptr)
            entry->open = 0;
        m_wndPlacement.normalPosition = fw::Rect { -1, -1, -1, -1 };
    }
    m_wndPlacement.length = fw::WindowPlacement::kSize;
    if (entry == nullptr)
        return;
    entry->selected = m_selected;
    entry->widths = m_width;
    entry->fixed = m_fixedColumns;
    entry->sortKeys = m_sortKeys;
    entry->zoom = m_zoom;
    entry->fit = m_fitWindow;
    entry->colours = m_colorRefs;
    entry->defaultBack = fw::Color { m_defaultBack };
    entry->defaultText = fw::Color { m_defaultText };
    entry->placement = m_wndPlacement;
}

void CTDoc::onCloseDocument()
{
    if (isClosing())
        return;
    StoreDocumentInfo();
    if (ps != nullptr) {
        const std::uint32_t id = GetDocID();
        CTDoc* next = nullptr;
        if (fw::DocTemplateBase* tmpl = docTemplate()) {
            for (const auto& doc : tmpl->documents()) {
                auto* table = dynamic_cast<CTDoc*>(doc.get());
                if (table != nullptr && table != this && !table->isClosing()) {
                    next = table;
                    break;
                }
            }
        }
        if (KvLayoutEntry* entry = ps->GetLayout(id))
            entry->open = next != nullptr ? 1 : 0;
        ps->SetTableDoc(id, next);
    }
    CTGXDoc::onCloseDocument();
}

const std::uint8_t* CTDoc::GetRowData(int row) const
{
    if (row < 0 || static_cast<std::size_t>(row) >= m_aRows.size() || !m_aRows[static_cast<std::size_t>(row)])
        return nullptr;
    return m_aRows[static_cast<std::size_t>(row)]->GetData();
}

int CTDoc::GetRowCount() const { return static_cast<int>(m_aRows.size()); }

void CTDoc::UpdateDocument(intptr_t hint, fw::Hint* object)
{
    ApplyFilter(true);
    CTGXDoc::UpdateDocument(hint, object);
}

void CTDoc::Serialize(fw::Archive& ar)
{
    CTGXDoc::Serialize(ar);
    CTDocWindow* window = GetWindow();
    if (ar.isStoring()) {
        fw::WindowPlacement placement = window != nullptr ? window->GetFramePlacement() : m_wndPlacement;
        placement.length = fw::WindowPlacement::kSize;
        fw::writePlacement(ar, placement);
        ar.writeWord(window != nullptr && window->IsFrameAlwaysOnTop() ? 1 : 0);
        ar.writeWord(window == nullptr || window->FrameHasCaption() ? 1 : 0);
        ar.writeString(m_sCustomTitle);
        return;
    }
    // Read the window's part whole before any of it takes effect.
    const fw::WindowPlacement placement = fw::readPlacement(ar);
    const std::uint16_t onTop = ar.readWord();
    const std::uint16_t caption = ar.readWord();
    std::string title = ar.readString();
    m_wndPlacement = placement;
    if (ps != nullptr)
        ps->SetTableDoc(GetDocID(), this);
    if (window != nullptr && onTop == 1)
        window->SetFrameAlwaysOnTop();
    if (window != nullptr && caption == 0)
        window->RemoveFrameCaption();
    m_sCustomTitle = std::move(title);
    if (!m_sCustomTitle.empty())
        setTitle(m_sCustomTitle);
    if (window != nullptr) {
        window->ApplyLayout();
        window->SetFramePlacement(m_wndPlacement);
    }
}

std::string CTDoc::TestDump() const
{
    const std::uint32_t id = GetDocID();
    return "   ID = " + std::to_string(id) + " (" + fw::loadString(id) + ")\r\n";
}
