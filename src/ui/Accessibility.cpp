#include "ui/Accessibility.h"

#include <QAccessibleWidget>
#include <QAction>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QPointer>

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

// The description a marked menu entry is heard with.
constexpr char kSpokenDescription[] = "velloranSpokenDescription";

// A menu entry as Qt's own menu items are heard (name, accelerator, state, place, the press
// action), with a description. Qt's menu asks the factories for its entries' interfaces first.
class DescribedMenuEntry : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    explicit DescribedMenuEntry(QAction* action) : m_action(action) {}

    bool isValid() const override { return m_action && menu(); }
    QObject* object() const override { return m_action; }
    QWindow* window() const override {
        QMenu* m = menu();
        return m ? m->windowHandle() : nullptr;
    }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(menu());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override {
        if (!m_action) return {};
        switch (t) {
            case QAccessible::Name: {
                // The caption without its mnemonic marks; "&&" is a shown "&".
                const QString caption = m_action->text();
                QString name;
                for (qsizetype i = 0; i < caption.size(); ++i) {
                    if (caption[i] != QLatin1Char('&')) {
                        name += caption[i];
                    } else if (i + 1 < caption.size() && caption[i + 1] == QLatin1Char('&')) {
                        name += caption[++i];
                    }
                }
                return name;
            }
            case QAccessible::Description:
                return m_action->property(kSpokenDescription).toString();
            case QAccessible::Accelerator:
                return Mnemonic();
            default:
                return {};
        }
    }
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override {
        QMenu* m = menu();
        if (!m || !m_action) return {};
        const QRect r = m->actionGeometry(m_action);
        return QRect(m->mapToGlobal(r.topLeft()), r.size());
    }
    QAccessible::Role role() const override { return QAccessible::MenuItem; }
    QAccessible::State state() const override {
        QAccessible::State s;
        QMenu* m = menu();
        s.focusable = true;
        if (!m_action || !m_action->isEnabled()) s.disabled = true;
        if (!m || !m->isVisible()) s.invisible = true;
        if (m && m_action && m->activeAction() == m_action) s.focused = s.selected = true;
        return s;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface)
            return static_cast<QAccessibleActionInterface*>(this);
        return nullptr;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction() && m_action && m_action->isEnabled()) m_action->trigger();
    }
    QStringList keyBindingsForAction(const QString& name) const override {
        const QString key = Mnemonic();
        if (name != pressAction() || key.isEmpty()) return {};
        return {key};
    }

private:
    QMenu* menu() const {
        if (!m_action) return nullptr;
        for (QObject* owner : m_action->associatedObjects())
            if (auto* m = qobject_cast<QMenu*>(owner)) return m;
        return nullptr;
    }
    // "Alt+1" for "&1 ann.vlr"; empty without a marked letter.
    QString Mnemonic() const {
        const QString text = m_action ? m_action->text() : QString();
        for (qsizetype i = 0; i + 1 < text.size(); ++i) {
            if (text[i] != QLatin1Char('&')) continue;
            if (text[i + 1] == QLatin1Char('&')) {
                ++i;
                continue;
            }
            return QStringLiteral("Alt+") + text[i + 1].toUpper();
        }
        return {};
    }

    QPointer<QAction> m_action;
};

QAccessibleInterface* MarkedWidgetInterface(const QString&, QObject* object) {
    if (auto* action = qobject_cast<QAction*>(object)) {
        if (action->property(kSpokenDescription).isValid()) return new DescribedMenuEntry(action);
        return nullptr;
    }
    if (!object->isWidgetType()) return nullptr;
    const QVariant role = object->property(kSpokenRole);
    if (!role.isValid()) return nullptr;
    auto* widget = static_cast<QWidget*>(object);
    switch (static_cast<QAccessible::Role>(role.toInt())) {
        case QAccessible::Grouping:
            return new QAccessibleWidget(widget, QAccessible::Grouping);
        case QAccessible::Window:
            return new NamedWindow(widget);
        case QAccessible::Graphic:
            return new QAccessibleWidget(widget, QAccessible::Graphic);
        default:
            return nullptr;
    }
}

void InstallFactory() {
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(MarkedWidgetInterface);
        return true;
    }();
    (void)factoryInstalled;
}

// Marks the widget before its accessible interface can exist: the interface is made once and
// then kept.
void MarkRole(QWidget* widget, QAccessible::Role role) {
    InstallFactory();
    widget->setProperty(kSpokenRole, int(role));
}

}  // namespace

QFrame* NewOptionGroup(QWidget* parent) {
    auto* frame = new QFrame(parent);
    MarkRole(frame, QAccessible::Grouping);
    return frame;
}

void SpeakAsWindow(QWidget* window) { MarkRole(window, QAccessible::Window); }

void SpeakAsPicture(QWidget* picture) { MarkRole(picture, QAccessible::Graphic); }

void DescribeMenuEntry(QAction* entry, const QString& description) {
    InstallFactory();
    entry->setProperty(kSpokenDescription, description);
}

void TieSpokenLabel(QWidget* control, const QString& text) {
    auto* label = new QLabel(text, control->parentWidget());
    label->setObjectName(control->objectName() + QStringLiteral("Spoken"));
    label->setTextFormat(Qt::PlainText);
    label->setBuddy(control);
    label->hide();
}

}  // namespace velloran
