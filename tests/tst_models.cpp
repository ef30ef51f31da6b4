#include "menu/menufolderitem.h"
#include "menu/menufolderlist.h"
#include "menu/menusettings.h"
#include "menu/menusettingsitem.h"
#include "menu/menusettingslist.h"
#include "menu/menusettingsroot.h"
#include "settings/settingslist.h"
#include "settings/settingsmap.h"
#include "testenvironment.h"

#include <QAbstractItemModelTester>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

using namespace Orvane::Imports;

namespace {

// A model's notifications in order, one line each; the tester beside it checks each
// against the model's state before and after.
class Notifications : public QObject {
public:
    template <typename Model>
    explicit Notifications(Model *model)
        : m_tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest) {
        const auto rows = [this](const char *what) {
            return [this, what](const QModelIndex &, int first, int last) {
                m_lines << QString("%1 %2-%3").arg(what).arg(first).arg(last);
            };
        };
        connect(model, &QAbstractItemModel::rowsInserted, this, rows("inserted"));
        connect(model, &QAbstractItemModel::rowsRemoved, this, rows("removed"));
        connect(model, &QAbstractItemModel::rowsMoved, this,
                [this](const QModelIndex &, int first, int last, const QModelIndex &, int to) {
                    m_lines << QString("moved %1-%2 to %3").arg(first).arg(last).arg(to);
                });
        connect(model, &QAbstractItemModel::dataChanged, this, [this](const QModelIndex &from) {
            m_lines << QString("changed %1").arg(from.row());
        });
        connect(model, &QAbstractItemModel::modelReset, this, [this] { m_lines << "reset"; });
        connect(model, &Model::countChanged, this, [this] { m_lines << "count"; });
    }
    QStringList take() { return std::exchange(m_lines, {}); }

private:
    QAbstractItemModelTester m_tester;
    QStringList m_lines;
};

// The labels or values of a list, one word each.
template <typename List> QString words(List *list) {
    QStringList text;
    for (int i = 0; i < list->count(); ++i) {
        const QVariant entry = list->data(list->index(i), Qt::UserRole);
        QObject *item = entry.template value<QObject *>();
        text << (item ? item->property("label").toString() : entry.toString());
    }
    return text.join(' ');
}

MenuSettingsList *listOf(QObject *item) {
    return qobject_cast<MenuSettingsList *>(static_cast<MenuSettingsItem *>(item)->items());
}

MenuFolderItem *entry(QObject *list, int row) {
    return qvariant_cast<MenuFolderItem *>(static_cast<MenuFolderList *>(list)->get(row));
}

QString url(const QString &path) {
    return QUrl::fromLocalFile(path).toString();
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

class TestModels : public QObject {
    Q_OBJECT

private slots:
    void settingsList() {
        SettingsList list;
        Notifications seen(&list);
        list.append("a");
        list.insert(0, "b");
        list.appendAll({"c", "d", "e"}); // a document's list arrives in one insertion
        list.set(1, "A");
        list.set(5, "f"); // one past the end appends
        QCOMPARE(words(&list), QStringLiteral("b A c d e f"));
        QCOMPARE(seen.take(),
                 (QStringList{"inserted 0-0", "count", "inserted 0-0", "count", "inserted 2-4",
                              "count", "changed 1", "inserted 5-5", "count"}));
        list.move(0, 3, 2); // a block forward: the destination counts the rows before the move
        list.move(4, 0, 1);
        list.move(2, 2, 1);
        list.remove(1, 2);
        list.remove(2, 9); // cut at the end
        QCOMPARE(words(&list), QStringLiteral("A e"));
        QCOMPARE(seen.take(), (QStringList{"moved 0-1 to 5", "moved 4-4 to 0", "removed 1-2",
                                           "count", "removed 2-3", "count"}));
        // Refusals say why and change nothing, the modified flag included.
        list.setModified(false);
        for (const char *refusal :
             {"move: out of range", "insert: index 3 out of range", "set: index -1 out of range",
              "remove: indices [2 - 3] out of range [0 - 2]",
              "remove: indices [1 - 1] out of range [0 - 2]"})
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable("SettingsListModel::" + QString(refusal)));
        QVERIFY(!list.SettingsListModel::move(1, 0, 2));
        QVERIFY(!list.SettingsListModel::insert(3, "x") && !list.SettingsListModel::set(-1, "x"));
        QVERIFY(!list.SettingsListModel::remove(2, 1) && !list.SettingsListModel::remove(1, 0));
        QVERIFY(!list.setData(list.index(0), 1, 257) && !list.isModified());
        QVERIFY(seen.take().isEmpty());
        // Entries never own the objects they point to.
        QPointer<SettingsList> nested = new SettingsList(&list);
        list.append(QVariant::fromValue(nested.data()));
        list.clear();
        list.clear();
        QVERIFY(nested && list.isModified());
        QCOMPARE(seen.take(), (QStringList{"inserted 2-2", "count", "removed 0-2", "count"}));
    }

    void menuSettingsList() {
        Menu menu;
        MenuSettingsList *top = listOf(menu.root.data()), *inner = listOf(menu.deep);
        Notifications seenTop(top), seenInner(inner);
        MenuSettingsItem *a = menu.a, *b = top->create(0);
        // Moving an item into another menu takes it out of the first; it keeps its id and
        // theme and tells of its new parent once.
        const QString id = a->id();
        QObject *theme = a->theme();
        QSignalSpy parentSpy(a, &MenuItemBase::parentItemChanged);
        inner->append(a);
        inner->insert(0, b);
        inner->move(0, 2, 1);
        QVERIFY(parentSpy.count() == 1 && a->parentItem() == menu.deep && a->parent() == inner);
        QVERIFY(a->id() == id && theme && a->theme() == theme);
        QCOMPARE(seenTop.take(), (QStringList{"inserted 0-0", "count", "removed 1-1", "count",
                                              "removed 0-0", "count"}));
        QCOMPARE(seenInner.take(),
                 (QStringList{"inserted 1-1", "count", "inserted 0-0", "count", "moved 0-0 to 3"}));
        QTest::ignoreMessage(QtWarningMsg, "SettingsListModel::insert: index 9 out of range");
        QCOMPARE(top->itemAt(2), top->create(9)); // appended instead

        // An item that would be twice in the tree, or above itself, is refused and stays put.
        for (const char *refusal : {"invalid item", "cannot add self item",
                                    "item already in the menu", "cannot add parent item"})
            QTest::ignoreMessage(QtWarningMsg,
                                 qPrintable("MenuSettingsList::addItemCheck: " + QString(refusal)));
        top->append(nullptr);
        listOf(menu.sub)->append(menu.sub);
        inner->insert(0, a);
        inner->insert(0, menu.root.data());
        QVERIFY(a->parent() == inner && menu.sub->parent() == top && !menu.root->parent());
        QVERIFY(seenTop.take() == QStringList({"inserted 2-2", "count"}) &&
                seenInner.take().isEmpty());

        // A new type replaces the items below, once, with their themes.
        QPointer<QObject> innerList = inner, eTheme = menu.e->theme();
        QPointer<MenuSettingsItem> e = menu.e;
        QSignalSpy typeSpy(menu.deep, &MenuSettingsItem::typeChanged);
        menu.deep->setType(MenuSettings::ActionItem);
        QVERIFY(typeSpy.count() == 1 && !menu.deep->items() &&
                !menu.themes.value(e->id()).isValid());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!innerList && !e && !eTheme && menu.deep->theme());
        menu.deep->setType(MenuSettings::FolderItem);
        QVERIFY(qobject_cast<MenuFolderList *>(menu.deep->items()));
        menu.deep->setType(MenuSettings::MenuItem);
        QVERIFY(listOf(menu.deep) && listOf(menu.deep)->count() == 0);

        // Removed items and all below them stay usable until the event loop; their themes go.
        QPointer<MenuSettingsItem> sub = menu.sub, d = menu.d, c = menu.c;
        QPointer<QObject> dTheme = menu.d->theme();
        const QString cId = menu.c->id();
        top->remove(0);
        QVERIFY(sub && d && dTheme && !menu.themes.value(d->id()).isValid());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!sub && !d && !dTheme && c);
        top->clear();
        QCOMPARE(seenTop.take(), (QStringList{"removed 0-0", "count", "removed 0-1", "count"}));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!c && !menu.themes.value(cId).isValid() && menu.themes.value("root").isValid());
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
        // The stale map and the non-maps went, with the map made for the item the non-map held.
        QVERIFY(!themes.value("123-99").isValid() && !themes.value("other").isValid() &&
                !themes.value(menu.c->id()).isValid());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!stale && !menu.c->theme());
    }

    // Folders first, then files, by name; hidden entries stay out and links are not followed.
    // Entries are made as they are read. Options reach every entry below without reading the
    // listing again; a reload or a new path reads it again as a whole, and the entries it
    // replaces go later.
    void menuFolderList() {
        const QString dir = TestEnvironment::root() + "/folder";
        for (const char *name :
             {"/Docs/a.tar.gz", "/sub/x.txt", "/b.txt", "/A.exe", "/.dot", "/.hidden/x"})
            QVERIFY(TestEnvironment::writeFile(dir + name));
        QVERIFY(QFile::link(dir + "/sub", dir + "/link"));
        MenuSettingsRoot root(nullptr);
        auto *item = new MenuSettingsItem(&root, &root, &root);
        MenuItemFolderOptions options;
        options.setPath(url(dir));
        item->setFolder(options);
        item->setType(MenuSettings::FolderItem);
        auto *list = qobject_cast<MenuFolderList *>(item->items());
        Notifications seen(list);
        MenuFolderItem *file = entry(list, 4);
        QCOMPARE(list->findChildren<MenuFolderItem *>(QString(), Qt::FindDirectChildrenOnly),
                 QList<MenuFolderItem *>{file});
        QCOMPARE(words(list), QStringLiteral("Docs link sub A b"));
        MenuFolderItem *docs = entry(list, 0);
        QVERIFY(docs->type() == MenuSettings::FolderDirItem && docs->parentItem() == item);
        QVERIFY(entry(list, 1)->type() == MenuSettings::FolderFileItem && !entry(list, 1)->items());
        QCOMPARE(file->action().toMap(),
                 (QVariantMap{{"source", "orv://system/action#open"},
                              {"data", QVariantMap{{"type", 0}, {"url", url(dir + "/b.txt")}}}}));
        QCOMPARE(docs->action().toMap().value("data").toMap().value("type"), 1);

        QSignalSpy optionsSpy(file, &MenuFolderItem::folderOptionsChanged);
        options.setExtractIcon(true);
        options.setKeepExtension(true);
        item->setFolder(options);
        QVERIFY(optionsSpy.count() == 1 && file->label() == "b.txt");
        QCOMPARE(file->icon().toMap().value("normal").toString(),
                 "image://shell-icon//" + dir + "/b.txt");
        QCOMPARE(entry(docs->items(), 0)->label(), QStringLiteral("a.tar.gz"));
        options.setExtractIcon(false);
        options.setKeepExtension(false);
        item->setFolder(options);
        QVERIFY(file->icon().isNull() && entry(list, 4) == file && seen.take().isEmpty());
        QCOMPARE(entry(docs->items(), 0)->label(), QStringLiteral("a.tar"));

        QPointer<MenuFolderItem> old = docs;
        QPointer<QObject> oldItems = docs->items();
        QVERIFY(QFile::remove(dir + "/b.txt") && TestEnvironment::writeFile(dir + "/c.txt"));
        list->reload();
        QCOMPARE(words(list), QStringLiteral("Docs link sub A c"));
        QVERIFY(old && oldItems);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!old && !oldItems);
        qputenv("ORV_MENU_TEST_DIR", QFile::encodeName(dir));
        options.setPath("file:///${ORV_MENU_TEST_DIR}/sub");
        item->setFolder(options);
        QCOMPARE(item->items(), list);
        QCOMPARE(words(list), QStringLiteral("x"));
        QCOMPARE(seen.take(), (QStringList{"reset", "count", "reset", "count"}));
        // Nothing to list: no path, no URL, missing, a file.
        for (const QString &path : {QString(), dir, url(dir + "/no"), url(dir + "/c.txt")}) {
            options.setPath(path);
            item->setFolder(options);
            QVERIFY2(list->count() == 0, qPrintable(path));
        }
    }
};

QTEST_GUILESS_MAIN(TestModels)
#include "tst_models.moc"
