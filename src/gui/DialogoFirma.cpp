#include "DialogoFirma.h"

#include "core/estudio/FlujoRegistro.h"
#include "core/motor/Errores.h"
#include "gui/Ayuda.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QList<Significado> significados = {Significado::realizado, Significado::revisado, Significado::aprobado};

} // namespace

DialogoFirma::DialogoFirma(const QString &estudio, const QString &nombre, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("DialogoFirma"));
    setWindowTitle(QStringLiteral("Firmar el estudio"));
    setProperty(PropiedadAyuda, 22);

    auto *explicacion = new QLabel(
        QStringLiteral("Firma el estudio «%1» tal como está guardado. La firma queda en su registro de cambios "
                       "con su nombre, su cuenta del sistema, el significado, la hora y la huella del estudio, "
                       "y no se puede quitar.").arg(estudio),
        this);
    explicacion->setObjectName(QStringLiteral("explicacionFirma"));
    explicacion->setWordWrap(true);

    m_nombre = new QLineEdit(nombre, this);
    m_nombre->setObjectName(QStringLiteral("nombreFirmante"));
    m_nombre->setAccessibleName(QStringLiteral("Nombre completo de quien firma"));
    m_significado = new QComboBox(this);
    m_significado->setObjectName(QStringLiteral("significadoFirma"));
    m_significado->setAccessibleName(QStringLiteral("Significado de la firma"));
    for (const Significado s : significados)
        m_significado->addItem(TextoSignificado(s));

    auto *formulario = new QFormLayout;
    auto *etiquetaNombre = new QLabel(QStringLiteral("&Nombre completo:"), this);
    etiquetaNombre->setBuddy(m_nombre);
    auto *etiquetaSignificado = new QLabel(QStringLiteral("&Significado:"), this);
    etiquetaSignificado->setBuddy(m_significado);
    formulario->addRow(etiquetaNombre, m_nombre);
    formulario->addRow(etiquetaSignificado, m_significado);

    auto *botones = new QDialogButtonBox(this);
    m_firmar = botones->addButton(QStringLiteral("&Firmar"), QDialogButtonBox::AcceptRole);
    m_firmar->setObjectName(QStringLiteral("btnfirmar"));
    botones->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("btncancelarfirma"));
    connect(botones, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(botones, &QDialogButtonBox::rejected, this, &QDialog::reject);
    const auto revisa = [this] { m_firmar->setEnabled(!m_nombre->text().trimmed().isEmpty()); };
    connect(m_nombre, &QLineEdit::textChanged, this, revisa);
    revisa();

    auto *capas = new QVBoxLayout(this);
    capas->addWidget(explicacion);
    capas->addLayout(formulario);
    capas->addWidget(botones);
    m_nombre->setFocus();
    m_nombre->selectAll();
}

DatosFirma DialogoFirma::datos() const
{
    return {m_nombre->text(), significados.value(m_significado->currentIndex(), Significado::realizado)};
}
