#pragma once

#include <QDialog>

// The about box: a new one on every "&Acerca...", not modal.
class AcercaDe : public QDialog
{
    Q_OBJECT

public:
    explicit AcercaDe(QWidget *parent = nullptr);
};
