#include "VentanaDunnett.h"

#include "core/informe/TablasResultado.h"
#include "gui/Ayuda.h"
#include "gui/Dialogos.h"
#include "gui/RejillaResultado.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

VentanaDunnett::VentanaDunnett(const Estudio &estudio, QChar separador,
                               const ResultadoDunnett &resultado, QWidget *parent)
    : VentanaResultado(QStringLiteral("t de Dunnett"), {960, 420}, true, parent),
      m_estudio(estudio), m_separador(separador)
{
    setObjectName(QStringLiteral("VentanaDunnett"));
    setProperty(PropiedadAyuda, 13);
    const int k = resultado.k;

    // Alt+C is the "&Cálculos" menu's.
    auto *etiqueta = new QLabel(QStringLiteral("FAM de con&trol:"), this);
    selectorControl = new QComboBox(this);
    selectorControl->setObjectName(QStringLiteral("cbcontrol"));
    selectorControl->setAccessibleName(QStringLiteral("FAM de control"));
    selectorControl->view()->setAccessibleName(QStringLiteral("FAM de control"));
    for (int i = 1; i <= k; ++i)
        selectorControl->addItem(QStringLiteral("FAM %1").arg(i));
    selectorControl->setCurrentIndex(resultado.control - 1);
    etiqueta->setBuddy(selectorControl);

    rejillaPromedios = new RejillaResultado(QStringLiteral("stgpromedios"), QStringLiteral("Promedios por FAM"),
                                         2, k + 1, 1, 1, 140, this);
    rejillaPromedios->setFixedSize(284, 24 * (k + 1) + 4);
    rejillaPromedios->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    rejillaPromedios->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    rejillaDunnett = new RejillaResultado(QStringLiteral("stgdunnett"), QStringLiteral("t de Dunnett"),
                                       ColumnasDunnett, k, 1, 1, 100, this);
    rejillaDunnett->setColumnWidth(0, 120);
    rejillaDunnett->setColumnWidth(2, 80);
    rejillaDunnett->setColumnWidth(4, 110);
    rejillaDunnett->setColumnWidth(5, 110);
    rejillaDunnett->setColumnWidth(6, 210);
    rejillaDunnett->setMinimumSize(rejillaDunnett->tamanoCompleto());

    auto *fila = new QHBoxLayout;
    fila->addWidget(etiqueta);
    fila->addWidget(selectorControl);
    fila->addStretch(1);
    auto *columna = new QVBoxLayout(this);
    columna->addLayout(fila);
    columna->addWidget(rejillaPromedios);
    columna->addWidget(rejillaDunnett, 1);

    connect(selectorControl, &QComboBox::currentIndexChanged, this, [this](int indice) {
        if (indice >= 0)
            EjecutaComando([this, indice] { llena(CalculaDunnett(m_estudio, m_separador, indice + 1)); });
    });

    creaMenuCerrar();
    llena(resultado);
}

void VentanaDunnett::llena(const ResultadoDunnett &resultado)
{
    rejillaPromedios->ponCeldas(TablaPromediosDunnett(resultado, m_separador));
    rejillaDunnett->ponCeldas(TablaDunnett(resultado, m_separador));
}
