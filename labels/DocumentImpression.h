#pragma once
// One document on a printer, as every printed output of the program makes it
// (the labels and the test page): titled, turned, begun, each page set up in
// the page coordinate system (labels/ReperePage.h) with a canvas on it, and
// finished. A PDF goes through EcriturePdf: written in memory, then checked and
// written to its file only once complete. A document that is not finished,
// because an exception left the printing half-way, is dropped: the spooler
// job is aborted, or for a PDF nothing reaches the file. In a print preview
// the same pages are painted and nothing is written or sent.

#include "CanevasQt.h"
#include "Uclasses.h"

#include <QPainter>
#include <QString>

#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>

class Canevas;
class QPrinter;
class EcriturePdf;

// Raised when the printer refuses a step; the message is French, UTF-8, for
// the user.
class ErreurImpression : public std::runtime_error {
public:
    explicit ErreurImpression(const QString& message);
    QString Message() const { return QString::fromUtf8(what()); }
};

class DocumentImpression {
public:
    // Gives the printer the document's title and orientation and begins the
    // document. Every page is moved by the printer's calibration `decalage`
    // (tenths of a millimetre, toward the right and bottom edges of the sheet
    // held upright as it leaves the printer, turned for a landscape page; see
    // DecalageSurPage). Throws
    // ErreurImpression when it cannot be begun (for a PDF, when the file
    // cannot be written).
    DocumentImpression(QPrinter& imprimante, const QString& titre, bool paysage,
                       const qlPoint& decalage = qlPoint());
    // Drops the document unless Termine succeeded. Throws nothing, even when
    // memory ran out: a painter that cannot be ended is let go of rather
    // than destroyed (its destructor would end it again and throw).
    ~DocumentImpression();
    DocumentImpression(const DocumentImpression&) = delete;
    DocumentImpression& operator=(const DocumentImpression&) = delete;

    // Starts a page, on a new sheet unless it is the document's first, and
    // returns a canvas on it in tenths of a millimetre from the sheet's
    // corner, valid until the next page. `numero` names the page in the
    // message of the ErreurImpression thrown when the sheet cannot be
    // started.
    Canevas& NouvellePage(int32_t numero);

    // Ends the document. Throws ErreurImpression when the printer did not
    // finish it, or the PDF could not be written whole (a full disk…); the
    // document is then dropped.
    void Termine();

    // Whether the pages are painted for a print preview on screen.
    bool EstApercu() const { return m_apercu; }

private:
    void RendNomSortie();

    QPrinter& m_imprimante;
    qlPoint m_decalage;
    std::unique_ptr<QPainter> m_painter = std::make_unique<QPainter>();
    std::unique_ptr<EcriturePdf> m_sortie;  // a PDF file being made
    QString m_nomSortie;  // the printer's file name, given back at the end
    std::optional<CanevasQt> m_canevas;
    bool m_apercu = false;  // painting a print preview: no file, no spooler job
    bool m_pageCommencee = false;
    bool m_termine = false;
};
