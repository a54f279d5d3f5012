#include "app/ToolIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>

namespace velloran {

namespace {

// Each icon is drawn on a 16 x 16 design grid scaled to the requested rectangle.
void DrawNew(QPainter& p) {
    QPainterPath page;
    page.moveTo(3, 1.5);
    page.lineTo(10, 1.5);
    page.lineTo(13, 4.5);
    page.lineTo(13, 14.5);
    page.lineTo(3, 14.5);
    page.closeSubpath();
    p.setPen(QPen(QColor(70, 70, 70), 1));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.drawPolyline(QPolygonF({{10, 1.5}, {10, 4.5}, {13, 4.5}}));
    p.setPen(QPen(QColor(200, 150, 0), 1.2));
    p.drawLine(QPointF(5, 7.5), QPointF(11, 7.5));
    p.drawLine(QPointF(5, 10), QPointF(11, 10));
}

void DrawSave(QPainter& p) {
    p.setPen(QPen(QColor(20, 40, 90), 1));
    p.setBrush(QColor(60, 100, 180));
    p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 1.2, 1.2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(4, 9, 8, 5.5));
    p.setBrush(QColor(20, 40, 90));
    p.drawRect(QRectF(9.5, 2.5, 1.5, 3));
}

void DrawPrint(QPainter& p) {
    p.setPen(QPen(QColor(60, 60, 60), 1));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 1.5, 8, 5));
    p.setBrush(QColor(150, 150, 160));
    p.drawRoundedRect(QRectF(1.5, 6, 13, 6), 1, 1);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 10, 8, 4.5));
    p.setPen(QPen(QColor(0, 160, 0), 1.2));
    p.drawPoint(QPointF(12.5, 8));
}

void DrawHelp(QPainter& p) {
    p.setPen(QPen(QColor(0, 60, 140), 1));
    p.setBrush(QColor(40, 110, 210));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QFont f = p.font();
    f.setPixelSize(11);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRectF(1.5, 1.5, 13, 13), Qt::AlignCenter, QStringLiteral("?"));
}

void DrawProgram(QPainter& p) {
    // A small wheel: amber field, spokes, coloured rim.
    p.setPen(Qt::NoPen);
    for (int k = 0; k < 12; ++k) {
        p.setBrush(QColor::fromHsv(k * 30, 190, 235));
        p.drawPie(QRectF(0.5, 0.5, 15, 15), (180 + k * 30) * 16, 30 * 16);
    }
    p.setBrush(QColor(252, 201, 88));
    p.drawEllipse(QRectF(2.5, 2.5, 11, 11));
    p.setPen(QPen(QColor(74, 48, 12), 0.5));
    for (int k = 0; k < 6; ++k) {
        p.save();
        p.translate(8, 8);
        p.rotate(k * 30);
        p.drawLine(QPointF(-5.5, 0), QPointF(5.5, 0));
        p.restore();
    }
    p.setBrush(QColor(255, 253, 244));
    p.setPen(QPen(QColor(74, 48, 12), 0.6));
    p.drawEllipse(QRectF(5.5, 5.5, 5, 5));
}

// The opposition symbol: a blue (draconic) and a black (natal) circle joined by a line.
void DrawContacts(QPainter& p) {
    p.setPen(QPen(QColor(90, 90, 90), 1.2));
    p.drawLine(QPointF(6, 6), QPointF(10, 10));
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0, 0, 255), 1.5));
    p.drawEllipse(QRectF(1.5, 1.5, 6, 6));
    p.setPen(QPen(QColor(0, 0, 0), 1.5));
    p.drawEllipse(QRectF(8.5, 8.5, 6, 6));
}

class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(ToolIcon which) : m_which(which) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing, true);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        if (mode == QIcon::Disabled) painter->setOpacity(0.4);
        switch (m_which) {
            case ToolIcon::New:
                DrawNew(*painter);
                break;
            case ToolIcon::Save:
                DrawSave(*painter);
                break;
            case ToolIcon::Print:
                DrawPrint(*painter);
                break;
            case ToolIcon::Help:
                DrawHelp(*painter);
                break;
            case ToolIcon::Program:
                DrawProgram(*painter);
                break;
            case ToolIcon::Contacts:
                DrawContacts(*painter);
                break;
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pm(size);
        pm.fill(Qt::transparent);
        QPainter painter(&pm);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pm;
    }

    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                         qreal scale) override {
        QPixmap pm = pixmap(size * scale, mode, state);
        pm.setDevicePixelRatio(scale);
        return pm;
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(m_which); }

private:
    ToolIcon m_which;
};

}  // namespace

QIcon MakeToolIcon(ToolIcon which) { return QIcon(new DrawnIconEngine(which)); }

}  // namespace velloran
