#include "VentanaResultado.h"

#include "gui/ArregloVentanas.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QTextEdit>

VentanaResultado::VentanaResultado(const QString &titulo, QSize tamano, bool centrada,
                                   QWidget *parent)
    : QWidget(parent), m_titulo(titulo), m_tamano(tamano), m_centrada(centrada)
{
    QFont letra = font();
    letra.setPixelSize(13);
    setFont(letra);
}

void VentanaResultado::muestra(QMdiArea *marco)
{
    m_marco = marco;
    QMdiSubWindow *hija = marco->addSubWindow(this);
    hija->setAttribute(Qt::WA_DeleteOnClose);
    hija->setWindowTitle(m_titulo);
    hija->resize(m_tamano);
    if (m_centrada) {
        const QSize libre = marco->viewport()->size() - m_tamano;
        hija->move(qMax(0, libre.width() / 2), qMax(0, libre.height() / 2));
    }
    hija->show();
    AjustaAlMarco(hija);
}

void VentanaResultado::cierra()
{
    if (auto *hija = qobject_cast<QMdiSubWindow *>(parentWidget()))
        hija->close();
    else
        close();
}

void VentanaResultado::creaMenuCerrar()
{
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("PopupMenu1"));
    QAction *cerrar = m_menu->addAction(QStringLiteral("Cerrar"));
    cerrar->setObjectName(QStringLiteral("Cerrar1"));
    connect(cerrar, &QAction::triggered, this, &VentanaResultado::cierra);
}

QTextEdit *VentanaResultado::creaFondo(const QString &nombre, const QString &nombreAccesible,
                                       QWidget *padre)
{
    auto *memo = new QTextEdit(padre);
    memo->setObjectName(nombre);
    memo->setAccessibleName(nombreAccesible);
    memo->setReadOnly(true);
    memo->setAlignment(Qt::AlignCenter);
    memo->setContextMenuPolicy(Qt::NoContextMenu);
    return memo;
}

void VentanaResultado::closeEvent(QCloseEvent *evento)
{
    // The child window closing is still counted by the frame at this point.
    if (m_marco && m_marco->subWindowList().size() == 1)
        emit this->evento(Evento::resultadoCierraUltima);
    QWidget::closeEvent(evento);
}

void VentanaResultado::contextMenuEvent(QContextMenuEvent *evento)
{
    if (m_menu)
        m_menu->exec(evento->globalPos());
    else
        QWidget::contextMenuEvent(evento);
}
