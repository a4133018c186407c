// Draws "wiring diagrams.pdf", the wiring diagrams the program folder starts
// with: how the unit is wired into the engine's loom, and its serial lead to
// the PC. The drawing is made up for this program; the output is kept in data/.

#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextStream>
#include <array>

namespace {

// Page coordinates: 1000 x 700 units on A4 landscape.
constexpr double Width = 1000;
constexpr double Height = 700;

// A font sized in page units.
QFont font(int size, bool bold = false) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(size);
    f.setBold(bold);
    return f;
}

void title(QPainter& p, const QString& text, const QString& sub) {
    p.setPen(Qt::black);
    p.setFont(font(26, true));
    p.drawText(QRectF(0, 10, Width, 40), Qt::AlignCenter, text);
    p.setFont(font(12));
    p.drawText(QRectF(0, 48, Width, 20), Qt::AlignCenter, sub);
}

void box(QPainter& p, const QRectF& r, const QString& text, const QColor& fill) {
    p.setBrush(fill);
    p.setPen(QPen(Qt::black, 2));
    p.drawRoundedRect(r, 8, 8);
    p.setFont(font(13, true));
    p.drawText(r, Qt::AlignCenter | Qt::TextWordWrap, text);
}

void wire(QPainter& p, QPointF from, QPointF to, const QColor& colour, const QString& label) {
    p.setPen(QPen(colour, 4, Qt::SolidLine, Qt::RoundCap));
    const QPointF bend(from.x() + (to.x() - from.x()) / 2, from.y());
    const QPointF bend2(bend.x(), to.y());
    p.drawPolyline(std::array<QPointF, 4>{from, bend, bend2, to}.data(), 4);
    p.setPen(Qt::black);
    p.setFont(font(10));
    p.drawText(QRectF(from.x() + 10, from.y() - 16, 200, 14), Qt::AlignLeft, label);
}

void footer(QPainter& p, int page) {
    p.setFont(font(10));
    p.setPen(Qt::darkGray);
    p.drawText(QRectF(0, Height - 24, Width, 16), Qt::AlignCenter,
               QStringLiteral("KVR6 wiring diagrams - page %1 of 2 - check every wire against "
                              "the vehicle's own loom before connecting")
                   .arg(page));
}

void enginePage(QPainter& p) {
    title(p, QStringLiteral("KVR6 unit: wiring into the engine loom"),
          QStringLiteral("The unit sits between the sensors and the engine controller; cut "
                         "each signal wire and connect both ends as shown"));
    const QRectF unit(380, 150, 240, 420);
    box(p, unit, QStringLiteral("KVR6 unit\n\n18-pin connector"), QColor(220, 232, 250));
    const QRectF ecu(780, 300, 190, 240);
    box(p, ecu, QStringLiteral("Engine controller"), QColor(235, 235, 235));

    struct Pin {
        const char* name;
        QColor colour;
        bool toEcu;
    };
    const std::array<Pin, 9> pins{{{"1  +12 V switched (fuse 5 A)", Qt::red, false},
                                   {"2  Ground (engine block)", Qt::black, false},
                                   {"3  RPM in (coil negative)", QColor(120, 60, 0), false},
                                   {"4  AMP sensor in", QColor(0, 120, 0), false},
                                   {"5  AMP signal out", QColor(0, 120, 0), true},
                                   {"6  Throttle / deflection in", Qt::blue, false},
                                   {"7  Injector drive out", QColor(160, 0, 160), true},
                                   {"8  Ignition trigger out", QColor(200, 120, 0), true},
                                   {"9  Lambda sensor in", Qt::gray, false}}};
    const std::array<const char*, 9> sources{{"Ignition switch", "Engine ground", "Ignition coil",
                                              "AMP sensor", "", "Throttle sensor", "", "",
                                              "Lambda sensor"}};
    for (int i = 0; i < 9; ++i) {
        const double y = 180 + i * 44;
        const QPointF pin(pins[i].toEcu ? unit.right() : unit.left(), y);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(pin, 5, 5);
        if (pins[i].toEcu) {
            wire(p, pin, QPointF(ecu.left(), y), pins[i].colour, QString::fromLatin1(pins[i].name));
        } else {
            const QRectF src(30, y - 16, 150, 32);
            box(p, src, QString::fromLatin1(sources[i]), QColor(250, 246, 220));
            wire(p, QPointF(src.right(), y), pin, pins[i].colour,
                 QString::fromLatin1(pins[i].name));
        }
    }
    footer(p, 1);
}

void serialPage(QPainter& p) {
    title(p, QStringLiteral("KVR6 unit: serial lead to the PC"),
          QStringLiteral("19200 bit/s, 8 data bits, no parity, one stop bit; a USB serial "
                         "adapter may stand in for the PC's port"));
    box(p, QRectF(80, 220, 220, 260), QStringLiteral("KVR6 unit\n\nservice plug\n(4 pins)"),
        QColor(220, 232, 250));
    box(p, QRectF(700, 220, 220, 260), QStringLiteral("PC\n\n9-pin serial port\n(female)"),
        QColor(235, 235, 235));
    struct Line {
        const char* text;
        QColor colour;
    };
    const std::array<Line, 3> lines{{{"TX (unit pin 1)  ->  RX (PC pin 2)", Qt::blue},
                                     {"RX (unit pin 2)  <-  TX (PC pin 3)", QColor(0, 120, 0)},
                                     {"Ground (unit pin 4)  -  Ground (PC pin 5)", Qt::black}}};
    for (int i = 0; i < 3; ++i) {
        const double y = 290 + i * 60;
        wire(p, QPointF(300, y), QPointF(700, y), lines[i].colour,
             QString::fromLatin1(lines[i].text));
    }
    p.setFont(font(13));
    p.setPen(Qt::black);
    p.drawText(QRectF(80, 520, 840, 80), Qt::AlignLeft | Qt::TextWordWrap,
               QStringLiteral("Unit pin 3 is not connected. Keep the lead shorter than 3 m "
                              "and away from the ignition leads. The program reaches the "
                              "unit through \"Comm Port 1\" to \"Comm Port 4\" of its Tools "
                              "menu."));
    footer(p, 2);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: kvr6-wiring-pdf <output.pdf>\n";
        return 2;
    }
    QPdfWriter writer(QString::fromLocal8Bit(argv[1]));
    writer.setTitle(QStringLiteral("KVR6 wiring diagrams"));
    writer.setCreator(QStringLiteral("kvr6-wiring-pdf"));
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10)));
    QPainter p(&writer);
    if (!p.isActive()) {
        QTextStream(stderr) << "cannot write " << argv[1] << "\n";
        return 1;
    }
    const QRect area = p.viewport();
    p.setWindow(0, 0, static_cast<int>(Width), static_cast<int>(Height));
    p.setViewport(area.x(), area.y(), area.width(), area.width() * 7 / 10);
    p.setRenderHint(QPainter::Antialiasing);
    enginePage(p);
    writer.newPage();
    serialPage(p);
    p.end();
    return 0;
}
