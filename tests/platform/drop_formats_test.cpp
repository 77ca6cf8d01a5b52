#include "platform/shared/DropFormats.h"

#include <QMimeData>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;

// Offers the formats between the '|', each with its bytes (in Latin-1) after ": ".
void offer(QMimeData& data, const QString& offers)
{
    for (const QString& offer : offers.split(u'|', Qt::SkipEmptyParts)) {
        const qsizetype colon = offer.indexOf(u": ");
        data.setData(offer.left(colon), colon < 0 ? "x" : offer.mid(colon + 2).toLatin1());
    }
}

TEST(DropFormats, TextIsTakenWholeOtherObjectsAreNamed)
{
    const QString file = u": file:///home/u/a.txt"_s;
    const struct {
        QString offers;
        bool text;
        QString expected; // the text taken, or the object's name
    } cases[] = {
        // A browser's link: a web URL list beside the text.
        {u"text/uri-list: https://a.example/r?a%2F\r\n|text/plain: https://a.example/r?a%2F"_s,
         true, u"https://a.example/r?a%2F"_s},
        {u"text/plain: one\r\ntwo\n"_s, true, u"one\r\ntwo\n"_s},
        // The two bytes of UTF-8's \u00e9.
        {u"text/plain;charset=utf-8: caf\u00c3\u00a9"_s, true, u"caf\u00e9"_s},
        {u"text/uri-list: # comment\r\nhttps://a.example/1\r\nhttps://b.example/2\r\n"_s, true,
         u"https://a.example/1\r\nhttps://b.example/2"_s},
        {u"image/png|text/plain: https://a.example/p.png"_s, true, u"https://a.example/p.png"_s},
        // A file manager adds the paths as text: still files.
        {"text/uri-list" + file + "|text/plain" + file, false, "Files"},
        {u"application/x-qt-windows-mime;value=\"FileNameW\""_s, false, u"Files"_s},
        {u"application/x-qt-image"_s, false, "bitmap"},
        {u"image/x-MS-bmp"_s, false, "DIB"},
        {u"image/emf|image/x-wmf"_s, false, "Metafile"},
        {u"image/bmp|image/x-emf"_s, false, "EMetafile"},
        {"text/uri-list" + file + "|image/png", false, "bitmap"},
        {"text/rtf|text/uri-list" + file, false, "Files"},
        {u"application/rtf"_s, false, "RTF"},
        {u"application/x-qt-windows-mime;value=\"Rich Text Format\""_s, false, u"RTF"_s},
        {QString(), false, "Unknown"},
    };
    for (const auto& [offers, text, expected] : cases) {
        QMimeData data;
        offer(data, offers);
        ASSERT_EQ(platform::dropOffersText(data), text) << offers.toStdString();
        EXPECT_EQ(text ? platform::dropText(data) : platform::dropObjectTypeName(data), expected)
            << offers.toStdString();
    }
}

} // namespace
} // namespace quorvel::test
