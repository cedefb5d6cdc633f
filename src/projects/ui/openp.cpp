#include "projects/ui/openp.h"

#include "platform/twips.h"
#include "projects/module1.h"
#include "projects/newproject.h"
#include "projects/session.h"
#include "shell/controls.h"
#include "shell/mainform.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

constexpr int kFolderRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
// Each level of the path stands this many pixels further in.
constexpr int kIndent = 8;

class IndentDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem shifted(option);
        shifted.rect.adjust(index.data(kDepthRole).toInt() * kIndent, 0, 0, 0);
        QStyledItemDelegate::paint(painter, shifted, index);
    }
};

} // namespace

FolderList::FolderList(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new IndentDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) { setPath(folderOf(item)); });
}

QString FolderList::folderOf(const QListWidgetItem *item)
{
    return item ? item->data(kFolderRole).toString() : QString();
}

void FolderList::setPath(const QString &path)
{
    m_path = QDir::cleanPath(QDir(path).absolutePath());
    clear();
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const auto add = [this](const QString &text, const QString &folder, int depth, const QIcon &icon) {
        auto *item = new QListWidgetItem(icon, text, this);
        item->setData(kFolderRole, folder);
        item->setData(kDepthRole, depth);
    };

    // The root, then every folder down to the current one.
    QStringList chain;
    for (QDir dir(m_path);;) {
        chain.prepend(dir.absolutePath());
        if (!dir.cdUp())
            break;
    }
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QString &folder = chain[depth];
        add(depth == 0 ? QDir::toNativeSeparators(folder) : QFileInfo(folder).fileName(), folder, depth, open);
    }
    setCurrentRow(count() - 1);

    const QFileInfoList subFolders =
        QDir(m_path).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &sub : subFolders)
        add(sub.fileName(), sub.absoluteFilePath(), int(chain.size()), closed);
    scrollToItem(currentItem());
}

openp::openp(Session &session, Mainform &mainform) : Form(session, mainform)
{
    setWindowTitle(session.tx("Open", "Ouvrir un projet"));
    setClientSizeTwips(2775, 2535);
    Label1 = controls::label(this, "Label1", session.tx("Choose the project's folder:", "Choississez votre jeu :"), 0,
                             0, session.french() ? 1695 : 2655, 255);
    Dir1 = new FolderList(this);
    Dir1->setObjectName(QStringLiteral("Dir1"));
    Dir1->setGeometry(twipsRect(0, 240, 2775, 1890));
    Dir1->setFont(controls::arial());
    Command1 = controls::button(this, "Command1", session.tx("Open", "Ouvrir"), 0, 2160, 2775, 375);
    setTabOrder(Dir1, Command1);
    connect(Command1, &QPushButton::clicked, this, &openp::Command1_Click);
    Form_Load();
}

Qt::WindowFlags openp::frameFlags() const
{
    return Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
}

void openp::Form_Load()
{
    // Start-up makes "projets"; when it could not, the tool folder is the nearest place to look.
    const QString projects = session().toolPath(QStringLiteral("/projets"));
    Dir1->setPath(QFileInfo(projects).isDir() ? projects : session().toolFolder());
}

void openp::Command1_Click()
{
    const QString nom =
        Module1::readini(QStringLiteral("Jeu"), QStringLiteral("nom"), Dir1->path() + QStringLiteral("/projet.ini"));
    // A name no project folder can have would lead every path out of "projets".
    if (nom.isEmpty() || !newproject::isValidName(nom)) {
        session().dialogs().message(QStringLiteral("Erreur : Projet invalide !"));
        return;
    }
    const QString folder = session().toolPath(QStringLiteral("/projets/") + nom);
    if (!QFileInfo(folder).isDir()) {
        session().dialogs().message(
            session()
                .tx("The project \"%1\" has no folder %2.\nA project's folder in \"projets\" must bear the name "
                    "that its projet.ini gives it; was the folder renamed or moved?",
                    "Le projet « %1 » n'a pas de dossier %2.\nLe dossier d'un projet dans « projets » doit porter "
                    "le nom que lui donne son projet.ini ; a-t-il été renommé ou déplacé ?")
                .arg(nom, QDir::toNativeSeparators(folder)),
            MsgButtons::Ok, MsgIcon::Exclamation);
        return;
    }
    session().setCurrentProject(nom);
    mainform().showDashboard();
    mainform().openMapEditor(QStringLiteral("01"));
    closeForm();
}
