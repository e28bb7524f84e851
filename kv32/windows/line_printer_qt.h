// The print log's printer device on Qt: the system's default printer, found
// without a dialog, or PDF files for tests and for a machine without a printer
// driver. Each document of the log is one print job.
#pragma once

#include <memory>
#include <string>

#include <QFont>

#include "kv32/shell/line_print.h"

class QPainter;
class QPrinter;

class CQtLinePrintDevice : public CLinePrintDevice {
public:
    // The default printer.
    CQtLinePrintDevice();
    // PDF files instead: the n-th document (counting from 1) goes to
    // "<pdfBase>-<n>.pdf".
    explicit CQtLinePrintDevice(std::string pdfBase);
    ~CQtLinePrintDevice() override;

    bool OpenDefault() override;
    Caps Capabilities() const override;
    TextSize MakeFont(int height) override;
    bool StartDoc(const std::string& name) override;
    bool StartPage() override;
    bool EndPage() override;
    bool EndDoc() override;
    void AbortDoc() override;
    void DrawLine(int x, int y, int width, int lineHeight, std::string_view text) override;

    // The file the last document went to (PDF only).
    const std::string& LastFile() const { return m_lastFile; }

private:
    std::string m_pdfBase;
    std::string m_lastFile;
    int m_nDocs = 0;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<QPainter> m_painter;
    QFont m_font;
    int m_nAscent = 0;
};

// The program's print-log printers: Qt's default printer.
LinePrinterFactory QtLinePrinter();
