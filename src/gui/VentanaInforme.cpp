#include "VentanaInforme.h"

#include "gui/Ayuda.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

VentanaInforme::VentanaInforme(QWidget *parent)
    : VentanaResultado(QStringLiteral("Informe"), {435, 300}, false, parent)
{
    setObjectName(QStringLiteral("frminforme"));
    setProperty(PropiedadAyuda, 19);

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

void VentanaInforme::agrega(const QString &linea)
{
    // The report fills after it is shown; it stays on its first line.
    QScrollBar *barra = mminforme->verticalScrollBar();
    const int arriba = barra->value();
    mminforme->appendPlainText(linea);
    barra->setValue(arriba);
}

bool VentanaInforme::eventFilter(QObject *objeto, QEvent *evento)
{
    // Any click or key closes the report.
    if ((objeto == mminforme->viewport() && evento->type() == QEvent::MouseButtonPress)
        || (objeto == mminforme && evento->type() == QEvent::KeyPress)) {
        cierra();
        return true;
    }
    return VentanaResultado::eventFilter(objeto, evento);
}
