#include "kv32/shell/print_log.h"

#include <utility>

#include "fw/core/msgbox.h"
#include "kv32/res/ids.h"
#include "kv32/res/strings.h"
#include "kv32/shell/app_settings.h"
#include "kvcore/app/message_box.h"

namespace {

class CNoLinePrint : public CLinePrint {
public:
    bool OpenDefaultPrinter(bool /*directPrint*/, int /*fontSize*/) override { return false; }
    bool PrintLine(const std::string& /*line*/) override { return true; }
};

bool& PrintLogFailed()
{
    static bool failed = false;
    return failed;
}

} // namespace

CLinePrint*& KvPrintLog()
{
    static CLinePrint* printer = nullptr;
    return printer;
}

bool KvPrintLogLine(const std::string& line)
{
    CLinePrint* printer = KvPrintLog();
    if (printer == nullptr || KvAppSettings().bPrintLog == 0)
        return false;
    if (printer->PrintLine(line))
        return true;
    KvAppSettings().bPrintLog = 0;
    PrintLogFailed() = true;
    return false;
}

bool KvTakePrintLogFailure()
{
    return std::exchange(PrintLogFailed(), false);
}

LinePrinterFactory NoLinePrinter()
{
    return [] { return std::make_unique<CNoLinePrint>(); };
}

LinePrinterFactory& KvLinePrinterFactory()
{
    static LinePrinterFactory factory;
    return factory;
}

namespace {
// The printer the setup dialog made; the application keeps the one of start-up.
std::unique_ptr<CLinePrint>& SwitchedPrinter()
{
    static std::unique_ptr<CLinePrint> printer;
    return printer;
}
} // namespace

int KvSwitchPrintLog(CKvAppSettings& settings, bool on)
{
    settings.bPrintLog = on ? 1 : 0;
    if (on && KvPrintLog() == nullptr) {
        std::unique_ptr<CLinePrint> printer = KvOpenPrintLog(settings, KvLinePrinterFactory());
        KvPrintLog() = printer.get();
        SwitchedPrinter() = std::move(printer);
    } else if (!on && KvPrintLog() != nullptr) {
        KvPrintLog()->EndDocument();
        KvPrintLog() = nullptr;
        SwitchedPrinter().reset();
    }
    return settings.bPrintLog;
}

std::unique_ptr<CLinePrint> KvOpenPrintLog(CKvAppSettings& settings, const LinePrinterFactory& factory)
{
    if (settings.bPrintLog == 0)
        return nullptr;
    std::unique_ptr<CLinePrint> printer = factory ? factory() : nullptr;
    if (printer && printer->OpenDefaultPrinter(settings.bDirectPrint != 0, settings.nLogFontSize))
        return printer;
    KvMessageBox(Kv32LoadString(IDS_NO_DEFAULT_PRINTER), fw::MB_ICONEXCLAMATION);
    settings.bPrintLog = 0;
    return nullptr;
}
