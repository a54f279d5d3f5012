// A library in the converter's place that lacks BmpToJpeg.

extern "C" __attribute__((visibility("default"))) int ConvertSomethingElse(int value) {
    return value + 1;
}
