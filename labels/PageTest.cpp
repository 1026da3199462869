// Provisional: the outlines and the sample text come with the test page's own
// work.
#include "PageTest.h"

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

void ImprimePageTest(Canevas&, const Parametres&) {}

void ImprimeTest(QPrinter&, const Parametres&) {}
