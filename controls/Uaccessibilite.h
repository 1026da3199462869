#pragma once
// What the custom controls' accessible interfaces share: how they are named,
// and how a press asked by an assistive technology reaches a control.

#include <QAccessible>
#include <QAccessibleWidget>
#include <QObject>
#include <QString>
#include <functional>

class QWidget;

namespace Accessibilite {

// The name given with setAccessibleName() when there is one, else `parDefaut`.
QString Nom(const QWidget* controle, const QString& parDefaut);

// A caption as it is read: with accelerator characters on, "&" marks the next
// letter and is not read, and "&&" reads as one "&".
QString LegendeLue(const QString& legende, bool accelerateurs);

// True while a modal dialog of another window keeps the mouse away from the
// control.
bool BloqueParUnDialogue(const QWidget* controle);

// Runs `clic` as a click would come: from the event loop, shortly after the
// request returns, so that the assistive technology is not kept waiting by a
// dialog the click opens; and not at all if the control is gone or a modal
// dialog blocks it by then.
void PressePlusTard(QWidget* controle, std::function<void()> clic);

// An interface whose press action clicks the control as the mouse would,
// later from the event loop (see PressePlusTard); it offers no action while
// it reads as disabled.
class InterfacePressable : public QAccessibleWidget {
public:
    using QAccessibleWidget::QAccessibleWidget;

    QStringList actionNames() const override;
    void doAction(const QString& action) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

protected:
    // What a press does; it must not hold on to the interface.
    virtual std::function<void()> Clic() const = 0;
};

// Makes QAccessible build an `Interface` (constructed from the control) for
// every widget of class `Controle`. Called from the control's constructor;
// the factory is installed once per class.
template <typename Controle, typename Interface>
void EnregistreInterface()
{
    [[maybe_unused]] static const bool enregistree =
        (QAccessible::installFactory([](const QString& classe,
                                        QObject* objet) -> QAccessibleInterface* {
             if (classe != QLatin1String(Controle::staticMetaObject.className()))
                 return nullptr;
             if (auto* controle = qobject_cast<Controle*>(objet))
                 return new Interface(controle);
             return nullptr;
         }),
         true);
}

}  // namespace Accessibilite
