#pragma once

// What the window tests share: the example study, finding a child,
// reading a file, typing as a user.
#include "core/estudio/Estudio.h"
#include "gui/VentanaEstudio.h"
#include "gui/VentanaPrincipal.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

inline const QString ejemploTrabajado = QStringLiteral(TOLERANCIA_FUENTES "/ejemplos/ejemplo-trabajado.w1e");

template<typename T>
T *hijo(const QObject *padre, const QString &nombre)
{
    T *w = padre ? padre->findChild<T *>(nombre) : nullptr;
    if (!w)
        qFatal("no existe %s", qPrintable(nombre));
    return w;
}

inline QByteArray contenido(const QString &ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no se puede leer>");
}

// Usable as the command table means it: an action or a button, enabled.
inline bool habilitado(const QWidget *principal, const QString &nombre)
{
    if (auto *a = principal->findChild<QAction *>(nombre))
        return a->isEnabled();
    return hijo<QAbstractButton>(principal, nombre)->isEnabled();
}

// The object name of the focused component, the grid's editor counted as the grid.
inline QString componenteConFoco(const VentanaPrincipal *principal)
{
    QWidget *w = QApplication::focusWidget();
    if (!w)
        return QStringLiteral("<nadie>");
    auto *rejilla = principal->documento() ? principal->documento()->findChild<QTableWidget *>(QStringLiteral("stgdatos")) : nullptr;
    return rejilla && rejilla->isAncestorOf(w) ? QStringLiteral("stgdatos") : w->objectName();
}

// Keys to the focused widget, as the user types them.
inline void tecla(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget(), k, m);
}
inline void teclea(const QString &texto)
{
    for (const QChar c : texto) {
        if (c.unicode() < 128)
            QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(c),
                                Qt::NoModifier);
    }
}
// Replaces the text of the focused field.
inline void reemplaza(const QString &texto)
{
    tecla(Qt::Key_A, Qt::ControlModifier);
    tecla(Qt::Key_Backspace);
    teclea(texto);
}

// Values of a study, FAM by FAM.
using Valores = QList<QStringList>;

// "&Nuevo", then the study typed as a user would: general information,
// counts left by Tab, the accept button, the cells row by row with Tab
// between them, Tab out of the grid and "&OK".
inline void tecleaEstudio(VentanaPrincipal *principal, const Valores &valores)
{
    hijo<QAction>(principal, QStringLiteral("FileNewItem"))->trigger();
    VentanaEstudio *documento = principal->documento();
    QVERIFY(documento);
    const QStringList campos{"etole", "emetodo", "eanalista", "efecha", "econdicion", "ereplica"};
    const QStringList textos{"Equipo HPLC", "Valoracion", "Ana", "06/12/2026",
                             QString::number(valores.size()), QString::number(valores.front().size())};
    for (int i = 0; i < 6; ++i) {
        auto *campo = hijo<QLineEdit>(documento, campos[i]);
        campo->setFocus(Qt::TabFocusReason);
        campo->selectAll();
        QTest::keyClicks(campo, textos[i]);
    }
    tecla(Qt::Key_Tab);
    QVERIFY(hijo<QPushButton>(documento, QStringLiteral("botonok"))->hasFocus());
    tecla(Qt::Key_Space);
    tecla(Qt::Key_Tab);
    for (qsizetype j = 0; j < valores.front().size(); ++j) {
        for (const QStringList &fam : valores) {
            teclea(fam[j]);
            tecla(Qt::Key_Tab);
        }
    }
    QVERIFY(hijo<QPushButton>(documento, QStringLiteral("boton1"))->hasFocus());
    tecla(Qt::Key_Space);
}

// A study of k FAM and n samples whose cell (i, j) holds "9i.0j".
inline Estudio estudioDe(int k, int n)
{
    Estudio e;
    e.etole = QStringLiteral("Equipo de disolución");
    e.emetodo = QStringLiteral("Valoración por UV");
    e.eanalista = QStringLiteral("Q.F.B. Núñez");
    e.efecha = QStringLiteral("06/12/2026");
    e.econdicion = QString::number(k);
    e.ereplica = QString::number(n);
    AceptaRejilla(e.stgdatos, k, n);
    for (int i = 1; i <= k; ++i)
        for (int j = 1; j <= n; ++j)
            e.stgdatos.ponCelda(i, j, QStringLiteral("%1.%2").arg(90 + i).arg(j, 2, 10, QChar(u'0')));
    return e;
}
