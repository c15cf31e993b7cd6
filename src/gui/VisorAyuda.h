#pragma once

#include "core/ayuda/TemasAyuda.h"

#include <QMainWindow>

class QAction;
class QTextBrowser;
class QUrl;
class BuscarAyuda;

// The help viewer: the program's help pages in a browser with back and
// forward, the contents page and the keyword search. One instance serves
// every request of the run (see VisorDeAyuda()).
class VisorAyuda : public QMainWindow
{
    Q_OBJECT

public:
    explicit VisorAyuda(QWidget *parent = nullptr);

    // Shows a page of the help set, "guardar.html" or "guardar.html#como".
    void muestraPagina(const QString &pagina);

    // Opens the search dialog with `clave` typed in it. A key that leads to
    // one topic only shows that topic at once.
    void buscaClave(const QString &clave);

    // The page on show, with its anchor; empty before the first one.
    QString paginaActual() const;

    // The search dialog; nullptr until first opened.
    BuscarAyuda *buscarAyuda() const { return m_buscar; }

private:
    void muestraContenido();
    void abreBusqueda();
    void paginaCambiada(const QUrl &url);
    void presenta();

    const QVector<EntradaIndice> m_indice;
    QTextBrowser *textoAyuda;
    QAction *accionAtras;
    QAction *accionAdelante;
    BuscarAyuda *m_buscar = nullptr;
};

// The viewer of the run, created (hidden) on first use and destroyed with
// the application.
VisorAyuda *VisorDeAyuda();
