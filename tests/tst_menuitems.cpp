#include "menu/menufolderitem.h"
#include "menu/menufolderlist.h"
#include "menu/menusettings.h"
#include "menu/menusettingslist.h"
#include "menu/menusettingsroot.h"
#include "settings/settingsmap.h"
#include "testenvironment.h"

#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

using namespace Orvane::Imports;

namespace {

MenuSettingsList *listOf(QObject *item) {
    return qobject_cast<MenuSettingsList *>(static_cast<MenuSettingsItem *>(item)->items());
}

// root [a, sub [d, deep [e]], c], with a theme map per item.
struct Menu {
    MenuSettings settings{nullptr};
    QScopedPointer<MenuSettingsRoot> root{static_cast<MenuSettingsRoot *>(settings.create())};
    SettingsMap themes;
    MenuSettingsItem *a, *sub, *c, *d, *deep, *e;
    Menu() {
        MenuSettingsList *top = listOf(root.data());
        a = top->create(), sub = top->create(), c = top->create();
        sub->setType(MenuSettings::MenuItem);
        d = listOf(sub)->create(), deep = listOf(sub)->create();
        deep->setType(MenuSettings::MenuItem);
        e = listOf(deep)->create();
        root->setThemeSettings(&themes);
    }
};

void processDeletions() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A cleared key of a property map stays listed with an invalid value.
bool holds(const SettingsMap &map, const QString &key) {
    return map.value(key).isValid();
}

QString url(const QString &path) {
    return QUrl::fromLocalFile(path).toString();
}

MenuFolderItem *entry(QObject *list, int row) {
    return qvariant_cast<MenuFolderItem *>(static_cast<MenuFolderList *>(list)->get(row));
}

} // namespace

class TestMenuItems : public QObject {
    Q_OBJECT
    const QString m_tree = TestEnvironment::root() + "/tree";
    MenuSettingsRoot m_root{nullptr};

    MenuSettingsItem *folderItem(const QString &path) {
        auto *item = new MenuSettingsItem(&m_root, &m_root, &m_root);
        MenuItemFolderOptions options;
        options.setPath(path);
        item->setFolder(options);
        item->setType(MenuSettings::FolderItem);
        return item;
    }

private slots:
    // An item that would be twice in the tree, or above itself, is refused and stays put.
    void addRefusals() {
        Menu menu;
        const struct {
            MenuSettingsItem *list, *item;
            bool insert;
            const char *message;
        } cases[] = {{menu.root.data(), nullptr, false, "invalid item"},
                     {menu.sub, menu.sub, false, "cannot add self item"},
                     {menu.root.data(), menu.c, true, "item already in the menu"},
                     {menu.deep, menu.root.data(), true, "cannot add parent item"}};
        for (const auto &refused : cases) {
            MenuSettingsList *target = listOf(refused.list);
            QObject *parent = refused.item ? refused.item->parent() : nullptr;
            const int count = target->count();
            QTest::ignoreMessage(
                QtWarningMsg,
                qPrintable(QString("MenuSettingsList::addItemCheck: ") + refused.message));
            refused.insert ? target->insert(0, refused.item) : target->append(refused.item);
            QCOMPARE(target->count(), count);
            QCOMPARE(refused.item ? refused.item->parent() : nullptr, parent);
        }
    }

    // A moved item keeps its id and theme and tells of its new parent, once.
    void moves() {
        Menu menu;
        MenuSettingsList *top = listOf(menu.root.data()), *deepList = listOf(menu.deep);
        const QString id = menu.a->id();
        QObject *theme = menu.a->theme();
        QSignalSpy parentSpy(menu.a, &MenuItemBase::parentItemChanged);
        deepList->append(menu.a);
        QVERIFY(parentSpy.count() == 1 && menu.a->parentItem() == menu.deep &&
                menu.a->parent() == deepList);
        QVERIFY(menu.a->id() == id && menu.a->theme() == theme);
        top->insert(0, menu.a);
        top->move(0, 2, 1);
        QVERIFY(top->itemAt(2) == menu.a && parentSpy.count() == 2 && deepList->count() == 1);
        QTest::ignoreMessage(QtWarningMsg, "SettingsListModel::insert: index 9 out of range");
        QCOMPARE(top->itemAt(3), top->create(9)); // appended instead
    }

    // A removed item and all below it stay usable until the event loop, with their themes.
    void removalIsDeferred() {
        Menu menu;
        MenuSettingsList *top = listOf(menu.root.data());
        QPointer<MenuSettingsItem> sub = menu.sub, e = menu.e, a = menu.a;
        const QString id = menu.a->id();
        QPointer<QObject> eTheme = menu.e->theme();
        QTest::ignoreMessage(QtWarningMsg,
                             "SettingsListModel::remove: indices [7 - 8] out of range [0 - 3]");
        top->remove(7);
        top->remove(1);
        QVERIFY(sub && e && !holds(menu.themes, e->id()));
        processDeletions();
        QVERIFY(!sub && !e && !eTheme && a);
        top->clear();
        processDeletions();
        QVERIFY(!a && !holds(menu.themes, id) && holds(menu.themes, "root"));
    }

    void typeChanges() {
        Menu menu;
        QPointer<QObject> oldList = menu.sub->items(), eTheme = menu.e->theme();
        QPointer<MenuSettingsItem> d = menu.d, e = menu.e;
        QSignalSpy typeSpy(menu.sub, &MenuSettingsItem::typeChanged);
        menu.sub->setType(MenuSettings::ActionItem);
        menu.sub->setType(MenuSettings::ActionItem);
        QVERIFY(typeSpy.count() == 1 && !menu.sub->items() && !holds(menu.themes, menu.e->id()));
        processDeletions();
        QVERIFY(!oldList && !d && !e && !eTheme && menu.sub->theme());
        menu.sub->setType(MenuSettings::FolderItem);
        QVERIFY(qobject_cast<MenuFolderList *>(menu.sub->items()));
        menu.sub->setType(MenuSettings::MenuItem);
        QVERIFY(listOf(menu.sub) && listOf(menu.sub)->count() == 0);
    }

    // New theme settings keep the maps of present items, make the missing and drop the rest.
    void themeSettings() {
        Menu menu;
        SettingsMap themes;
        auto *kept = new SettingsMap(&themes);
        kept->insert("icon", "kept.png");
        themes.insert(menu.a->id(), QVariant::fromValue(kept));
        QPointer<SettingsMap> stale = new SettingsMap(&themes);
        themes.insert("123-99", QVariant::fromValue(stale.data()));
        themes.insert(menu.c->id(), "not a map");
        themes.insert("other", 5);
        QSignalSpy changed(menu.root.data(), &MenuSettingsRoot::themeSettingsChanged);
        QSignalSpy iconSpy(menu.a, &MenuSettingsItem::iconChanged);
        menu.root->setThemeSettings(&themes);
        QVERIFY(changed.count() == 1 && iconSpy.count() == 1);
        QCOMPARE(menu.a->icon().toString(), QStringLiteral("kept.png"));
        for (MenuSettingsItem *item : {menu.sub, menu.d, menu.deep, menu.e})
            QCOMPARE(item->theme(), themes.value(item->id()).value<QObject *>());
        QVERIFY(!holds(themes, "123-99") && !holds(themes, "other"));
        QVERIFY(!holds(themes, menu.c->id())); // the non-map went, with the map made for it
        processDeletions();
        QVERIFY(!stale && !menu.c->theme());
        menu.root->setThemeSettings(&themes);
        QCOMPARE(changed.count(), 1);
    }

    void folderPaths() {
        QVERIFY(QDir().mkpath(m_tree + "/sub"));
        qputenv("ORV_MENU_TEST_DIR", QFile::encodeName(m_tree));
        QCOMPARE(resolveFolderPath(url(m_tree)), m_tree);
        QCOMPARE(resolveFolderPath("file:///${ORV_MENU_TEST_DIR}/sub"), m_tree + "/sub");
        QCOMPARE(resolveFolderPath("file:///%ORV_MENU_TEST_DIR%/sub"), m_tree + "/sub");
        // Nothing to list: no path, no URL, missing, a file.
        QVERIFY(TestEnvironment::writeFile(m_tree + "/sub/file"));
        for (const QString &path :
             {QString(), m_tree, url(m_tree + "/no"), url(m_tree + "/sub/file")})
            QCOMPARE(static_cast<MenuFolderList *>(folderItem(path)->items())->count(), 0);
    }

    // Folders first, then files, each by name; hidden ones stay out. Options reach every
    // entry below without reading the listing again.
    void folderEntries() {
        for (const char *dir : {"/Docs/inner", "/sub", "/.hidden"})
            QVERIFY(QDir().mkpath(m_tree + dir));
        for (const char *file : {"/b.txt", "/A.exe", "/.dotfile", "/Docs/a.tar.gz"})
            QVERIFY(TestEnvironment::writeFile(m_tree + file));
        MenuSettingsItem *item = folderItem(url(m_tree));
        QObject *list = item->items();
        QCOMPARE(static_cast<MenuFolderList *>(list)->count(), 4);
        const QStringList labels{"Docs", "sub", "A", "b"};
        for (int i = 0; i < 4; ++i) {
            QCOMPARE(entry(list, i)->label(), labels.at(i));
            QCOMPARE(entry(list, i)->type(),
                     i < 2 ? MenuSettings::FolderDirItem : MenuSettings::FolderFileItem);
            QCOMPARE(entry(list, i)->parentItem(), item);
        }
        MenuFolderItem *file = entry(list, 3);
        const QVariantMap action = file->action().toMap();
        QCOMPARE(action.value("source").toString(), "orv://system/action#open");
        QCOMPARE(action.value("data").toMap(),
                 (QVariantMap{{"type", 0}, {"url", url(m_tree + "/b.txt")}}));
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
        QCOMPARE(entry(entry(list, 0)->items(), 1)->label(), QStringLiteral("a.tar.gz"));
        options.setExtractIcon(false);
        options.setKeepExtension(false);
        item->setFolder(options);
        QVERIFY(file->icon().isNull() && entry(list, 3) == file);
        QCOMPARE(entry(entry(list, 0)->items(), 1)->label(), QStringLiteral("a.tar"));
    }

    // Entries are made as they are read (bench/bench_menu times a large folder).
    void entriesStayLazy() {
        const QString dir = TestEnvironment::root() + "/many";
        for (int i = 0; i < 1000; ++i)
            QVERIFY(TestEnvironment::writeFile(dir + QString("/file%1").arg(i, 4, 10, QChar('0'))));
        QObject *list = folderItem(url(dir))->items();
        for (int i = 0; i < 50; ++i)
            entry(list, i)->label();
        QCOMPARE(entry(list, 0)->label(), QStringLiteral("file0000"));
        QCOMPARE(list->findChildren<MenuFolderItem *>(QString(), Qt::FindDirectChildrenOnly).size(),
                 50);
    }
};

QTEST_GUILESS_MAIN(TestMenuItems)
#include "tst_menuitems.moc"
