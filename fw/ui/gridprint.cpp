#include "fw/core/gridprops.h"
#include "fw/ui/gridview.h"
#include "fw/ui/text.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

namespace fw {

namespace {
QString pageLine(const std::string& pattern, int page)
{
    return toQt(pageText(pattern, page));
}
} // namespace

void GridView::setPrintTexts(std::string header, std::string footer)
{
    printHeader_ = std::move(header);
    printFooter_ = std::move(footer);
}

int GridView::onPrint(QPrinter& printer)
{
    std::string header = printHeader_ ? *printHeader_ : props_.page.header;
    if (!printHeader_ && header.empty() && document())
        header = document()->title();
    return print(printer, header, printFooter_ ? *printFooter_ : props_.page.footer);
}

int GridView::print(QPrinter& printer, const std::string& header, const std::string& footer)
{
    const PageSetup& setup = props_.page;
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                      setup.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                                      QMarginsF(setup.marginLeft, setup.marginTop, setup.marginRight, setup.marginBottom),
                                      QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    // Printing always uses the unzoomed layout.
    QFont font = baseFont_;
    painter.setFont(font);
    QFontMetrics fm(font, &printer);
    const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRect area(0, 0, page.width(), page.height());
    const int lineH = fm.height() + 4;
    const int cols = model_.columnCount();
    const int rows = model_.rowCount();
    const double dpiScale = printer.resolution() / 96.0;

    std::vector<int> widths;
    int total = 0;
    for (int c = 1; c <= cols; ++c) {
        int w = static_cast<int>(colWidth(c) * dpiScale);
        widths.push_back(w);
        total += w;
    }
    // Columns that do not fit the page width are narrowed together.
    double shrink = total > area.width() && total > 0 ? double(area.width()) / total : 1.0;
    for (int& w : widths)
        w = std::max(1, static_cast<int>(w * shrink));

    const int top = area.top() + lineH * 2;
    const int bottom = area.bottom() - lineH * 2;
    const int perPage = std::max(1, (bottom - top) / lineH - 1);
    int pages = 0;
    int row = 1;
    QFont bold = font;
    bold.setBold(true);
    do {
        if (pages > 0)
            printer.newPage();
        ++pages;
        painter.setFont(font);
        painter.drawText(QRect(area.left(), area.top(), area.width(), lineH), Qt::AlignHCenter | Qt::AlignVCenter,
                         pageLine(header, pages));
        int y = top;
        int x = area.left();
        painter.setFont(bold);
        for (int c = 1; c <= cols; ++c) {
            QRect cell(x, y, widths[static_cast<size_t>(c - 1)], lineH);
            painter.drawText(cell.adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, toQt(model_.style(0, c).value));
            x += cell.width();
        }
        painter.drawLine(area.left(), y + lineH, x, y + lineH);
        y += lineH;
        painter.setFont(font);
        for (int n = 0; n < perPage && row <= rows; ++n, ++row) {
            x = area.left();
            for (int c = 1; c <= cols; ++c) {
                int w = widths[static_cast<size_t>(c - 1)];
                const CellStyle& s = model_.style(row, c);
                QRect cell(x, y, w, lineH);
                int align = s.align == Align::Right ? Qt::AlignRight : s.align == Align::Center ? Qt::AlignHCenter : Qt::AlignLeft;
                painter.drawText(cell.adjusted(2, 0, -2, 0), align | Qt::AlignVCenter,
                                 GridDelegate::shownText(s, fm, w - 4));
                x += w;
            }
            y += lineH;
        }
        painter.drawText(QRect(area.left(), bottom + lineH, area.width(), lineH), Qt::AlignHCenter | Qt::AlignVCenter,
                         pageLine(footer, pages));
    } while (row <= rows);
    painter.end();
    return pages;
}

} // namespace fw
