#pragma once

#include "gui/Dialogos.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;

// "Firmar el estudio": the signer's full name and what the signature means
// (Realizado por, Revisado por, Aprobado por). "Firmar" is usable once a
// name is typed.
class DialogoFirma : public QDialog
{
    Q_OBJECT

public:
    // `estudio`: the study's file, shown; `nombre`: the name to start with.
    DialogoFirma(const QString &estudio, const QString &nombre, QWidget *parent = nullptr);

    DatosFirma datos() const;

private:
    QLineEdit *m_nombre;
    QComboBox *m_significado;
    QPushButton *m_firmar;
};
