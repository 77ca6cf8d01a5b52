#include "ui/actions/DropFormats.h"

#include <QMimeData>

#include <gtest/gtest.h>

namespace quorvel::test {
namespace {

using namespace Qt::StringLiterals;

struct Offer {
    const char* name;
    QString offers; // "format: bytes" (bytes in Latin-1), offers apart by '|'
    QString expected;
};

// Text is taken whole; of other objects the first in the classic order is named, whatever
// the order offered, and an image type not named otherwise is a bitmap, which comes first.
TEST(DropFormats, TextIsTakenWholeOtherObjectsAreNamed)
{
    // clang-format off
    const Offer rows[] = {
        {"web URL list beside the text", u"text/uri-list: https://a.example/r?a%2F\r\n|text/plain: https://a.example/r?a%2F"_s, u"text: https://a.example/r?a%2F"_s},
        {"UTF-8 bytes of \u00e9", u"text/plain;charset=utf-8: caf\u00c3\u00a9"_s, u"text: caf\u00e9"_s},
        {"URL list without its comment", u"text/uri-list: # comment\r\nhttps://a.example/1\r\nhttps://b.example/2\r\n"_s, u"text: https://a.example/1\r\nhttps://b.example/2"_s},
        {"picture with its address", u"image/png|text/plain: https://a.example/p.png"_s, u"text: https://a.example/p.png"_s},
        // A file manager offers the paths as text too: still files, and ahead of RTF.
        {"paths as text", u"text/rtf|text/uri-list: file:///a.txt|text/plain: /a.txt"_s, u"object: Files"_s},
        {"Windows files", u"application/x-qt-windows-mime;value=\"FileNameW\""_s, u"object: Files"_s},
        {"image", u"application/x-qt-image"_s, u"object: bitmap"_s},
        {"DIB", u"image/x-MS-bmp"_s, u"object: DIB"_s},
        {"DIB, other name", u"image/bmp"_s, u"object: DIB"_s},
        {"nothing known", u"application/x-unknown"_s, u"object: Unknown"_s},
        {"metafiles", u"image/emf|image/x-wmf"_s, u"object: Metafile"_s},
        {"bitmap type", u"image/bmp|image/x-emf"_s, u"object: EMetafile"_s},
        {"rich text", u"text/rtf"_s, u"object: RTF"_s},
        {"rich text, other name", u"application/rtf"_s, u"object: RTF"_s},
        {"Windows rich text", u"application/x-qt-windows-mime;value=\"Rich Text Format\""_s, u"object: RTF"_s},
    };
    // clang-format on
    for (const Offer& row : rows) {
        QMimeData data;
        for (const QString& offer : row.offers.split(u'|')) {
            const qsizetype colon = offer.indexOf(u": ");
            data.setData(offer.left(colon), colon < 0 ? "x" : offer.mid(colon + 2).toLatin1());
        }
        const QString taken = ui::dropOffersText(data)
                                  ? u"text: "_s + ui::dropText(data)
                                  : u"object: "_s + ui::dropObjectTypeName(data);
        EXPECT_EQ(taken.toStdString(), row.expected.toStdString()) << row.name;
    }
}

} // namespace
} // namespace quorvel::test
