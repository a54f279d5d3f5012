// Fuzzes the saved-reading reader: any bytes are either refused or applied to the form, and a
// form that passes validation is calculated, exported and shown in every view. Traps when a
// decoded line does not survive scrambling again, when a reading that opened cannot be saved
// again or its saved file does not open, or a re-written reading reads back differently.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "chart/ChartFill.h"
#include "input/ReadingFile.h"
#include "input/Scramble.h"
#include "input/Validation.h"
#include "output/TextExport.h"
#include "reading/Reading.h"

using namespace velloran;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto lines = ReadReadingFile(bytes);
    if (!lines) return 0;
    for (const std::string& line : *lines) {
        if (UnscrambleText(ScrambleText(line)) != line) __builtin_trap();
    }
    FormInput form;
    if (!ApplyReadingToForm(*lines, form)) return 0;

    // Whatever opened can be saved again, and the saved file opens.
    ReadingState opened;
    CopyFormToState(form, opened);
    if (ReadingSaveProblem(opened.Birth, form.zoneIndex)) __builtin_trap();
    const std::string saved = WriteReadingFile(opened.Birth, form.zoneIndex);
    auto savedLines = ReadReadingFile(saved);
    FormInput savedForm;
    if (saved.size() > kMaxReadingBytes || !savedLines ||
        !ApplyReadingToForm(*savedLines, savedForm))
        __builtin_trap();

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
    if (!ApplyReadingToForm(*again, reopened)) __builtin_trap();
    ReadingState copy;
    CopyFormToState(reopened, copy);
    if (!(copy.Birth == state.Birth)) __builtin_trap();

    ShowComparisonView(state, window);
    ShowNatalView(state, window);
    ShowDraconicView(state, window);
    ShowComparisonView(state, window);
    return 0;
}
