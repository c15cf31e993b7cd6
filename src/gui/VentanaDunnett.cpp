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
    cbcontrol = new QComboBox(this);
    cbcontrol->setObjectName(QStringLiteral("cbcontrol"));
    cbcontrol->setAccessibleName(QStringLiteral("FAM de control"));
    cbcontrol->view()->setAccessibleName(QStringLiteral("FAM de control"));
    for (int i = 1; i <= k; ++i)
        cbcontrol->addItem(QStringLiteral("FAM %1").arg(i));
    cbcontrol->setCurrentIndex(resultado.control - 1);
    etiqueta->setBuddy(cbcontrol);

    stgpromedios = new RejillaResultado(QStringLiteral("stgpromedios"), QStringLiteral("Promedios por FAM"),
                                         2, k + 1, 1, 1, 140, this);
    stgpromedios->setFixedSize(284, 24 * (k + 1) + 4);
    stgpromedios->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    stgpromedios->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    stgdunnett = new RejillaResultado(QStringLiteral("stgdunnett"), QStringLiteral("t de Dunnett"),
                                       ColumnasDunnett, k, 1, 1, 100, this);
    stgdunnett->setColumnWidth(0, 120);
    stgdunnett->setColumnWidth(2, 80);
    stgdunnett->setColumnWidth(4, 110);
    stgdunnett->setColumnWidth(5, 110);
    stgdunnett->setColumnWidth(6, 210);
    stgdunnett->setMinimumSize(stgdunnett->tamanoCompleto());

    auto *fila = new QHBoxLayout;
    fila->addWidget(etiqueta);
    fila->addWidget(cbcontrol);
    fila->addStretch(1);
    auto *columna = new QVBoxLayout(this);
    columna->addLayout(fila);
    columna->addWidget(stgpromedios);
    columna->addWidget(stgdunnett, 1);

    connect(cbcontrol, &QComboBox::currentIndexChanged, this, [this](int indice) {
        if (indice >= 0)
            EjecutaComando([this, indice] { llena(CalculaDunnett(m_estudio, m_separador, indice + 1)); });
    });

    creaMenuCerrar();
    llena(resultado);
}

void VentanaDunnett::llena(const ResultadoDunnett &resultado)
{
    stgpromedios->ponCeldas(TablaPromediosDunnett(resultado, m_separador));
    stgdunnett->ponCeldas(TablaDunnett(resultado, m_separador));
}
