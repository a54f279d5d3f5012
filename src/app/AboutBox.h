#pragma once
// The about box frmAbout: program name, description and the forum link; OK closes it.

#include <QDialog>

namespace velloran {

class AboutBox : public QDialog {
    Q_OBJECT
public:
    explicit AboutBox(QWidget* parent);

signals:
    void forumRequested();  // lblHomePage clicked
};

}  // namespace velloran
