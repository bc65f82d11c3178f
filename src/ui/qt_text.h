#pragma once

#include <QString>

#include <string>

namespace calorix::ui {

// The interface texts are UTF-8 std::strings; Qt wants QStrings.
inline QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace calorix::ui
