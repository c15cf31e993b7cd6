#pragma once

#include <QObject>

#include <functional>

class QAction;
class QWidget;

// The help context number of a window or menu item is kept in this
// property; 0 or none means it has no topic of its own.
inline constexpr const char *PropiedadAyuda = "ayuda";

// The help number of the nearest window holding `widget` that has one; 0
// when none has.
int NumeroAyudaDe(const QWidget *widget);

// The help number of a menu item: its own, or that of the nearest menu
// holding it when it has none; 0 when neither has one.
int NumeroAyudaDeItem(const QAction *accion);

// F1 for the whole application. On a highlighted item of an open menu it asks
// for that item's topic (the menu keeps the key from the "&Contenido" shortcut
// even when the item has none); elsewhere it asks for the topic of the control
// or of a window around it that has one, and leaves the key alone where none
// has.
class TeclaAyuda : public QObject
{
public:
    // `muestraContexto` is handed the number of the topic asked for.
    TeclaAyuda(std::function<void(int)> muestraContexto, QObject *parent);

protected:
    bool eventFilter(QObject *objeto, QEvent *evento) override;

private:
    std::function<void(int)> m_muestraContexto;
};
