#include "kv32/shell/line_print.h"

#include <algorithm>

CDeviceLinePrint::CDeviceLinePrint(std::unique_ptr<CLinePrintDevice> device, std::string appName)
    : m_device(std::move(device))
    , m_appName(std::move(appName))
{
}

CDeviceLinePrint::~CDeviceLinePrint()
{
    End();
}

bool CDeviceLinePrint::OpenDefaultPrinter(bool directPrint, int fontSize)
{
    if (!m_device || !m_device->OpenDefault())
        return false;
    m_caps = m_device->Capabilities();
    const CLinePrintDevice::TextSize text = m_device->MakeFont(FontHeight(m_caps.pixelsPerInchY, fontSize));
    // A device that reports nothing useful still prints one character per line
    // and one line per page rather than dividing by zero.
    m_nLineHeight = std::max(1, text.height + text.externalLeading);
    m_nLinesPerPage = std::max(1, m_caps.printableHeight / m_nLineHeight);
    m_nCharsPerLine = std::max(1, m_caps.printableWidth / std::max(1, text.averageCharWidth));
    m_bDirect = directPrint;
    if (m_bDirect)
        m_nLinesPerPage = 1;
    m_bOpen = true;
    return true;
}

int CDeviceLinePrint::Print(std::string_view text)
{
    if (m_bSuspended)
        return 1;
    if (!m_bOpen)
        return 0;
    // An empty line still takes its line on the paper.
    const int pieces = text.empty()
        ? 1
        : static_cast<int>((text.size() + static_cast<size_t>(m_nCharsPerLine) - 1) / static_cast<size_t>(m_nCharsPerLine));
    if (!m_bDirect && m_nLines > 0 && m_nLines + pieces > m_nLinesPerPage) {
        if (!End())
            return 0;
    }
    if (m_nLines == 0 && !m_bDocOpen) {
        if (!m_device->StartDoc(m_appName))
            return 0;
        if (!m_device->StartPage()) {
            m_device->AbortDoc();
            return 0;
        }
        m_bDocOpen = true;
    }
    for (int i = 0; i < pieces; ++i) {
        const size_t from = static_cast<size_t>(i) * static_cast<size_t>(m_nCharsPerLine);
        const std::string_view piece = from < text.size() ? text.substr(from, static_cast<size_t>(m_nCharsPerLine)) : std::string_view();
        m_device->DrawLine(0, (m_nLines + i) * m_nLineHeight, m_caps.printableWidth, m_nLineHeight, piece);
    }
    m_nLines += pieces;
    return 1;
}

int CDeviceLinePrint::End()
{
    if (!m_bDocOpen)
        return 1;
    const bool pageEnded = m_device->EndPage();
    const bool docEnded = pageEnded && m_device->EndDoc();
    m_bDocOpen = false;
    m_nLines = 0;
    if (!docEnded) {
        m_device->AbortDoc();
        return 0;
    }
    return 1;
}
