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

    std::unique_ptr<QMimeData> data() const
    {
        auto data = std::make_unique<QMimeData>();
        for (const QString& offer : offers.split(u'|')) {
            const qsizetype colon = offer.indexOf(u": ");
            data->setData(offer.left(colon), colon < 0 ? "x" : offer.mid(colon + 2).toLatin1());
        }
        return data;
    }
};

TEST(DropFormats, TextIsTakenWhole)
{
    const Offer rows[] = {
        {"web URL list beside the text",
         u"text/uri-list: https://a.example/r?a%2F\r\n|text/plain: https://a.example/r?a%2F"_s,
         u"https://a.example/r?a%2F"_s},
        {"UTF-8 bytes of \u00e9", u"text/plain;charset=utf-8: caf\u00c3\u00a9"_s, u"caf\u00e9"_s},
        {"URL list without its comment",
         u"text/uri-list: # comment\r\nhttps://a.example/1\r\nhttps://b.example/2\r\n"_s,
         u"https://a.example/1\r\nhttps://b.example/2"_s},
        {"picture with its address", u"image/png|text/plain: https://a.example/p.png"_s,
         u"https://a.example/p.png"_s},
    };
    for (const Offer& row : rows) {
        ASSERT_TRUE(ui::dropOffersText(*row.data())) << row.name;
        EXPECT_EQ(ui::dropText(*row.data()), row.expected) << row.name;
    }
}

TEST(DropFormats, OtherObjectsAreNamed)
{
    // The first in the classic order wins, whatever the order offered; an image type not
    // named otherwise is a bitmap, which comes first.
    const Offer rows[] = {
        // A file manager offers the paths as text too: still files, and ahead of RTF.
        {"paths as text", u"text/rtf|text/uri-list: file:///a.txt|text/plain: /a.txt"_s,
         u"Files"_s},
        {"Windows files", u"application/x-qt-windows-mime;value=\"FileNameW\""_s, u"Files"_s},
        {"image", u"application/x-qt-image"_s, u"bitmap"_s},
        {"DIB", u"image/x-MS-bmp"_s, u"DIB"_s},
        {"metafiles", u"image/emf|image/x-wmf"_s, u"Metafile"_s},
        {"bitmap type", u"image/bmp|image/x-emf"_s, u"EMetafile"_s},
        {"rich text", u"text/rtf"_s, u"RTF"_s},
        {"rich text, other name", u"application/rtf"_s, u"RTF"_s},
        {"Windows rich text", u"application/x-qt-windows-mime;value=\"Rich Text Format\""_s,
         u"RTF"_s},
    };
    for (const Offer& row : rows) {
        ASSERT_FALSE(ui::dropOffersText(*row.data())) << row.name;
        EXPECT_EQ(ui::dropObjectTypeName(*row.data()), row.expected) << row.name;
    }
}

} // namespace
} // namespace quorvel::test
