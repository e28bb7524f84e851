#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "kv32/windows/line_printer_qt.h"
#include "support/pdf_text.h"

namespace {

class LinePrinterPdf : public ::testing::Test {
protected:
    LinePrinterPdf()
    {
        dir = std::filesystem::temp_directory_path()
            / ("kv32_lineprint_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_"
                + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    ~LinePrinterPdf() override { std::filesystem::remove_all(dir); }
    std::filesystem::path dir;
};

TEST_F(LinePrinterPdf, TheSameLinesAsTheLayoutCutThem)
{
    auto device = std::make_unique<CQtLinePrintDevice>((dir / "log").string());
    CQtLinePrintDevice* pdf = device.get();
    CDeviceLinePrint printer(std::move(device), "kv32");
    ASSERT_TRUE(printer.OpenDefaultPrinter(false, 10));
    const int width = printer.CharsPerLine();
    ASSERT_GT(width, 20);
    ASSERT_GT(printer.LinesPerPage(), 5);

    const std::string order = "ORDER 000000000042 BUY ALFAKO 1500 @ 3330.00 T\xe9szta";
    const std::string longLine = std::string(static_cast<size_t>(width), 'A') + "BBBB";
    EXPECT_EQ(printer.Print(order), 1);
    EXPECT_EQ(printer.Print(longLine), 1);
    EXPECT_EQ(printer.End(), 1);

    const std::vector<std::string> lines = PdfTextLines(pdf->LastFile());
    const std::vector<std::string> expected {
        order.size() <= static_cast<size_t>(width) ? order : order.substr(0, static_cast<size_t>(width)),
        std::string(static_cast<size_t>(width), 'A'),
        "BBBB",
    };
    // pdftotext gives UTF-8; the printed text was Windows-1250 ("é" is 0xE9).
    std::vector<std::string> wanted = expected;
    for (std::string& s : wanted) {
        const size_t at = s.find('\xe9');
        if (at != std::string::npos)
            s.replace(at, 1, "\xc3\xa9");
    }
    EXPECT_EQ(lines, wanted);
}

TEST_F(LinePrinterPdf, EachFullPageIsADocumentOfItsOwn)
{
    auto device = std::make_unique<CQtLinePrintDevice>((dir / "page").string());
    CQtLinePrintDevice* pdf = device.get();
    CDeviceLinePrint printer(std::move(device), "kv32");
    ASSERT_TRUE(printer.OpenDefaultPrinter(false, 72));
    const int perPage = printer.LinesPerPage();
    ASSERT_GT(perPage, 1);
    ASSERT_LT(perPage, 40);
    std::vector<std::string> first, second;
    for (int i = 0; i < perPage + 2; ++i) {
        const std::string line = "L" + std::to_string(i);
        (i < perPage ? first : second).push_back(line);
        ASSERT_EQ(printer.Print(line), 1);
    }
    ASSERT_EQ(printer.End(), 1);
    EXPECT_EQ(PdfTextLines((dir / "page-1.pdf").string()), first);
    EXPECT_EQ(PdfTextLines(pdf->LastFile()), second);
    EXPECT_EQ(pdf->LastFile(), (dir / "page-2.pdf").string());
}

} // namespace
