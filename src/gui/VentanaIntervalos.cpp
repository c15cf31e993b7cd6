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

    QTextEdit *fondoIntervalos =
        creaFondo(QStringLiteral("memoB"), QStringLiteral("Fondo de los intervalos de confianza"), this);
    auto *fondo = new QVBoxLayout(this);
    fondo->setContentsMargins(0, 0, 0, 0);
    fondo->addWidget(fondoIntervalos);

    rejillaIntervalos = new RejillaResultado(QStringLiteral("stgconclu"),
                                      QStringLiteral("Intervalos de confianza"), 5, 12, 2, 2, 100,
                                      this);
    rejillaIntervalos->setGeometry(0, 0, 649, 337);
    rejillaIntervalos->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rejillaIntervalos->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    rejillaIntervalos->setColumnWidth(0, 70);
    rejillaIntervalos->setColumnWidth(1, 70);
    rejillaIntervalos->setColumnWidth(4, 250);
    rejillaIntervalos->raise();
    // The grid lies over the background at the top-left corner, outside the
    // layout: the window keeps room for it.
    setMinimumSize(rejillaIntervalos->size());

    // Leaving the grid also takes it back to its first row.
    connect(rejillaIntervalos, &RejillaResultado::salida, this, [this] { rejillaIntervalos->ponFilaActual(0); });

    creaMenuCerrar();
}

void VentanaIntervalos::llena(const ResultadosAnova &resultados)
{
    rejillaIntervalos->ponCeldas(TablaConclusiones(resultados, SeparadorDecimal()));
}
