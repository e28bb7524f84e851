#pragma once
// Printing a view: the print dialog (or the preview) sets up a QPrinter and the view paints its
// pages. Tests and the PDF export answer through a hook that names a PDF file instead.
#include "fw/ui/fw_ui_api.h"
#include <functional>
#include <optional>
#include <string>

class QPrinter;

namespace fw {

class View;

struct FW_UI_API PrintRequest {
    bool preview = false;
    std::string title; // Windows-1250
};

// The PDF file to print into, or nothing to cancel.
using PrintHook = std::function<std::optional<std::string>(const PrintRequest&)>;
FW_UI_API void setPrintHook(PrintHook hook);

// Runs the print (or preview) of view: onBeginPrinting, onPrint, onEndPrinting. Returns the page
// count, 0 when cancelled or nothing was printed.
FW_UI_API int printView(View& view, bool preview);
// Prints a view straight into a PDF file.
FW_UI_API int printViewToPdf(View& view, const std::string& path);

} // namespace fw
