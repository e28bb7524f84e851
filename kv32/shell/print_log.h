// The print log: orders and trades printed line by line as they arrive, when
// the profile's PrintLog is on. The windowed program prints on Qt's default
// printer (kv32/windows/line_printer_qt.h); the window-free logic has a printer
// that finds no default printer, and tests install their own.
#pragma once

#include <functional>
#include <memory>
#include <string>

class CLinePrint {
public:
    virtual ~CLinePrint() = default;
    // Opens the default printer; false when there is none.
    virtual bool OpenDefaultPrinter(bool directPrint, int fontSize) = 0;
    // False when the line could not be printed.
    virtual bool PrintLine(const std::string& line) = 0;
    // Ends the open document, which sends it to the printer.
    virtual void EndDocument() { }
};

// The program's print-log printer while the print log is on (the application
// owns it and installs it here), else null.
CLinePrint*& KvPrintLog();
// One line on the print log when it is on; false when it is off. A line the
// printer fails to print turns the print log off for the run and leaves a
// printing failure for the receive step to report.
bool KvPrintLogLine(const std::string& line);
// A printing failure not reported yet; taken once.
bool KvTakePrintLogFailure();

// Makes a printer object; null when it cannot be made.
using LinePrinterFactory = std::function<std::unique_ptr<CLinePrint>()>;

// A printer that never finds a default printer.
LinePrinterFactory NoLinePrinter();

// The factory the program makes its print-log printers with; empty (no
// printer) until the windowed application installs its own.
LinePrinterFactory& KvLinePrinterFactory();

struct CKvAppSettings;

// With PrintLog on, makes the printer and opens the default printer with it.
// When either fails, the user is told once, PrintLog is turned off for the run
// and the result is null; start-up goes on in every case.
std::unique_ptr<CLinePrint> KvOpenPrintLog(CKvAppSettings& settings, const LinePrinterFactory& factory);

// The setup dialog's switch. On while no printer is installed: a printer is
// made with KvLinePrinterFactory() and opened; when that fails the user is
// told (10256), and PrintLog goes back to 0. Off while a printer is
// installed: its document is ended and it is removed (and deleted when the
// switch made it). Returns the PrintLog flag in force afterwards.
int KvSwitchPrintLog(CKvAppSettings& settings, bool on);
