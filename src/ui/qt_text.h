#pragma once
#include <QString>
#include <string>

namespace lw::ui {

inline QString q(const std::string& s) { return QString::fromStdString(s); }
inline QString q(std::string_view s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }
inline std::string s(const QString& text) { return text.toStdString(); }

} // namespace lw::ui
