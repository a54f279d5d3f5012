// Fuzzes the saved-reading reader: any bytes are either refused or applied to the form, and a
// form that passes validation is calculated, exported and shown in every view. Traps when a
// decoded line does not survive scrambling again, when a reading that opened cannot be saved
// again or its saved file does not open, or a re-written reading reads back differently.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "chart/ChartWindow.h"
#include "input/FormCopy.h"
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
    const BirthInput opened = BirthFromForm(form);
    if (ReadingSaveProblem(opened.birth, form.zoneIndex)) __builtin_trap();
    const std::string saved = WriteReadingFile(opened.birth, form.zoneIndex);
    auto savedLines = ReadReadingFile(saved);
    FormInput savedForm;
    if (saved.size() > kMaxReadingBytes || !savedLines ||
        !ApplyReadingToForm(*savedLines, savedForm))
        __builtin_trap();

    if (ValidateInput(form, true)) return 0;

    // Every birth the form accepts is calculated.
    const Calculation calculated = Calculate(opened);
    if (!calculated.reading) __builtin_trap();
    const Reading& reading = *calculated.reading;
    std::string exported = ExportText(reading, EnglishMonthNames());
    if (exported.size() < 6 || exported.substr(exported.size() - 3) != "\r\r\n") __builtin_trap();

    // The reading as saved from this reading reads back to the same birth data.
    auto again = ReadReadingFile(WriteReadingFile(reading.birth(), form.zoneIndex));
    if (!again) __builtin_trap();
    FormInput reopened;
    if (!ApplyReadingToForm(*again, reopened)) __builtin_trap();
    if (!(BirthFromForm(reopened) == reading.input)) __builtin_trap();

    for (const ChartView view : {ChartView::Comparison, ChartView::Natal, ChartView::Draconic})
        MakeChartWindow(reading, view, EnglishMonthNames());
    return 0;
}
