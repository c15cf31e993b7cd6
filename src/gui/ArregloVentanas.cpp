#include "ArregloVentanas.h"

#include <QCoreApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

#include <algorithm>
#include <cmath>

namespace {

// The share `parte` of `total` split in `partes`: the last one takes what
// the division leaves.
int reparto(int total, int partes, int parte)
{
    const int base = total / partes;
    return parte < partes - 1 ? base : total - base * (partes - 1);
}

// The tiling with `columnas` windows a row; a last row with fewer windows
// shares the whole width among them.
QList<QRect> enFilas(QSize libre, const QList<QSize> &necesarios, int columnas)
{
    const int n = int(necesarios.size());
    const int filas = (n + columnas - 1) / columnas;
    QList<QRect> zonas;
    int y = 0;
    for (int fila = 0; fila < filas; ++fila) {
        const int primera = fila * columnas;
        const int cuantas = std::min(columnas, n - primera);
        int alto = reparto(libre.height(), filas, fila);
        for (int i = 0; i < cuantas; ++i)
            alto = std::max(alto, necesarios[primera + i].height());
        int x = 0;
        for (int i = 0; i < cuantas; ++i) {
            const int ancho = std::max(reparto(libre.width(), cuantas, i), necesarios[primera + i].width());
            zonas << QRect(x, y, ancho, alto);
            x += ancho;
        }
        y += alto;
    }
    return zonas;
}

// How much of the arrangement lies out of view, in square pixels.
qint64 fueraDeVista(QSize libre, const QList<QRect> &zonas)
{
    QRect todo;
    for (const QRect &zona : zonas)
        todo |= zona;
    const qint64 ancho = std::max(0, todo.width() - libre.width());
    const qint64 alto = std::max(0, todo.height() - libre.height());
    return ancho * libre.height() + alto * libre.width() + ancho * alto;
}

// What the content of a child window needs, its latest changes counted: a
// grid resized a moment ago has not yet told the layouts around it.
QSize necesario(QMdiSubWindow *hija)
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    return hija->minimumSizeHint();
}

// The child windows an arrangement moves: shown and not minimised, in the
// order they were opened, back to their normal state.
QList<QMdiSubWindow *> hijasQueSeOrdenan(QMdiArea *marco)
{
    QList<QMdiSubWindow *> hijas;
    for (QMdiSubWindow *hija : marco->subWindowList(QMdiArea::CreationOrder)) {
        if (hija->isHidden() || hija->isMinimized())
            continue;
        if (hija->isMaximized() || hija->isShaded())
            hija->showNormal();
        hijas << hija;
    }
    return hijas;
}

void coloca(const QList<QMdiSubWindow *> &hijas, const QList<QRect> &zonas)
{
    for (qsizetype i = 0; i < hijas.size(); ++i)
        hijas[i]->setGeometry(zonas[i]);
}

} // namespace

QList<QRect> Mosaico(QSize libre, const QList<QSize> &necesarios)
{
    const int n = int(necesarios.size());
    if (n == 0)
        return {};
    // The usual square-ish tiling first: it wins every tie.
    const int usual = int(std::ceil(std::sqrt(double(n))));
    QList<int> columnas{usual};
    for (int c = 1; c <= n; ++c)
        if (c != usual)
            columnas << c;
    QList<QRect> mejor;
    qint64 menosFuera = 0;
    for (const int c : columnas) {
        const QList<QRect> zonas = enFilas(libre, necesarios, c);
        const qint64 fuera = fueraDeVista(libre, zonas);
        if (mejor.isEmpty() || fuera < menosFuera) {
            mejor = zonas;
            menosFuera = fuera;
        }
    }
    return mejor;
}

QList<QRect> Cascada(QSize libre, const QList<QSize> &tamanos, const QList<QSize> &necesarios,
                     int paso)
{
    QList<QRect> zonas;
    for (qsizetype i = 0; i < necesarios.size(); ++i) {
        const int desplazamiento = int(i) * paso;
        const QSize resto = libre - QSize(desplazamiento, desplazamiento);
        zonas << QRect(QPoint(desplazamiento, desplazamiento),
                       tamanos.value(i).boundedTo(resto).expandedTo(necesarios[i]));
    }
    return zonas;
}

void ArreglaEnMosaico(QMdiArea *marco)
{
    const QList<QMdiSubWindow *> hijas = hijasQueSeOrdenan(marco);
    QList<QSize> necesarios;
    for (QMdiSubWindow *hija : hijas)
        necesarios << necesario(hija);
    // The workspace as it is, without the scroll bars the present
    // arrangement may need.
    coloca(hijas, Mosaico(marco->contentsRect().size(), necesarios));
}

void ArreglaEnCascada(QMdiArea *marco)
{
    QList<QMdiSubWindow *> hijas = hijasQueSeOrdenan(marco);
    if (hijas.isEmpty())
        return;
    // The active window goes last, on top of the others, and stays active.
    if (const qsizetype activa = hijas.indexOf(marco->activeSubWindow()); activa >= 0)
        hijas.move(activa, hijas.size() - 1);
    QList<QSize> tamanos;
    QList<QSize> necesarios;
    for (QMdiSubWindow *hija : hijas) {
        tamanos << hija->size();
        necesarios << necesario(hija);
    }
    // One step is the height of a title bar, so that every title shows.
    const int paso = hijas.first()->widget() ? hijas.first()->widget()->y() : 24;
    coloca(hijas, Cascada(marco->contentsRect().size(), tamanos, necesarios, paso));
    for (QMdiSubWindow *hija : hijas)
        hija->raise();
}

void AjustaAlMarco(QMdiSubWindow *hija)
{
    // The frame places a new child before its size is set, so a child may
    // hang over the right or bottom edge; on a small screen it may even be
    // larger than the workspace, and then keeps what its content needs.
    const QSize libre = hija->mdiArea()->viewport()->size();
    QRect zona = hija->geometry();
    zona.setSize(zona.size().boundedTo(libre).expandedTo(necesario(hija)));
    zona.moveTo(std::clamp(zona.x(), 0, std::max(0, libre.width() - zona.width())),
                std::clamp(zona.y(), 0, std::max(0, libre.height() - zona.height())));
    hija->setGeometry(zona);
}
