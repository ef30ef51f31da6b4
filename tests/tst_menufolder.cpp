#include "menu/menufolderitem.h"
#include "menu/menufolderlist.h"
#include "menu/menusettingsitem.h"
#include "menu/menusettingsroot.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

using namespace Orvane::Imports;

namespace {

void touch(const QString &path) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
}

MenuFolderItem *entry(QObject *list, int row) {
    return qvariant_cast<MenuFolderItem *>(static_cast<MenuFolderList *>(list)->get(row));
}

int entryObjects(QObject *list) {
    return list->findChildren<MenuFolderItem *>(QString(), Qt::FindDirectChildrenOnly).size();
}

} // namespace

class TestMenuFolder : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_folder;

    // A FolderItem under a root, listing the given URL.
    MenuSettingsItem *folderItem(MenuSettingsRoot &root, const QString &url) {
        auto *item = new MenuSettingsItem(&root, &root, &root);
        MenuItemFolderOptions options;
        options.setPath(url);
        item->setFolder(options);
        item->setType(MenuSettings::FolderItem);
        return item;
    }

private slots:
    void initTestCase() {
        QVERIFY(m_dir.isValid());
        m_folder = m_dir.path() + QStringLiteral("/tree");
        QDir().mkpath(m_folder + QStringLiteral("/Docs/inner"));
        QDir().mkpath(m_folder + QStringLiteral("/sub"));
        QDir().mkpath(m_folder + QStringLiteral("/.hidden"));
        touch(m_folder + QStringLiteral("/b.txt"));
        touch(m_folder + QStringLiteral("/A.exe"));
        touch(m_folder + QStringLiteral("/.dotfile"));
        touch(m_folder + QStringLiteral("/Docs/a.tar.gz"));
        touch(m_folder + QStringLiteral("/Docs/inner/deep.txt"));
    }

    void resolvesUrlsAndEnvironment() {
        qputenv("ORV_MENU_TEST_DIR", QFile::encodeName(m_folder));
        QCOMPARE(resolveFolderPath(QUrl::fromLocalFile(m_folder).toString()), m_folder);
        QCOMPARE(resolveFolderPath(QStringLiteral("file:///${ORV_MENU_TEST_DIR}/sub")),
                 m_folder + QStringLiteral("/sub"));
        QCOMPARE(resolveFolderPath(QStringLiteral("file:///%ORV_MENU_TEST_DIR%/sub")),
                 m_folder + QStringLiteral("/sub"));
        // Not a URL with a local file: nothing to list.
        QCOMPARE(resolveFolderPath(m_folder), QString());
        QCOMPARE(resolveFolderPath(QStringLiteral("C:\\Users")), QString());
    }

    void listsFoldersFirstByName() {
        MenuSettingsRoot root(nullptr);
        MenuSettingsItem *item = folderItem(root, QUrl::fromLocalFile(m_folder).toString());
        auto *list = qobject_cast<MenuFolderList *>(item->items());
        QVERIFY(list);
        QCOMPARE(list->parent(), item);
        QCOMPARE(list->count(), 4);
        QCOMPARE(entryObjects(list), 0);

        const QStringList names{"Docs", "sub", "A.exe", "b.txt"};
        const QStringList labels{"Docs", "sub", "A", "b"};
        for (int i = 0; i < 4; ++i) {
            MenuFolderItem *e = entry(list, i);
            QVERIFY(e);
            QCOMPARE(e->fileInfo().fileName(), names.at(i));
            QCOMPARE(e->label(), labels.at(i));
            QCOMPARE(e->type(), i < 2 ? MenuSettings::FolderDirItem : MenuSettings::FolderFileItem);
            QCOMPARE(e->parentItem(), item);
            QVERIFY(e->icon().isNull());
            QVERIFY((e->items() != nullptr) == (i < 2));
        }
        QVERIFY(!list->get(-1).isValid());
        QVERIFY(!list->get(4).isValid());

        // The model gives the same objects under role 256 only.
        QCOMPARE(list->roleNames().value(Qt::UserRole), QByteArray("modelData"));
        QCOMPARE(qvariant_cast<MenuFolderItem *>(list->data(list->index(2), Qt::UserRole)),
                 entry(list, 2));
        QVERIFY(!list->data(list->index(2), Qt::DisplayRole).isValid());
    }

    void actionsAndIcons() {
        MenuSettingsRoot root(nullptr);
        MenuSettingsItem *item = folderItem(root, QUrl::fromLocalFile(m_folder).toString());
        auto *list = qobject_cast<MenuFolderList *>(item->items());
        MenuFolderItem *dir = entry(list, 0);
        MenuFolderItem *file = entry(list, 3);

        const QVariantMap dirAction = dir->action().toMap();
        QCOMPARE(dirAction.value("source").toString(), QStringLiteral("orv://system/action#open"));
        QCOMPARE(dirAction.value("data").toMap().value("type").toInt(), 1);
        QCOMPARE(dirAction.value("data").toMap().value("url").toString(),
                 QUrl::fromLocalFile(m_folder + QStringLiteral("/Docs")).toString());
        const QVariantMap fileData = file->action().toMap().value("data").toMap();
        QCOMPARE(fileData.value("type").toInt(), 0);
        QVERIFY(fileData.value("url").toString().startsWith(QStringLiteral("file:///")));
        QCOMPARE(QUrl(fileData.value("url").toString()).toLocalFile(),
                 m_folder + QStringLiteral("/b.txt"));

        QSignalSpy dirSpy(dir, &MenuFolderItem::folderOptionsChanged);
        QSignalSpy fileSpy(file, &MenuFolderItem::folderOptionsChanged);
        MenuItemFolderOptions options = item->folder();
        options.setExtractIcon(true);
        item->setFolder(options);
        QCOMPARE(dirSpy.count(), 1);
        QCOMPARE(fileSpy.count(), 1);
        QCOMPARE(file->icon().toMap(),
                 (QVariantMap{{"normal", QStringLiteral("image://shell-icon//") + m_folder +
                                             QStringLiteral("/b.txt")}}));

        options.setKeepExtension(true);
        item->setFolder(options);
        QCOMPARE(file->label(), QStringLiteral("b.txt"));
        QCOMPARE(fileSpy.count(), 2);
        options.setExtractIcon(false);
        options.setKeepExtension(false);
        item->setFolder(options);
        QVERIFY(file->icon().isNull());
        QCOMPARE(file->label(), QStringLiteral("b"));
        // Same options again: still signalled, the listing is not re-read.
        item->setFolder(options);
        QCOMPARE(fileSpy.count(), 4);
        QCOMPARE(entry(list, 3), file);

        // Entries show the owner's theme and follow it.
        QSignalSpy themeSpy(file, &MenuFolderItem::themeChanged);
        QQmlPropertyMap theme;
        item->setTheme(&theme);
        QCOMPARE(themeSpy.count(), 1);
        QCOMPARE(file->theme(), &theme);
    }

    void lazySublistsOwnedByTheirEntry() {
        MenuSettingsRoot root(nullptr);
        MenuSettingsItem *item = folderItem(root, QUrl::fromLocalFile(m_folder).toString());
        auto *list = qobject_cast<MenuFolderList *>(item->items());
        MenuFolderItem *docs = entry(list, 0);
        QVERIFY(docs->findChildren<MenuFolderList *>().isEmpty());
        auto *sub = qobject_cast<MenuFolderList *>(docs->items());
        QVERIFY(sub);
        QCOMPARE(docs->items(), sub);
        QCOMPARE(sub->parent(), docs);
        QCOMPARE(sub->count(), 2);
        QCOMPARE(entryObjects(sub), 0);
        MenuFolderItem *archive = entry(sub, 1);
        QCOMPARE(archive->label(), QStringLiteral("a.tar"));
        QCOMPARE(archive->parentItem(), docs);
        QCOMPARE(entry(sub, 0)->type(), MenuSettings::FolderDirItem);
        // The owner's options reach down the tree.
        MenuItemFolderOptions options = item->folder();
        options.setKeepExtension(true);
        item->setFolder(options);
        QCOMPARE(archive->label(), QStringLiteral("a.tar.gz"));

        // A refresh of the parent list drops its entries, with their sublists, later.
        QPointer<MenuFolderItem> oldDocs = docs;
        QPointer<MenuFolderList> oldSub = sub;
        list->reload();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(oldDocs.isNull());
        QVERIFY(oldSub.isNull());
    }

    void symbolicLinkToFolderIsAFile() {
        const QString folder = m_dir.path() + QStringLiteral("/links");
        QDir().mkpath(folder + QStringLiteral("/real"));
        QVERIFY(QFile::link(folder + QStringLiteral("/real"), folder + QStringLiteral("/link")));
        MenuSettingsRoot root(nullptr);
        MenuSettingsItem *item = folderItem(root, QUrl::fromLocalFile(folder).toString());
        auto *list = qobject_cast<MenuFolderList *>(item->items());
        QCOMPARE(list->count(), 2);
        QList<MenuSettings::ItemType> types;
        for (int i = 0; i < list->count(); ++i) {
            MenuFolderItem *e = entry(list, i);
            types.append(e->type());
            if (e->fileInfo().fileName() == QLatin1String("link")) {
                QCOMPARE(e->type(), MenuSettings::FolderFileItem);
                QCOMPARE(e->items(), nullptr);
                QCOMPARE(e->action().toMap().value("data").toMap().value("type").toInt(), 0);
            }
        }
        QVERIFY(types.contains(MenuSettings::FolderDirItem));
        QVERIFY(types.contains(MenuSettings::FolderFileItem));
    }

    void reloadAndPathChanges() {
        const QString folder = m_dir.path() + QStringLiteral("/changing");
        QDir().mkpath(folder);
        touch(folder + QStringLiteral("/one"));
        MenuSettingsRoot root(nullptr);
        MenuSettingsItem *item = folderItem(root, QUrl::fromLocalFile(folder).toString());
        auto *list = qobject_cast<MenuFolderList *>(item->items());
        QCOMPARE(list->count(), 1);
        QPointer<MenuFolderItem> first = entry(list, 0);

        QSignalSpy countSpy(list, &MenuFolderList::countChanged);
        QSignalSpy resetSpy(list, &QAbstractItemModel::modelReset);
        QFile::remove(folder + QStringLiteral("/one"));
        touch(folder + QStringLiteral("/two"));
        list->reload();
        QCOMPARE(countSpy.count(), 1); // also when the number stays the same
        QCOMPARE(resetSpy.count(), 1);
        QCOMPARE(entry(list, 0)->fileInfo().fileName(), QStringLiteral("two"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());

        // A new path re-reads the same list object.
        MenuItemFolderOptions options = item->folder();
        options.setPath(QUrl::fromLocalFile(m_folder).toString());
        item->setFolder(options);
        QCOMPARE(item->items(), list);
        QCOMPARE(list->count(), 4);
        QCOMPARE(countSpy.count(), 2);
        list->setPath(list->path());
        QCOMPARE(countSpy.count(), 2);
    }

    void unreadableFoldersAreEmpty() {
        const QString file = m_dir.path() + QStringLiteral("/plain");
        touch(file);
        const QString locked = m_dir.path() + QStringLiteral("/locked");
        QDir().mkpath(locked);
        touch(locked + QStringLiteral("/secret"));
        QFile::setPermissions(locked, QFileDevice::WriteOwner);

        MenuSettingsRoot root(nullptr);
        const QStringList urls{QString(), QStringLiteral("file:///no/such/folder/here"),
                               QUrl::fromLocalFile(file).toString(),
                               QUrl::fromLocalFile(locked).toString(), QStringLiteral("C:/x")};
        for (const QString &url : urls) {
            auto *list = qobject_cast<MenuFolderList *>(folderItem(root, url)->items());
            QVERIFY(list);
            // Root may read anything; the other cases hold for everyone.
            if (url.contains(QLatin1String("locked")) && QFileInfo(locked).isReadable())
                continue;
            QCOMPARE(list->count(), 0);
            QVERIFY(!list->get(0).isValid());
        }
        QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
    }

    void hundredThousandEntriesStayLazy() {
        const QString folder = m_dir.path() + QStringLiteral("/big");
        QDir().mkpath(folder);
        const int files = 100000;
        for (int i = 0; i < files; ++i)
            touch(folder + QStringLiteral("/file%1.dat").arg(i, 6, 10, QLatin1Char('0')));

        const QString url = QUrl::fromLocalFile(folder).toString();
        int floorCount = 0;
        int listCount = 0;
        int objects = 0;
        QString firstLabel;
        const auto floor = [&]() -> qint64 {
            QElapsedTimer timer;
            timer.start();
            const QFileInfoList infos =
                QDir(folder).entryInfoList(QDir::Files | QDir::AllDirs | QDir::NoDotAndDotDot,
                                           QDir::Name | QDir::DirsFirst | QDir::IgnoreCase);
            QStringList labels;
            for (int i = 0; i < 50; ++i)
                labels.append(infos.at(i).completeBaseName());
            const qint64 elapsed = timer.nsecsElapsed();
            floorCount = infos.size();
            return elapsed;
        };
        const auto open = [&]() -> qint64 {
            MenuSettingsRoot root(nullptr);
            QElapsedTimer timer;
            timer.start();
            auto *list = qobject_cast<MenuFolderList *>(folderItem(root, url)->items());
            listCount = list->count();
            QStringList labels;
            for (int i = 0; i < 50; ++i)
                labels.append(entry(list, i)->label());
            const qint64 elapsed = timer.nsecsElapsed();
            firstLabel = labels.first();
            objects = entryObjects(list);
            return elapsed;
        };
        floor(); // warm the directory cache
        qint64 best = std::numeric_limits<qint64>::max();
        qint64 bestFloor = best;
        for (int round = 0; round < 3; ++round) {
            bestFloor = std::min(bestFloor, floor());
            best = std::min(best, open());
        }
        QCOMPARE(floorCount, files);
        QCOMPARE(listCount, files);
        QCOMPARE(firstLabel, QStringLiteral("file000000"));
        QCOMPARE(objects, 50);
        const double ratio = double(best) / double(bestFloor);
        qInfo("100000 entries: floor %.1f ms, FolderItem %.1f ms, ratio %.2f", bestFloor / 1e6,
              best / 1e6, ratio);
        // Shared machines jitter; the target is 1.3, the test fails only on a clear loss.
        QVERIFY2(ratio < 1.6, qPrintable(QString::number(ratio)));
    }
};

QTEST_GUILESS_MAIN(TestMenuFolder)

#include "tst_menufolder.moc"
