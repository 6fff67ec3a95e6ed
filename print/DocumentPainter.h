// Puts an RPrintDocument on paper: the title and its notes at the top of the
// first page, the column headings at the top of every page, the rows below
// them (wrapped within their columns, each kept whole on one page; see
// PageBreaks.h) and the page number at the foot. The same painting serves
// the print preview, the printer and the PDF.
#pragma once

#include <QByteArray>
#include <functional>
#include <memory>
#include <string>

class QIODevice;
class QPagedPaintDevice;
class QPdfWriter;

namespace tq {

struct RPrintDocument;

// Paints every page onto the device. Returns how many pages it painted to
// the end: all the document has (`total`, when given, gets how many that
// is), fewer when the device refused a new page or could not finish (a
// printer gone, a full disk), 0 when it could not be painted on at all.
int PaintDocument(const RPrintDocument& document, QPagedPaintDevice& device, int* total = nullptr);

// Makes the PDF writer onto the given device; the program's own when none
// is given (tests give one that fails).
using PdfWriterMaker = std::function<std::unique_ptr<QPdfWriter>(QIODevice*)>;

// The document as the bytes of a PDF file, on the page size of the user's
// locale (Letter where US measures are used, A4 elsewhere); empty unless
// every page was painted. `pages` and `total`, when given, get how many
// pages were painted and how many the document has.
QByteArray PdfOf(const RPrintDocument& document, int* pages = nullptr, int* total = nullptr,
                 const PdfWriterMaker& makeWriter = {});

// Writes the PDF through the atomic writer and says in the status bar how
// many pages were written and where. On failure, also when the painting
// broke off after some pages, an error says so, nothing is written and an
// old file at the path stays as it was.
bool ExportPdf(const RPrintDocument& document, const std::string& path, const PdfWriterMaker& makeWriter = {});

// The print preview of the document, through the platform; true when it
// was printed from there.
bool PreviewDocument(const RPrintDocument& document);

}  // namespace tq
