#pragma once

#include <QList>
#include <QObject>

class QWidget;

// Follows the focus among the components of one window and says when one is
// left for another, so that the window can check what was typed there. Only
// moves between the window's own components count: the focus going to a
// message box or another window and coming back is no exit. The handlers
// connected to the signals may move the focus again; those moves run no
// handler, so the checks cannot call one another. An error a handler throws
// ends in the general handler, as a command's would.
class SeguimientoFoco : public QObject
{
    Q_OBJECT

public:
    explicit SeguimientoFoco(QWidget *ventana);

    // `compuesto` and every widget inside it count as one component (a grid
    // and its editor).
    void agrupa(QWidget *compuesto);
    QWidget *componente(QWidget *widget) const;

    // The component that holds the focus; none before the window first has it.
    QWidget *actual() const { return m_foco; }
    // Gives the focus to `widget`, turning a notebook to the page that holds
    // it, without running a handler.
    void enfoca(QWidget *widget);
    // The window takes the focus for the first time: `entra` runs, unless the
    // window has had the focus already.
    void tomaFoco();
    // The component just left for another window passed its check: coming
    // back to another component does not leave it again.
    void salidaRevisada();
    // The window has closed: its focus changes are followed no longer.
    void termina() { m_terminado = true; }

signals:
    // The focus comes into the window for the first time.
    void entra();
    // `componente` was left for another component of the window...
    void sale(QWidget *componente);
    // ... and, after that handler, `componente` has the focus; also when the
    // focus comes back from another window to a component other than the
    // one checked as it was left.
    void entraEn(QWidget *componente);
    // `componente` was left for another window of the program that is not a
    // message box, a dialog or a menu; sent once that window has the focus.
    void saleHaciaOtraVentana(QWidget *componente);

private:
    void focoCambia(QWidget *antes, QWidget *ahora);
    void dejaVentana(QWidget *antes, QWidget *ahora);
    void ejecuta(void (SeguimientoFoco::*senal)(QWidget *), QWidget *componente);

    QWidget *m_ventana;
    QList<QWidget *> m_compuestos;
    QWidget *m_foco = nullptr;     // the component that holds the focus
    QWidget *m_dejado = nullptr;   // the widget the focus left for no widget (another window)
    bool m_revisada = false;       // m_foco was checked as it was left for another window
    bool m_enfocando = false;      // a handler is moving the focus
    bool m_terminado = false;
};
