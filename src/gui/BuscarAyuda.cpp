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

    auto *lbuscar = new QLabel(QStringLiteral("&Escriba una palabra o parte de ella:"), this);
    ebuscar = new QLineEdit(this);
    ebuscar->setObjectName(QStringLiteral("ebuscar"));
    lbuscar->setBuddy(ebuscar);

    auto *ltemas = new QLabel(QStringLiteral("&Temas que la contienen:"), this);
    lsttemas = new QListWidget(this);
    lsttemas->setObjectName(QStringLiteral("lsttemas"));
    lsttemas->setAccessibleName(QStringLiteral("Temas que la contienen"));
    ltemas->setBuddy(lsttemas);

    auto *botones = new QDialogButtonBox(this);
    botonmostrar = botones->addButton(QStringLiteral("&Mostrar"), QDialogButtonBox::AcceptRole);
    botonmostrar->setObjectName(QStringLiteral("botonmostrar"));
    botonmostrar->setAccessibleName(QStringLiteral("Mostrar"));
    botonmostrar->setDefault(true);
    QPushButton *botoncerrar = botones->addButton(QStringLiteral("Cerrar"), QDialogButtonBox::RejectRole);
    botoncerrar->setObjectName(QStringLiteral("botoncerrar"));
    botoncerrar->setAccessibleName(QStringLiteral("Cerrar"));

    auto *columna = new QVBoxLayout(this);
    columna->addWidget(lbuscar);
    columna->addWidget(ebuscar);
    columna->addWidget(ltemas);
    columna->addWidget(lsttemas, 1);
    columna->addWidget(botones);
    resize(460, 420);

    // The arrow keys move through the list while the caret stays in the field.
    ebuscar->installEventFilter(this);
    connect(ebuscar, &QLineEdit::textChanged, this, &BuscarAyuda::filtra);
    connect(lsttemas, &QListWidget::itemActivated, this, &BuscarAyuda::muestraTema);
    connect(botonmostrar, &QPushButton::clicked, this, &BuscarAyuda::muestraActual);
    connect(botoncerrar, &QPushButton::clicked, this, &QDialog::reject);

    filtra(QString());
}

void BuscarAyuda::ponClave(const QString &clave)
{
    ebuscar->setText(clave);
    filtra(clave);  // also when the text did not change
    ebuscar->selectAll();
    ebuscar->setFocus();
}

void BuscarAyuda::filtra(const QString &texto)
{
    lsttemas->clear();
    const QVector<EntradaIndice> encontradas = FiltraIndice(m_indice, texto);
    for (const EntradaIndice &entrada : encontradas) {
        const QString linea = ClaveNormalizada(entrada.clave) == ClaveNormalizada(entrada.titulo)
                                  ? entrada.clave
                                  : entrada.clave + QStringLiteral(" — ") + entrada.titulo;
        auto *item = new QListWidgetItem(linea, lsttemas);
        item->setData(Qt::UserRole, entrada.pagina);
    }
    if (lsttemas->count() > 0)
        lsttemas->setCurrentRow(0);
    botonmostrar->setEnabled(lsttemas->count() > 0);
}

bool BuscarAyuda::eventFilter(QObject *objeto, QEvent *evento)
{
    if (objeto == ebuscar && evento->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(evento)->key();
        if (tecla == Qt::Key_Up || tecla == Qt::Key_Down || tecla == Qt::Key_PageUp
            || tecla == Qt::Key_PageDown) {
            QCoreApplication::sendEvent(lsttemas, evento);
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
    muestraTema(lsttemas->currentItem());
}
