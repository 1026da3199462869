// The CSV reader against the grammar, read the plain way by the tests'
// reference reader: the whole input at once, no buffer, no look-ahead. Rows,
// padding, views and a save-and-reload round trip must all agree; the
// detecting load and the row check run too.

#include "LectureExtraction.h"
#include "LectureReference.h"
#include "Ucsv.h"
#include "Verifie.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <string>
#include <vector>

namespace {

bool Ecrire(const QString& chemin, const std::string& octets)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && fichier.write(octets.data(), static_cast<qint64>(octets.size()))
               == static_cast<qint64>(octets.size());
}

void CompareTable(const TCSV& table, const std::vector<Rangee>& attendu)
{
    VERIFIE(table.NbRangees() == attendu.size());
    VERIFIE(table.NbColonnes() == (attendu.empty() ? 0 : attendu.front().size()));
    for (std::size_t r = 0; r < attendu.size(); ++r) {
        const auto index = static_cast<int32_t>(r);
        VERIFIE(table[index] == attendu[r]);
        const VueRangee vue = table.Vue(index);
        for (std::size_t k = 0; k <= attendu[r].size(); ++k) {
            const std::string_view cellule = vue[static_cast<uint32_t>(k)];
            VERIFIE(k < attendu[r].size() ? cellule == attendu[r][k] : cellule.empty());
        }
    }
    VERIFIE(table.Vue(static_cast<int32_t>(attendu.size()))[0].empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    static QTemporaryDir dossier;
    static const QString entree = dossier.filePath(QStringLiteral("entree.csv"));
    static const QString copie = dossier.filePath(QStringLiteral("copie.csv"));

    const std::string octets(reinterpret_cast<const char*>(donnees), taille);
    if (!Ecrire(entree, octets))
        std::abort();
    TCSV table;
    VERIFIE(table.Charge(entree));
    const std::vector<Rangee> attendu = LectureReference(octets);
    CompareTable(table, attendu);

    // Saved and read back: the same rows and cells.
    VERIFIE(table.Sauve(copie));
    TCSV relue;
    VERIFIE(relue.Charge(copie));
    CompareTable(relue, attendu);

    // Loaded through the detection of encoding and separator, then checked:
    // a Windows-1252 ";" file reads as the grammar says; any input is
    // checked without a fault, and the report stays bounded.
    TCSV detectee;
    const LectureExtraction lecture = ChargeExtraction(detectee, entree);
    VERIFIE(lecture.chargee);
    if (lecture.encodage == Encodage::Windows1252 && detectee.Separateur() == ';')
        CompareTable(detectee, attendu);
    const RapportExtraction rapport = VerifieRangees(detectee);
    VERIFIE(rapport.Lignes(5).size() <= 6);
    return 0;
}
