#include "platform/ui/qtdialogs.h"
#include "shell/app.h"
#include "shell/controls.h"
#include "shell/style.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QProxyStyle>
#include <QPushButton>
#include <QStyleFactory>
#include <QTimer>
#include <QTranslator>

#include <gtest/gtest.h>

// The real box, answered as soon as it shows: its text is shown as written, markup-like
// characters included, under the default title.
TEST(QtDialogs, MessageBoxShowsTheTextAsWritten)
{
    QtDialogs dialogs;
    const QString text = QStringLiteral("The value \"<b>x</b>\" is no number.");
    struct Seen {
        QString text, title;
        Qt::TextFormat format = Qt::AutoText;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
    } seen;
    QTimer::singleShot(0, [&seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        ASSERT_TRUE(box);
        seen = {box->text(), box->windowTitle(), box->textFormat(), box->icon()};
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(dialogs.message(text, MsgButtons::YesNo, MsgIcon::Critical, {}), MsgAnswer::No);
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.format, Qt::PlainText);
    EXPECT_EQ(seen.title, kDefaultTitle);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
}

namespace {

// A desktop whose style puts icons on dialog buttons, as the usual Linux desktops do.
class IconButtonsStyle : public QProxyStyle {
public:
    IconButtonsStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        return hint == SH_DialogButtonBox_ButtonsHaveIcons
                   ? 1
                   : QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

struct BoxSeen {
    QStringList buttons;
    int icons = 0;
    QString font;
};

// Looks at the box that is open, then closes it as its last button (No, Cancel, OK) would.
void inspectNextBox(BoxSeen &seen)
{
    QTimer::singleShot(0, [&seen] {
        QWidget *box = QApplication::activeModalWidget();
        ASSERT_TRUE(box);
        seen.font = box->font().toString();
        const QList<QAbstractButton *> buttons = box->findChild<QDialogButtonBox *>()->buttons();
        for (QAbstractButton *b : buttons) {
            seen.buttons.append(b->text().remove('&'));
            seen.icons += !b->icon().isNull();
        }
        qobject_cast<QDialog *>(box)->reject();
    });
}

} // namespace

// The French edition's boxes word their standard buttons in French through the toolkit's own
// translation, the English edition's in English; no dialog button carries an icon, even on a
// desktop whose style gives them one, and the boxes use the windows' font.
TEST(QtDialogs, StandardButtonsInTheEditionsLanguageWithoutIcons)
{
    QApplication::setStyle(new IconButtonsStyle);
    {
        BoxSeen seen;
        inspectNextBox(seen);
        QtDialogs().message(QStringLiteral("?"), MsgButtons::YesNo, MsgIcon::None, {});
        ASSERT_EQ(seen.icons, 2) << "the desktop's style gives no icons to begin with";
    }
    QApplication::setStyle(new ProgramStyle(new IconButtonsStyle));

    const struct {
        Edition edition;
        QStringList question, ok, input;
    } cases[] = {
        {Edition::English, {"Yes", "No"}, {"OK"}, {"OK", "Cancel"}},
        {Edition::French, {"Oui", "Non"}, {"OK"}, {"OK", "Annuler"}},
    };
    const QString arial = controls::arial().toString();
    for (const auto &c : cases) {
        SCOPED_TRACE(c.edition == Edition::French ? "French" : "English");
        const std::unique_ptr<QTranslator> translation = toolkitTranslation(c.edition);
        EXPECT_EQ(translation != nullptr, c.edition == Edition::French);
        if (translation)
            QCoreApplication::installTranslator(translation.get());
        QtDialogs dialogs;
        BoxSeen question, ok, input;
        inspectNextBox(question);
        EXPECT_EQ(dialogs.message(QStringLiteral("Quitter Tarnwick ?"), MsgButtons::YesNo, MsgIcon::None, {}),
                  MsgAnswer::No);
        inspectNextBox(ok);
        dialogs.message(QStringLiteral("Valeur incorrect !"), MsgButtons::Ok, MsgIcon::Critical, {});
        inspectNextBox(input);
        EXPECT_EQ(dialogs.input(QStringLiteral("Taper le texte :"), {}), QString());
        if (translation)
            QCoreApplication::removeTranslator(translation.get());

        for (const auto &[seen, expected] : {std::pair{question, c.question}, {ok, c.ok}, {input, c.input}}) {
            QStringList sorted = seen.buttons;
            sorted.sort();
            QStringList wanted = expected;
            wanted.sort();
            EXPECT_EQ(sorted.join(" "), wanted.join(" "));
            EXPECT_EQ(seen.icons, 0);
            EXPECT_EQ(seen.font, arial);
        }
    }
    QApplication::setStyle(new ProgramStyle);
}
