#include "ui/Accessibility.h"

#include <QAccessibleWidget>
#include <QFrame>
#include <QLabel>

namespace velloran {

namespace {

// The role a marked widget takes on the accessibility bus, as a QAccessible::Role number.
constexpr char kSpokenRole[] = "velloranSpokenRole";

class NamedWindow : public QAccessibleWidget {
public:
    explicit NamedWindow(QWidget* window) : QAccessibleWidget(window, QAccessible::Window) {}
    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name) return widget()->windowTitle();
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* MarkedWidgetInterface(const QString&, QObject* object) {
    if (!object->isWidgetType()) return nullptr;
    const QVariant role = object->property(kSpokenRole);
    if (!role.isValid()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    switch (static_cast<QAccessible::Role>(role.toInt())) {
        case QAccessible::Grouping:
            return new QAccessibleWidget(widget, QAccessible::Grouping);
        case QAccessible::Window:
            return new NamedWindow(widget);
        default:
            return nullptr;
    }
}

// Marks the widget before its accessible interface can exist: the interface is made once and
// then kept.
void MarkRole(QWidget* widget, QAccessible::Role role) {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(MarkedWidgetInterface);
        return true;
    }();
    (void)factoryInstalled;
    widget->setProperty(kSpokenRole, int(role));
}

}  // namespace

QFrame* NewOptionGroup(QWidget* parent) {
    auto* frame = new QFrame(parent);
    MarkRole(frame, QAccessible::Grouping);
    return frame;
}

void SpeakAsWindow(QWidget* window) { MarkRole(window, QAccessible::Window); }

void TieSpokenLabel(QWidget* control, const QString& text) {
    auto* label = new QLabel(text, control->parentWidget());
    label->setObjectName(control->objectName() + QStringLiteral("Spoken"));
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(control);
    label->hide();
}

}  // namespace velloran
