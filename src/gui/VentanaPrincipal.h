#pragma once

#include "core/comandos/EstadoComandos.h"
#include "core/motor/ResultadosAnova.h"
#include "gui/Resultados.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>

class OpcionesImpresion;
class QAbstractButton;
class QAction;
class QIcon;
class QLabel;
class QMdiArea;
class QMenu;
class VentanaEstudio;
class VentanaTipoImpresora;

// The main window: multiple-document frame, menus, tool bar, status bar and
// the commands of the program. It holds at most one study window, and the
// print options windows for the run.
class VentanaPrincipal : public QMainWindow
{
    Q_OBJECT

public:
    explicit VentanaPrincipal(QWidget *parent = nullptr);
    ~VentanaPrincipal() override;

    QMdiArea *marco() const;
    // The study window; nullptr when none is open.
    VentanaEstudio *documento() const;

    // Applies one row of the command-state table.
    void aplicaEvento(Evento evento);

    // The text of the status panel `estado`: "Modificado" while the study
    // has unsaved changes, empty once saved, a blank once closed.
    QString estado() const;

    // The reading of "&Abrir..." for a chosen file. Errors propagate; a file
    // that cannot be read leaves no document window.
    void abreArchivo(const QString &ruta);

    // The print options windows, created hidden and living with this window.
    void creaVentanasImpresion();
    OpcionesImpresion *opcionesLaser();
    OpcionesImpresion *opcionesTinta();
    VentanaTipoImpresora *tipoImpresora();

    // "Lasser": the laser options window, not modal, no validation first.
    void imprimeLaser();
    // "Deskjet": the ink-jet options window after a passed validation.
    void imprimeTinta();
    // The printer kind options window, modal; no menu item leads to it.
    void eligeImpresora();
    // "&t de Dunnett", from the grid's menu.
    void dunnett();

    // The help number of a menu item: its own, or that of the nearest menu
    // holding it when it has none; 0 when neither has one.
    int numeroAyuda(QAction *accion) const;
    // False when a menu holding the item is disabled: the item cannot be
    // reached, not even by its shortcut.
    bool alcanzable(QAction *accion) const;

signals:
    // The window was activated (the splash counts its time from then).
    void activada();
    // The window has closed: the program ends.
    void cerrada();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *objeto, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void creaMenus();
    void creaBarra();
    void creaEstado();
    QAction *creaAccion(QMenu *menu, const QString &nombre, const QString &titulo, int ayuda,
                        const QString &pista, void (VentanaPrincipal::*comando)());
    QAction *creaAccion(QMenu *menu, Comando comando, const QString &titulo, int ayuda,
                        const QString &pista, void (VentanaPrincipal::*manejador)());
    QMenu *creaMenu(QMenu *padre, const QString &nombre, const QString &titulo, int ayuda,
                    const QString &pista);
    QAbstractButton *creaBoton(Comando comando, int izquierda, const QIcon &icono,
                               const QString &pista, void (VentanaPrincipal::*manejador)());
    QAbstractButton *creaBoton(const QString &nombre, int izquierda, const QIcon &icono,
                               const QString &pista, void (VentanaPrincipal::*manejador)());
    void ponHabilitado(Comando comando, bool habilitado);
    VentanaEstudio *creaDocumento();
    void documentoCerrado();
    void muestraModificado(bool modificado);
    void ocultaVentanasImpresion();
    DestinoResultados destinoResultados();

    // Handlers of the menu and tool bar.
    void muestraPista(const QString &pista);
    void nuevo();
    void abrir();
    void guardar();
    void guardarComo();
    void cambiaPreguntaMotivo();
    void cerrar();
    void salir();
    void mosaico();
    void cascada();
    void ayudaContenido();
    void ayudaBuscar();
    void ayudaDeAyuda();
    void verificacion();
    void acercaDe();
    void analisisVarianza();
    void intervalosConfianza();
    void grafica();
    void informe();
    void supuestos();
    void precision();
    void registroCambios();
    void firmar();

    QMdiArea *m_mdi = nullptr;
    QLabel *lineaEstado = nullptr;
    QLabel *estadoPanel = nullptr;
    QHash<QAction *, QAction *> m_menuDe;  // item -> the menu item holding it
    QHash<Comando, QList<QPointer<QObject>>> m_comandos;  // actions and buttons of each command
    QPointer<VentanaEstudio> m_documento;
    QAction *m_preguntaMotivo = nullptr;
    ResultadosAnova m_resultados;
    OpcionesImpresion *m_opcionesLaser = nullptr;
    OpcionesImpresion *m_opcionesTinta = nullptr;
    VentanaTipoImpresora *m_tipoImpresora = nullptr;
};
