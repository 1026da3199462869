#include "Uaccessibilite.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>

namespace Accessibilite {

QStringList InterfacePressable::actionNames() const
{
    if (state().disabled)
        return {};
    return {pressAction()};
}

void InterfacePressable::doAction(const QString& action)
{
    if (action != pressAction() || state().disabled)
        return;
    PressePlusTard(widget(), Clic());
}

QString Nom(const QWidget* controle, const QString& parDefaut)
{
    const QString nom = controle->accessibleName();
    return nom.isEmpty() ? parDefaut : nom;
}

QString LegendeLue(const QString& legende, bool accelerateurs)
{
    if (!accelerateurs)
        return legende;
    QString lue;
    lue.reserve(legende.size());
    for (qsizetype i = 0; i < legende.size(); ++i) {
        if (legende[i] == QLatin1Char('&')) {
            if (i + 1 < legende.size() && legende[i + 1] == QLatin1Char('&'))
                ++i;
            else
                continue;
        }
        lue += legende[i];
    }
    return lue;
}

bool BloqueParUnDialogue(const QWidget* controle)
{
    const QWidget* modal = QApplication::activeModalWidget();
    return modal && modal != controle->window();
}

void PressePlusTard(QWidget* controle, std::function<void()> clic)
{
    // The timer's context is the control: if it is destroyed first, nothing runs.
    QTimer::singleShot(0, controle, [controle, clic = std::move(clic)] {
        if (!BloqueParUnDialogue(controle))
            clic();
    });
}

}  // namespace Accessibilite
