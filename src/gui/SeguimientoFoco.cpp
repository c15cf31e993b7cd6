#include "SeguimientoFoco.h"

#include "gui/Dialogos.h"

#include <QApplication>
#include <QScopedValueRollback>
#include <QTabWidget>
#include <QTimer>

#include <utility>

SeguimientoFoco::SeguimientoFoco(QWidget *ventana) : m_ventana(ventana)
{
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget *antes, QWidget *ahora) { focoCambia(antes, ahora); });
}

void SeguimientoFoco::agrupa(QWidget *compuesto)
{
    m_compuestos << compuesto;
}

QWidget *SeguimientoFoco::componente(QWidget *widget) const
{
    for (QWidget *compuesto : m_compuestos)
        if (widget && (widget == compuesto || compuesto->isAncestorOf(widget)))
            return compuesto;
    return widget;
}

void SeguimientoFoco::enfoca(QWidget *widget)
{
    QScopedValueRollback enfocando(m_enfocando, true);
    for (QTabWidget *paginas : m_ventana->findChildren<QTabWidget *>())
        for (int i = 0; i < paginas->count(); ++i)
            if (paginas->widget(i)->isAncestorOf(widget))
                paginas->setCurrentIndex(i);
    widget->setFocus(Qt::OtherFocusReason);
    m_foco = componente(widget);
}

void SeguimientoFoco::tomaFoco()
{
    if (m_foco)
        return;
    QScopedValueRollback enfocando(m_enfocando, true);
    emit entra();
}

void SeguimientoFoco::salidaRevisada()
{
    m_revisada = true;
}

// Runs a handler inside the error boundary, then takes the component where
// it left the focus.
void SeguimientoFoco::ejecuta(void (SeguimientoFoco::*senal)(QWidget *), QWidget *componente)
{
    EjecutaComando([this, senal, componente] { emit (this->*senal)(componente); });
    m_foco = this->componente(m_ventana->focusWidget());
}

void SeguimientoFoco::focoCambia(QWidget *antes, QWidget *ahora)
{
    if (m_enfocando || m_terminado)
        return;
    // Going to another top-level window, the focus first goes to nobody.
    if (!ahora) {
        m_dejado = antes && m_ventana->isAncestorOf(antes) ? antes : nullptr;
        return;
    }
    QWidget *dejado = std::exchange(m_dejado, nullptr);
    if (!m_ventana->isAncestorOf(ahora)) {
        dejaVentana(antes ? antes : dejado, ahora);
        return;
    }
    QWidget *nuevo = componente(ahora);
    if (nuevo == m_foco)
        return;
    // A component already checked as it was left for another window is not
    // left again when the user comes back to another component.
    if (std::exchange(m_revisada, false)) {
        m_foco = nuevo;
        QScopedValueRollback enfocando(m_enfocando, true);
        ejecuta(&SeguimientoFoco::entraEn, nuevo);
        return;
    }
    // The focus coming back from outside the window (a message box closed,
    // the window activated again) is no move either. The toolkit gives it to
    // the widget it remembers, which can be one that a check has already
    // sent the focus away from: the component that had it keeps it.
    if (m_foco && (!antes || antes->window() != m_ventana->window())) {
        enfoca(m_foco);
        return;
    }
    QWidget *previo = std::exchange(m_foco, nuevo);
    QScopedValueRollback enfocando(m_enfocando, true);
    if (!previo) {
        emit entra();
        return;
    }
    ejecuta(&SeguimientoFoco::sale, previo);
    if (m_foco && m_foco != previo)
        ejecuta(&SeguimientoFoco::entraEn, m_foco);
}

void SeguimientoFoco::dejaVentana(QWidget *antes, QWidget *ahora)
{
    // A message box, a dialog or a menu that comes and goes takes the focus
    // from nobody.
    if (!antes || componente(antes) != m_foco)
        return;
    if (QApplication::activeModalWidget() || QApplication::activePopupWidget() || ahora->window()->isModal())
        return;
    // Once the move is over: the other window takes the focus after this.
    QWidget *dejado = m_foco;
    QTimer::singleShot(0, this, [this, dejado] {
        const QWidget *foco = QApplication::focusWidget();
        if (m_terminado || m_foco != dejado || !foco || m_ventana->isAncestorOf(foco))
            return;
        QScopedValueRollback enfocando(m_enfocando, true);
        EjecutaComando([this, dejado] { emit saleHaciaOtraVentana(dejado); });
    });
}
