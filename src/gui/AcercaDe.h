#pragma once

#include <QDialog>

// The about box: a new one on every "&Acerca...", not modal.
class TAboutBox : public QDialog
{
    Q_OBJECT

public:
    explicit TAboutBox(QWidget *parent = nullptr);

private:
    void OKButtonClick();
};
