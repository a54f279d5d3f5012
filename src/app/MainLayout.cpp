#include "app/MainLayout.h"

namespace velloran {

MainBarLefts ComputeMainBarLayout(float windowWidth, float screenWidth, const MainBarWidths& w) {
    constexpr float kExitMargin = 300.0f;
    constexpr float kButtonGap = 100.0f;
    constexpr float kChartButtonGap = 50.0f;
    MainBarLefts l{};
    l.exit = windowWidth - w.exit - kExitMargin;
    l.back = l.exit - w.back - kButtonGap;
    l.saveAsJpeg = l.back - w.saveAsJpeg - kButtonGap;
    l.heading = (windowWidth - w.heading) / 2.0f;
    l.url = (windowWidth - w.url) / 2.0f;
    l.draconic = (screenWidth - w.draconic) / 2.0f;
    l.natal = l.draconic - w.draconic - kChartButtonGap;
    l.comparison = l.draconic + w.draconic + kChartButtonGap;
    return l;
}

float ChartWindowLeft(float screenWidth, float chartWindowWidth) {
    return (screenWidth - chartWindowWidth) / 2.0f;
}

}  // namespace velloran
