#include "Dialogos.h"

#include "stats/Errores.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace {

const QString filtroEstudios = QStringLiteral("Quorix v. w3.0 (*.w1e)");

class DialogosQt : public Dialogos
{
public:
    void mensaje(const QString &texto) override
    {
        QMessageBox caja(QMessageBox::NoIcon, QApplication::applicationDisplayName(), texto,
                         QMessageBox::Ok, QApplication::activeWindow());
        caja.exec();
    }

    bool pregunta(const QString &titulo, const QString &texto) override
    {
        QMessageBox caja(QMessageBox::Question, titulo, texto, QMessageBox::Yes | QMessageBox::No,
                         QApplication::activeWindow());
        return caja.exec() == QMessageBox::Yes;
    }

    QString abreArchivo(QWidget *padre) override
    {
        QFileDialog dialogo(padre);
        dialogo.setAcceptMode(QFileDialog::AcceptOpen);
        dialogo.setFileMode(QFileDialog::ExistingFile);
        dialogo.setNameFilter(filtroEstudios);
        dialogo.setDefaultSuffix(QStringLiteral("w1e"));
        dialogo.setOption(QFileDialog::ReadOnly, false);
        if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
            return {};
        return dialogo.selectedFiles().constFirst();
    }

    QString guardaArchivo(QWidget *padre, const QString &nombre) override
    {
        QFileDialog dialogo(padre, QStringLiteral("Guardar como"));
        dialogo.setAcceptMode(QFileDialog::AcceptSave);
        dialogo.setFileMode(QFileDialog::AnyFile);
        dialogo.setNameFilter(filtroEstudios);
        dialogo.setDefaultSuffix(QStringLiteral("w1e"));
        dialogo.selectFile(nombre);
        if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
            return {};
        return dialogo.selectedFiles().constFirst();
    }

    bool imprime(QPrinter *impresora, QWidget *padre) override
    {
        QPrintDialog dialogo(impresora, padre);
        return dialogo.exec() == QDialog::Accepted;
    }
};

Dialogos *instalados = nullptr;

} // namespace

Dialogos &Dialogos::actual()
{
    static DialogosQt reales;
    return instalados ? *instalados : reales;
}

void Dialogos::instala(Dialogos *dialogos)
{
    instalados = dialogos;
}

void EjecutaComando(const std::function<void()> &comando)
{
    try {
        comando();
    } catch (const ErrorTolerancia &error) {
        Dialogos::actual().mensaje(error.texto());
    } catch (const std::exception &error) {
        Dialogos::actual().mensaje(QString::fromLocal8Bit(error.what()));
    }
}
