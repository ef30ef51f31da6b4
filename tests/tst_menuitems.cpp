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

void processDeletions() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A cleared key of a property map stays listed with an invalid value.
bool holds(const SettingsMap &map, const QString &key) {
    return map.value(key).isValid();
}

} // namespace

class TestMenuItems : public QObject {
    Q_OBJECT

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
};

QTEST_GUILESS_MAIN(TestMenuItems)
#include "tst_menuitems.moc"
