#include "tests/menuwarnings.h"

#include "menu/menufolderlist.h"
#include "menu/menusettings.h"
#include "menu/menusettingslist.h"
#include "menu/menusettingsroot.h"
#include "settings/settingsmap.h"

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

} // namespace

class TestMenuItems : public QObject {
    Q_OBJECT

    static void processDeletions() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // A cleared key of a property map stays listed with an invalid value.
    static bool holds(const SettingsMap &map, const QString &key) {
        return map.value(key).isValid();
    }
    static SettingsMap *mapAt(SettingsMap *map, const QString &key) {
        return qobject_cast<SettingsMap *>(map->value(key).value<QObject *>());
    }

private slots:
    void addRefusals_data() {
        QTest::addColumn<int>("list"); // indices into {root, a, sub, c, deep}; -1: none
        QTest::addColumn<int>("item");
        QTest::addColumn<bool>("insert");
        QTest::addColumn<QString>("message");
        QTest::newRow("null") << 0 << -1 << false << "invalid item";
        QTest::newRow("self") << 2 << 2 << false << "cannot add self item";
        QTest::newRow("append twice") << 0 << 1 << false << "item already in the menu";
        QTest::newRow("insert twice") << 0 << 3 << true << "item already in the menu";
        QTest::newRow("append parent") << 4 << 2 << false << "cannot add parent item";
        QTest::newRow("insert root") << 4 << 0 << true << "cannot add parent item";
    }
    void addRefusals() {
        QFETCH(int, list);
        QFETCH(int, item);
        QFETCH(bool, insert);
        QFETCH(QString, message);
        Menu menu;
        MenuSettingsItem *items[] = {menu.root.data(), menu.a, menu.sub, menu.c, menu.deep};
        MenuSettingsList *target = listOf(items[list]);
        MenuSettingsItem *added = item < 0 ? nullptr : items[item];
        QObject *parent = added ? added->parent() : nullptr;
        const int count = target->count();
        MenuWarnings warnings;
        insert ? target->insert(0, added) : target->append(added);
        QCOMPARE(warnings.take(), QStringList{"MenuSettingsList::addItemCheck: " + message});
        QCOMPARE(target->count(), count);
        QCOMPARE(added ? added->parent() : nullptr, parent);
    }

    void moves() {
        Menu menu;
        MenuSettingsList *top = listOf(menu.root.data()), *deepList = listOf(menu.deep);
        const QString id = menu.a->id();
        QObject *theme = menu.a->theme();
        QSignalSpy parentSpy(menu.a, &MenuItemBase::parentItemChanged);
        deepList->append(menu.a);
        QCOMPARE(parentSpy.count(), 1);
        QVERIFY(menu.a->parentItem() == menu.deep && menu.a->parent() == deepList);
        QVERIFY(top->count() == 2 && deepList->itemAt(1) == menu.a);
        QVERIFY(menu.a->id() == id && menu.a->theme() == theme);
        top->insert(0, menu.a);
        QVERIFY(parentSpy.count() == 2 && deepList->count() == 1);
        top->move(0, 2, 1);
        QVERIFY(top->itemAt(2) == menu.a && parentSpy.count() == 2); // same parent: no signal
        MenuWarnings warnings;
        MenuSettingsItem *last = top->create(9);
        QCOMPARE(warnings.take(), QStringList{"SettingsListModel::insert: index 9 out of range"});
        QCOMPARE(top->itemAt(3), last);
    }

    void removalIsDeferred() {
        Menu menu;
        MenuSettingsList *top = listOf(menu.root.data());
        QPointer<MenuSettingsItem> sub = menu.sub, e = menu.e, a = menu.a;
        const QString id = menu.a->id();
        QPointer<QObject> eTheme = menu.e->theme();
        MenuWarnings warnings;
        top->remove(7);
        QCOMPARE(warnings.take(),
                 QStringList{"SettingsListModel::remove: indices [7 - 8] out of range [0 - 3]"});
        top->remove(1);
        QVERIFY(sub && e); // usable until control returns to the event loop
        QVERIFY(!holds(menu.themes, e->id()));
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
        QVERIFY(typeSpy.count() == 1 && !menu.sub->items());
        QVERIFY(!holds(menu.themes, menu.e->id()));
        processDeletions();
        QVERIFY(!oldList && !d && !e && !eTheme && menu.sub->theme());
        menu.sub->setType(MenuSettings::FolderItem);
        QVERIFY(qobject_cast<MenuFolderList *>(menu.sub->items()));
        menu.sub->setType(MenuSettings::MenuItem);
        QVERIFY(listOf(menu.sub) && listOf(menu.sub)->count() == 0);
    }

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
            QCOMPARE(item->theme(), mapAt(&themes, item->id()));
        QVERIFY(!holds(themes, "123-99") && !holds(themes, "other"));
        QVERIFY(!holds(themes, menu.c->id())); // the non-map went, with the map made for it
        processDeletions();
        QVERIFY(!stale && !menu.c->theme());
        menu.root->setThemeSettings(&themes);
        QCOMPARE(changed.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestMenuItems)

#include "tst_menuitems.moc"
