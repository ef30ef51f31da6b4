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

// A model's notifications in the order they came, one line each; the tester beside it
// checks that each is consistent with the model's state before and after.
class Notifications : public QObject {
public:
    template <typename Model>
    explicit Notifications(Model *model)
        : m_tester(model, QAbstractItemModelTester::FailureReportingMode::QtTest) {
        const auto range = [this](const char *what) {
            return [this, what](const QModelIndex &, int first, int last) {
                m_lines << QStringLiteral("%1 %2-%3").arg(what).arg(first).arg(last);
            };
        };
        connect(model, &QAbstractItemModel::rowsInserted, this, range("inserted"));
        connect(model, &QAbstractItemModel::rowsRemoved, this, range("removed"));
        connect(model, &QAbstractItemModel::rowsMoved, this,
                [this](const QModelIndex &, int first, int last, const QModelIndex &, int to) {
                    m_lines << QStringLiteral("moved %1-%2 to %3").arg(first).arg(last).arg(to);
                });
        connect(model, &QAbstractItemModel::dataChanged, this,
                [this](const QModelIndex &from, const QModelIndex &to) {
                    m_lines << QStringLiteral("changed %1-%2").arg(from.row()).arg(to.row());
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
        auto *item = qobject_cast<MenuItemBase *>(entry.template value<QObject *>());
        text << (item ? item->property("label").toString() : entry.toString());
    }
    return text.join(' ');
}

MenuSettingsList *listOf(QObject *item) {
    return qobject_cast<MenuSettingsList *>(static_cast<MenuSettingsItem *>(item)->items());
}

QString url(const QString &path) {
    return QUrl::fromLocalFile(path).toString();
}

MenuFolderItem *entry(QObject *list, int row) {
    return qvariant_cast<MenuFolderItem *>(static_cast<MenuFolderList *>(list)->get(row));
}

MenuSettingsItem *folderItem(MenuSettingsRoot *root, const QString &path) {
    auto *item = new MenuSettingsItem(root, root, root);
    MenuItemFolderOptions options;
    options.setPath(path);
    item->setFolder(options);
    item->setType(MenuSettings::FolderItem);
    return item;
}

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
                              "count", "changed 1-1", "inserted 5-5", "count"}));
        list.move(0, 3, 2); // a block forward: the destination counts the rows before the move
        list.move(4, 0, 1);
        list.move(2, 2, 1);
        QCOMPARE(words(&list), QStringLiteral("A c d e b f"));
        QCOMPARE(seen.take(), (QStringList{"moved 0-1 to 5", "moved 4-4 to 0"}));
        list.remove(1, 2);
        list.remove(2, 9); // cut at the end
        QCOMPARE(words(&list), QStringLiteral("A e"));
        QCOMPARE(seen.take(), (QStringList{"removed 1-2", "count", "removed 2-3", "count"}));
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
        MenuSettings menus(nullptr);
        SettingsMap themes;
        QScopedPointer<QObject> root(menus.create());
        static_cast<MenuSettingsRoot *>(root.data())->setThemeSettings(&themes);
        MenuSettingsList *top = listOf(root.data());
        Notifications seenTop(top);
        MenuSettingsItem *a = top->create(), *b = top->create(0), *sub = top->create();
        a->setLabel("a");
        b->setLabel("b");
        sub->setType(MenuSettings::MenuItem);
        MenuSettingsList *inner = listOf(sub);
        Notifications seenInner(inner);
        QCOMPARE(seenTop.take(), (QStringList{"inserted 0-0", "count", "inserted 0-0", "count",
                                              "inserted 2-2", "count"}));
        // Moving an item into another menu takes it out of the first; it keeps its id and
        // theme and tells of its new parent once.
        const QString id = a->id();
        QObject *theme = a->theme();
        QSignalSpy parentSpy(a, &MenuItemBase::parentItemChanged);
        inner->append(a);
        inner->insert(0, b);
        inner->move(0, 1, 1);
        QVERIFY(parentSpy.count() == 1 && a->parentItem() == sub && a->parent() == inner);
        QVERIFY(a->id() == id && theme && a->theme() == theme);
        QCOMPARE(seenTop.take(), (QStringList{"removed 1-1", "count", "removed 0-0", "count"}));
        QCOMPARE(seenInner.take(),
                 (QStringList{"inserted 0-0", "count", "inserted 0-0", "count", "moved 0-0 to 2"}));
        QTest::ignoreMessage(QtWarningMsg, "SettingsListModel::insert: index 9 out of range");
        QCOMPARE(top->itemAt(1), top->create(9)); // appended instead
        QVERIFY(menus.save(root.data(), "models", "menu"));
        inner->remove(0);
        inner->clear();
        inner->clear();
        QCOMPARE(seenInner.take(), (QStringList{"removed 0-0", "count", "removed 0-0", "count"}));

        // A loaded menu's lists were filled without notifications; edits on them notify.
        QScopedPointer<QObject> loaded(menus.load("models", "menu"));
        MenuSettingsList *loadedInner = listOf(listOf(loaded.data())->itemAt(0));
        Notifications seenLoaded(loadedInner);
        QCOMPARE(words(loadedInner), QStringLiteral("a b"));
        loadedInner->create(1)->setLabel("c");
        loadedInner->remove(0);
        QCOMPARE(words(loadedInner), QStringLiteral("c b"));
        QCOMPARE(seenLoaded.take(), (QStringList{"inserted 1-1", "count", "removed 0-0", "count"}));
    }

    // Folders first, then files, by name; hidden entries stay out and links are not followed.
    // Options reach every entry below without reading the listing again; a reload or a new
    // path reads it again as a whole, and the entries it replaces go later.
    void menuFolderList() {
        const QString dir = TestEnvironment::root() + "/folder";
        for (const char *name :
             {"/Docs/a.tar.gz", "/sub/x.txt", "/b.txt", "/A.exe", "/.dot", "/.hidden/x"})
            QVERIFY(TestEnvironment::writeFile(dir + name));
        QVERIFY(QFile::link(dir + "/sub", dir + "/link"));
        MenuSettingsRoot root(nullptr);
        MenuSettingsItem *item = folderItem(&root, url(dir));
        auto *list = qobject_cast<MenuFolderList *>(item->items());
        Notifications seen(list);
        QCOMPARE(words(list), QStringLiteral("Docs link sub A b"));
        MenuFolderItem *docs = entry(list, 0), *file = entry(list, 4);
        QVERIFY(docs->type() == MenuSettings::FolderDirItem && docs->parentItem() == item);
        QVERIFY(entry(list, 1)->type() == MenuSettings::FolderFileItem && !entry(list, 1)->items());
        QCOMPARE(file->action().toMap(),
                 (QVariantMap{{"source", "orv://system/action#open"},
                              {"data", QVariantMap{{"type", 0}, {"url", url(dir + "/b.txt")}}}}));
        QCOMPARE(docs->action().toMap().value("data").toMap().value("type"), 1);

        QSignalSpy optionsSpy(file, &MenuFolderItem::folderOptionsChanged);
        MenuItemFolderOptions options = item->folder();
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
        QCOMPARE(seen.take(), (QStringList{"reset", "count"}));
        QVERIFY(old && oldItems);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!old && !oldItems);
        options.setPath(url(dir + "/sub"));
        item->setFolder(options);
        QCOMPARE(item->items(), list);
        QCOMPARE(words(list), QStringLiteral("x"));
        options.setPath(url(dir + "/gone"));
        item->setFolder(options);
        QCOMPARE(list->count(), 0);
        QCOMPARE(seen.take(), (QStringList{"reset", "count", "reset", "count"}));
    }

    void folderPaths() {
        const QString dir = TestEnvironment::root() + "/paths";
        QVERIFY(TestEnvironment::writeFile(dir + "/sub/file"));
        qputenv("ORV_MENU_TEST_DIR", QFile::encodeName(dir));
        QCOMPARE(resolveFolderPath(url(dir)), dir);
        QCOMPARE(resolveFolderPath("file:///${ORV_MENU_TEST_DIR}/sub"), dir + "/sub");
        QCOMPARE(resolveFolderPath("file:///%ORV_MENU_TEST_DIR%/sub"), dir + "/sub");
        // Nothing to list: no path, no URL, missing, a file.
        MenuSettingsRoot root(nullptr);
        for (const QString &path : {QString(), dir, url(dir + "/no"), url(dir + "/sub/file")})
            QCOMPARE(static_cast<MenuFolderList *>(folderItem(&root, path)->items())->count(), 0);
    }

    // Entries are made as they are read (bench/bench_menu times a large folder).
    void folderEntriesStayLazy() {
        const QString dir = TestEnvironment::root() + "/many";
        for (int i = 0; i < 1000; ++i)
            QVERIFY(TestEnvironment::writeFile(dir + QString("/file%1").arg(i, 4, 10, QChar('0'))));
        MenuSettingsRoot root(nullptr);
        QObject *list = folderItem(&root, url(dir))->items();
        for (int i = 0; i < 50; ++i)
            entry(list, i)->label();
        QCOMPARE(entry(list, 0)->label(), QStringLiteral("file0000"));
        QCOMPARE(list->findChildren<MenuFolderItem *>(QString(), Qt::FindDirectChildrenOnly).size(),
                 50);
    }
};

QTEST_GUILESS_MAIN(TestModels)
#include "tst_models.moc"
