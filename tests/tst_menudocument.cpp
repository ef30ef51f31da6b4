#include "tests/menuwarnings.h"

#include "menu/menufolderlist.h"
#include "menu/menusettings.h"
#include "menu/menusettingslist.h"
#include "menu/menusettingsroot.h"
#include "testenvironment.h"

#include <QDir>
#include <QFile>
#include <QJSEngine>
#include <QPointer>
#include <QRegularExpression>
#include <QtTest>

using namespace Orvane::Imports;

namespace {

MenuSettingsList *listOf(QObject *item) {
    return qobject_cast<MenuSettingsList *>(static_cast<MenuSettingsItem *>(item)->items());
}

MenuSettingsItem *at(QObject *item, int index) {
    MenuSettingsList *list = listOf(item);
    return list ? list->itemAt(index) : nullptr;
}

QString menuFile(const QString &name) {
    return TestEnvironment::configDir() + QStringLiteral("/menus/") + name + QStringLiteral(".xml");
}

void writeMenu(const QString &name, const QByteArray &content) {
    QDir().mkpath(TestEnvironment::configDir() + QStringLiteral("/menus"));
    QFile file(menuFile(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
}

QByteArray readFile(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray document(const QByteArray &items) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root><menu>" + items + "</menu></root>";
}

} // namespace

class TestMenuDocument : public QObject {
    Q_OBJECT

    QJSEngine m_engine;
    MenuSettings m_settings{&m_engine};

    QJSValue js(const char *program) { return m_engine.evaluate(QString::fromUtf8(program)); }
    QString json(const QJSValue &value) {
        return m_engine.evaluate(QStringLiteral("JSON.stringify")).call({value}).toString();
    }
    MenuSettingsRoot *load(const QString &name, QObject *parent = nullptr) {
        return qobject_cast<MenuSettingsRoot *>(
            m_settings.load(QStringLiteral("menus"), name, parent));
    }

private slots:
    void saveThenLoad() {
        QScopedPointer<MenuSettingsRoot> root(static_cast<MenuSettingsRoot *>(m_settings.create()));
        MenuSettingsList *top = listOf(root.data());
        MenuSettingsItem *action = top->create();
        action->setType(MenuSettings::ActionItem);
        action->setLabel(QStringLiteral("Terminal <&>"));
        action->setText(QStringLiteral("opens a \"shell\""));
        action->setIconValue(js("({normal: 'term.png', hovered: 'term-h.png'})"));
        action->setAction(js("({source: 'orv://system/action#run', data: {cmd: 'xterm', n: 2}})"));
        MenuSettingsItem *menu = top->create();
        menu->setType(MenuSettings::MenuItem);
        menu->setLabel(QStringLiteral("Tools"));
        menu->setIconValue(js("({normal: 'tools.png'})"));
        MenuSettingsItem *nested = listOf(menu)->create();
        nested->setType(MenuSettings::MenuItem);
        nested->setLabel(QStringLiteral("Deeper"));
        listOf(nested)->create()->setLabel(QStringLiteral("Leaf"));
        listOf(menu)->create()->setLabel(QStringLiteral("Second"));
        MenuSettingsItem *folder = top->create();
        folder->setType(MenuSettings::FolderItem);
        MenuItemFolderOptions options;
        options.setPath(QStringLiteral("file:///%HOME%/Desktop"));
        options.setExtractIcon(true);
        options.setKeepExtension(true);
        folder->setFolder(options);
        MenuSettingsItem *folder2 = top->create();
        folder2->setType(MenuSettings::FolderItem);
        options.setExtractIcon(false);
        folder2->setFolder(options);
        MenuSettingsItem *empty = top->create();
        empty->setAction(js("({source: 'lost'})")); // only ActionItems keep theirs
        empty->setIconValue(js("'a string icon'"));

        QVERIFY(m_settings.save(root.data(), QStringLiteral("menus"), QStringLiteral("round")));
        QVERIFY(QFile::exists(menuFile(QStringLiteral("round"))));
        QVERIFY(!QFile::exists(TestEnvironment::cacheDir() +
                               QStringLiteral("/Configs/menus/round.xml")));

        QObject parent;
        MenuSettingsRoot *loaded = load(QStringLiteral("round"), &parent);
        QVERIFY(loaded);
        QCOMPARE(loaded->parent(), &parent);
        QCOMPARE(loaded->id(), QStringLiteral("root"));
        QCOMPARE(listOf(loaded)->count(), 5);
        QVERIFY(!listOf(loaded)->isModified());
        const QList<MenuSettingsItem *> before = MenuSettingsRoot::collectItems(root.data());
        const QList<MenuSettingsItem *> after = MenuSettingsRoot::collectItems(loaded);
        QCOMPARE(after.size(), before.size());
        for (int i = 1; i < before.size(); ++i) {
            QCOMPARE(after[i]->id(), before[i]->id());
            QCOMPARE(after[i]->type(), before[i]->type());
            QCOMPARE(after[i]->label(), before[i]->label());
            QCOMPARE(after[i]->text(), before[i]->text());
            QCOMPARE(after[i]->parentItem()->property("_orv_id").value<QJSValue>().toString(),
                     before[i]->parentItem()->property("_orv_id").value<QJSValue>().toString());
            QCOMPARE(after[i]->root(), loaded);
        }
        MenuSettingsItem *a = at(loaded, 0);
        QCOMPARE(json(a->iconValue()), json(action->iconValue()));
        QCOMPARE(json(a->action()), json(action->action()));
        QCOMPARE(a->action().property("data").property("n").toInt(), 2);
        QCOMPARE(json(at(loaded, 1)->iconValue()), QStringLiteral("{\"normal\":\"tools.png\"}"));
        QCOMPARE(at(at(at(loaded, 1), 0), 0)->label(), QStringLiteral("Leaf"));
        QCOMPARE(at(at(loaded, 1), 1)->label(), QStringLiteral("Second"));
        QCOMPARE(at(loaded, 2)->folder(), folder->folder());
        QCOMPARE(at(loaded, 3)->folder(), folder2->folder());
        QVERIFY(at(loaded, 3)->folder().keepExtension());
        QVERIFY(!at(loaded, 3)->folder().extractIcon());
        QVERIFY(qobject_cast<MenuFolderList *>(at(loaded, 2)->items()));
        QVERIFY(at(loaded, 4)->action().isUndefined());
        QVERIFY(at(loaded, 4)->iconValue().isUndefined());
        QCOMPARE(at(loaded, 4)->items(), nullptr);
        QCOMPARE(at(loaded, 4)->theme(), nullptr);
    }

    void exactDocument() {
        QScopedPointer<MenuSettingsRoot> root(static_cast<MenuSettingsRoot *>(m_settings.create()));
        MenuSettingsList *top = listOf(root.data());
        MenuSettingsItem *run = top->create();
        run->setId(QStringLiteral("run"));
        run->setType(MenuSettings::ActionItem);
        run->setLabel(QStringLiteral("Run"));
        run->setIconValue(js("({normal: 'run.png'})"));
        run->setAction(js("({source: 'x'})"));
        MenuSettingsItem *sub = top->create();
        sub->setId(QString());
        sub->setType(MenuSettings::MenuItem);
        sub->setIconValue(js("({normal: 's.png'})"));
        MenuSettingsItem *dir = listOf(sub)->create();
        dir->setId(QStringLiteral("dir"));
        dir->setType(MenuSettings::FolderItem);
        MenuItemFolderOptions options;
        options.setPath(QStringLiteral("file:///C:/Users"));
        options.setKeepExtension(true);
        dir->setFolder(options);

        QVERIFY(m_settings.save(root.data(), QStringLiteral("menus"), QStringLiteral("exact")));
        const QByteArray expected =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<root>\n"
            "    <menu>\n"
            "        <item id=\"run\">\n"
            "            <type>1</type>\n"
            "            <label>Run</label>\n"
            "            <text></text>\n"
            "            <icon>{&quot;normal&quot;:&quot;run.png&quot;}</icon>\n"
            "            <action>{&quot;source&quot;:&quot;x&quot;}</action>\n"
            "        </item>\n"
            "        <item>\n"
            "            <type>100</type>\n"
            "            <label></label>\n"
            "            <text></text>\n"
            "            <icon>{&quot;normal&quot;:&quot;s.png&quot;}</icon>\n"
            "            <menu>\n"
            "                <item id=\"dir\">\n"
            "                    <type>101</type>\n"
            "                    <label></label>\n"
            "                    <text></text>\n"
            "                    <folder>\n"
            "                        <path>file:///C:/Users</path>\n"
            "                        <options>2</options>\n"
            "                    </folder>\n"
            "                </item>\n"
            "            </menu>\n"
            "        </item>\n"
            "    </menu>\n"
            "</root>";
        QCOMPARE(readFile(menuFile(QStringLiteral("exact"))), expected);
    }

    void readerWarnings_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QStringList>("warnings");
        QTest::addColumn<bool>("loads");
        const QString load = QStringLiteral("MenuSettings::load: ");
        const QString item = QStringLiteral("Imports::loadMenu: ");
        QTest::newRow("empty") << QByteArray() << QStringList{load + "cannot read root element"}
                               << false;
        QTest::newRow("only a declaration")
            << QByteArray("<?xml version=\"1.0\"?>\n")
            << QStringList{load + "cannot read root element"} << false;
        QTest::newRow("capital R") << QByteArray("<Root><menu/></Root>")
                                   << QStringList{load + "invalid root element"} << false;
        QTest::newRow("other root") << QByteArray("<menu><item/></menu>")
                                    << QStringList{load + "invalid root element"} << false;
        QTest::newRow("no declaration")
            << QByteArray("<root><menu><item/></menu></root>") << QStringList() << true;
        QTest::newRow("mismatched tag")
            << document("<item><label>x</labels></item>")
            << QStringList{load + "error parsing xml: Opening and ending tag mismatch."} << false;
        QTest::newRow("element inside label")
            << document("<item><label>x<b/></label></item>")
            << QStringList{load + "error parsing xml: Expected character data."} << false;
        QTest::newRow("element inside options")
            << document("<item><folder><options>1<x/></options></folder></item>")
            << QStringList{load + "error parsing xml: Expected character data."} << false;
        QTest::newRow("truncated")
            << QByteArray("<?xml version=\"1.0\"?>\n<root><menu><item><label>Termi")
            << QStringList{load + "error parsing xml: Premature end of document."} << false;
        QTest::newRow("truncated in a submenu")
            << document("<item><type>100</type><menu><item><type>1</type></item>").chopped(14)
            << QStringList{load + "error parsing xml: Premature end of document."} << false;
        QTest::newRow("binary") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18)
                                << QStringList{load + "cannot read root element"} << false;
        QTest::newRow("garbage after the first menu")
            << QByteArray("<root><menu><item id=\"x\"/></menu><menu><item/></menu>"
                          "<broken></root>\x01\x02 not xml at all <<<")
            << QStringList() << true;
        QTest::newRow("type 1000") << document("<item><type>1000</type></item>")
                                   << QStringList{item + "invalid item type: 1000"} << true;
        QTest::newRow("type 1001") << document("<item><type>1001</type></item>")
                                   << QStringList{item + "invalid item type: 1001"} << true;
        QTest::newRow("type not a number")
            << document("<item><type>menu</type></item>") << QStringList() << true;
        QTest::newRow("bad icon") << document("<item><icon>{normal: x}</icon></item>")
                                  << QStringList{item + "invalid icon: {normal: x}"} << true;
        QTest::newRow("bad action") << document("<item><type>1</type><action>[1,</action></item>")
                                    << QStringList{item + "invalid action: [1,"} << true;
        QTest::newRow("menu in an ActionItem")
            << document("<item><type>1</type><menu/></item>")
            << QStringList{item + "correct menu item from type: " +
                           "Orvane::Imports::MenuSettings::ActionItem"}
            << true;
        QTest::newRow("menu without a type")
            << document("<item><menu/></item>")
            << QStringList{item + "correct menu item from type: " +
                           "Orvane::Imports::MenuSettings::EmptyItem"}
            << true;
        QTest::newRow("menu in a FolderItem")
            << document("<item><menu/><type>101</type></item>")
            << QStringList{item + "correct menu item from type: " +
                           "Orvane::Imports::MenuSettings::FolderItem"}
            << true;
    }

    void readerWarnings() {
        QFETCH(QByteArray, content);
        QFETCH(QStringList, warnings);
        QFETCH(bool, loads);
        writeMenu(QStringLiteral("warned"), content);
        QObject parent;
        MenuWarnings caught;
        MenuSettingsRoot *root = load(QStringLiteral("warned"), &parent);
        const QStringList lines = caught.take();
        QCOMPARE(lines.join('\n'), warnings.join('\n'));
        QCOMPARE(root != nullptr, loads);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        // A failed load leaves nothing behind.
        if (!loads)
            QVERIFY(parent.children().isEmpty());
    }

    void missingFile() {
        MenuWarnings caught;
        QCOMPARE(load(QStringLiteral("nowhere")), nullptr);
        QCOMPARE(caught.take(),
                 QStringList{QStringLiteral("MenuSettings::load: cannot open file: ") +
                             menuFile(QStringLiteral("nowhere"))});
        // An absolute directory is taken as it is.
        QCOMPARE(m_settings.load(QStringLiteral("/no/such"), QStringLiteral("x")), nullptr);
        QCOMPARE(caught.take(), QStringList{QStringLiteral(
                                    "MenuSettings::load: cannot open file: /no/such/x.xml")});
    }

    void readingRules() {
        writeMenu(QStringLiteral("rules"),
                  document("<unknown><item id=\"hidden\"/></unknown>"
                           "<item id=\"a\"><label>first</label><label>second</label>"
                           "<extra><type>1</type><menu><item/></menu></extra>"
                           "<folder><path>p1</path><options>1</options><x><y/></x></folder>"
                           "<folder><path>p2</path><options>0</options></folder>"
                           "<type>101</type></item>"
                           "<item><type>1</type><text>t</text>"
                           "<menu><item id=\"old\"/></menu><menu><item id=\"new\"/></menu></item>"
                           "<item id=\"\"><folder><options>7</options></folder>"
                           "<icon>\"plain\"</icon></item>"
                           "<item id=\"m\"><type>100</type></item>"));
        MenuWarnings caught;
        QScopedPointer<MenuSettingsRoot> root(load(QStringLiteral("rules")));
        QCOMPARE(caught.take(), QStringList{"Imports::loadMenu: correct menu item from type: "
                                            "Orvane::Imports::MenuSettings::ActionItem"});
        QVERIFY(root);
        MenuSettingsList *top = listOf(root.data());
        QCOMPARE(top->count(), 4);
        MenuSettingsItem *a = top->itemAt(0);
        QCOMPARE(a->id(), QStringLiteral("a"));
        QCOMPARE(a->label(), QStringLiteral("second"));
        QCOMPARE(a->type(), MenuSettings::FolderItem);
        QCOMPARE(a->folder().path(), QStringLiteral("p2"));
        QVERIFY(a->folder().extractIcon()); // clear bits leave an option as it was
        QVERIFY(!a->folder().keepExtension());
        QVERIFY(qobject_cast<MenuFolderList *>(a->items()));

        MenuSettingsItem *b = top->itemAt(1);
        QCOMPARE(b->type(), MenuSettings::MenuItem);
        QCOMPARE(b->text(), QStringLiteral("t"));
        QCOMPARE(listOf(b)->count(), 1);
        QCOMPARE(listOf(b)->itemAt(0)->id(), QStringLiteral("new"));
        QCOMPARE(listOf(b)->itemAt(0)->parentItem(), b);
        QCOMPARE(listOf(b)->owner(), b);
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+-\\d+$")).match(b->id()).hasMatch());

        MenuSettingsItem *c = top->itemAt(2);
        QVERIFY(!c->id().isEmpty());
        QVERIFY(c->id() != b->id());
        QVERIFY(c->folder().extractIcon());
        QVERIFY(c->folder().keepExtension());
        QVERIFY(c->iconValue().isString());
        QCOMPARE(c->type(), MenuSettings::EmptyItem);

        MenuSettingsItem *m = top->itemAt(3);
        QVERIFY(listOf(m));
        QCOMPARE(listOf(m)->count(), 0);
        QVERIFY(!listOf(m)->isModified());

        // Generated ids differ from load to load; given ones stay.
        QScopedPointer<MenuSettingsRoot> again(load(QStringLiteral("rules")));
        QCOMPARE(listOf(again.data())->itemAt(0)->id(), QStringLiteral("a"));
        QTest::qWait(1100);
        QScopedPointer<MenuSettingsRoot> later(load(QStringLiteral("rules")));
        QVERIFY(listOf(later.data())->itemAt(1)->id() != b->id());
        QCOMPARE(caught.take().size(), 2);

        // A string icon is not written back.
        QVERIFY(m_settings.save(root.data(), QStringLiteral("menus"), QStringLiteral("rules2")));
        QVERIFY(!readFile(menuFile(QStringLiteral("rules2"))).contains("plain"));
    }

    void saveFailures() {
        MenuWarnings caught;
        QObject notAMenu;
        QVERIFY(!m_settings.save(&notAMenu, QStringLiteral("menus"), QStringLiteral("bad")));
        QVERIFY(!m_settings.save(nullptr, QStringLiteral("menus"), QStringLiteral("bad")));
        QCOMPARE(caught.take(), (QStringList{"MenuSettings::save: invalid menu settings",
                                             "MenuSettings::save: invalid menu settings"}));
        QVERIFY(!QFile::exists(menuFile(QStringLiteral("bad"))));

        // A root without a list: false, nothing committed, no message.
        writeMenu(QStringLiteral("nomenu"), "<root><other/></root>");
        QScopedPointer<MenuSettingsRoot> bare(load(QStringLiteral("nomenu")));
        QVERIFY(bare);
        QCOMPARE(bare->items(), nullptr);
        QVERIFY(!m_settings.save(bare.data(), QStringLiteral("menus"), QStringLiteral("nomenu")));
        QVERIFY(caught.take().isEmpty());
        QCOMPARE(readFile(menuFile(QStringLiteral("nomenu"))), QByteArray("<root><other/></root>"));

        // Entries that cannot be written are left out with a message each.
        QScopedPointer<MenuSettingsRoot> root(static_cast<MenuSettingsRoot *>(m_settings.create()));
        MenuSettingsList *top = listOf(root.data());
        MenuSettingsItem *cyclic = top->create();
        cyclic->setId(QStringLiteral("cyc"));
        cyclic->setType(MenuSettings::ActionItem);
        cyclic->setIconValue(js("(function() { var o = {}; o.self = o; return o; })()"));
        cyclic->setAction(js("(function() { var o = {}; o.self = o; return o; })()"));
        top->SettingsListModel::append(QVariant(5));
        top->create()->setId(QStringLiteral("fine"));
        QVERIFY(m_settings.save(root.data(), QStringLiteral("menus"), QStringLiteral("partial")));
        QCOMPARE(caught.take(),
                 (QStringList{"Imports::saveMenu: invalid icon: cyc",
                              "Imports::saveMenu: invalid action: cyc",
                              "Imports::saveMenu: invalid menu item: QVariant(int, 5)"}));
        QScopedPointer<MenuSettingsRoot> back(load(QStringLiteral("partial")));
        QCOMPARE(listOf(back.data())->count(), 2);
        QCOMPARE(listOf(back.data())->itemAt(0)->type(), MenuSettings::ActionItem);
        QVERIFY(listOf(back.data())->itemAt(0)->action().isUndefined());
        QCOMPARE(listOf(back.data())->itemAt(1)->id(), QStringLiteral("fine"));

        // An absolute directory is written in place.
        const QString absolute = TestEnvironment::root() + QStringLiteral("/absolute");
        QDir().mkpath(absolute);
        QVERIFY(m_settings.save(root.data(), absolute, QStringLiteral("menu")));
        QScopedPointer<QObject> fromAbsolute(m_settings.load(absolute, QStringLiteral("menu")));
        QVERIFY(fromAbsolute);
        caught.take();
    }
};

QTEST_GUILESS_MAIN(TestMenuDocument)

#include "tst_menudocument.moc"
