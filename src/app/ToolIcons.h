#pragma once
// Toolbar and program icons drawn in code, sharp at every size and pixel ratio.

#include <QIcon>

namespace velloran {

enum class ToolIcon { New, Save, Print, Help, Program, Contacts };

QIcon MakeToolIcon(ToolIcon which);

}  // namespace velloran
