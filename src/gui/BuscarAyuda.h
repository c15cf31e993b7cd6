#pragma once

#include "core/ayuda/TemasAyuda.h"

#include <QDialog>

class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The help search dialog: the list of keywords narrows as the user types
// part of one; Enter, "Mostrar" or a double click opens the topic.
class BuscarAyuda : public QDialog
{
    Q_OBJECT

public:
    explicit BuscarAyuda(const QVector<EntradaIndice> &indice, QWidget *parent = nullptr);

    // Puts `clave` in the search field (the list follows it).
    void ponClave(const QString &clave);

signals:
    // The page of the topic the user chose.
    void temaElegido(const QString &pagina);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    void filtra(const QString &texto);
    void muestraTema(QListWidgetItem *item);
    void muestraActual();

    QVector<EntradaIndice> m_indice;
    QLineEdit *campoBuscar;
    QListWidget *listaTemas;
    QPushButton *botonMostrar;
};
