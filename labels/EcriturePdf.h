#pragma once
// Where a printed PDF goes. Qt's PDF engine ignores write errors, so the
// printer writes the document into an unnamed file in memory; once it is
// complete, the document is copied to the output with checked writes and
// synced before it takes the output's name. A full disk or any other write
// error is then reported, and neither leaves a cut PDF nor replaces an older
// file.
//
// The output's path is followed through symbolic links to the real file: a
// regular file is replaced as a whole and keeps its owner and permissions (a
// new one gets those of any file the user creates; a file whose owner cannot
// be given to a new one is rewritten in place, its space reserved first; a
// file the user may not write is refused); a character device, a
// FIFO or a pipe (/dev/stdout) is written directly; a folder or a block
// device is refused.

#include <QByteArray>
#include <QString>

#include <cstdint>

class EcriturePdf {
public:
    // Looks at the output and makes the in-memory document. Erreur() says
    // whether the output can be written at all.
    explicit EcriturePdf(const QString& sortie);
    ~EcriturePdf();
    EcriturePdf(const EcriturePdf&) = delete;
    EcriturePdf& operator=(const EcriturePdf&) = delete;

    // Why the output cannot be written, French, naming the file; empty when
    // it can be.
    const QString& Erreur() const { return m_erreur; }
    // The file name to give the printer: the in-memory document.
    QString FichierImprimante() const;
    // Once the printer has finished: checks that the document is complete
    // and writes it to the output. Returns why it failed, empty on success.
    QString Publie();

private:
    QString m_sortie;
    QString m_erreur;
    int m_document = -1;
    QByteArray m_cheminDocument;  // a named stand-in where memory files are not offered
};

// Writes the `taille` bytes of the file open as `source` to `sortie` as
// described above. Returns the French reason of a failure ("disque plein"…),
// empty on success.
QString EcritSortie(int source, int64_t taille, const QString& sortie);

// Why `sortie` cannot be written at all (a folder, a missing or read-only
// folder…), French, without the file's name; empty when it can be. A FIFO
// is not opened: that would wait for its reader.
QString RaisonRefusSortie(const QString& sortie);

// From now on, SIGINT, SIGTERM and SIGHUP remove the temporary file an
// output is being written to before the program ends as the signal asks.
void SupprimeTemporaireSurSignal();
