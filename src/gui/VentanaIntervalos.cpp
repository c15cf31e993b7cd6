#include "VentanaIntervalos.h"

#include "core/informe/TablasResultado.h"
#include "core/motor/Conversiones.h"
#include "gui/Ayuda.h"
#include "gui/RejillaResultado.h"

#include <QTextEdit>
#include <QVBoxLayout>

VentanaIntervalos::VentanaIntervalos(QWidget *parent)
    : VentanaResultado(QStringLiteral("Intervalo de Confianza"), {683, 414}, true, parent)
{
    setObjectName(QStringLiteral("finfoB"));
    setProperty(PropiedadAyuda, 12);

    QTextEdit *memoB =
        creaFondo(QStringLiteral("memoB"), QStringLiteral("Fondo de los intervalos de confianza"), this);
    auto *fondo = new QVBoxLayout(this);
    fondo->setContentsMargins(0, 0, 0, 0);
    fondo->addWidget(memoB);

    stgconclu = new RejillaResultado(QStringLiteral("stgconclu"),
                                      QStringLiteral("Intervalos de confianza"), 5, 12, 2, 2, 100,
                                      this);
    stgconclu->setGeometry(0, 0, 649, 337);
    stgconclu->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    stgconclu->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    stgconclu->setColumnWidth(0, 70);
    stgconclu->setColumnWidth(1, 70);
    stgconclu->setColumnWidth(4, 250);
    stgconclu->raise();
    // The grid lies over the background at the top-left corner, outside the
    // layout: the window keeps room for it.
    setMinimumSize(stgconclu->size());

    // Leaving the grid also takes it back to its first row.
    connect(stgconclu, &RejillaResultado::salida, this, [this] { stgconclu->ponFilaActual(0); });

    creaMenuCerrar();
}

void VentanaIntervalos::llena(const ResultadosAnova &resultados)
{
    stgconclu->ponCeldas(TablaConclusiones(resultados, SeparadorDecimal()));
}
