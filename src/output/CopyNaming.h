#pragma once
// Target naming of the JPEG save: base name up to the first dot plus ".jpg", then numbered
// copies base_001.jpg .. base_999.jpg when the name is taken.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velloran {

// Folder (with trailing separator) and file name "base.jpg" for a chosen path.
struct JpegTarget {
    std::string folder;
    std::string fileName;
};
JpegTarget JpegTargetFor(std::string_view chosenPath);

// The path to write, or nothing when the name and all 999 numbered names exist.
std::optional<std::string> NumberedCopyPath(std::string folder, const std::string& fileName,
                                            const std::function<bool(const std::string&)>& exists);

// The message box texts shown when every numbered name is taken.
std::string TooManyCopiesText(const std::string& fileName);
std::string TooManyCopiesTitle(const std::string& fileName);

}  // namespace velloran
