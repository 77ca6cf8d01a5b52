#include "ui/about/SysInfo.h"

#include "engine/RuntimeError.h"

#include <array>
#include <new>

namespace quorvel::ui {

namespace {

// Read control and every key right: the opening fails for read-only users.
constexpr unsigned long kKeyAccess = 0x2003F;
constexpr unsigned long kBufferSize = 1024;
constexpr unsigned long kTypeString = 1;
constexpr unsigned long kTypeNumber = 4;

const QString kToolFile = QStringLiteral("\\MSINFO32.EXE");

struct SysInfoLookup {
    const char* keyName;
    const char* valueName;
};
constexpr SysInfoLookup kToolPath{"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"};
constexpr SysInfoLookup kToolFolder{"SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"};

RuntimeError invalidCallError()
{
    return RuntimeError(5, "Invalid procedure call or argument");
}

// Little-endian bytes, most significant first, two digits each: a byte below
// 16 keeps its leading zero, or the digits would stand for another number.
QString numberText(const unsigned char* data, std::size_t size)
{
    if (size > sizeof(quint32))
        throw overflowError();
    quint32 value = 0;
    for (std::size_t i = size; i-- > 0;)
        value = (value << 8) | data[i];
    return QString::number(value);
}

bool lookUp(platform::Registry& registry, const SysInfoLookup& lookup, QString& path)
{
    return GetKeyValue(registry, platform::Registry::kLocalMachine,
                       QString::fromLatin1(lookup.keyName), QString::fromLatin1(lookup.valueName),
                       path);
}

bool startTool(platform::Programs& programs, const QString& commandLine)
{
    return !commandLine.isEmpty() && programs.startDetached(commandLine);
}

// True when the tool was started.
bool tryStartSysInfo(platform::Registry& registry, platform::Programs& programs)
{
    QString path;
    if (lookUp(registry, kToolPath, path))
        return startTool(programs, path);
    if (!lookUp(registry, kToolFolder, path))
        return false;
    if (!programs.isOrdinaryFile(path + kToolFile))
        return false;
    return startTool(programs, path + kToolFile);
}

} // namespace

void keyValueFromData(unsigned long type, const unsigned char* data, std::size_t size,
                      QString& KeyVal)
{
    if (size == 0)
        throw invalidCallError();
    // A terminator is the last byte written; an unterminated value stays whole.
    const std::size_t kept = data[size - 1] == 0 ? size - 1 : size;
    if (type == kTypeString)
        KeyVal = QString::fromLocal8Bit(reinterpret_cast<const char*>(data),
                                        static_cast<qsizetype>(kept));
    else if (type == kTypeNumber)
        KeyVal = numberText(data, kept);
}

bool GetKeyValue(platform::Registry& registry, platform::Registry::Key KeyRoot,
                 const QString& KeyName, const QString& SubKeyRef, QString& KeyVal)
{
    platform::Registry::Key key = 0;
    if (registry.openKey(KeyRoot, KeyName.toLocal8Bit().toStdString(), kKeyAccess, key) !=
        platform::Registry::kSuccess) {
        KeyVal.clear();
        return false;
    }
    std::array<unsigned char, kBufferSize> buffer{};
    unsigned long type = 0;
    unsigned long size = kBufferSize;
    const long status =
        registry.queryValue(key, SubKeyRef.toLocal8Bit().toStdString(), type, buffer.data(), size);
    const bool read = status == platform::Registry::kSuccess && size <= kBufferSize;
    try {
        if (read)
            keyValueFromData(type, buffer.data(), size, KeyVal);
        else
            KeyVal.clear();
    } catch (...) {
        registry.closeKey(key);
        throw;
    }
    registry.closeKey(key);
    return read;
}

void StartSysInfo(platform::Services& services, const QString& appTitle)
{
    bool started = false;
    try {
        started = tryStartSysInfo(services.registry, services.programs);
    } catch (const RuntimeError&) {
    } catch (const std::bad_alloc&) {
    }
    if (!started)
        services.dialogs.messageBox(kSysInfoUnavailable, appTitle, MessageStyle::Plain);
}

} // namespace quorvel::ui
