#include "VentanaResultado.h"

#include "shell/Main.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

TVentanaResultado::TVentanaResultado(QWidget *parent) : QWidget(parent)
{
    QFont letra = font();
    letra.setPixelSize(13);
    setFont(letra);
}

void TVentanaResultado::muestra(const QString &titulo, QSize tamano, bool centrada)
{
    QMdiArea *marco = MainForm->mdiArea();
    QMdiSubWindow *hija = marco->addSubWindow(this);
    hija->setAttribute(Qt::WA_DeleteOnClose);
    hija->setWindowTitle(titulo);
    hija->resize(tamano);
    if (centrada) {
        const QSize libre = marco->viewport()->size() - tamano;
        hija->move(qMax(0, libre.width() / 2), qMax(0, libre.height() / 2));
    }
    hija->show();
    AjustaAlMarco(hija);
}

void TVentanaResultado::cierra()
{
    if (auto *hija = qobject_cast<QMdiSubWindow *>(parentWidget()))
        hija->close();
    else
        close();
}

void TVentanaResultado::Cerrar1Click()
{
    cierra();
}

void TVentanaResultado::creaPopupMenu1()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QAction *Cerrar1 = PopupMenu1->addAction(QStringLiteral("Cerrar"));
    Cerrar1->setObjectName(QStringLiteral("Cerrar1"));
    connect(Cerrar1, &QAction::triggered, this, &TVentanaResultado::Cerrar1Click);
}

void TVentanaResultado::closeEvent(QCloseEvent *evento)
{
    FormClose();
    QWidget::closeEvent(evento);
}

void TVentanaResultado::contextMenuEvent(QContextMenuEvent *evento)
{
    if (PopupMenu1)
        PopupMenu1->exec(evento->globalPos());
    else
        QWidget::contextMenuEvent(evento);
}

void TVentanaResultado::FormClose()
{
    // The child window closing is still counted by the frame at this point.
    if (MainForm && MainForm->mdiArea()->subWindowList().size() == 1)
        MainForm->aplicaEvento(Evento::resultadoCierraUltima);
}
