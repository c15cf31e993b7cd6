#include "Presentacion.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

QPixmap FiguraProducto(const QSize &tamano)
{
    // Drawn on a 377 × 289 canvas and scaled: a volumetric flask before a
    // bar chart of three levels with their confidence marks.
    const QSizeF base(377, 289);
    QPixmap figura(tamano);
    figura.fill(QColor(245, 248, 252));
    QPainter p(&figura);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(tamano.width() / base.width(), tamano.height() / base.height());

    p.setPen(QPen(QColor(180, 190, 205), 1));
    for (int y = 40; y <= 250; y += 35)
        p.drawLine(40, y, 350, y);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(40, 250, 350, 250);
    p.drawLine(40, 250, 40, 30);

    const QColor barras[] = {QColor(0, 0, 128), QColor(30, 90, 170), QColor(70, 140, 210)};
    const int alturas[] = {150, 175, 160};
    for (int i = 0; i < 3; ++i) {
        const int x = 190 + i * 52;
        p.fillRect(QRect(x, 250 - alturas[i], 36, alturas[i]), barras[i]);
        p.setPen(QPen(Qt::darkRed, 2));
        const int cima = 250 - alturas[i];
        p.drawLine(x + 18, cima - 18, x + 18, cima + 18);
        p.drawLine(x + 10, cima - 18, x + 26, cima - 18);
        p.drawLine(x + 10, cima + 18, x + 26, cima + 18);
    }

    QPainterPath matraz;
    matraz.moveTo(100, 40);
    matraz.lineTo(100, 140);
    matraz.cubicTo(40, 160, 45, 255, 115, 255);
    matraz.cubicTo(185, 255, 190, 160, 130, 140);
    matraz.lineTo(130, 40);
    matraz.closeSubpath();
    QPainterPath liquido;
    liquido.addRect(40, 185, 160, 80);
    p.fillPath(matraz.intersected(liquido), QColor(90, 170, 120, 200));
    p.setPen(QPen(QColor(40, 40, 40), 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(matraz);
    p.drawLine(95, 40, 135, 40);
    p.setPen(QPen(QColor(40, 40, 40), 2));
    p.drawLine(100, 100, 112, 100);
    return figura;
}

Presentacion::Presentacion(QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("Fshow"));
    // No title bar, but the window still has a name: the application title.
    setWindowTitle(QStringLiteral("Tolerancia del Método"));
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(500, 421);

    auto *recuadro = new QFrame(this);
    recuadro->setObjectName(QStringLiteral("Panel1"));
    recuadro->setFrameStyle(QFrame::Panel | QFrame::Raised);
    recuadro->setLineWidth(2);
    auto *fondo = new QVBoxLayout(this);
    fondo->setContentsMargins(0, 0, 0, 0);
    fondo->addWidget(recuadro);

    auto *producto = new QLabel(QStringLiteral("QUORIX v. w 3.1"), recuadro);
    producto->setObjectName(QStringLiteral("ProductName"));
    QFont script(QStringLiteral("Matura MT Script Capitals"));
    script.setStyleHint(QFont::Cursive);
    script.setPixelSize(27);
    script.setBold(true);
    producto->setFont(script);
    producto->setStyleSheet(QStringLiteral("color: navy;"));
    producto->setAlignment(Qt::AlignCenter);

    auto *marco = new QLabel(recuadro);
    marco->setObjectName(QStringLiteral("ProgramIcon"));
    marco->setFrameStyle(QFrame::Box | QFrame::Sunken);
    marco->setFixedSize(377, 289);
    marco->setPixmap(FiguraProducto(marco->contentsRect().size()));
    marco->setAccessibleName(QStringLiteral("QUORIX v. w 3.1"));

    auto *calidad = new QLabel(QStringLiteral("Control de Calidad"), recuadro);
    calidad->setObjectName(QStringLiteral("Copyright"));
    QFont times(QStringLiteral("Times New Roman"));
    times.setStyleHint(QFont::Serif);
    times.setPixelSize(19);
    times.setBold(true);
    times.setItalic(true);
    calidad->setFont(times);
    calidad->setAlignment(Qt::AlignCenter);

    auto *columna = new QVBoxLayout(recuadro);
    columna->addWidget(producto);
    columna->addWidget(marco, 0, Qt::AlignHCenter);
    columna->addWidget(calidad);

    if (const QScreen *pantalla = QGuiApplication::primaryScreen())
        move(pantalla->availableGeometry().center() - rect().center());

    reloj = new QTimer(this);
    reloj->setObjectName(QStringLiteral("Timer1"));
    reloj->setInterval(3000);
    reloj->setSingleShot(true);
    connect(reloj, &QTimer::timeout, this, &Presentacion::close);
}
