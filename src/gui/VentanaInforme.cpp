#include "VentanaInforme.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

Tfrminforme::Tfrminforme(QWidget *parent) : TVentanaResultado(parent)
{
    setObjectName(QStringLiteral("frminforme"));

    mminforme = new QPlainTextEdit(this);
    mminforme->setObjectName(QStringLiteral("mminforme"));
    mminforme->setAccessibleName(QStringLiteral("mminforme"));
    mminforme->setReadOnly(true);
    mminforme->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    mminforme->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    mminforme->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Its own menu would open on a right click, which closes the report.
    mminforme->setContextMenuPolicy(Qt::NoContextMenu);
    mminforme->installEventFilter(this);
    mminforme->viewport()->installEventFilter(this);

    auto *relleno = new QVBoxLayout(this);
    relleno->setContentsMargins(0, 0, 0, 0);
    relleno->addWidget(mminforme);
}

void Tfrminforme::agrega(const QString &linea)
{
    mminforme->appendPlainText(linea);
}

void Tfrminforme::muestra()
{
    TVentanaResultado::muestra(QStringLiteral("Informe"), {435, 300}, false);
}

bool Tfrminforme::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == mminforme->viewport() && evento->type() == QEvent::MouseButtonPress) {
        mminformeMouseDown();
        return true;
    }
    if (objeto == mminforme && evento->type() == QEvent::KeyPress) {
        mminformeKeyDown();
        return true;
    }
    return TVentanaResultado::eventFilter(objeto, evento);
}

void Tfrminforme::mminformeMouseDown()
{
    cierra();
}

void Tfrminforme::mminformeKeyDown()
{
    cierra();
}
