#include "ui/actions/DropFormats.h"

#include <QMimeData>

#include <gtest/gtest.h>

#include <memory>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;

struct Offer {
    const char* name;
    QString offers; // "format: bytes" (bytes in Latin-1), offers apart by '|'
    QString expected;
};

std::unique_ptr<QMimeData> offered(const Offer& row)
{
    auto data = std::make_unique<QMimeData>();
    for (const QString& offer : row.offers.split(u'|')) {
        const qsizetype colon = offer.indexOf(u": ");
        data->setData(offer.left(colon), colon < 0 ? "x" : offer.mid(colon + 2).toLatin1());
    }
    return data;
}

TEST(DropFormats, TextIsTakenWhole)
{
    const Offer rows[] = {
        {.name = "browser link: web URL list beside the text",
         .offers =
             u"text/uri-list: https://a.example/r?a%2F\r\n|text/plain: https://a.example/r?a%2F"_s,
         .expected = u"https://a.example/r?a%2F"_s},
        {.name = "UTF-8 bytes", // the two bytes of \u00e9
         .offers = u"text/plain;charset=utf-8: caf\u00c3\u00a9"_s,
         .expected = u"caf\u00e9"_s},
        {.name = "URL list without its comment",
         .offers = u"text/uri-list: # comment\r\nhttps://a.example/1\r\nhttps://b.example/2\r\n"_s,
         .expected = u"https://a.example/1\r\nhttps://b.example/2"_s},
        {.name = "picture with its address as text",
         .offers = u"image/png|text/plain: https://a.example/p.png"_s,
         .expected = u"https://a.example/p.png"_s},
    };
    for (const Offer& row : rows) {
        const auto data = offered(row);
        ASSERT_TRUE(ui::dropOffersText(*data)) << row.name;
        EXPECT_EQ(ui::dropText(*data), row.expected) << row.name;
    }
}

TEST(DropFormats, OtherObjectsAreNamed)
{
    const Offer rows[] = {
        // A file manager offers the paths as text too: still files, and ahead of RTF.
        {.name = "file list with paths as text",
         .offers = u"text/rtf|text/uri-list: file:///a.txt|text/plain: /a.txt"_s,
         .expected = u"Files"_s},
        {.name = "Windows file names",
         .offers = u"application/x-qt-windows-mime;value=\"FileNameW\""_s,
         .expected = u"Files"_s},
        {.name = "image", .offers = u"application/x-qt-image"_s, .expected = u"bitmap"_s},
        {.name = "device-independent bitmap", .offers = u"image/x-MS-bmp"_s, .expected = u"DIB"_s},
        // The first in the classic order wins, whatever the order offered; an image
        // type not named otherwise is a bitmap, which comes first.
        {.name = "metafile before enhanced",
         .offers = u"image/emf|image/x-wmf"_s,
         .expected = u"Metafile"_s},
        {.name = "bitmap type of its own",
         .offers = u"image/bmp|image/x-emf"_s,
         .expected = u"EMetafile"_s},
        {.name = "rich text", .offers = u"text/rtf"_s, .expected = u"RTF"_s},
        {.name = "rich text by its other name",
         .offers = u"application/rtf"_s,
         .expected = u"RTF"_s},
        {.name = "Windows rich text",
         .offers = u"application/x-qt-windows-mime;value=\"Rich Text Format\""_s,
         .expected = u"RTF"_s},
    };
    for (const Offer& row : rows) {
        const auto data = offered(row);
        ASSERT_FALSE(ui::dropOffersText(*data)) << row.name;
        EXPECT_EQ(ui::dropObjectTypeName(*data), row.expected) << row.name;
    }
}

} // namespace
} // namespace quorvel::test
