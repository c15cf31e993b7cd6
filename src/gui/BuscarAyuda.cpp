#include "BuscarAyuda.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

BuscarAyuda::BuscarAyuda(const QVector<EntradaIndice> &indice, QWidget *parent)
    : QDialog(parent), m_indice(indice)
{
    setObjectName(QStringLiteral("BuscarAyuda"));
    setWindowTitle(QStringLiteral("Buscar ayuda sobre"));

    auto *etiquetaBuscar = new QLabel(QStringLiteral("&Escriba una palabra o parte de ella:"), this);
    campoBuscar = new QLineEdit(this);
    campoBuscar->setObjectName(QStringLiteral("ebuscar"));
    etiquetaBuscar->setBuddy(campoBuscar);

    auto *etiquetaTemas = new QLabel(QStringLiteral("&Temas que la contienen:"), this);
    listaTemas = new QListWidget(this);
    listaTemas->setObjectName(QStringLiteral("lsttemas"));
    listaTemas->setAccessibleName(QStringLiteral("Temas que la contienen"));
    etiquetaTemas->setBuddy(listaTemas);

    auto *botones = new QDialogButtonBox(this);
    botonMostrar = botones->addButton(QStringLiteral("&Mostrar"), QDialogButtonBox::AcceptRole);
    botonMostrar->setObjectName(QStringLiteral("botonmostrar"));
    botonMostrar->setAccessibleName(QStringLiteral("Mostrar"));
    botonMostrar->setDefault(true);
    QPushButton *botonCerrar = botones->addButton(QStringLiteral("Cerrar"), QDialogButtonBox::RejectRole);
    botonCerrar->setObjectName(QStringLiteral("botoncerrar"));
    botonCerrar->setAccessibleName(QStringLiteral("Cerrar"));

    auto *columna = new QVBoxLayout(this);
    columna->addWidget(etiquetaBuscar);
    columna->addWidget(campoBuscar);
    columna->addWidget(etiquetaTemas);
    columna->addWidget(listaTemas, 1);
    columna->addWidget(botones);
    resize(460, 420);

    // The arrow keys move through the list while the caret stays in the field.
    campoBuscar->installEventFilter(this);
    connect(campoBuscar, &QLineEdit::textChanged, this, &BuscarAyuda::filtra);
    connect(listaTemas, &QListWidget::itemActivated, this, &BuscarAyuda::muestraTema);
    connect(botonMostrar, &QPushButton::clicked, this, &BuscarAyuda::muestraActual);
    connect(botonCerrar, &QPushButton::clicked, this, &QDialog::reject);

    filtra(QString());
}

void BuscarAyuda::ponClave(const QString &clave)
{
    campoBuscar->setText(clave);
    filtra(clave);  // also when the text did not change
    campoBuscar->selectAll();
    campoBuscar->setFocus();
}

void BuscarAyuda::filtra(const QString &texto)
{
    listaTemas->clear();
    const QVector<EntradaIndice> encontradas = FiltraIndice(m_indice, texto);
    for (const EntradaIndice &entrada : encontradas) {
        const QString linea = ClaveNormalizada(entrada.clave) == ClaveNormalizada(entrada.titulo)
                                  ? entrada.clave
                                  : entrada.clave + QStringLiteral(" — ") + entrada.titulo;
        auto *item = new QListWidgetItem(linea, listaTemas);
        item->setData(Qt::UserRole, entrada.pagina);
    }
    if (listaTemas->count() > 0)
        listaTemas->setCurrentRow(0);
    botonMostrar->setEnabled(listaTemas->count() > 0);
}

bool BuscarAyuda::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == campoBuscar && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Up || tecla == Qt::Key_Down || tecla == Qt::Key_PageUp
            || tecla == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(listaTemas, evento);
            return true;
        }
    }
    return QDialog::eventFilter(objeto, evento);
}

void BuscarAyuda::muestraTema(QListWidgetItem *item)
{
    // Enter in the list both activates the item and presses the default
    // button: the first one wins.
    if (!item || !isVisible())
        return;
    accept();
    emit temaElegido(item->data(Qt::UserRole).toString());
}

void BuscarAyuda::muestraActual()
{
    muestraTema(listaTemas->currentItem());
}
