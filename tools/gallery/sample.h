#pragma once
// The gallery's own sample resources and grid data, so there is always something to render.
#include "fw/core/menu.h"
#include "fw/ui/gridsource.h"

#include <cstdint>
#include <vector>

namespace gallery {

inline constexpr uint32_t kSampleDialog = 900;

void registerSampleResources();
fw::Menu sampleMenu();

// A list of securities with bid, offer, last price, volume and time.
class SampleSource : public fw::GridSource {
public:
    int rowCount() const override;
    int columnCount() const override;
    bool cellStyle(int row, int col, fw::CellStyle& style) const override;
};

} // namespace gallery
