#include "kvcore/gridview/xl_file_port.h"

#include "fw/core/clock.h"
#include "fw/core/codepage.h"
#include "fw/ui/app.h"
#include "kvcore/app/session_core.h"

#include <QCoreApplication>

namespace kvcore {

namespace {

constexpr uint32_t kSyncTimer = 1;

// New links write to a workbook in the user's settings folder named after the program.
[[maybe_unused]] const bool kRegistered = (CXLView::SetPortFactory([] {
    const std::string program = QCoreApplication::instance() ? QCoreApplication::applicationName().toStdString() : "";
    return std::make_unique<XLFilePort>(sSettingsPath, program);
}),
    true);

} // namespace

XLFilePort::XLFilePort(std::string folder, std::string program)
    : m_folder(std::move(folder)), m_program(program.empty() ? "kv32" : std::move(program)), m_link(fw::makeXlsxLink())
{
}

XLFilePort::~XLFilePort()
{
    if (fw::App* app = fw::App::instance())
        app->killTimer(this, kSyncTimer);
    if (m_pending)
        Sync();
}

bool XLFilePort::OpenSheet(const std::string& sheetName)
{
    m_path = m_folder + m_program + "_" + fw::cp1250ToUtf8(sheetName) + ".xlsx";
    // The first write shows at once whether the folder takes the workbook.
    if (!m_link->open(m_path, sheetName) || !m_link->sync()) {
        m_link->close();
        return false;
    }
    ++m_syncs; // the table itself follows at once, with the link's first update
    return true;
}

void XLFilePort::PutRange(const XLRange& range, const std::vector<std::vector<std::string>>& values)
{
    for (std::size_t i = 0; i < values.size(); ++i) {
        const int sheetRow = range.firstRow + static_cast<int>(i);
        if (sheetRow == 1) {
            m_link->setTitles(values[i]);
            continue;
        }
        std::vector<fw::SpreadsheetCell> cells;
        cells.reserve(values[i].size());
        for (const std::string& text : values[i])
            cells.push_back({ text, std::nullopt });
        m_link->setRow(static_cast<std::size_t>(sheetRow - 2), std::move(cells));
    }
}

void XLFilePort::MarkSaved()
{
    m_pending = true;
    const int64_t since = fw::clock().steadyMs() - m_lastSyncMs;
    if (!m_synced || since >= kMinIntervalMs) {
        Sync();
        return;
    }
    if (fw::App* app = fw::App::instance())
        app->setTimer(this, kSyncTimer, static_cast<int>(kMinIntervalMs - since));
}

void XLFilePort::onTimer(uint32_t timerId)
{
    if (timerId != kSyncTimer)
        return;
    if (fw::App* app = fw::App::instance())
        app->killTimer(this, kSyncTimer);
    if (m_pending)
        Sync();
}

void XLFilePort::Sync()
{
    if (!m_link->isOpen())
        return;
    // A failed write keeps the changes pending for the next update or the end of the link.
    if (!m_link->sync())
        return;
    m_pending = false;
    m_synced = true;
    m_lastSyncMs = fw::clock().steadyMs();
    ++m_syncs;
}

} // namespace kvcore
