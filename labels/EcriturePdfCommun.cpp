#include "EcriturePdfCommun.h"

#include "DescripteurFichier.h"
#include "EcriturePdf.h"

#include <QFileInfo>

#include <cerrno>

QString MessageEcriture(const QString& sortie, const QString& raison)
{
    return QStringLiteral("Impossible d'écrire le fichier PDF « %1 » : %2.").arg(sortie, raison);
}

QString MessageCreation(const QString& sortie, const QString& raison)
{
    return QStringLiteral("Impossible de créer le fichier PDF « %1 » : %2.").arg(sortie, raison);
}

QString Raison(int erreur)
{
    return erreur == ENOENT ? QStringLiteral("le dossier n'existe pas")
                            : RaisonErreurFichier(erreur);
}

QString RaisonDocumentIncomplet()
{
    return QStringLiteral("le document n'a pas pu être terminé (mémoire ou disque plein)");
}

bool FinDeDocument(const QByteArray& fin)
{
    return fin.right(32).contains("%%EOF");
}

QString MessageRefusSortie(const QString& sortie)
{
    const QString refus = RaisonRefusSortie(sortie);
    if (refus.isEmpty())
        return QString();
    return QFileInfo::exists(sortie) ? MessageEcriture(sortie, refus)
                                     : MessageCreation(sortie, refus);
}
