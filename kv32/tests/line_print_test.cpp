#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "fw/core/msgbox.h"
#include "kv32/res/ids.h"
#include "kv32/res/strings.h"
#include "kv32/shell/app_settings.h"
#include "kv32/shell/line_print.h"
#include "kv32/shell/print_log.h"
#include "support/ui_recorder.h"

namespace {

// A printer that writes down what it is asked to do; any step can be made to fail.
class RecordingDevice : public CLinePrintDevice {
public:
    struct Shared {
        std::vector<std::string> calls;
        int fontHeight = 0;
        bool present = true;
        bool failStartDoc = false, failStartPage = false, failEndPage = false, failEndDoc = false;
    };
    RecordingDevice(Shared& shared, Caps caps, TextSize text)
        : m_shared(shared)
        , m_caps(caps)
        , m_text(text)
    {
    }
    bool OpenDefault() override { return m_shared.present; }
    Caps Capabilities() const override { return m_caps; }
    TextSize MakeFont(int height) override
    {
        m_shared.fontHeight = height;
        return m_text;
    }
    bool StartDoc(const std::string& name) override { return Log("StartDoc " + name, m_shared.failStartDoc); }
    bool StartPage() override { return Log("StartPage", m_shared.failStartPage); }
    bool EndPage() override { return Log("EndPage", m_shared.failEndPage); }
    bool EndDoc() override { return Log("EndDoc", m_shared.failEndDoc); }
    void AbortDoc() override { m_shared.calls.push_back("AbortDoc"); }
    void DrawLine(int x, int y, int width, int lineHeight, std::string_view text) override
    {
        m_shared.calls.push_back("Draw " + std::to_string(x) + "," + std::to_string(y) + " w" + std::to_string(width)
            + " h" + std::to_string(lineHeight) + " [" + std::string(text) + "]");
    }

private:
    bool Log(const std::string& call, bool fail)
    {
        m_shared.calls.push_back(call);
        return !fail;
    }
    Shared& m_shared;
    Caps m_caps;
    TextSize m_text;
};

// 10 characters a line (width 100, characters 10 wide), lines 12 high (10 + 2
// leading), 3 lines a page (height 40).
class LinePrint : public ::testing::Test {
protected:
    std::unique_ptr<CDeviceLinePrint> Open(bool direct, CLinePrintDevice::Caps caps = { 72, 72, 100, 40 })
    {
        auto printer = std::make_unique<CDeviceLinePrint>(
            std::make_unique<RecordingDevice>(shared, caps, CLinePrintDevice::TextSize { 10, 2, 10 }), "kv32");
        EXPECT_TRUE(printer->OpenDefaultPrinter(direct, 8));
        return printer;
    }
    RecordingDevice::Shared shared;
};

TEST_F(LinePrint, LongLinesAreCutAtExactCharacterCounts)
{
    struct Case {
        std::string text;
        std::vector<std::string> draws;
    };
    const Case cases[] = {
        { "A", { "Draw 0,0 w100 h12 [A]" } },
        { "0123456789", { "Draw 0,0 w100 h12 [0123456789]" } },
        { "0123456789X", { "Draw 0,0 w100 h12 [0123456789]", "Draw 0,12 w100 h12 [X]" } },
        { "0123456789abcdefghijKLMNO",
            { "Draw 0,0 w100 h12 [0123456789]", "Draw 0,12 w100 h12 [abcdefghij]", "Draw 0,24 w100 h12 [KLMNO]" } },
        // An empty line still takes its place on the paper.
        { "", { "Draw 0,0 w100 h12 []" } },
    };
    for (const Case& c : cases) {
        shared.calls.clear();
        auto printer = Open(false);
        EXPECT_EQ(printer->Print(c.text), 1);
        std::vector<std::string> expected { "StartDoc kv32", "StartPage" };
        expected.insert(expected.end(), c.draws.begin(), c.draws.end());
        EXPECT_EQ(shared.calls, expected) << c.text;
        EXPECT_EQ(printer->LinesOnPage(), static_cast<int>(c.draws.size()));
    }
}

TEST_F(LinePrint, DeviceMeasuresGiveTheLayout)
{
    struct Case {
        int dpiY, fontSize, height;
    };
    for (const Case& c : { Case { 72, 8, 8 }, Case { 96, 8, 11 }, Case { 600, 8, 67 }, Case { 300, 10, 42 } })
        EXPECT_EQ(CDeviceLinePrint::FontHeight(c.dpiY, c.fontSize), c.height) << c.dpiY << " " << c.fontSize;

    auto printer = Open(false, { 600, 600, 4800, 6600 });
    EXPECT_EQ(shared.fontHeight, 67);
    EXPECT_EQ(printer->LineHeight(), 12);
    EXPECT_EQ(printer->LinesPerPage(), 550);
    EXPECT_EQ(printer->CharsPerLine(), 480);
    // A device too small for one character still prints one a line, one line a page.
    auto tiny = Open(false, { 72, 72, 3, 5 });
    EXPECT_EQ(tiny->CharsPerLine(), 1);
    EXPECT_EQ(tiny->LinesPerPage(), 1);
    EXPECT_EQ(Open(true)->LinesPerPage(), 1);
}

TEST_F(LinePrint, PageFullEndsTheDocumentBeforeTheLineThatDoesNotFit)
{
    auto printer = Open(false);
    EXPECT_EQ(printer->Print("one"), 1);
    EXPECT_EQ(printer->Print("two"), 1);
    // Two printed lines; this one needs two more than the page's three.
    EXPECT_EQ(printer->Print("0123456789tail"), 1);
    EXPECT_EQ(printer->Print("four"), 1);
    const std::vector<std::string> expected {
        "StartDoc kv32", "StartPage", "Draw 0,0 w100 h12 [one]", "Draw 0,12 w100 h12 [two]", "EndPage", "EndDoc",
        "StartDoc kv32", "StartPage", "Draw 0,0 w100 h12 [0123456789]", "Draw 0,12 w100 h12 [tail]",
        "Draw 0,24 w100 h12 [four]",
    };
    EXPECT_EQ(shared.calls, expected);
    EXPECT_EQ(printer->End(), 1);
    EXPECT_FALSE(printer->IsDocOpen());
    EXPECT_EQ(printer->End(), 1) << "nothing open: nothing to end";
    EXPECT_EQ(shared.calls.size(), expected.size() + 2);
}

TEST_F(LinePrint, DirectPrintingNeverBreaksThePageByLineCount)
{
    auto printer = Open(true);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(printer->Print("line " + std::to_string(i)), 1);
    EXPECT_EQ(shared.calls.front(), "StartDoc kv32");
    EXPECT_EQ(shared.calls.back(), "Draw 0,84 w100 h12 [line 7]");
    EXPECT_EQ(std::count(shared.calls.begin(), shared.calls.end(), std::string("StartDoc kv32")), 1);
    EXPECT_EQ(std::count(shared.calls.begin(), shared.calls.end(), std::string("EndDoc")), 0);
    EXPECT_EQ(printer->LinesOnPage(), 8);
}

TEST_F(LinePrint, FailuresReturnZeroAndAFailedEndAbortsTheDocument)
{
    struct Case {
        const char* name;
        bool RecordingDevice::Shared::*fail;
        std::vector<std::string> endCalls; // what End() asks after "x" was printed
    };
    const Case cases[] = {
        { "EndPage", &RecordingDevice::Shared::failEndPage, { "EndPage", "AbortDoc" } },
        { "EndDoc", &RecordingDevice::Shared::failEndDoc, { "EndPage", "EndDoc", "AbortDoc" } },
    };
    for (const Case& c : cases) {
        shared = {};
        auto printer = Open(false);
        ASSERT_EQ(printer->Print("x"), 1);
        shared.calls.clear();
        shared.*c.fail = true;
        EXPECT_EQ(printer->End(), 0) << c.name;
        EXPECT_EQ(shared.calls, c.endCalls) << c.name;
        // The aborted document is gone: the next line starts a new one.
        shared.*c.fail = false;
        shared.calls.clear();
        EXPECT_EQ(printer->Print("y"), 1) << c.name;
        EXPECT_EQ(shared.calls.front(), "StartDoc kv32") << c.name;
    }

    // A page break whose end fails loses the line and says so.
    shared = {};
    auto printer = Open(false);
    for (const char* line : { "a", "b", "c" })
        ASSERT_EQ(printer->Print(line), 1);
    shared.failEndDoc = true;
    EXPECT_EQ(printer->Print("d"), 0);

    // Starting: no document, nothing drawn.
    for (bool RecordingDevice::Shared::*fail : { &RecordingDevice::Shared::failStartDoc, &RecordingDevice::Shared::failStartPage }) {
        shared = {};
        auto p = Open(false);
        shared.*fail = true;
        EXPECT_EQ(p->Print("z"), 0);
        EXPECT_FALSE(p->IsDocOpen());
        EXPECT_EQ(std::count_if(shared.calls.begin(), shared.calls.end(), [](const std::string& s) { return s.rfind("Draw", 0) == 0; }), 0);
    }
}

TEST_F(LinePrint, SuspendedAcceptsAndIgnoresLines)
{
    auto printer = Open(false);
    printer->Suspend(true);
    EXPECT_EQ(printer->Print("ignored"), 1);
    EXPECT_TRUE(shared.calls.empty());
    printer->Suspend(false);
    EXPECT_EQ(printer->Print("printed"), 1);
    EXPECT_EQ(shared.calls.back(), "Draw 0,0 w100 h12 [printed]");
}

TEST_F(LinePrint, DestructionEndsAnOpenDocument)
{
    {
        auto printer = Open(false);
        printer->PrintLine("last");
    }
    ASSERT_GE(shared.calls.size(), 2u);
    EXPECT_EQ(shared.calls[shared.calls.size() - 2], "EndPage");
    EXPECT_EQ(shared.calls.back(), "EndDoc");
}

TEST_F(LinePrint, NoPrinterFoundPrintsNothing)
{
    shared.present = false;
    CDeviceLinePrint printer(std::make_unique<RecordingDevice>(shared, CLinePrintDevice::Caps {}, CLinePrintDevice::TextSize {}), "kv32");
    EXPECT_FALSE(printer.OpenDefaultPrinter(false, 8));
    EXPECT_EQ(printer.Print("x"), 0);
    EXPECT_TRUE(shared.calls.empty());
}

class PrintLogSwitch : public ::testing::Test {
protected:
    ~PrintLogSwitch() override
    {
        KvSwitchPrintLog(settings, false);
        KvLinePrinterFactory() = nullptr;
    }
    kv32test::UiRecorder ui;
    CKvAppSettings settings;
    RecordingDevice::Shared shared;
};

TEST_F(PrintLogSwitch, OnWithoutAPrinterTellsTheUserAndStaysOff)
{
    for (bool withFactory : { false, true }) {
        ui.boxes.clear();
        shared.present = false;
        KvLinePrinterFactory() = nullptr;
        if (withFactory)
            KvLinePrinterFactory() = [this] {
                return std::make_unique<CDeviceLinePrint>(
                    std::make_unique<RecordingDevice>(shared, CLinePrintDevice::Caps {}, CLinePrintDevice::TextSize {}), "kv32");
            };
        EXPECT_EQ(KvSwitchPrintLog(settings, true), 0);
        EXPECT_EQ(settings.bPrintLog, 0);
        EXPECT_EQ(KvPrintLog(), nullptr);
        ASSERT_EQ(ui.boxes.size(), 1u);
        EXPECT_EQ(ui.boxes[0].text, Kv32LoadString(IDS_NO_DEFAULT_PRINTER));
        EXPECT_EQ(ui.boxes[0].flags, fw::MB_ICONEXCLAMATION);
    }
}

TEST_F(PrintLogSwitch, OnMakesThePrinterAndOffEndsItsDocument)
{
    KvLinePrinterFactory() = [this] {
        return std::make_unique<CDeviceLinePrint>(
            std::make_unique<RecordingDevice>(shared, CLinePrintDevice::Caps { 72, 72, 100, 40 }, CLinePrintDevice::TextSize { 10, 2, 10 }),
            "kv32");
    };
    EXPECT_EQ(KvSwitchPrintLog(settings, true), 1);
    ASSERT_NE(KvPrintLog(), nullptr);
    EXPECT_TRUE(ui.boxes.empty());
    KvPrintLog()->PrintLine("order 1");
    EXPECT_EQ(KvSwitchPrintLog(settings, false), 0);
    EXPECT_EQ(KvPrintLog(), nullptr);
    EXPECT_EQ(shared.calls.back(), "EndDoc");
}

} // namespace
