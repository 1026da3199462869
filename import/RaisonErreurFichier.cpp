// The reasons are shared by every system: its own errors are turned into errno
// values where a file is opened.
#include "DescripteurFichier.h"

#include <cerrno>
#include <cstring>

QString RaisonErreurFichier(int erreur)
{
    switch (erreur) {
    case ENOENT:
        return QStringLiteral("le fichier n'existe pas");
    case EACCES:
    case EPERM:
        return QStringLiteral("accès refusé");
    case EISDIR:
        return QStringLiteral("c'est un dossier");
    case EINVAL:
        return QStringLiteral("ce n'est pas un fichier ordinaire");
    case EWOULDBLOCK:
        return QStringLiteral("le fichier est ouvert par un autre programme");
    case ENOTDIR:
        return QStringLiteral("un élément du chemin n'est pas un dossier");
    case ELOOP:
        return QStringLiteral("trop de liens symboliques");
    case ENAMETOOLONG:
        return QStringLiteral("nom trop long");
    case EIO:
        return QStringLiteral("erreur de lecture ou d'écriture sur le support");
    case ENOSPC:
        return QStringLiteral("disque plein");
    case EROFS:
        return QStringLiteral("support en lecture seule");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("trop de fichiers ouverts");
    case ENOMEM:
        return QStringLiteral("mémoire insuffisante");
#ifdef EDQUOT
    case EDQUOT:
        return QStringLiteral("quota de disque dépassé");
#endif
    case EFBIG:
        return QStringLiteral("fichier trop gros");
    case EPIPE:
        return QStringLiteral("le programme qui lisait la sortie s'est arrêté");
    case ENXIO:
        return QStringLiteral("aucun programme ne lit cette sortie");
    default:
        // No French words of our own: the system's, with the number to search for.
        return QStringLiteral("%1 (erreur système %2)")
            .arg(QString::fromLocal8Bit(std::strerror(erreur)))
            .arg(erreur);
    }
}
