#pragma once
// The windows' one conversion between the core's UTF-8 texts and Qt's strings.

#include <QString>
#include <string>
#include <string_view>

namespace velloran {

inline QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}
inline QString Q(const std::string& text) { return QString::fromStdString(text); }
inline QString Q(const char* text) { return Q(std::string_view(text)); }
inline std::string S(const QString& text) { return text.toStdString(); }

}  // namespace velloran
