// Texts between the engine (UTF-8) and the windows (QString).
#pragma once

#include <QString>
#include <string>

inline QString Q(const char* text) { return QString::fromUtf8(text); }
inline QString Q(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string U8(const QString& text) { return text.toUtf8().toStdString(); }
