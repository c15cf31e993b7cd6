#include "VentanaSupuestos.h"

#include "gui/Ayuda.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

VentanaSupuestos::VentanaSupuestos(const QStringList &lineas, QWidget *parent)
    : VentanaResultado(QStringLiteral("Supuestos del análisis"), {620, 560}, true, parent)
{
    setObjectName(QStringLiteral("VentanaSupuestos"));
    setProperty(PropiedadAyuda, 14);

    m_texto = new QPlainTextEdit(this);
    m_texto->setObjectName(QStringLiteral("textoSupuestos"));
    m_texto->setAccessibleName(QStringLiteral("Supuestos del análisis"));
    m_texto->setAccessibleDescription(
        QStringLiteral("Pruebas de Cochran, Grubbs y Levene, probabilidad exacta de F y repetibilidad"));
    m_texto->setReadOnly(true);
    // Keyboard users move through the text line by line with a caret.
    m_texto->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    m_texto->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_texto->setPlainText(lineas.join(u'\n'));

    auto *relleno = new QVBoxLayout(this);
    relleno->setContentsMargins(0, 0, 0, 0);
    relleno->addWidget(m_texto);
    setFocusProxy(m_texto);
}
