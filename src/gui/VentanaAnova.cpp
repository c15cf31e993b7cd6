#include "VentanaAnova.h"

#include "core/informe/TablasResultado.h"
#include "core/motor/Conversiones.h"
#include "gui/Ayuda.h"
#include "gui/RejillaResultado.h"

#include <QHeaderView>
#include <QTextEdit>
#include <QVBoxLayout>

VentanaAnova::VentanaAnova(QWidget *parent)
    : VentanaResultado(QStringLiteral("Análisis de la varianza"), {894, 603}, true, parent)
{
    setObjectName(QStringLiteral("finfoA"));
    setProperty(PropiedadAyuda, 11);

    rejillaAnova = new RejillaResultado(QStringLiteral("stganova"),
                                     QStringLiteral("Análisis de la varianza"), 6, 5, 1, 3, 140,
                                     this);
    rejillaAnova->setFixedHeight(145);
    rejillaAnova->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rejillaAnova->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rejillaAnova->setColumnWidth(0, 175);

    // The memo only shows as the background around the statistics grid.
    auto *zona = new QWidget(this);
    zona->setMinimumHeight(232);
    creaFondo(QStringLiteral("memoa"), QStringLiteral("Fondo de las estadísticas por FAM"), zona)
        ->setGeometry(0, 0, 878, 232);

    rejillaEstadisticas = new RejillaResultado(QStringLiteral("stgeqpo"),
                                    QStringLiteral("Estadísticas por FAM"), 4, 8, 1, 2, 140, zona);
    rejillaEstadisticas->setGeometry(0, 8, 713, 216);
    rejillaEstadisticas->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rejillaEstadisticas->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    rejillaEstadisticas->setColumnWidth(0, 170);
    rejillaEstadisticas->raise();
    // Every column of the two grids shows; the statistics scroll.
    rejillaAnova->setMinimumWidth(rejillaAnova->tamanoCompleto().width());
    zona->setMinimumWidth(rejillaEstadisticas->geometry().right() + 1);

    auto *columna = new QVBoxLayout(this);
    columna->setContentsMargins(0, 0, 0, 0);
    columna->setSpacing(0);
    columna->addWidget(rejillaAnova);
    columna->addWidget(zona, 1);

    creaMenuCerrar();
}

void VentanaAnova::llena(const ResultadosAnova &resultados)
{
    const QChar separador = SeparadorDecimal();
    rejillaAnova->ponCeldas(TablaAnova(resultados, separador));
    rejillaEstadisticas->ponCeldas(TablaEquipos(resultados, separador));
}
