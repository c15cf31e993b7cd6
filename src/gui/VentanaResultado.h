#pragma once

#include "core/comandos/EstadoComandos.h"

#include <QPointer>
#include <QWidget>

class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTextEdit;

// What the result windows share: they live in the main window's frame
// with a caption and outer size of their own, are destroyed when closed, and
// the last child window to close reports the event that returns the commands
// to their state without a study.
class VentanaResultado : public QWidget
{
    Q_OBJECT

public:
    // Adds the window to `marco` with its caption and outer size, centred in
    // the frame or left to the frame's own placement, and shows it, wholly
    // inside the workspace.
    void muestra(QMdiArea *marco);
    // Closes the child window that holds this one.
    void cierra();

signals:
    // An event of the command-state table.
    void evento(Evento evento);

protected:
    // `centrada`: placed in the middle of the frame when shown.
    VentanaResultado(const QString &titulo, QSize tamano, bool centrada, QWidget *parent);

    // The window's context menu with its one item "Cerrar".
    void creaMenuCerrar();
    // A read-only memo, centred and without a context menu, that only
    // shows as the background of the window's grids.
    static QTextEdit *creaFondo(const QString &nombre, const QString &nombreAccesible,
                                QWidget *padre);

    void closeEvent(QCloseEvent *evento) override;
    void contextMenuEvent(QContextMenuEvent *evento) override;

private:
    QString m_titulo;
    QSize m_tamano;
    bool m_centrada;
    QPointer<QMdiArea> m_marco;
    QMenu *m_menu = nullptr;
};
