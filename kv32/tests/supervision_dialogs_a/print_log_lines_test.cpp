// The print log's session lines on a recording printer, with the trading
// system's clock held: the exact logon and logoff lines, and a printer that
// fails turns the print log off without a box and prints nothing more.
#include <gtest/gtest.h>

#include "fw/core/clock.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/frame_work.h"
#include "kv32/shell/print_log.h"
#include "kvcore/values/cdatetime.h"
#include "support/clock_support.h"
#include "support/kv32_fixture.h"
#include "support/recording_printer.h"

namespace {

class PrintLogLines : public kv32test::Kv32Fixture {
protected:
    PrintLogLines()
    {
        KvAppSettings().bPrintLog = 1;
        KvPrintLog() = &printer;
    }
    ~PrintLogLines() override
    {
        KvPrintLog() = nullptr;
        KvAppSettings() = CKvAppSettings();
        KvTakePrintLogFailure();
    }
    static std::string Moment() { return CDateTime(2026, 12, 10, 10, 15, 0).FormatDate() + " " + CDateTime(2026, 12, 10, 10, 15, 0).FormatTime(); }

    fw::ManualClock clock { 0, kvtest::LocalMoment(2026, 12, 10, 10, 15, 0) };
    fw::ClockScope scope { clock };
    kv32test::RecordingPrinter printer;
};

TEST_F(PrintLogLines, LogonAndLogoffPrintTheirExactLines)
{
    KvResetTables();
    clock.setWallTime(kvtest::LocalMoment(2026, 12, 10, 11, 15, 0));
    KvPrintLogLine("O plain line");
    KvPrintLogoff("TRADER01");
    const std::string later = CDateTime(2026, 12, 10, 11, 15, 0).FormatDate() + " "
        + CDateTime(2026, 12, 10, 11, 15, 0).FormatTime();
    EXPECT_EQ(printer.lines,
        (std::vector<std::string> { "User TRADER01 logged in on " + Moment() + ".", "O plain line",
            "User TRADER01 logged off on " + later + "." }));
    EXPECT_EQ(printer.ends, 1);
    EXPECT_FALSE(KvTakePrintLogFailure());
}

TEST_F(PrintLogLines, AFailingPrinterTurnsThePrintLogOffAndPrintsNothingMore)
{
    printer.works = false;
    KvResetTables();
    EXPECT_EQ(KvAppSettings().bPrintLog, 0);
    EXPECT_TRUE(KvTakePrintLogFailure()) << "the failure is left for the receive step";
    KvPrintLogLine("O another line");
    KvPrintLogoff("TRADER01");
    EXPECT_EQ(printer.lines, std::vector<std::string> { "User TRADER01 logged in on " + Moment() + "." });
    EXPECT_EQ(printer.ends, 0);
    EXPECT_TRUE(ui.boxes.empty()) << "no box of its own";
}

} // namespace
