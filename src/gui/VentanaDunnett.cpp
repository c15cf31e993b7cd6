#include "VentanaDunnett.h"

#include "core/informe/TextoDunnett.h"
#include "core/motor/Formato.h"
#include "gui/Ayuda.h"
#include "gui/Dialogos.h"
#include "gui/RejillaResultado.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const QStringList encabezados = {
    QStringLiteral("FAM"),          QStringLiteral("Diferencia"),
    QStringLiteral("d"),            QStringLiteral("Semiamplitud"),
    QStringLiteral("Límite inferior"), QStringLiteral("Límite superior"),
    QStringLiteral("Conclusión"),   QStringLiteral("p ajustado"),
};

QString fam(int i)
{
    return QStringLiteral("FAM %1").arg(i);
}

} // namespace

VentanaDunnett::VentanaDunnett(const Estudio &estudio, QChar separador,
                               const ResultadoDunnett &resultado, QWidget *parent)
    : VentanaResultado(parent), m_estudio(estudio), m_separador(separador)
{
    setObjectName(QStringLiteral("VentanaDunnett"));
    setProperty(PropiedadAyuda, 13);
    const int k = resultado.k;

    auto *etiqueta = new QLabel(QStringLiteral("FAM de &control:"), this);
    cbcontrol = new QComboBox(this);
    cbcontrol->setObjectName(QStringLiteral("cbcontrol"));
    cbcontrol->setAccessibleName(QStringLiteral("FAM de control"));
    for (int i = 1; i <= k; ++i)
        cbcontrol->addItem(fam(i), i);
    cbcontrol->setCurrentIndex(resultado.control - 1);
    etiqueta->setBuddy(cbcontrol);

    stgpromedios = new RejillaResultado(QStringLiteral("stgpromedios"), QStringLiteral("Promedios por FAM"),
                                         2, k + 1, 1, 1, 140, this);
    stgpromedios->setFixedSize(284, 24 * (k + 1) + 4);
    stgpromedios->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    stgpromedios->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    stgdunnett = new RejillaResultado(QStringLiteral("stgdunnett"), QStringLiteral("t de Dunnett"),
                                       int(encabezados.size()), k, 1, 1, 100, this);
    stgdunnett->setColumnWidth(0, 120);
    stgdunnett->setColumnWidth(2, 80);
    stgdunnett->setColumnWidth(4, 110);
    stgdunnett->setColumnWidth(5, 110);
    stgdunnett->setColumnWidth(6, 210);

    auto *fila = new QHBoxLayout;
    fila->addWidget(etiqueta);
    fila->addWidget(cbcontrol);
    fila->addStretch(1);
    auto *columna = new QVBoxLayout(this);
    columna->addLayout(fila);
    columna->addWidget(stgpromedios);
    columna->addWidget(stgdunnett, 1);

    for (RejillaResultado *rejilla : {stgpromedios, stgdunnett}) {
        connect(rejilla, &RejillaResultado::teclaPulsada, rejilla, &RejillaResultado::aplicaTeclaTab);
        connect(rejilla, &RejillaResultado::salida, rejilla, &RejillaResultado::restableceTab);
    }
    connect(cbcontrol, &QComboBox::currentIndexChanged, this, [this](int indice) {
        if (indice >= 0)
            EjecutaComando([this, indice] { ponControl(indice + 1); });
    });

    creaMenuCerrar();
    llena(resultado);
}

int VentanaDunnett::control() const
{
    return cbcontrol->currentData().toInt();
}

void VentanaDunnett::ponControl(int control)
{
    if (cbcontrol->currentIndex() != control - 1) {
        cbcontrol->setCurrentIndex(control - 1);  // comes back here
        return;
    }
    llena(CalculaDunnett(m_estudio, m_separador, control));
}

void VentanaDunnett::llena(const ResultadoDunnett &r)
{
    const auto F = [this](double valor) { return FormatoGeneral(valor, m_separador); };

    Rejilla promedios(2, r.k + 1);
    promedios.ponCelda(0, 0, QStringLiteral("FAM"));
    promedios.ponCelda(1, 0, QStringLiteral("Promedio"));
    for (int i = 1; i <= r.k; ++i) {
        promedios.ponCelda(0, i, fam(i));
        promedios.ponCelda(1, i, F(r.promedios[i]));
    }
    stgpromedios->ponCeldas(promedios);

    Rejilla comparaciones(int(encabezados.size()), r.k);
    for (int columna = 0; columna < encabezados.size(); ++columna)
        comparaciones.ponCelda(columna, 0, encabezados[columna]);
    int fila = 1;
    for (const ComparacionDunnett &c : r.comparaciones) {
        const QStringList celdas = {
            QStringLiteral("%1 − %2").arg(fam(c.fam), fam(r.control)),
            F(c.diferencia), F(r.critico), F(c.amplitud), F(c.liminf), F(c.limsup),
            ConclusionDunnett(c.hayDiferencia, r.control), F(c.p),
        };
        for (int columna = 0; columna < celdas.size(); ++columna)
            comparaciones.ponCelda(columna, fila, celdas[columna]);
        ++fila;
    }
    stgdunnett->ponCeldas(comparaciones);
}

void VentanaDunnett::muestra(QMdiArea *marco)
{
    VentanaResultado::muestra(marco, QStringLiteral("t de Dunnett"), {960, 420}, true);
}
