#include "platform/qt/QtHostNames.h"

#include <algorithm>

#include <QChar>
#include <QList>
#include <QString>
#include <QStringView>
#include <QUrl>

namespace quorvel::platform {

namespace {

QString toQString(std::u16string_view text)
{
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

std::u16string fromQString(const QString& text)
{
    return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                          static_cast<std::size_t>(text.size()));
}

// A label with a letter of a script other than Latin either mixes scripts or
// shows as another script than its ASCII form: both deceive a reader.
bool labelDeceives(QStringView label)
{
    const auto ucs4 = label.toUcs4();
    return std::any_of(ucs4.begin(), ucs4.end(), [](char32_t c) {
        const QChar::Script script = QChar::script(c);
        return script != QChar::Script_Common && script != QChar::Script_Inherited &&
               script != QChar::Script_Latin;
    });
}

} // namespace

std::optional<std::u16string> QtHostNames::toAscii(std::u16string_view host) const
{
    const QByteArray ace = QUrl::toAce(toQString(host));
    if (ace.isEmpty())
        return std::nullopt;
    return fromQString(QString::fromLatin1(ace));
}

std::u16string QtHostNames::toUnicode(std::u16string_view asciiHost) const
{
    return fromQString(QUrl::fromAce(toQString(asciiHost).toLatin1(),
                                     QUrl::AceProcessingOption::IgnoreIDNWhitelist));
}

bool QtHostNames::looksDeceptive(std::u16string_view unicodeHost) const
{
    const QString host = toQString(unicodeHost);
    for (const QStringView label : QStringView(host).split(u'.'))
        if (labelDeceives(label))
            return true;
    return false;
}

} // namespace quorvel::platform
