#pragma once

#include <QString>

#include <string>

namespace vonalor {

// The core keeps its texts as UTF-8 in std::string; Qt wants QString.
inline QString qs(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A widget's text as the core takes it.
inline std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

} // namespace vonalor
