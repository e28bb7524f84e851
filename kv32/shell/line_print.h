// The print log's line printer over a printing device: one fixed-pitch line
// after another, a text longer than a line cut at exact character counts onto
// the lines that follow, and a new document for every page (the device is a
// page printer) unless the user prints directly, where only the end of the
// log ends the document. The device is an interface so that the layout can be
// tested without a printer; the program's device is Qt's default printer.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "kv32/shell/print_log.h"

// What the line printer asks of a printer. Sizes are device units.
class CLinePrintDevice {
public:
    virtual ~CLinePrintDevice() = default;

    struct Caps {
        int pixelsPerInchX = 0;
        int pixelsPerInchY = 0;
        int printableWidth = 0;
        int printableHeight = 0;
    };
    struct TextSize {
        int height = 0; // ascent plus descent
        int externalLeading = 0;
        int averageCharWidth = 0;
    };

    // Finds the default printer without asking the user; false when there is none.
    virtual bool OpenDefault() = 0;
    virtual Caps Capabilities() const = 0;
    // Makes the fixed-pitch printing font of this height and measures it on the printer.
    virtual TextSize MakeFont(int height) = 0;
    virtual bool StartDoc(const std::string& name) = 0;
    virtual bool StartPage() = 0;
    virtual bool EndPage() = 0;
    virtual bool EndDoc() = 0;
    virtual void AbortDoc() = 0;
    // Draws a text (Windows-1250) at x, y, clipped to the band from x to x + width.
    virtual void DrawLine(int x, int y, int width, int lineHeight, std::string_view text) = 0;
};

class CDeviceLinePrint : public CLinePrint {
public:
    // appName names the printed documents.
    CDeviceLinePrint(std::unique_ptr<CLinePrintDevice> device, std::string appName);
    ~CDeviceLinePrint() override;

    bool OpenDefaultPrinter(bool directPrint, int fontSize) override;
    bool PrintLine(const std::string& line) override { return Print(line) != 0; }
    void EndDocument() override { End(); }

    // One log line; 1 when it was printed (or ignored while suspended), 0 when
    // the printer failed.
    int Print(std::string_view text);
    // Ends the open document; 0 (after aborting it) when the printer failed.
    int End();

    void Suspend(bool suspended) { m_bSuspended = suspended; }
    bool IsDocOpen() const { return m_bDocOpen; }
    int LinesOnPage() const { return m_nLines; }
    int LinesPerPage() const { return m_nLinesPerPage; }
    int CharsPerLine() const { return m_nCharsPerLine; }
    int LineHeight() const { return m_nLineHeight; }
    CLinePrintDevice& Device() { return *m_device; }

    // The font height in device units for a point size at a vertical resolution.
    static int FontHeight(int pixelsPerInchY, int pointSize) { return (pixelsPerInchY * pointSize + 71) / 72; }

private:
    std::unique_ptr<CLinePrintDevice> m_device;
    std::string m_appName;
    bool m_bSuspended = false;
    bool m_bOpen = false;
    bool m_bDocOpen = false;
    bool m_bDirect = false;
    int m_nLines = 0;
    int m_nLinesPerPage = 1;
    int m_nCharsPerLine = 1;
    int m_nLineHeight = 1;
    CLinePrintDevice::Caps m_caps;
};
