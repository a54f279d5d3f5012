#include "app/AboutBox.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "Version.h"
#include "app/ToolIcons.h"
#include "ui/LinkLabel.h"
#include "ui/Links.h"
#include "ui/UiFonts.h"

namespace velloran {

namespace {
QFrame* MakeLine(const QString& name) {
    auto* line = new QFrame;
    line->setObjectName(name);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}
}  // namespace

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral(VELLORAN_TITLE));
    setModal(true);
    setFont(VerdanaFont(8.25));

    auto* picIcon = new QLabel;
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(MakeToolIcon(ToolIcon::Program).pixmap(QSize(48, 48), devicePixelRatioF()));
    picIcon->setAccessibleName(tr("Program icon"));

    auto* label2 = new QLabel(QStringLiteral(VELLORAN_TITLE));
    label2->setObjectName(QStringLiteral("Label2"));
    label2->setFont(VerdanaFont(12, true));

    auto* label1 = new QLabel(QStringLiteral(
        "Velloran displays the natal chart with the planets in their Draconian position. This "
        "shows the role the planets play in accomplishing the soul's purpose in life. The natal "
        "chart and the Draconian zodiac together can predict how this purpose will manifest."));
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setTextFormat(Qt::PlainText);
    label1->setWordWrap(true);
    label1->setMinimumWidth(340);

    auto* lblLicence = new QLabel(QStringLiteral(VELLORAN_LICENCE));
    lblLicence->setObjectName(QStringLiteral("lblLicence"));
    lblLicence->setTextFormat(Qt::PlainText);
    lblLicence->setWordWrap(true);

    auto* lblHomePage = new LinkLabel(AboutForumLinkText(), this);
    lblHomePage->setObjectName(QStringLiteral("lblHomePage"));
    connect(lblHomePage, &LinkLabel::clicked, this, &AboutBox::forumRequested);

    auto* cmdOK = new QPushButton(tr("OK"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* top = new QHBoxLayout;
    top->addWidget(picIcon, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->addWidget(label2);
    texts->addWidget(MakeLine(QStringLiteral("Line1")));
    texts->addWidget(label1);
    texts->addWidget(lblLicence);
    top->addLayout(texts, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblHomePage, 1);
    bottom->addWidget(cmdOK);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->addLayout(top);
    column->addWidget(MakeLine(QStringLiteral("Line2")));
    column->addLayout(bottom);
    setFixedSize(sizeHint());
    cmdOK->setFocus();
}

}  // namespace velloran
