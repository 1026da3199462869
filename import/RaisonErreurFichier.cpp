// The reasons are shared by every system: its own errors are turned into errno
// values where a file is opened.
#include "DescripteurFichier.h"

#include <cerrno>

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
    default:
        return QStringLiteral("erreur système %1").arg(erreur);
    }
}
