#pragma once

#include <QObject>

// Cell texts, conclusion rule and Tab rule of the result grids.
class TstTablas : public QObject
{
    Q_OBJECT

private slots:
    void encabezadosAnova();
    void encabezadosEquiposYTotalesSegunK_data();
    void encabezadosEquiposYTotalesSegunK();
    void paresSegunK_data();
    void paresSegunK();
    void conclusionesYFormatoDeLimites();
    void umbralDeSignificancia();
    void tabSaleTrasTeclaEnUltimaCelda();
    void tabSigueDentroFueraDeLaUltimaCelda();
};

class TMainForm;
class FalsosDialogos;

// The "&Cálculos" commands driven through the main window's real menu on a
// study typed into the document window.
class TstComandos : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void ejemploResuelto();
    void dosFam();
    void cincoFam_data();
    void cincoFam();
    void probabilidadAltaRetiraIntervalo();
    void teclaEnUltimaCeldaRetiraIntervalo();
    void errorDeCalculo();
    void celdaNoNumerica();
    void informeConIntervalos();
    void informeSinIntervalos();
    void cierreDeVentanas();
    void informeSeCierraConTeclaOClic();
    void tabEnRejillasDeResultados();

private:
    TMainForm *principal = nullptr;
    FalsosDialogos *dialogos = nullptr;
};
