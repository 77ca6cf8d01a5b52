#pragma once

#include "platform/Services.h"

#include <QString>

#include <cstddef>

namespace quorvel::ui {

inline const QString kSysInfoUnavailable =
    QStringLiteral("System Information Is Unavailable At This Time");

// Reads one value of one registry key as text: string values as they are,
// 32-bit numbers in decimal; other types leave KeyVal as it came. True when
// the key opened and the value was read. A value of size 0 raises run-time
// error 5; a failed open or query empties KeyVal.
bool GetKeyValue(platform::Registry& registry, platform::Registry::Key KeyRoot,
                 const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

// What GetKeyValue makes of the bytes a successful query wrote.
void keyValueFromData(unsigned long type, const unsigned char* data, std::size_t size,
                      QString& KeyVal);

// Starts the system information tool found through the registry, or tells
// the user (titled with appTitle) that it cannot.
void StartSysInfo(platform::Services& services, const QString& appTitle);

} // namespace quorvel::ui
