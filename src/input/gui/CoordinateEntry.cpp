#include "input/gui/CoordinateEntry.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/Accessibility.h"
#include "ui/QtText.h"

namespace velloran {

namespace {

constexpr int kCoordinateMaxLength = 3;

// A box for up to three digits, four digits wide in the default font.
QLineEdit* MakeNumberBox(const QString& name, const QString& spoken) {
    auto* box = new QLineEdit;
    box->setObjectName(name);
    box->setMaxLength(kCoordinateMaxLength);
    box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 14);
    box->setAccessibleName(spoken);
    return box;
}

QRadioButton* MakeOption(const QString& caption, const QString& name) {
    auto* option = new QRadioButton(caption);
    option->setObjectName(name);
    return option;
}

}  // namespace

CoordinateEntry::CoordinateEntry(const CoordinateNames& names, QObject* parent) : QObject(parent) {
    m_degrees = MakeNumberBox(names.degreesBox, names.spokenDegrees);
    m_minutes = MakeNumberBox(names.minutesBox, names.spokenMinutes);
    m_first = MakeOption(names.firstCaption, names.firstOption);
    m_second = MakeOption(names.secondCaption, names.secondOption);
    m_group = new QButtonGroup(this);
    m_group->addButton(m_first, 0);
    m_group->addButton(m_second, 1);

    QFrame* frame = NewOptionGroup();
    frame->setObjectName(names.frame);
    frame->setFrameShape(QFrame::StyledPanel);
    frame->setAccessibleName(names.spokenDirection);
    auto* pair = new QVBoxLayout(frame);
    pair->setContentsMargins(6, 2, 6, 2);
    pair->setSpacing(0);
    pair->addWidget(m_first);
    pair->addWidget(m_second);

    m_row = new QHBoxLayout;
    m_row->addWidget(m_degrees);
    m_row->addWidget(frame);
    m_row->addWidget(m_minutes);
    m_row->addWidget(new QLabel(QStringLiteral("DEG/MIN")));
    m_row->addStretch();
}

CoordinateText CoordinateEntry::text() const {
    return {S(m_degrees->text()), S(m_minutes->text()), m_group->checkedId()};
}

void CoordinateEntry::setText(const CoordinateText& text) {
    m_degrees->setText(Q(text.degrees));
    m_minutes->setText(Q(text.minutes));
    setHemisphere(text.hemisphere);
}

void CoordinateEntry::setHemisphere(int hemisphere) {
    if (hemisphere == 0 || hemisphere == 1) {
        m_group->button(hemisphere)->setChecked(true);
        return;
    }
    // Neither option: an exclusive group cannot clear itself, so lift the rule for a moment.
    m_group->setExclusive(false);
    for (QAbstractButton* button : m_group->buttons()) button->setChecked(false);
    m_group->setExclusive(true);
}

}  // namespace velloran
