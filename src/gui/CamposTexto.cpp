#include "CamposTexto.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QValidator>

#include <algorithm>
#include <limits>

namespace {

class LimiteDeTecleo : public QValidator
{
public:
    LimiteDeTecleo(QLineEdit *campo, int limite) : QValidator(campo), m_limite(limite)
    {
        // The field has already taken the edit when it asks: remember the
        // length before it.
        connect(campo, &QLineEdit::textChanged, this,
                [this](const QString &texto) { m_largo = texto.size(); });
    }

    State validate(QString &texto, int &) const override
    {
        return texto.size() <= std::max<qsizetype>(m_limite, m_largo) ? Acceptable : Invalid;
    }

private:
    int m_limite;
    qsizetype m_largo = 0;
};

} // namespace

bool EsCaracter(const QKeyEvent *tecla)
{
    const QString texto = tecla->text();
    if (texto.isEmpty())
        return false;
    const QChar c = texto.front();
    if (c == u'\t' || c == QChar(0x7f))
        return false;
    if ((tecla->modifiers() & Qt::ControlModifier) && !(tecla->modifiers() & Qt::AltModifier))
        return false;
    return c.isPrint() || c == u'\b' || c == u'\r' || c == QChar(0x1b);
}

void QuitaLargoMaximo(QLineEdit *campo)
{
    campo->setMaxLength(std::numeric_limits<int>::max());
}

void PonLimiteDeTecleo(QLineEdit *campo, int limite)
{
    QuitaLargoMaximo(campo);
    campo->setValidator(new LimiteDeTecleo(campo, limite));
}

void PonTextoEntero(QLineEdit *campo, const QString &texto)
{
    const QValidator *limite = campo->validator();
    campo->setValidator(nullptr);
    campo->setText(texto);
    campo->setValidator(limite);
}
