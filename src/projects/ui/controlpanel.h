#pragma once

#include "shell/form.h"

#include <QPixmap>

#include <array>

class QLabel;
class QListWidget;
namespace controls {
class Picture;
}
namespace generator {
struct Facts;
}

// The dashboard: the current project's facts, its map list and the five menu tiles.
class Controlpanel : public Form {
    Q_OBJECT
public:
    Controlpanel(Session &session, Mainform &mainform);

    void Form_Activate() override;
    bool Form_Unload() override;
    Qt::WindowFlags frameFlags() const override;

    void List1_DblClick();
    void Label9_Click(int index);

    // Generation of the project's scripts, and generation followed by the test run.
    void compiler();
    void tester();

protected:
    void paintEvent(QPaintEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void showFacts(const generator::Facts &facts);
    void report(const QString &error);
    void publish();
    // The tile's pressed look: both parts move by the same twips.
    void press(int index, int twips);

    QPixmap m_background;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7, *Label8, *Label10;
    std::array<controls::Picture *, 5> Image1;
    std::array<controls::Picture *, 5> Label9;
    controls::Picture *Picture1;
    QListWidget *List1;
};
