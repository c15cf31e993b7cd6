#include "DialogoFirma.h"

#include "core/estudio/ArchivoEstudio.h"
#include "core/estudio/ArchivoRegistro.h"
#include "core/estudio/FlujoRegistro.h"
#include "core/motor/Errores.h"
#include "gui/Ayuda.h"
#include "gui/VentanaEstudio.h"

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

bool FirmaDocumento(VentanaEstudio *documento, QWidget *padre)
{
    if (!documento)
        return false;
    if (documento->sinTitulo())
        throw ErrorRegistro(QStringLiteral("No se puede firmar un estudio que nunca se ha guardado: guárdelo "
                                           "antes de firmar."));
    const QString ruta = documento->ruta();
    const bool modificado = documento->modificado();
    const Huella mostrado =
        HuellaMostrada(documento->estudio(), modificado, modificado ? QByteArray() : LeeBytesEstudio(ruta), ruta);
    CompruebaFirmable(mostrado.sinGuardar() ? VeredictoRegistro{} : VerificaRegistroDe(ruta, mostrado), mostrado);

    const std::optional<DatosFirma> datos = Dialogos::actual().firma(padre, ruta, AutorDelSistema().nombreCompleto);
    if (!datos)
        return false;
    RevisaFirmante(datos->nombre);
    const QString como = TextoSignificado(datos->significado) + u' ' + datos->nombre.trimmed();
    if (Dialogos::actual().pregunta(QStringLiteral("Firmar el estudio"),
                                    QStringLiteral("¿Firmar el estudio «%1» como «%2»? La firma no se puede quitar "
                                                   "de su registro de cambios.").arg(ruta, como))
        != Dialogos::Respuesta::si)
        return false;
    // The register is checked again under its lock: the study signed is the
    // one shown, or nothing is signed.
    FirmaEstudio(ruta, ContextoActual(), datos->nombre, datos->significado, mostrado);
    Dialogos::actual().mensaje(
        QStringLiteral("Firma anotada en el registro de cambios «%1»: %2.").arg(RutaRegistro(ruta), como));
    return true;
}
