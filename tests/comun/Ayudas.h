#pragma once

// What the window tests share: finding a child, typing as a user; the
// studies and files of the headless tests come with Estudios.h.
#include "Estudios.h"
#include "gui/VentanaEstudio.h"
#include "gui/VentanaPrincipal.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

template<typename T>
T *hijo(const QObject *padre, const QString &nombre)
{
    T *w = padre ? padre->findChild<T *>(nombre) : nullptr;
    if (!w)
        qFatal("no existe %s", qPrintable(nombre));
    return w;
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
