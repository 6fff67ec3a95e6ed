// Puts an RPrintDocument on paper: the title and its notes at the top of the
// first page, the column headings at the top of every page, the rows below
// them (wrapped within their columns, each kept whole on one page; see
// PageBreaks.h) and the page number at the foot. The same painting serves
// the print preview, the printer and the PDF.
#pragma once

#include <QByteArray>
#include <string>

class QPagedPaintDevice;

namespace tq {

struct RPrintDocument;

// Paints every page onto the device and returns how many there were; 0 when
// the device could not be painted on.
int PaintDocument(const RPrintDocument& document, QPagedPaintDevice& device);

// The document as the bytes of a PDF file, on the page size of the user's
// locale (Letter where US measures are used, A4 elsewhere); pages, when
// given, gets how many pages it has.
QByteArray PdfOf(const RPrintDocument& document, int* pages = nullptr);

// Writes the PDF through the atomic writer and says in the status bar how
// many pages were written and where. On failure the program's usual error
// is shown and an old file at the path stays as it was.
bool ExportPdf(const RPrintDocument& document, const std::string& path);

// The print preview of the document, through the platform; true when it
// was printed from there.
bool PreviewDocument(const RPrintDocument& document);

}  // namespace tq
