#include "Uinforme.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

Tfrminforme::Tfrminforme(QWidget *parent) : TVentanaResultado(parent)
{
    setObjectName(QStringLiteral("frminforme"));

    mminforme = new QPlainTextEdit(this);
    mminforme->setObjectName(QStringLiteral("mminforme"));
    mminforme->setAccessibleName(QStringLiteral("Informe"));
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
    // The report fills after it is shown; it stays on its first line.
    QScrollBar *barra = mminforme->verticalScrollBar();
    const int arriba = barra->value();
    mminforme->appendPlainText(linea);
    barra->setValue(arriba);
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
