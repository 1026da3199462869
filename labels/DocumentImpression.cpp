#include "DocumentImpression.h"

#include "EcriturePdf.h"
#include "ReperePage.h"

#include <QPageLayout>
#include <QPaintEngine>
#include <QPrinter>

namespace {

bool EcritUnPdf(const QPrinter& imprimante)
{
    return imprimante.outputFormat() == QPrinter::PdfFormat;
}

// A print preview paints the printer's pages into pictures: no file is
// written then, whatever the printer's output.
bool Apercu(const QPainter& painter)
{
    const QPaintEngine* moteur = painter.paintEngine();
    return moteur != nullptr && moteur->type() == QPaintEngine::Picture;
}

// The same, asked of the printer before anything is painted.
bool Apercu(QPrinter& imprimante)
{
    const QPaintEngine* moteur = imprimante.paintEngine();
    return moteur != nullptr && moteur->type() == QPaintEngine::Picture;
}

QString MessageDebutImpossible(const QPrinter& imprimante)
{
    if (EcritUnPdf(imprimante))
        return QStringLiteral("Impossible de créer le fichier PDF « %1 ».")
            .arg(imprimante.outputFileName());
    return QStringLiteral("Impossible de commencer l'impression sur « %1 ».")
        .arg(imprimante.printerName());
}

}  // namespace

ErreurImpression::ErreurImpression(const QString& message)
    : std::runtime_error(message.toUtf8().toStdString())
{
}

DocumentImpression::DocumentImpression(QPrinter& imprimante, const QString& titre, bool paysage,
                                       const qlPoint& decalage)
    : m_imprimante(imprimante), m_decalage(DecalageSurPage(decalage, paysage))
{
    m_imprimante.setDocName(titre);
    m_imprimante.setPageOrientation(paysage ? QPageLayout::Landscape : QPageLayout::Portrait);
    if (EcritUnPdf(m_imprimante) && !Apercu(m_imprimante)
        && !m_imprimante.outputFileName().isEmpty()) {
        m_sortie = std::make_unique<EcriturePdf>(m_imprimante.outputFileName());
        if (!m_sortie->Erreur().isEmpty())
            throw ErreurImpression(m_sortie->Erreur());
        m_nomSortie = m_imprimante.outputFileName();
        m_imprimante.setOutputFileName(m_sortie->FichierImprimante());
    }
    if (!m_painter->begin(&m_imprimante)) {
        RendNomSortie();
        throw ErreurImpression(MessageDebutImpossible(m_imprimante));
    }
    m_apercu = Apercu(*m_painter);
}

void DocumentImpression::RendNomSortie()
{
    if (m_nomSortie.isEmpty() || m_painter->isActive())
        return;
    m_imprimante.setOutputFileName(m_nomSortie);
    m_nomSortie.clear();
}

DocumentImpression::~DocumentImpression()
{
    if (m_termine)
        return;
    // A spooler job is aborted where the printer allows it; a PDF engine
    // cannot abort, so the document in memory is dropped unwritten once the
    // painter has let go of it. This runs while an error is on its way, out
    // of memory perhaps, when ending the painter may fail too.
    m_canevas.reset();
    try {
        if (!m_sortie && !m_apercu)
            m_imprimante.abort();
        if (m_painter->isActive())
            m_painter->end();
        RendNomSortie();
    } catch (...) {
        // The error on its way says what went wrong.
    }
    m_sortie.reset();
    if (m_painter->isActive())
        static_cast<void>(m_painter.release());  // leaked rather than destroyed active
}

Canevas& DocumentImpression::NouvellePage(int32_t numero)
{
    m_canevas.reset();
    if (m_pageCommencee && !m_imprimante.newPage())
        throw ErreurImpression(
            QStringLiteral("Impossible de commencer la page %1 du document.").arg(numero));
    m_pageCommencee = true;
    // The transform is reset by every new page.
    FixeReperePage(*m_painter, m_decalage.x, m_decalage.y);
    return m_canevas.emplace(*m_painter, kUnitesParPouce);
}

void DocumentImpression::Termine()
{
    m_canevas.reset();
    const bool termine = m_painter->end();
    if (!termine || m_imprimante.printerState() == QPrinter::Error)
        throw ErreurImpression(QStringLiteral("L'impression n'a pas pu être terminée."));
    if (m_sortie) {
        const QString erreur = m_sortie->Publie();
        if (!erreur.isEmpty())
            throw ErreurImpression(erreur);
        RendNomSortie();
    }
    m_termine = true;
}
