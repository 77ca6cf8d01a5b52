#pragma once

#include <QString>

#include <string>
#include <string_view>

namespace quorvel::ui {

// The engine's text and Qt's are both 16-bit units: converted unit for unit.
inline QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

inline std::u16string toU16(const QString& text)
{
    return text.toStdU16String();
}

} // namespace quorvel::ui
