#include "Ufconclu.h"

#include "RejillaResultado.h"
#include "Tablas.h"
#include "stats/Conversiones.h"

#include <QTextEdit>
#include <QVBoxLayout>

TfinfoB::TfinfoB(QWidget *parent) : TVentanaResultado(parent)
{
    setObjectName(QStringLiteral("finfoB"));

    memoB = new QTextEdit(this);
    memoB->setObjectName(QStringLiteral("memoB"));
    memoB->setAccessibleName(QStringLiteral("Fondo de los intervalos de confianza"));
    memoB->setReadOnly(true);
    memoB->setAlignment(Qt::AlignCenter);
    memoB->setContextMenuPolicy(Qt::NoContextMenu);
    auto *fondo = new QVBoxLayout(this);
    fondo->setContentsMargins(0, 0, 0, 0);
    fondo->addWidget(memoB);

    stgconclu = new TRejillaResultado(QStringLiteral("stgconclu"),
                                      QStringLiteral("Intervalos de confianza"), 5, 12, 2, 2, 100,
                                      this);
    stgconclu->setGeometry(0, 0, 649, 337);
    stgconclu->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    stgconclu->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    stgconclu->setColumnWidth(0, 70);
    stgconclu->setColumnWidth(1, 70);
    stgconclu->setColumnWidth(4, 250);
    stgconclu->raise();

    connect(stgconclu, &TRejillaResultado::teclaPulsada, this, &TfinfoB::stgconcluKeyPress);
    connect(stgconclu, &TRejillaResultado::salida, this, &TfinfoB::stgconcluExit);

    creaPopupMenu1();
}

void TfinfoB::llena(const AnovaResults &resultados, int k)
{
    stgconclu->ponCeldas(TablaConclusiones(resultados, k, SeparadorDecimal()));
}

void TfinfoB::muestra()
{
    TVentanaResultado::muestra(QStringLiteral("Intervalo de Confianza"), {683, 414}, true);
}

void TfinfoB::stgconcluKeyPress()
{
    stgconclu->aplicaTeclaTab();
}

void TfinfoB::stgconcluExit()
{
    stgconclu->restableceTab();
    stgconclu->ponFilaActual(0);
}
