#pragma once

#include "core/ayuda/TemasAyuda.h"

#include <QMainWindow>

class QAction;
class QTextBrowser;
class QUrl;
class BuscarAyuda;

// The help viewer: the program's help pages in a browser with back and
// forward, the contents page and the keyword search. The main window owns
// one and hands it every request.
class VisorAyuda : public QMainWindow
{
    Q_OBJECT

public:
    explicit VisorAyuda(QWidget *parent = nullptr);

    // Shows a page of the help set, "guardar.html" or "guardar.html#como".
    void muestraPagina(const QString &pagina);

    // The page of a help command (`ComandoAyuda`); `buscar` opens the search
    // with `dato` typed in it. An unknown command shows the contents.
    void muestraComando(int comando, const QString &dato = QString());

    // The topic of a help context number (a menu item's, a window's); an
    // unknown number shows the contents.
    void muestraContexto(int numero);

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
