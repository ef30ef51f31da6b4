#include "menu/menufolderitem.h"
#include "menu/menufolderlist.h"
#include "menu/menusettingsitem.h"
#include "menu/menusettingsroot.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace Orvane::Imports;

class TestMenuFolder : public QObject {
    Q_OBJECT

    static void touch(const QString &path) { QVERIFY(QFile(path).open(QIODevice::WriteOnly)); }
    static QString url(const QString &path) { return QUrl::fromLocalFile(path).toString(); }
    static MenuFolderItem *entry(QObject *list, int row) {
        return qvariant_cast<MenuFolderItem *>(static_cast<MenuFolderList *>(list)->get(row));
    }
    static int entryObjects(QObject *list) {
        return list->findChildren<MenuFolderItem *>(QString(), Qt::FindDirectChildrenOnly).size();
    }
    QTemporaryDir m_dir;
    QString m_tree = m_dir.path() + "/tree";
    MenuSettingsRoot m_root{nullptr};

    MenuSettingsItem *folderItem(const QString &path) {
        auto *item = new MenuSettingsItem(&m_root, &m_root, &m_root);
        MenuItemFolderOptions options;
        options.setPath(path);
        item->setFolder(options);
        item->setType(MenuSettings::FolderItem);
        return item;
    }
    MenuFolderList *listOf(MenuSettingsItem *item) {
        return qobject_cast<MenuFolderList *>(item->items());
    }

private slots:
    void initTestCase() {
        for (const char *dir : {"/Docs/inner", "/sub", "/.hidden"})
            QDir().mkpath(m_tree + dir);
        for (const char *file : {"/b.txt", "/A.exe", "/.dotfile", "/Docs/a.tar.gz"})
            touch(m_tree + file);
    }

    void resolvesPaths() {
        qputenv("ORV_MENU_TEST_DIR", QFile::encodeName(m_tree));
        QCOMPARE(resolveFolderPath(url(m_tree)), m_tree);
        QCOMPARE(resolveFolderPath("file:///${ORV_MENU_TEST_DIR}/sub"), m_tree + "/sub");
        QCOMPARE(resolveFolderPath("file:///%ORV_MENU_TEST_DIR%/sub"), m_tree + "/sub");
        QCOMPARE(resolveFolderPath(m_tree), QString()); // not a URL, nothing to list
    }

    void orderLabelsAndOptions() {
        MenuSettingsItem *item = folderItem(url(m_tree));
        MenuFolderList *list = listOf(item);
        QCOMPARE(list->count(), 4);
        const QStringList labels{"Docs", "sub", "A", "b"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(entry(list, i)->label(), labels.at(i));
            QCOMPARE(entry(list, i)->type(),
                     i < 2 ? MenuSettings::FolderDirItem : MenuSettings::FolderFileItem);
            QCOMPARE(entry(list, i)->parentItem(), item);
        }
        MenuFolderItem *file = entry(list, 3);
        QCOMPARE(file->action().toMap().value("source").toString(), "orv://system/action#open");
        const QVariantMap data = file->action().toMap().value("data").toMap();
        QVERIFY(data.value("type") == 0 && data.value("url") == url(m_tree + "/b.txt"));
        QCOMPARE(entry(list, 0)->action().toMap().value("data").toMap().value("type"), 1);

        QSignalSpy optionsSpy(file, &MenuFolderItem::folderOptionsChanged);
        MenuItemFolderOptions options = item->folder();
        options.setExtractIcon(true);
        options.setKeepExtension(true);
        item->setFolder(options);
        QCOMPARE(optionsSpy.count(), 1);
        QCOMPARE(file->label(), QStringLiteral("b.txt"));
        QCOMPARE(file->icon().toMap().value("normal").toString(),
                 "image://shell-icon//" + m_tree + "/b.txt");
        MenuFolderList *docs = qobject_cast<MenuFolderList *>(entry(list, 0)->items());
        QCOMPARE(entry(docs, 1)->label(), QStringLiteral("a.tar.gz")); // options reach down
        options.setExtractIcon(false);
        options.setKeepExtension(false);
        item->setFolder(options);
        QVERIFY(file->icon().isNull());
        QCOMPARE(entry(docs, 1)->label(), QStringLiteral("a.tar"));
        QCOMPARE(entry(list, 3), file); // options do not re-read the listing
    }

    void reload() {
        const QString dir = m_dir.path() + "/changing";
        QDir().mkpath(dir + "/real");
        QVERIFY(QFile::link(dir + "/real", dir + "/link"));
        MenuFolderList *list = listOf(folderItem(url(dir)));
        QCOMPARE(list->count(), 2);
        QCOMPARE(entry(list, 0)->type(), MenuSettings::FolderFileItem); // a link is a file
        QCOMPARE(entry(list, 0)->items(), nullptr);
        QPointer<MenuFolderItem> old = entry(list, 1);
        QPointer<QObject> oldSub = old->items();
        QFile::remove(dir + "/link");
        touch(dir + "/two");
        list->reload();
        QCOMPARE(entry(list, 1)->fileInfo().fileName(), QStringLiteral("two"));
        QVERIFY(old); // deleted later
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!old && !oldSub);
    }

    void unreadableIsEmpty() {
        for (const QString &path : {QString(), url(m_tree + "/no"), url(m_tree + "/b.txt"), m_tree})
            QCOMPARE(listOf(folderItem(path))->count(), 0);
    }

    // Entries are made as they are read (bench/bench_menu times a large folder).
    void entriesStayLazy() {
        const QString dir = m_dir.path() + "/many";
        QDir().mkpath(dir);
        for (int i = 0; i < 1000; ++i)
            touch(dir + QString("/file%1.dat").arg(i, 4, 10, QLatin1Char('0')));
        QScopedPointer<MenuSettingsItem> item(folderItem(url(dir)));
        MenuFolderList *list = listOf(item.data());
        QCOMPARE(list->count(), 1000);
        for (int i = 0; i < 50; ++i)
            entry(list, i)->label();
        QCOMPARE(entry(list, 0)->label(), QStringLiteral("file0000"));
        QCOMPARE(entryObjects(list), 50);
    }
};

QTEST_GUILESS_MAIN(TestMenuFolder)

#include "tst_menufolder.moc"
