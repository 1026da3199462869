#pragma once
// The label print job: the checks made before printing, the text of one
// label, the layout of one page of labels and the document loop on a printer.
//
// Everything but Imprime works on a Canevas, so the layout and the texts can
// be checked without a printer.

#include "DebutPlanche.h"
#include "DocumentImpression.h"
#include "Parametres.h"
#include "Ucsv.h"

#include <QPrinter>
#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

class Canevas;
class Police;

using TableIndexChamps = std::array<int32_t, 20>;

// Title of every document the job sends to the printer.
QString TitreDocumentEtiquettes();

// Why printing may not start, checked in this order: the file is not loaded
// (status light off), the grid holds no label, the table holds no voter, the
// format fails the wizard's checks (RefusFormat: a format read from the
// settings file is kept but not printed). Empty when printing may go on. A grid counts as holding no label when
// either count is not positive: two negative counts would multiply into a
// positive number of labels and print blank sheets.
QString RefusImpression(bool voyantAllume, const Parametres& p, uint32_t nbRangees);

// Pages needed for the voters (rows 1 to nbRangees − 1) at NbCols × NbLignes
// labels a page, rounded up; 0 when there is no voter or no label on the grid.
int32_t NombrePages(const Parametres& p, uint32_t nbRangees);

// The eight cells a label is made of, in the order of the required columns
// (title, surname, first name, address, postcode, town, child, class).
using CellulesEtiquette = std::array<std::string_view, 8>;

// The text of one label, raw Windows-1252 bytes, lines ended by CR LF: child,
// class, "title surname first name", address and postcode town, signature,
// as the print flags choose. A line feed alone inside a cell (a file re-saved
// with LF line ends) becomes CR LF, so that every line break of a cell is a
// line on the label.
std::string ComposeEtiquette(const CellulesEtiquette& cellules, const Parametres& p);
// The same from a row, its cells at the positions of indexChamps; a position
// outside the row reads as an empty cell.
std::string ComposeEtiquette(const Rangee& rangee, const TableIndexChamps& indexChamps,
                             const Parametres& p);
std::string ComposeEtiquette(const VueRangee& rangee, const TableIndexChamps& indexChamps,
                             const Parametres& p);

// Pages to print, from 1. `premiere` > `derniere` means nothing to print.
struct PlagePages {
    int32_t premiere = 1;
    int32_t derniere = 0;
};

// Every page of any document.
constexpr PlagePages ToutesLesPages()
{
    return PlagePages{1, INT32_MAX};
}

// The range the print dialog left: the pages entered when a range was chosen,
// all pages otherwise. The range is kept within 1 to nbPages: pages past the
// end of the list would come out blank.
PlagePages PagesAImprimer(bool plageChoisie, int depuis, int jusqua, int32_t nbPages);
PlagePages PagesAImprimer(const QPrinter& imprimante, int32_t nbPages);

// After the print dialog: a real printer, or a PDF with a file to write.
bool ImprimanteDisponible(QPrinter::OutputFormat format, const QString& fichierSortie);
bool ImprimanteDisponible(const QPrinter& imprimante);

// When the printer writes a PDF file, gives its page the format's sheet
// (LargeurPage × HauteurPage, turned in landscape) so the file matches the
// labels. A real printer keeps its paper. Returns whether the page was set;
// a sheet without a positive width and height leaves the page as it was.
bool AjustePagePdf(QPrinter& imprimante, const Parametres& p);

// How one job lays the voters out beyond the format. The defaults print as
// the plain job does: file order, from the first label of the first sheet,
// where the printer is told.
struct OptionsImpression {
    bool TriClasse = false;  // grouped by class (OrdreParClasse), else file order
    int64_t Debut = 1;       // first label used on the first sheet, from 1
    qlPoint Decalage;        // the printer's calibration, tenths of a millimetre
    bool AjusterTexte = false;  // a label too full for its font is written smaller
    bool Contours = true;    // a preview outlines every label faintly
};

// The warning about labels that lose some of their text: "Attention : N
// étiquette(s) au texte coupé", then the first `nombre` voters concerned,
// one a line ("ligne 13 : Mme DURAND Julie", the line of the extraction when
// no cell holds a line break), then "et N autres" when more are concerned.
// Empty when no label is concerned.
QStringList AvertissementTexteCoupe(const std::vector<int32_t>& rangees, const TCSV& table,
                                    const TableIndexChamps& indexChamps, int nombre = 5);

// One print job over the loaded table. The format, the table and the column
// positions are only read and must outlive the job.
class ImpressionEtiquettes {
public:
    // The voters' order is taken from the table when the job is made; a start
    // label outside the sheet is brought into 1 to NbCols × NbLignes.
    ImpressionEtiquettes(const Parametres& parametres, const TCSV& table,
                         const TableIndexChamps& indexChamps,
                         const OptionsImpression& options = OptionsImpression());
    virtual ~ImpressionEtiquettes() = default;

    // Sheets of the whole document, counted from the first sheet, its blank
    // labels included; 0 when there is no voter or no label on the grid.
    int32_t NombrePages() const;
    // Labels that carry a voter on pages `plage` (from 1).
    int64_t NombreEtiquettes(const PlagePages& plage) const;

    // Prints the printer's page range (see PagesAImprimer) as one document
    // titled TitreDocumentEtiquettes(), in the format's orientation, one sheet
    // per page, every page moved by the calibration. A range with no page
    // sends nothing at all: no job reaches the printer and no PDF file is
    // written (a painter on a printer always makes at least one page, and an
    // empty page is not "no page").
    // Throws ErreurImpression when the document cannot be begun, a page
    // cannot be started or the document cannot be finished. On any exception
    // after the document was begun, the printer job is aborted, or for a PDF
    // the half-written file is removed, and the exception is passed on.
    void Imprime(QPrinter& imprimante) const;

    // Lays out the labels of sheet `page` (from 1) as the options place the
    // voters: file order from the first label is ImprimePage from the page's
    // first voter; otherwise the labels before the start stay blank on the
    // first sheet and the voters follow in print order.
    void ImprimeFeuille(Canevas& canevas, int32_t page) const;

    // Lays out the labels of one page, voters from `premiereRangee` on, row
    // by row and left to right, stopping after the last voter.
    virtual void ImprimePage(Canevas& canevas, int32_t premiereRangee) const;

    // Composes and writes the label of table row `rangee` into the text
    // rectangle; nothing when the row is outside the table or the rectangle
    // is empty. With AjusterTexte, a text that does not fit is written at the
    // size DisposeTexteEtiquette finds.
    void ImprimeEtiquette(Canevas& canevas, const Police& police, const qlRect& rectangle,
                          int32_t rangee) const;

    // The table rows, in print order over the pages of `plage` (the whole
    // document by default), whose label loses some of its text: it does not
    // fit its text rectangle (at the size it is written at), or the
    // calibration pushes some of it off the sheet. Measured on the canvas, or
    // on one whose fonts measure as the printer's.
    std::vector<int32_t> EtiquettesCoupees(Canevas& mesure,
                                           const PlagePages& plage = ToutesLesPages()) const;
    std::vector<int32_t> EtiquettesCoupees(const PlagePages& plage = ToutesLesPages()) const;

    // Whether a preview outlines every label (labels that lose text are
    // outlined in red whatever this says). Nothing printed carries either.
    void MontreContours(bool montrer) { m_options.Contours = montrer; }

private:
    // Calls visite(ligne, colonne, rangee) for each label of sheet `page`, row
    // by row, while it returns true; rangee is −1 for a blank label.
    void ParcourtCellules(int32_t page,
                          const std::function<bool(int32_t, int32_t, int32_t)>& visite) const;
    // Whether the label of table row `rangee` in the text rectangle loses text.
    bool EtiquetteCoupee(Canevas& canevas, const Police& police, const qlRect& rectangle,
                         int32_t rangee) const;
    // On a preview only: the labels' outlines, faint, and red for those that
    // lose text.
    void DessineContours(Canevas& canevas, int32_t page) const;

    void ImprimeDocument(QPrinter& imprimante, const PlagePages& plage) const;

    // Whether the voters land as the plain job puts them: file order from
    // the first label.
    bool DispositionSimple() const;

    const Parametres& m_parametres;
    const TCSV& m_table;
    const TableIndexChamps& m_indexChamps;
    OptionsImpression m_options;
    RepartitionEtiquettes m_repartition;
};
