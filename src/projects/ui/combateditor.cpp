#include "projects/ui/combateditor.h"

#include "art/art.h"
#include "projects/module1.h"
#include "projects/numbers.h"
#include "projects/session.h"
#include "shell/controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>

#include <tuple>

namespace {

// A control's name, with the index of its control array when it has one: "hnom_0".
QByteArray controlName(const char *name, int index = -1)
{
    QByteArray n(name);
    if (index >= 0)
        n += '_' + QByteArray::number(index);
    return n;
}

// The controls of one attack frame: the frame, the name's caption and box, the damage's
// caption, bar and label.
using Attack = std::tuple<QGroupBox *, QLabel *, QLineEdit *, QLabel *, QScrollBar *, QLabel *>;

struct AttackNames {
    QByteArray frame, nameCaption, name, damageCaption, damage, damageShown;
};

// Attack number 1 to 3 of a hero, at left and top within its parent.
Attack makeAttack(const Session &s, QWidget *parent, const AttackNames &names, int number, int left, int top)
{
    const QString n = QString::number(number);
    QGroupBox *f = controls::frame(parent, names.frame.constData(),
                                   s.tx("Attack", "Attaque") + n + QStringLiteral(" : "), left, top, 3375, 1095);
    return {f,
            controls::label(f, names.nameCaption.constData(), s.tx("Name :", "Nom :"), 120, 360, 855, 255),
            controls::textBox(f, names.name.constData(), s.tx("Attack", "Attaque ") + n, 720, 360, 2415, 285),
            controls::label(f, names.damageCaption.constData(), s.tx("Damage :", "Dégats :"), 120, 720, 855, 255),
            controls::hScroll(f, names.damage.constData(), 840, 720, 1695, 255, 0, 10000, 0),
            controls::label(f, names.damageShown.constData(), QStringLiteral("10"), 2640, 720, 615, 255)};
}

AttackNames frame4Names(int index)
{
    return {controlName("Frame4", index), controlName("Label5", index),   controlName("h1a1nom", index),
            controlName("Label6", index), controlName("HScroll3", index), controlName("h1a1degats", index)};
}

constexpr int kHeroTop = 840;
constexpr std::array<int, 3> kHeroLeft{120, 3960, 7800};
// Attack frames 1 to 3, from the top of their hero's frame.
constexpr std::array<int, 3> kAttackTop{1080, 2280, 3480};

} // namespace

combateditor::combateditor(Session &session, Mainform &mainform) : Form(session, mainform)
{
    setObjectName(QStringLiteral("combateditor"));
    setWindowTitle(session.tx("Fight Editor", "Editeur de combats"));
    setClientSizeTwips(11520, 9930);

    Label1 = controls::label(this, "Label1", session.tx("Fight : ", "Combat : "), 120, 120, 735, 255);
    Label2 = controls::label(this, "Label2", QStringLiteral("1"), 720, 120, 735, 255);
    // The selector's caption lies in front of the number label that its right end overlaps, so
    // that "Combat : " shows whole; the number behind it stays hidden.
    Label2->stackUnder(Label1);
    HScroll1 = controls::hScroll(this, "HScroll1", 120, 360, 1215, 255, 0, 32767, 0);
    // Like the platform's Change event: once per move, not at every step of a drag.
    HScroll1->setTracking(false);
    Text1 = controls::textBox(this, "Text1", QString(), 2040, 240, 6855, 285);
    Command1 = controls::button(this, "Command1", session.tx("New", "Nouveau"), 9240, 240, 975, 375);

    static const std::array<const char *, 3> heroFrameName{"Frame1_0", "frame_1", "Frame1_2"};
    static const std::array<const char *, 3> heroCaption{"   Hero 1", "    Hero 2", "    Hero 3"};
    for (int h = 0; h < 3; ++h) {
        QGroupBox *f = controls::frame(this, heroFrameName[h], QString::fromLatin1(heroCaption[h]), kHeroLeft[h],
                                       kHeroTop, 3735, 8175);
        heroFrame[h] = f;
        Label3[h] = controls::label(f, controlName("Label3", h).constData(), session.tx("Name :", "Nom :"), 120,
                                    240, 1095, 255);
        hnom[h] = controls::textBox(f, controlName("hnom", h).constData(), QString(), 720, 240, 2775, 285);
        Label4[h] = controls::label(f, controlName("Label4", h).constData(), session.tx("HP : ", "Vie : "), 120,
                                    600, 495, 255);
        HScroll2[h] =
            controls::hScroll(f, controlName("HScroll2", h).constData(), 720, 600, 1455, 255, 1, 10000, 100);
        h1vie[h] =
            controls::label(f, controlName("h1vie", h).constData(), QStringLiteral("100"), 2400, 600, 1095, 255);
        Command2[h] = controls::button(f, controlName("Command2", h).constData(), session.tx("Load", "Charger"),
                                       1320, 4680, 1095, 255);
        Picture1[h] = controls::picture(f, controlName("Picture1", h).constData(), 240, 4920, 3135, 3015);
        // A picture box shows its bitmap at its own size in the top-left corner.
        Picture1[h]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        Picture1[h]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        Picture1[h]->setPixmap(art::fightPortrait());
        // The portrait's box lies behind the "Load" button whose bottom edge it overlaps.
        Picture1[h]->stackUnder(Command2[h]);
        // Too small for its caption to show.
        hactive[h] =
            controls::checkBox(f, controlName("hactive", h).constData(),
                               h == 0 ? QStringLiteral("Check1") : QStringLiteral("Check2"), 0, 0, 255, 255);
    }

    // Hero 1's attack frames and hero 2's first one lie on the window itself, over their hero's
    // frame; made after the hero frames, they are drawn in front of them.
    std::tie(Frame5, Label9, h1a2nom, Label8, HScroll4, h1a2degat) =
        makeAttack(session, this, {"Frame5", "Label9", "h1a2nom", "Label8", "HScroll4", "h1a2degat"}, 2, 360,
                   kHeroTop + kAttackTop[1]);
    std::tie(Frame6, Label10, h1a3nom, Label11, HScroll5, h1a3degat) =
        makeAttack(session, this, {"Frame6", "Label10", "h1a3nom", "Label11", "HScroll5", "h1a3degat"}, 3, 360,
                   kHeroTop + kAttackTop[2]);
    // Frame4 and the controls in it, by the frame's index.
    const auto frame4 = [&](int index, QWidget *parent, int number, int left, int top) {
        std::tie(Frame4[index], Label5[index], h1a1nom[index], Label6[index], HScroll3[index], h1a1degats[index]) =
            makeAttack(session, parent, frame4Names(index), number, left, top);
    };
    frame4(0, this, 1, 360, kHeroTop + kAttackTop[0]);
    frame4(1, this, 1, kHeroLeft[1] + 120, kHeroTop + kAttackTop[0]);
    frame4(2, heroFrame[1], 2, 120, kAttackTop[1]);
    frame4(3, heroFrame[1], 3, 120, kAttackTop[2]);
    frame4(6, heroFrame[2], 1, 120, kAttackTop[0]);
    frame4(5, heroFrame[2], 2, 120, kAttackTop[1]);
    frame4(4, heroFrame[2], 3, 120, kAttackTop[2]);

    connect(HScroll1, &QScrollBar::valueChanged, this, &combateditor::HScroll1_Change);
}

void combateditor::HScroll1_Change()
{
    const QString count =
        Module1::readini(QStringLiteral("Jeu"), QStringLiteral("Combats"), session().projectIni());
    // Only a whole number from 0 to 32767 can be the selector's maximum; with anything else
    // the selector stays at 0 and no fight is named.
    const FileCount fights = fileCount(count);
    if (!fights.valid()) {
        const QSignalBlocker block(HScroll1);
        HScroll1->setMaximum(0);
        Text1->clear();
        return;
    }
    {
        // The value that the new maximum cuts back is the one read below.
        const QSignalBlocker block(HScroll1);
        HScroll1->setMaximum(fights.value);
    }
    const QString v = QString::number(HScroll1->value());
    Text1->setText(Module1::readini(QStringLiteral("Combat") + v, QStringLiteral("nom"), session().projectIni()));
    const FileCount again =
        fileCount(Module1::readini(QStringLiteral("Jeu"), QStringLiteral("Combats"), session().projectIni()));
    if (again.valid() && again.value == 0)
        Text1->setText(QStringLiteral("Nouveau combat"));
}
