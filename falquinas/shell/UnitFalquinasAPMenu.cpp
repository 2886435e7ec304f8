#include "UnitFalquinasAPMenu.h"

#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

namespace falq {

QString applicationTitle() {
    return QStringLiteral("Falquinas e Clichés");
}

void prepareApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("falquinas"));
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Portugal));
}

TFALQUINASAPMENU::TFALQUINASAPMENU(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("FALQUINASAPMENU"));
    resize(460, 260);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

void TFALQUINASAPMENU::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(0x1f, 0x3a, 0x5f));
    // A printing plate and a die outline.
    p.setPen(QPen(QColor(0xf2, 0xc1, 0x4e), 3));
    p.setBrush(QColor(0x2e, 0x86, 0xab));
    p.drawRoundedRect(QRectF(40, 50, 130, 90), 8, 8);
    p.setPen(QPen(Qt::white, 3, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    QPainterPath die;
    die.moveTo(200, 60);
    die.lineTo(300, 60);
    die.lineTo(300, 100);
    die.lineTo(420, 100);
    die.lineTo(420, 140);
    die.lineTo(200, 140);
    die.closeSubpath();
    p.drawPath(die);
    QFont f = font();
    f.setPointSize(22);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 170, width(), 50), Qt::AlignCenter, QStringLiteral("Clichés e Desenhos"));
}

} // namespace falq
