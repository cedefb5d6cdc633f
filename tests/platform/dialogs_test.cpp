#include "platform/ui/qtdialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

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
