#include "PageTest.h"

#include "Arith32.h"
#include "Canevas.h"
#include "DocumentImpression.h"
#include "ImpressionEtiquettes.h"
#include "PageEtiquettes.h"
#include "VerificationFormat.h"

QString TitreDocumentTest()
{
    return QStringLiteral("Page d'étiquettes de test");
}

const std::string& TexteExempleTest()
{
    static const std::string texte =
        "El\xe8ve UNTEST Charles\r\nCM2 Mme Patience\r\nMme UNTEST Hildegarde\r\n"
        "12, rue des Petits Tests Informatiques\r\n99999 TESTEVILLE SUR PC";
    return texte;
}

void ImprimePageTest(Canevas& canevas, const Parametres& p)
{
    // Truncated 32-bit arithmetic, like every length of the layout.
    const int32_t largeurCoin = Arith32::Divise(Arith32::Fois(p.LargeurEtiq, 15), 100);
    const int32_t hauteurCoin = Arith32::Divise(Arith32::Fois(p.HauteurEtiq, 15), 100);
    ParcourtPage(canevas, p, [&](int32_t ligne, int32_t colonne, const Police& police) {
        canevas.RectangleArrondi(CelluleEtiquette(p, ligne, colonne), largeurCoin, hauteurCoin);
        EcritTexteEtiquette(canevas, police, RectangleTexte(p, ligne, colonne),
                            TexteExempleTest());
        return true;
    });
}

void ImprimeTest(QPrinter& imprimante, const Parametres& parametres, const qlPoint& decalage)
{
    // A grid or a sheet that no wizard accepts would keep the printer busy
    // for ever or print nothing useful.
    const QString refus = RefusFormat(parametres);
    if (!refus.isEmpty())
        throw ErreurImpression(refus);
    AjustePagePdf(imprimante, parametres);
    DocumentImpression document(imprimante, TitreDocumentTest(), parametres.Orientation,
                                decalage);
    ImprimePageTest(document.NouvellePage(1), parametres);
    document.Termine();
}
