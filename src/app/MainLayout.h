#pragma once
// The main window's resize rules, as a pure computation in twips with 32-bit float arithmetic.

namespace velloran {

struct MainBarWidths {
    float exit = 1095.0f;        // cmdExit
    float back = 1095.0f;        // cmdBack
    float saveAsJpeg = 1575.0f;  // cmdSaveAsJPEG
    float heading = 0.0f;        // lblHeading, as fitted to its text
    float url = 0.0f;            // lblURL, as fitted to its text
    float draconic = 1600.0f;    // cmdDraconian (the natal and comparison buttons match it)
};

struct MainBarLefts {
    float exit, back, saveAsJpeg, heading, url, draconic, natal, comparison;
};

// Lefts of the bar controls for a main window of outer width windowWidth on a screen of width
// screenWidth (both twips). The bottom buttons follow the window's right edge, the heading and
// link are centred on the window, and the chart buttons are centred on the screen.
MainBarLefts ComputeMainBarLayout(float windowWidth, float screenWidth, const MainBarWidths& w);

// Left of the chart window inside the main window's frame: centred on the screen.
float ChartWindowLeft(float screenWidth, float chartWindowWidth);

}  // namespace velloran
