#include "Ayuda.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QWidget>

int NumeroAyudaDe(const QWidget *widget)
{
    for (const QWidget *w = widget; w; w = w->parentWidget()) {
        const int numero = w->property(PropiedadAyuda).toInt();
        if (numero != 0)
            return numero;
    }
    return 0;
}

int NumeroAyudaDeItem(const QAction *accion)
{
    if (!accion)
        return 0;
    if (const int numero = accion->property(PropiedadAyuda).toInt(); numero != 0)
        return numero;
    // The menus holding the item; a menu's own item is held by the menu
    // above it, and the menu bar's by no menu.
    for (const QObject *objeto : accion->associatedObjects())
        if (const auto *menu = qobject_cast<const QMenu *>(objeto))
            if (const int numero = NumeroAyudaDeItem(menu->menuAction()); numero != 0)
                return numero;
    return 0;
}

TeclaAyuda::TeclaAyuda(std::function<void(int)> muestraContexto, QObject *parent)
    : QObject(parent), m_muestraContexto(std::move(muestraContexto))
{
    QCoreApplication::instance()->installEventFilter(this);
}

bool TeclaAyuda::eventFilter(QObject *objeto, QEvent *evento)
{
    auto *widget = qobject_cast<QWidget *>(objeto);
    if (widget && (evento->type() == QEvent::ShortcutOverride || evento->type() == QEvent::KeyPress)) {
        const auto *tecla = static_cast<QKeyEvent *>(evento);
        if (tecla->key() == Qt::Key_F1 && tecla->modifiers() == Qt::NoModifier) {
            auto *menu = qobject_cast<QMenu *>(widget);
            const int numero = menu ? NumeroAyudaDeItem(menu->activeAction()) : NumeroAyudaDe(widget);
            if (menu || numero != 0) {
                evento->accept();
                if (evento->type() == QEvent::KeyPress && numero != 0)
                    m_muestraContexto(numero);
                return true;
            }
        }
    }
    return QObject::eventFilter(objeto, evento);
}
