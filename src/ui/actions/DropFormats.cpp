#include "ui/actions/DropFormats.h"

#include <QMimeData>
#include <QStringDecoder>
#include <QStringList>
#include <QUrl>

#include <algorithm>
#include <initializer_list>

// Classic format    MIME types recognised (case-insensitive)
// ----------------  --------------------------------------------------------------
// text              text/plain, text/plain;charset=*  (Windows CF_TEXT/CF_UNICODETEXT
//                   arrive as text/plain); text/uri-list holding web links only
// bitmap            application/x-qt-image (Qt's image; Windows CF_DIB/PNG arrive as
//                   this), any other image/* not named below (png, jpeg, gif, ...)
// Metafile          image/wmf, image/x-wmf, application/x-msmetafile
// EMetafile         image/emf, image/x-emf
// DIB               image/bmp, image/x-bmp, image/x-ms-bmp
// Palette           none: no drag source here offers a palette by itself
// Files             text/uri-list with a file: URL (Windows CF_HDROP arrives as
//                   this); Windows "FileName"/"FileNameW"
// RTF               text/rtf, application/rtf, text/richtext; Windows "Rich Text Format"
// Windows formats without a MIME type reach Qt as
// application/x-qt-windows-mime;value="<format name>".

namespace quorvel::ui {

namespace {

using Names = std::initializer_list<const char*>;

constexpr Names kMetafileTypes = {"image/wmf", "image/x-wmf", "application/x-msmetafile"};
constexpr Names kEnhancedMetafileTypes = {"image/emf", "image/x-emf"};
constexpr Names kDibTypes = {"image/bmp", "image/x-bmp", "image/x-ms-bmp"};
constexpr Names kRtfTypes = {"text/rtf", "application/rtf", "text/richtext"};
constexpr Names kWindowsFileFormats = {"FileName", "FileNameW"};
constexpr Names kWindowsRtfFormats = {"Rich Text Format"};
constexpr Names kVectorImageTypes = {"image/svg+xml"};

QString windowsFormat(const char* name)
{
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(QLatin1String(name));
}

bool isOneOf(const QString& format, Names names)
{
    return std::any_of(names.begin(), names.end(), [&format](const char* name) {
        return format.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    });
}

bool isWindowsFormat(const QString& format, Names names)
{
    return std::any_of(names.begin(), names.end(), [&format](const char* name) {
        return format.compare(windowsFormat(name), Qt::CaseInsensitive) == 0;
    });
}

bool offersAny(const QMimeData& data, bool (*matches)(const QString&))
{
    const QStringList formats = data.formats();
    return std::any_of(formats.begin(), formats.end(), matches);
}

bool isPlainText(const QString& format)
{
    return format.compare(u"text/plain", Qt::CaseInsensitive) == 0 ||
           format.startsWith(u"text/plain;", Qt::CaseInsensitive);
}

bool isRasterImage(const QString& format)
{
    if (format.compare(u"application/x-qt-image", Qt::CaseInsensitive) == 0)
        return true;
    return format.startsWith(u"image/", Qt::CaseInsensitive) && !isOneOf(format, kDibTypes) &&
           !isOneOf(format, kMetafileTypes) && !isOneOf(format, kEnhancedMetafileTypes) &&
           !isOneOf(format, kVectorImageTypes);
}

// The URIs of a text/uri-list, without its comment lines and line ends.
QStringList uriListEntries(const QMimeData& data)
{
    QStringList entries;
    const QString raw = QString::fromUtf8(data.data(QStringLiteral("text/uri-list")));
    for (const QString& line : raw.split(u'\n')) {
        const QString entry = line.trimmed();
        if (!entry.isEmpty() && !entry.startsWith(u'#'))
            entries.append(entry);
    }
    return entries;
}

bool offersFileList(const QMimeData& data)
{
    if (offersAny(data, [](const QString& f) { return isWindowsFormat(f, kWindowsFileFormats); }))
        return true;
    const QStringList entries = uriListEntries(data);
    return std::any_of(entries.begin(), entries.end(),
                       [](const QString& entry) { return QUrl(entry).isLocalFile(); });
}

QString charsetOf(const QString& format)
{
    const qsizetype at = format.indexOf(u"charset=", 0, Qt::CaseInsensitive);
    return at < 0 ? QString() : format.mid(at + 8).section(u';', 0, 0).trimmed();
}

QString plainText(const QMimeData& data)
{
    // Qt's own conversion knows how each platform hands over its native text.
    if (data.hasFormat(QStringLiteral("text/plain;charset=utf-8")) ||
        data.hasFormat(QStringLiteral("text/plain")))
        return data.text();
    const QStringList formats = data.formats();
    const auto found = std::find_if(formats.begin(), formats.end(), isPlainText);
    if (found == formats.end())
        return {};
    const QString charset = charsetOf(*found);
    if (charset.isEmpty() || charset.compare(u"utf-8", Qt::CaseInsensitive) == 0)
        return QString::fromUtf8(data.data(*found));
    QStringDecoder decoder(charset.toLatin1().constData());
    return decoder.isValid() ? decoder.decode(data.data(*found))
                             : QString::fromUtf8(data.data(*found));
}

struct ObjectType {
    const char* name;
    bool (*matches)(const QString& format);
};

constexpr ObjectType kObjectTypes[] = {
    {"bitmap", isRasterImage},
    {"Metafile", [](const QString& f) { return isOneOf(f, kMetafileTypes); }},
    {"EMetafile", [](const QString& f) { return isOneOf(f, kEnhancedMetafileTypes); }},
    {"DIB", [](const QString& f) { return isOneOf(f, kDibTypes); }},
    {"Palette", [](const QString&) { return false; }},
    {"Files", nullptr}, // decided from the whole object, see offersFileList
    {"RTF",
     [](const QString& f) {
         return isOneOf(f, kRtfTypes) || isWindowsFormat(f, kWindowsRtfFormats);
     }},
};

} // namespace

bool dropOffersText(const QMimeData& data)
{
    if (offersFileList(data))
        return false;
    return offersAny(data, isPlainText) || !uriListEntries(data).isEmpty();
}

QString dropText(const QMimeData& data)
{
    if (offersAny(data, isPlainText))
        return plainText(data);
    return uriListEntries(data).join(QStringLiteral("\r\n"));
}

QString dropObjectTypeName(const QMimeData& data)
{
    for (const ObjectType& type : kObjectTypes) {
        const bool offered = type.matches ? offersAny(data, type.matches) : offersFileList(data);
        if (offered)
            return QLatin1String(type.name);
    }
    return QStringLiteral("Unknown");
}

} // namespace quorvel::ui
