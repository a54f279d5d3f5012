#include "output/CopyNaming.h"

#include <cstdio>

namespace velloran {

namespace {

constexpr char kSeparator = '/';
constexpr int kMaxCopies = 999;

std::string BaseName(std::string_view fileName) {
    return std::string(fileName.substr(0, fileName.find('.')));
}

// One left-to-right pass replacing each "//" by "/".
std::string CollapseDoubledSeparators(const std::string& folder) {
    std::string out;
    for (std::size_t i = 0; i < folder.size(); ++i) {
        out.push_back(folder[i]);
        if (folder[i] == kSeparator && i + 1 < folder.size() && folder[i + 1] == kSeparator) ++i;
    }
    return out;
}

}  // namespace

JpegTarget JpegTargetFor(std::string_view chosenPath) {
    std::size_t slash = chosenPath.rfind(kSeparator);
    std::string_view folder =
        slash == std::string_view::npos ? std::string_view{} : chosenPath.substr(0, slash + 1);
    std::string_view fileName =
        slash == std::string_view::npos ? chosenPath : chosenPath.substr(slash + 1);
    return JpegTarget{std::string(folder), BaseName(fileName) + ".jpg"};
}

std::optional<std::string> NumberedCopyPath(std::string folder, const std::string& fileName,
                                            const std::function<bool(const std::string&)>& exists) {
    // A bare file name (no folder) stays relative to the current folder.
    if (!folder.empty() && folder.back() != kSeparator) folder.push_back(kSeparator);
    folder = CollapseDoubledSeparators(folder);
    if (!exists(folder + fileName)) return folder + fileName;
    const std::string base = BaseName(fileName);
    for (int n = 1; n <= kMaxCopies; ++n) {
        char number[8];
        std::snprintf(number, sizeof number, "_%03d", n);
        std::string candidate = folder + base + number + ".jpg";
        if (!exists(candidate)) return candidate;
    }
    return std::nullopt;
}

std::string TooManyCopiesText(const std::string& fileName) {
    return "There are too many Copies of this file  " + fileName;
}

std::string TooManyCopiesTitle(const std::string& fileName) {
    return " UNABLE  TO  CREATE  NEW  FILE" + fileName;
}

}  // namespace velloran
