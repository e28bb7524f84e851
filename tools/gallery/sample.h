#pragma once
// The gallery's own sample resources and grid data, so there is always something to render.
// Numbers, dates and times follow fw::displayLocale(), names the current language.
#include "fw/core/menu.h"
#include "fw/ui/gridsource.h"

#include <QDateTime>
#include <cstdint>
#include <string>
#include <vector>

namespace gallery {

inline constexpr uint32_t kSampleDialog = 900;
inline constexpr uint32_t kLogOn = 35940;
inline constexpr uint32_t kLogOff = 35941;
inline constexpr uint32_t kZoomIn = 35984;

void registerSampleResources();
fw::Menu sampleMenu();
// A command's menu text, and the same text as a bar button shows it.
std::string commandText(uint32_t id);
std::string buttonText(uint32_t id);

// Values in the display locale (Windows-1250).
std::string price(int hundredths);
std::string volume(int v);
std::string formatMoment(const QDateTime& moment, bool time);

// A list of securities with bid, offer, last price, volume and time.
class SampleSource : public fw::GridSource {
public:
    int rowCount() const override;
    int columnCount() const override;
    bool cellStyle(int row, int col, fw::CellStyle& style) const override;
};

} // namespace gallery
