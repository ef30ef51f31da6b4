#include "tests/menuwarnings.h"

#include "menu/menufolderlist.h"
#include "menu/menusettings.h"
#include "menu/menusettingslist.h"
#include "menu/menusettingsroot.h"
#include "settings/settingsmap.h"

#include <QJSEngine>
#include <QPointer>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>

using namespace Orvane::Imports;

namespace {

MenuSettingsList *listOf(QObject *item) {
    return qobject_cast<MenuSettingsList *>(static_cast<MenuSettingsItem *>(item)->items());
}

void processDeletions() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A cleared key of a property map stays listed with an invalid value.
bool holds(const SettingsMap &map, const QString &key) {
    return map.value(key).isValid();
}

QStringList heldKeys(const SettingsMap &map) {
    QStringList keys;
    for (const QString &key : map.keys()) {
        if (holds(map, key))
            keys.append(key);
    }
    return keys;
}

SettingsMap *mapAt(SettingsMap *map, const QString &key) {
    return qobject_cast<SettingsMap *>(map->value(key).value<QObject *>());
}

// A menu: root list [a, sub, c], where sub is a MenuItem whose list holds [d, deep],
// and deep a MenuItem whose list holds [e].
struct Menu {
    MenuSettings settings{nullptr};
    QScopedPointer<MenuSettingsRoot> root{static_cast<MenuSettingsRoot *>(settings.create())};
    MenuSettingsItem *a, *sub, *c, *d, *deep, *e;

    Menu() {
        MenuSettingsList *top = listOf(root.data());
        a = top->create();
        sub = top->create();
        c = top->create();
        sub->setType(MenuSettings::MenuItem);
        d = listOf(sub)->create();
        deep = listOf(sub)->create();
        deep->setType(MenuSettings::MenuItem);
        e = listOf(deep)->create();
    }
};

} // namespace

class TestMenuItems : public QObject {
    Q_OBJECT

private slots:
    void createGivesIdsAndThemes() {
        MenuSettings settings(nullptr);
        QScopedPointer<QObject> parent(new QObject);
        auto *root = qobject_cast<MenuSettingsRoot *>(settings.create(parent.data()));
        QVERIFY(root);
        QCOMPARE(root->parent(), parent.data());
        QCOMPARE(root->id(), QStringLiteral("root"));
        QCOMPARE(root->type(), MenuSettings::MenuItem);
        const QMetaProperty type =
            root->metaObject()->property(root->metaObject()->indexOfProperty("type"));
        QVERIFY(!type.isWritable());
        QVERIFY(type.isConstant());

        MenuSettingsList *list = listOf(root);
        MenuSettingsItem *first = list->create();
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+-1$")).match(first->id()).hasMatch());
        QCOMPARE(first->type(), MenuSettings::EmptyItem);
        QCOMPARE(first->parentItem(), root);
        QCOMPARE(first->parent(), list);
        QCOMPARE(first->theme(), nullptr);
        QCOMPARE(first->property("_orv_id").value<QJSValue>().toString(), first->id());

        SettingsMap themes;
        root->setThemeSettings(&themes);
        MenuSettingsItem *second = list->create(0);
        QVERIFY(second->id().endsWith(QStringLiteral("-2")));
        SettingsMap *theme = mapAt(&themes, second->id());
        QVERIFY(theme);
        QVERIFY(theme->keys().isEmpty());
        QCOMPARE(second->theme(), theme);
        QCOMPARE(list->itemAt(0), second);
        QCOMPARE(list->count(), 2);
        QVERIFY(list->isModified());

        // Out of range: warned by the base, then added at the end.
        MenuWarnings warnings;
        MenuSettingsItem *third = list->create(5);
        QCOMPARE(warnings.take(), QStringList{"SettingsListModel::insert: index 5 out of range"});
        QCOMPARE(list->itemAt(2), third);
        list->create(-1);
        QCOMPARE(list->count(), 4);
        QVERIFY(warnings.take().isEmpty());
    }

    void addRefusals() {
        Menu menu;
        MenuSettingsList *top = listOf(menu.root.data());
        MenuSettingsList *subList = listOf(menu.sub);
        MenuSettingsList *deepList = listOf(menu.deep);
        MenuWarnings warnings;
        const auto refused = [&](MenuSettingsList *list, MenuSettingsItem *item, bool insert,
                                 const char *message) {
            const int count = list->count();
            QObject *parent = item ? item->parent() : nullptr;
            if (insert)
                list->insert(0, item);
            else
                list->append(item);
            QCOMPARE(warnings.take(),
                     QStringList{QStringLiteral("MenuSettingsList::addItemCheck: ") + message});
            QCOMPARE(list->count(), count);
            if (item)
                QCOMPARE(item->parent(), parent);
        };
        refused(top, nullptr, false, "invalid item");
        refused(subList, menu.sub, false, "cannot add self item");
        refused(top, menu.a, false, "item already in the menu");
        refused(top, menu.c, true, "item already in the menu");
        refused(deepList, menu.sub, false, "cannot add parent item");
        refused(deepList, menu.sub, true, "cannot add parent item");
        // The root has no parent item; the walk still finds it.
        refused(subList, menu.root.data(), false, "cannot add parent item");
        refused(deepList, menu.root.data(), true, "cannot add parent item");
        QCOMPARE(top->count(), 3);
        QCOMPARE(subList->count(), 2);
    }

    void movesBetweenLists() {
        Menu menu;
        SettingsMap themes;
        menu.root->setThemeSettings(&themes);
        MenuSettingsList *top = listOf(menu.root.data());
        MenuSettingsList *deepList = listOf(menu.deep);
        const QString id = menu.a->id();
        QObject *theme = menu.a->theme();
        QVERIFY(theme);

        QSignalSpy parentSpy(menu.a, &MenuItemBase::parentItemChanged);
        QSignalSpy topCount(top, &SettingsListModel::countChanged);
        QSignalSpy topRemoved(top, &QAbstractItemModel::rowsRemoved);
        deepList->append(menu.a);
        QCOMPARE(parentSpy.count(), 1);
        QCOMPARE(menu.a->parentItem(), menu.deep);
        QCOMPARE(menu.a->parent(), deepList);
        QCOMPARE(top->count(), 2);
        QCOMPARE(topCount.count(), 1);
        QCOMPARE(topRemoved.count(), 1);
        QCOMPARE(deepList->itemAt(1), menu.a);
        QCOMPARE(menu.a->id(), id);
        QCOMPARE(menu.a->theme(), theme);
        QCOMPARE(mapAt(&themes, id), theme);

        // Back up to the top, in front.
        top->insert(0, menu.a);
        QCOMPARE(parentSpy.count(), 2);
        QCOMPARE(top->itemAt(0), menu.a);
        QCOMPARE(deepList->count(), 1);

        // move reorders without touching parents.
        top->move(0, 2, 1);
        QCOMPARE(top->itemAt(2), menu.a);
        QCOMPARE(parentSpy.count(), 2);

        // A bad index: the item has left its list and is in none.
        MenuWarnings warnings;
        deepList->insert(-1, menu.c);
        QCOMPARE(warnings.take(), QStringList{"SettingsListModel::insert: index -1 out of range"});
        QCOMPARE(top->count(), 2);
        QCOMPARE(deepList->count(), 1);
        QCOMPARE(menu.c->parentItem(), menu.deep);
        QCOMPARE(menu.c->parent(), deepList);
        // Put there, it can still be appended: its parent item is the owner only.
        listOf(menu.sub)->append(menu.c);
        QCOMPARE(menu.c->parent(), listOf(menu.sub));
    }

    void removeAndClearDeleteLater() {
        Menu menu;
        SettingsMap themes;
        menu.root->setThemeSettings(&themes);
        MenuSettingsList *top = listOf(menu.root.data());
        MenuSettingsList *subList = listOf(menu.sub);
        QPointer<MenuSettingsItem> sub = menu.sub, d = menu.d, e = menu.e, a = menu.a;
        QPointer<QObject> subTheme = menu.sub->theme(), eTheme = menu.e->theme();
        const QStringList gone{menu.sub->id(), menu.d->id(), menu.deep->id(), menu.e->id()};

        MenuWarnings warnings;
        top->remove(7);
        QCOMPARE(warnings.take(),
                 QStringList{"SettingsListModel::remove: indices [7 - 8] out of range [0 - 3]"});
        QCOMPARE(top->count(), 3);

        top->remove(1);
        QCOMPARE(top->count(), 2);
        // Still usable until control returns to the event loop.
        QVERIFY(sub);
        QCOMPARE(subList->count(), 2);
        for (const QString &id : gone)
            QVERIFY2(!holds(themes, id), qPrintable(id));
        processDeletions();
        QVERIFY(sub.isNull());
        QVERIFY(d.isNull());
        QVERIFY(e.isNull());
        QVERIFY(subTheme.isNull());
        QVERIFY(eTheme.isNull());
        QVERIFY(a);

        QSignalSpy removed(top, &QAbstractItemModel::rowsRemoved);
        top->clear();
        QCOMPARE(removed.count(), 1);
        QCOMPARE(top->count(), 0);
        processDeletions();
        QVERIFY(a.isNull());
        QCOMPARE(heldKeys(themes), QStringList{"root"});
    }

    void typeChangesReplaceTheList() {
        Menu menu;
        SettingsMap themes;
        menu.root->setThemeSettings(&themes);
        QPointer<QObject> oldList = menu.sub->items();
        QPointer<MenuSettingsItem> d = menu.d, e = menu.e;
        QPointer<QObject> dTheme = menu.d->theme(), eTheme = menu.e->theme();
        QObject *ownTheme = menu.sub->theme();

        QSignalSpy typeSpy(menu.sub, &MenuSettingsItem::typeChanged);
        menu.sub->setType(MenuSettings::ActionItem);
        QCOMPARE(typeSpy.count(), 1);
        QCOMPARE(menu.sub->items(), nullptr);
        QVERIFY(!holds(themes, menu.d->id()));
        QVERIFY(!holds(themes, menu.e->id()));
        processDeletions();
        QVERIFY(oldList.isNull());
        QVERIFY(d.isNull());
        QVERIFY(e.isNull());
        QVERIFY(dTheme.isNull());
        QVERIFY(eTheme.isNull());
        QCOMPARE(menu.sub->theme(), ownTheme);

        menu.sub->setType(MenuSettings::ActionItem);
        QCOMPARE(typeSpy.count(), 1);
        menu.sub->setType(MenuSettings::MenuItem);
        QCOMPARE(typeSpy.count(), 2);
        QVERIFY(listOf(menu.sub));
        QCOMPARE(listOf(menu.sub)->count(), 0);
        menu.sub->setType(MenuSettings::FolderItem);
        auto *folder = qobject_cast<MenuFolderList *>(menu.sub->items());
        QVERIFY(folder);
        QCOMPARE(folder->parent(), menu.sub);
        QCOMPARE(folder->count(), 0);
        menu.sub->setType(MenuSettings::EmptyItem);
        QCOMPARE(menu.sub->items(), nullptr);
    }

    void themeSettingsRebuildsTheMaps() {
        Menu menu;
        SettingsMap themes;
        auto *kept = new SettingsMap(&themes);
        kept->insert(QStringLiteral("icon"), QStringLiteral("kept.png"));
        themes.insert(menu.a->id(), QVariant::fromValue(kept));
        auto *stale = new SettingsMap(&themes);
        themes.insert(QStringLiteral("123-99"), QVariant::fromValue(stale));
        themes.insert(menu.c->id(), QStringLiteral("not a map"));
        themes.insert(QStringLiteral("other"), 5);
        QPointer<SettingsMap> staleGuard = stale;

        QSignalSpy changed(menu.root.data(), &MenuSettingsRoot::themeSettingsChanged);
        QSignalSpy iconSpy(menu.a, &MenuSettingsItem::iconChanged);
        menu.root->setThemeSettings(&themes);
        QCOMPARE(changed.count(), 1);
        QCOMPARE(menu.root->themeSettings(), &themes);
        QCOMPARE(menu.a->theme(), kept);
        QCOMPARE(menu.a->icon().toString(), QStringLiteral("kept.png"));
        QCOMPARE(iconSpy.count(), 1);
        for (MenuSettingsItem *item : {static_cast<MenuSettingsItem *>(menu.root.data()), menu.d,
                                       menu.deep, menu.e, menu.sub}) {
            QVERIFY(mapAt(&themes, item->id()));
            QCOMPARE(item->theme(), mapAt(&themes, item->id()));
        }
        QVERIFY(!holds(themes, QStringLiteral("123-99")));
        QVERIFY(!holds(themes, QStringLiteral("other")));
        // The non-map key went, with the map made for it in the same pass.
        QVERIFY(!holds(themes, menu.c->id()));
        QVERIFY(menu.c->theme());
        processDeletions();
        QVERIFY(staleGuard.isNull());
        QCOMPARE(menu.c->theme(), nullptr);
        QCOMPARE(heldKeys(themes).size(), 6);

        menu.root->setThemeSettings(&themes);
        QCOMPARE(changed.count(), 1);
        menu.root->setThemeSettings(nullptr);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(menu.a->theme(), kept);
    }

    void iconAndImageFollowTheTheme() {
        QJSEngine engine;
        MenuSettingsRoot root(nullptr);
        MenuSettingsItem item(&root, &root, nullptr);
        QSignalSpy iconSpy(&item, &MenuSettingsItem::iconChanged);
        QSignalSpy imageSpy(&item, &MenuSettingsItem::imageChanged);
        QSignalSpy themeSpy(&item, &MenuSettingsItem::themeChanged);

        const QJSValue own = engine.evaluate(QStringLiteral("({normal: 'own.png'})"));
        item.setIconValue(own);
        QCOMPARE(iconSpy.count(), 1);
        item.setIconValue(own);
        QCOMPARE(iconSpy.count(), 1);
        QCOMPARE(item.icon().toMap().value("normal").toString(), QStringLiteral("own.png"));
        QVERIFY(item.image().isNull());

        SettingsMap theme;
        theme.insert(QStringLiteral("icon"), QStringLiteral("theme.png"));
        theme.insert(QStringLiteral("image"), QStringLiteral("back.png"));
        item.setTheme(&theme);
        QCOMPARE(themeSpy.count(), 1);
        QCOMPARE(iconSpy.count(), 2);
        QCOMPARE(imageSpy.count(), 1);
        QCOMPARE(item.theme(), &theme);
        QCOMPARE(item.icon().toString(), QStringLiteral("theme.png"));
        QCOMPARE(item.image().toString(), QStringLiteral("back.png"));

        // Writes through the property interface, as QML makes them.
        theme.setProperty("icon", QStringLiteral("new.png"));
        QCOMPARE(iconSpy.count(), 3);
        QCOMPARE(item.icon().toString(), QStringLiteral("new.png"));
        theme.setProperty("image", QStringLiteral("new-back.png"));
        QCOMPARE(imageSpy.count(), 2);
        QCOMPARE(item.image().toString(), QStringLiteral("new-back.png"));
        theme.insert(QStringLiteral("label"), QString());
        theme.setProperty("label", QStringLiteral("x"));
        QCOMPARE(iconSpy.count(), 3);

        // The theme icon hides the own one: no signal, no visible change.
        item.setIconValue(engine.evaluate(QStringLiteral("({normal: 'other.png'})")));
        QCOMPARE(iconSpy.count(), 3);
        QCOMPARE(item.icon().toString(), QStringLiteral("new.png"));
        QCOMPARE(item.iconValue().property("normal").toString(), QStringLiteral("other.png"));

        SettingsMap next;
        item.setTheme(&next);
        theme.setProperty("icon", QStringLiteral("ignored.png"));
        QCOMPARE(item.icon().isNull(), false);
        QCOMPARE(iconSpy.count(), 4);
        item.setTheme(&next);
        QCOMPARE(themeSpy.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestMenuItems)

#include "tst_menuitems.moc"
