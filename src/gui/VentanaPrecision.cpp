#include "VentanaPrecision.h"

#include "core/informe/TextoPrecision.h"
#include "gui/Ayuda.h"
#include "gui/Dialogos.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLineEdit *creaCampo(const QString &nombre, const QString &nombreAccesible, const QString &descripcion,
                     const QString &texto, QWidget *padre)
{
    auto *campo = new QLineEdit(texto, padre);
    campo->setObjectName(nombre);
    campo->setAccessibleName(nombreAccesible);
    campo->setAccessibleDescription(descripcion);
    campo->setMaxLength(40);
    return campo;
}

} // namespace

VentanaPrecision::VentanaPrecision(const Estudio &estudio, QChar separador, const ResultadoPrecision &componentes,
                                   const TextosCriterios &textos, QWidget *parent)
    : VentanaResultado(QStringLiteral("Precisión intermedia y equivalencia"), {660, 600}, true, parent),
      m_estudio(estudio), m_separador(separador)
{
    setObjectName(QStringLiteral("VentanaPrecision"));
    setProperty(PropiedadAyuda, 16);

    elimite = creaCampo(QStringLiteral("elimite"), QStringLiteral("Límite de aceptación"),
                        QStringLiteral("Diferencia máxima admitida entre los promedios de dos FAM, en las "
                                       "unidades de los datos o en % del promedio general; vacío, sin "
                                       "prueba de equivalencia"),
                        textos.limite, this);
    edermaxima = creaCampo(QStringLiteral("edermaxima"), QStringLiteral("DER máxima de precisión intermedia"),
                           QStringLiteral("En por ciento; vacío, sin este criterio"), textos.derMaxima, this);
    cbbonferroni = new QCheckBox(QStringLiteral("Ajuste de &Bonferroni para todos los pares"), this);
    cbbonferroni->setObjectName(QStringLiteral("cbbonferroni"));
    cbbonferroni->setAccessibleName(QStringLiteral("Ajuste de Bonferroni para todos los pares"));
    cbbonferroni->setChecked(textos.bonferroni);
    auto *calcular = new QPushButton(QStringLiteral("&Recalcular"), this);
    calcular->setObjectName(QStringLiteral("btnrecalcular"));
    calcular->setAccessibleName(QStringLiteral("Recalcular"));

    auto *etiquetaLimite = new QLabel(QStringLiteral("&Límite de aceptación (δ, o % del promedio):"), this);
    etiquetaLimite->setBuddy(elimite);
    auto *etiquetaDer = new QLabel(QStringLiteral("&DER máxima de precisión intermedia (%):"), this);
    etiquetaDer->setBuddy(edermaxima);

    m_texto = new QPlainTextEdit(this);
    m_texto->setObjectName(QStringLiteral("textoPrecision"));
    m_texto->setAccessibleName(QStringLiteral("Precisión intermedia y equivalencia"));
    m_texto->setAccessibleDescription(
        QStringLiteral("Componentes de la varianza con sus límites de confianza y equivalencia entre niveles"));
    m_texto->setReadOnly(true);
    // Keyboard users move through the text line by line with a caret.
    m_texto->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_texto->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_texto->setPlainText(LineasPrecision(componentes, separador).join(u'\n'));

    auto *campos = new QFormLayout;
    campos->addRow(etiquetaLimite, elimite);
    campos->addRow(etiquetaDer, edermaxima);
    auto *opciones = new QHBoxLayout;
    opciones->addWidget(cbbonferroni);
    opciones->addStretch();
    opciones->addWidget(calcular);
    auto *relleno = new QVBoxLayout(this);
    relleno->addLayout(campos);
    relleno->addLayout(opciones);
    relleno->addWidget(m_texto, 1);
    setFocusProxy(elimite);

    // What the user asks for is remembered once it reads.
    const auto recalcula = [this] {
        EjecutaComando([this] {
            calcula();
            RecuerdaCriterios({elimite->text().trimmed(), edermaxima->text().trimmed(), cbbonferroni->isChecked()});
        });
    };
    connect(calcular, &QPushButton::clicked, this, recalcula);
    connect(elimite, &QLineEdit::returnPressed, this, recalcula);
    connect(edermaxima, &QLineEdit::returnPressed, this, recalcula);
    connect(cbbonferroni, &QCheckBox::toggled, this, recalcula);
}

std::optional<CriteriosEquivalencia> VentanaPrecision::criterios() const
{
    const bool sinLimite = elimite->text().trimmed().isEmpty();
    const bool sinDer = edermaxima->text().trimmed().isEmpty();
    if (sinLimite && sinDer)
        return std::nullopt;
    // Reading the empty limit gives its own message: a maximum RSD is
    // judged as part of the criteria, which need δ.
    CriteriosEquivalencia c{LeeLimiteAceptacion(elimite->text(), m_separador), std::nullopt,
                            cbbonferroni->isChecked()};
    if (!sinDer)
        c.derMaxima = LeeDerMaxima(edermaxima->text(), m_separador);
    return c;
}

void VentanaPrecision::calcula()
{
    const std::optional<CriteriosEquivalencia> c = criterios();
    m_texto->setPlainText(LineasPrecision(CalculaPrecision(m_estudio, m_separador, c), m_separador).join(u'\n'));
}
