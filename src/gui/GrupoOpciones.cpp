#include "GrupoOpciones.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

GrupoOpciones::GrupoOpciones(const QString &nombre, const QString &titulo,
                             const QStringList &elementos, int seleccion, QWidget *parent)
    : QGroupBox(titulo, parent), m_botones(new QButtonGroup(this))
{
    setObjectName(nombre);
    setAccessibleName(titulo);
    auto *disposicion = new QVBoxLayout(this);
    for (int i = 0; i < elementos.size(); ++i) {
        auto *boton = new QRadioButton(elementos.at(i), this);
        boton->setObjectName(nombre + QString::number(i));
        m_botones->addButton(boton, i);
        disposicion->addWidget(boton);
    }
    disposicion->addStretch();
    m_botones->button(seleccion)->setChecked(true);
}

int GrupoOpciones::itemIndex() const
{
    return m_botones->checkedId();
}
