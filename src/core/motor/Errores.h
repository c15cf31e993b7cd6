#pragma once

#include <QByteArray>
#include <QString>
#include <exception>
#include <functional>

// Errors that end a user command. Each carries the exact text the user sees;
// the general command handler shows it in the application's message box.
class ErrorTolerancia : public std::exception
{
public:
    explicit ErrorTolerancia(const QString &texto) : m_texto(texto), m_utf8(texto.toUtf8()) {}
    const QString &texto() const noexcept { return m_texto; }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_texto;
    QByteArray m_utf8;
};

// A text that is not the number it should be (count or cell).
class ErrorConversion : public ErrorTolerancia
{
public:
    using ErrorTolerancia::ErrorTolerancia;
};

// An arithmetic fault of the statistics engine.
class ErrorCalculo : public ErrorTolerancia
{
public:
    using ErrorTolerancia::ErrorTolerancia;
};

// A study file that cannot be read or written.
class ErrorArchivo : public ErrorTolerancia
{
public:
    using ErrorTolerancia::ErrorTolerancia;
};

// An entry the study's register refuses: a signature or a reason that
// cannot be recorded as given.
class ErrorRegistro : public ErrorTolerancia
{
public:
    using ErrorTolerancia::ErrorTolerancia;
};

// Runs a calculation that uses a library (Boost.Math): a failure of the
// library, which comes with its own English text, becomes the program's
// calculation error ("Existió un error de cálculo, verificar valores de
// captura."); the program's own errors go on as they are.
void SinTextoDeBiblioteca(const std::function<void()> &calculo);
