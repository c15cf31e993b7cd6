#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

// A captioned group of radio buttons, one item selected; the selection is
// read by item index.
class GrupoOpciones : public QGroupBox
{
    Q_OBJECT

public:
    GrupoOpciones(const QString &nombre, const QString &titulo, const QStringList &elementos,
                  int seleccion, QWidget *parent);

    int itemIndex() const;

private:
    QButtonGroup *m_botones;
};
