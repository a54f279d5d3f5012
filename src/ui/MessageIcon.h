#pragma once
// The icon of a message box.

namespace velloran {

enum class MessageIcon { Error, Information, Question };

}  // namespace velloran
