#pragma once

#include <QDialog>

class GrupoOpciones;
class QPushButton;

// The printer kind window, shown modally: opens the ink-jet or the laser
// options window. Its margin choice is kept but nothing reads it.
class TFOPRT : public QDialog
{
    Q_OBJECT

public:
    explicit TFOPRT(QWidget *parent = nullptr);
    ~TFOPRT() override;

private slots:
    void BitBtn1Click();

private:
    GrupoOpciones *SELECPRT;
    GrupoOpciones *SELECMAR;
    QPushButton *BitBtn1;
};

extern TFOPRT *FOPRT;
