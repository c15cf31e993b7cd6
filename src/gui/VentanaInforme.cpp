#include "VentanaInforme.h"

#include "gui/Ayuda.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QVBoxLayout>

VentanaInforme::VentanaInforme(QWidget *parent)
    : VentanaResultado(QStringLiteral("Informe"), {435, 300}, false, parent)
{
    setObjectName(QStringLiteral("frminforme"));
    setProperty(PropiedadAyuda, 19);

    textoInforme = new QPlainTextEdit(this);
    textoInforme->setObjectName(QStringLiteral("mminforme"));
    textoInforme->setAccessibleName(QStringLiteral("Informe"));
    textoInforme->setReadOnly(true);
    textoInforme->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    textoInforme->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    textoInforme->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Its own menu would open on a right click, which closes the report.
    textoInforme->setContextMenuPolicy(Qt::NoContextMenu);
    textoInforme->installEventFilter(this);
    textoInforme->viewport()->installEventFilter(this);

    auto *relleno = new QVBoxLayout(this);
    relleno->setContentsMargins(0, 0, 0, 0);
    relleno->addWidget(textoInforme);
}

void VentanaInforme::agrega(const QString &linea)
{
    // The report fills after it is shown; it stays on its first line.
    QScrollBar *barra = textoInforme->verticalScrollBar();
    const int arriba = barra->value();
    textoInforme->appendPlainText(linea);
    barra->setValue(arriba);
}

namespace {

// The keys that move through a text scroll the report; a modifier alone is
// no key yet (it comes with the next one, Ctrl+End for instance).
bool mueveOModifica(int tecla)
{
    switch (tecla) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
        return true;
    default:
        return false;
    }
}

} // namespace

bool VentanaInforme::eventFilter(QObject *objeto, QEvent *evento)
{
    // Any click closes the report, and so does any key but those that move
    // through it (F1 is taken before it arrives here: it opens the help).
    const bool clic = objeto == textoInforme->viewport() && evento->type() == QEvent::MouseButtonPress;
    const bool tecla = objeto == textoInforme && evento->type() == QEvent::KeyPress
                       && !mueveOModifica(static_cast<QKeyEvent *>(evento)->key());
    if (clic || tecla) {
        cierra();
        return true;
    }
    return VentanaResultado::eventFilter(objeto, evento);
}
