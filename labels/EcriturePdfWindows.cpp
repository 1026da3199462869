// Windows: the printer writes the document into a file of its own in the
// temporary folder; once it is complete, the document replaces the output as
// a whole (RemplaceFichier), so a full disk leaves the older file untouched.
// Outputs are files: a folder, a read-only file or a missing folder is
// refused before anything is measured.
#include "EcriturePdf.h"

#include "DescripteurFichier.h"
#include "EcriturePdfCommun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <io.h>
#include <string>
#include <windows.h>

namespace {

// The printer's document, named beforehand: all the console's interruption
// handler does is remove it.
std::array<wchar_t, 32768> g_document {};
std::atomic<bool> g_documentActif {false};

BOOL WINAPI QuitteSurInterruption(DWORD /*evenement*/)
{
    if (g_documentActif)
        ::DeleteFileW(g_document.data());
    return FALSE;  // the default handling then ends the program
}

int EtatSortie(const QString& sortie)
{
    if (sortie.isEmpty())
        return ENOENT;
    const std::wstring nom = QDir::toNativeSeparators(sortie).toStdWString();
    const DWORD attributs = ::GetFileAttributesW(nom.c_str());
    if (attributs != INVALID_FILE_ATTRIBUTES) {
        if (attributs & FILE_ATTRIBUTE_DIRECTORY)
            return EISDIR;
        return (attributs & FILE_ATTRIBUTE_READONLY) ? EACCES : 0;
    }
    const QString dossier = QFileInfo(sortie).absolutePath();
    const DWORD parent = ::GetFileAttributesW(QDir::toNativeSeparators(dossier).toStdWString().c_str());
    if (parent == INVALID_FILE_ATTRIBUTES)
        return ENOENT;
    return (parent & FILE_ATTRIBUTE_DIRECTORY) ? 0 : ENOTDIR;
}

}  // namespace

QString EcritSortie(int source, int64_t taille, const QString& sortie)
{
    int erreur = EtatSortie(sortie);
    QByteArray contenu;
    if (erreur == 0 && ::_lseeki64(source, 0, SEEK_SET) != 0)
        erreur = EIO;
    while (erreur == 0 && contenu.size() < taille) {
        char tampon[65536];
        const int voulu = static_cast<int>(std::min<int64_t>(sizeof tampon, taille - contenu.size()));
        const int lu = ::_read(source, tampon, static_cast<unsigned>(voulu));
        if (lu <= 0)
            erreur = EIO;  // the document is shorter than it was
        else
            contenu.append(tampon, lu);
    }
    if (erreur == 0)
        erreur = RemplaceFichier(sortie, contenu);
    return erreur == 0 ? QString() : Raison(erreur);
}

QString RaisonRefusSortie(const QString& sortie)
{
    const int erreur = EtatSortie(sortie);
    return erreur == 0 ? QString() : Raison(erreur);
}

EcriturePdf::EcriturePdf(const QString& sortie) : m_sortie(sortie)
{
    m_erreur = MessageRefusSortie(sortie);
    if (!m_erreur.isEmpty())
        return;
    QTemporaryFile document(QDir::tempPath() + QStringLiteral("/brivane-pdf-XXXXXX.pdf"));
    document.setAutoRemove(false);
    if (!document.open()) {
        m_erreur = MessageCreation(sortie, RaisonErreurFichier(EACCES));
        return;
    }
    const QString chemin = document.fileName();
    document.close();
    m_cheminDocument = chemin.toUtf8();
    const std::wstring natif = QDir::toNativeSeparators(chemin).toStdWString();
    if (natif.size() < g_document.size()) {
        std::copy(natif.begin(), natif.end(), g_document.begin());
        g_document[natif.size()] = L'\0';
        g_documentActif = true;
    }
}

EcriturePdf::~EcriturePdf()
{
    if (!m_cheminDocument.isEmpty()) {
        g_documentActif = false;
        QFile::remove(QString::fromUtf8(m_cheminDocument));
    }
}

QString EcriturePdf::FichierImprimante() const
{
    return QString::fromUtf8(m_cheminDocument);
}

QString EcriturePdf::Publie()
{
    QFile document(QString::fromUtf8(m_cheminDocument));
    if (m_cheminDocument.isEmpty() || !document.open(QIODevice::ReadOnly))
        return MessageEcriture(m_sortie, Raison(m_cheminDocument.isEmpty() ? EBADF : EIO));
    const QByteArray contenu = document.readAll();
    if (!FinDeDocument(contenu))
        return MessageEcriture(m_sortie, RaisonDocumentIncomplet());
    const int erreur = RemplaceFichier(m_sortie, contenu);
    return erreur == 0 ? QString() : MessageEcriture(m_sortie, Raison(erreur));
}

void SupprimeTemporaireSurSignal()
{
    ::SetConsoleCtrlHandler(QuitteSurInterruption, TRUE);
}
