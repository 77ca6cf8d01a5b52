#pragma once

#include <QString>

class QMimeData;

namespace quorvel::ui {

// What a drop onto the upper box offers, in the terms of the classic clipboard
// formats, whatever MIME types the drag source (an X11 or Windows program)
// actually announces. DropFormats.cpp holds the mapping table.

// True when the object carries a text the box can take: plain text, or a list
// of web links. A file manager's file list is never text, even when it adds
// the paths as plain text.
bool dropOffersText(const QMimeData& data);

// The text exactly as the source gives it (line breaks and all).
QString dropText(const QMimeData& data);

// The name of the first non-text format offered, in the fixed test order:
// "bitmap", "Metafile", "EMetafile", "DIB", "Palette", "Files", "RTF";
// "Unknown" when none of them is offered.
QString dropObjectTypeName(const QMimeData& data);

} // namespace quorvel::ui
