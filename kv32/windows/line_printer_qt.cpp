#include "kv32/windows/line_printer_qt.h"

#include <algorithm>

#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include "fw/core/strings.h"
#include "fw/ui/text.h"

namespace {
constexpr unsigned kAppTitleId = 57344;
}

CQtLinePrintDevice::CQtLinePrintDevice() = default;

CQtLinePrintDevice::CQtLinePrintDevice(std::string pdfBase)
    : m_pdfBase(std::move(pdfBase))
{
}

CQtLinePrintDevice::~CQtLinePrintDevice()
{
    if (m_painter && m_painter->isActive())
        m_painter->end();
}

bool CQtLinePrintDevice::OpenDefault()
{
    if (!m_pdfBase.empty()) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setOutputFormat(QPrinter::PdfFormat);
        return true;
    }
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return false;
    m_printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    return m_printer->isValid();
}

CLinePrintDevice::Caps CQtLinePrintDevice::Capabilities() const
{
    if (!m_printer)
        return {};
    return { m_printer->logicalDpiX(), m_printer->logicalDpiY(), m_printer->width(), m_printer->height() };
}

CLinePrintDevice::TextSize CQtLinePrintDevice::MakeFont(int height)
{
    m_font = QFont();
    m_font.setFamilies({ QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Monospace") });
    m_font.setStyleHint(QFont::TypeWriter);
    m_font.setFixedPitch(true);
    m_font.setWeight(QFont::Normal);
    m_font.setPixelSize(std::max(1, height));
    if (!m_printer)
        return {};
    const QFontMetrics fm(m_font, m_printer.get());
    m_nAscent = fm.ascent();
    // The widest of the two, so that a full line never runs past the clip.
    const int charWidth = std::max(fm.averageCharWidth(), fm.horizontalAdvance(QLatin1Char('W')));
    return { fm.height(), std::max(0, fm.leading()), charWidth };
}

bool CQtLinePrintDevice::StartDoc(const std::string& name)
{
    if (!m_printer)
        return false;
    if (!m_pdfBase.empty()) {
        m_lastFile = m_pdfBase + "-" + std::to_string(++m_nDocs) + ".pdf";
        m_printer->setOutputFileName(QString::fromStdString(m_lastFile));
    }
    m_printer->setDocName(fw::toQt(name.empty() ? fw::loadString(kAppTitleId) : name));
    m_painter = std::make_unique<QPainter>();
    if (!m_painter->begin(m_printer.get())) {
        m_painter.reset();
        return false;
    }
    m_painter->setFont(m_font);
    m_painter->setPen(Qt::black);
    return true;
}

bool CQtLinePrintDevice::StartPage()
{
    // QPainter::begin opened the first page; every document has one page.
    return m_painter && m_painter->isActive();
}

bool CQtLinePrintDevice::EndPage()
{
    return m_painter && m_painter->isActive();
}

bool CQtLinePrintDevice::EndDoc()
{
    if (!m_painter)
        return false;
    const bool ok = m_painter->end();
    m_painter.reset();
    return ok;
}

void CQtLinePrintDevice::AbortDoc()
{
    if (m_painter && m_painter->isActive()) {
        m_printer->abort();
        m_painter->end();
    }
    m_painter.reset();
}

void CQtLinePrintDevice::DrawLine(int x, int y, int width, int lineHeight, std::string_view text)
{
    if (!m_painter || text.empty())
        return;
    m_painter->save();
    m_painter->setClipRect(QRect(x, y, width, lineHeight));
    m_painter->drawText(QPoint(x, y + m_nAscent), fw::toQt(text));
    m_painter->restore();
}

LinePrinterFactory QtLinePrinter()
{
    return [] {
        return std::make_unique<CDeviceLinePrint>(std::make_unique<CQtLinePrintDevice>(), fw::loadString(kAppTitleId));
    };
}
