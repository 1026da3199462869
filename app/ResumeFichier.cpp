#include "ResumeFichier.h"

QString ResumeFichier(const QString& nom, std::size_t electeurs, const QDate& modifie)
{
    // French puts 0 and 1 in the singular.
    const QString compte = electeurs <= 1 ? QStringLiteral("%1 électeur")
                                          : QStringLiteral("%1 électeurs");
    QString resume = nom + QStringLiteral(" — ") + compte.arg(electeurs);
    if (modifie.isValid())
        resume += QStringLiteral(" — ") + modifie.toString(QStringLiteral("dd/MM/yyyy"));
    return resume;
}

QString ResumeEchecFichier(const QString& nom, const QString& raison)
{
    return QStringLiteral("« %1 » : %2").arg(nom, raison);
}
