#pragma once

#include <QString>

#include <string>
#include <string_view>

// The one crossing between the window's text and the composition core's: both are UTF-16.
inline std::u16string ToU16(const QString& text) { return text.toStdU16String(); }
inline QString ToQString(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}
