// Fuzzes the saved-reading reader: any bytes are either refused or applied to the form, and a
// form that passes validation is calculated, exported and shown in every view. Traps when a
// decoded line does not survive scrambling again or a re-written reading reads back differently.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "chart/ChartFill.h"
#include "input/Validation.h"
#include "output/ReadingFile.h"
#include "output/Scramble.h"
#include "output/TextExport.h"
#include "reading/Driver.h"

using namespace velloran;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto lines = ReadReadingFile(bytes);
    if (!lines) return 0;
    for (const std::string& line : *lines) {
        if (UnscrambleText(ScrambleText(line)) != line) __builtin_trap();
    }
    FormInput form;
    ApplyReadingToForm(*lines, form);
    if (ValidateInput(form, true)) return 0;

    ReadingState state;
    ChartWindowModel window;
    CalculateReading(form, state, EnglishMonthNames(), window);
    std::string exported = ExportText(state, EnglishMonthNames());
    if (exported.size() < 6 || exported.substr(exported.size() - 3) != "\r\r\n") __builtin_trap();

    // The reading as saved from this state reads back to the same birth data.
    auto again = ReadReadingFile(WriteReadingFile(state.Birth, form.zoneIndex));
    if (!again) __builtin_trap();
    FormInput reopened;
    ApplyReadingToForm(*again, reopened);
    ReadingState copy;
    CopyFormToState(reopened, copy);
    if (!(copy.Birth == state.Birth)) __builtin_trap();

    ShowComparisonView(state, window);
    ShowNatalView(state, window);
    ShowDraconicView(state, window);
    ShowComparisonView(state, window);
    return 0;
}
