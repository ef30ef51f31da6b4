#include "menu/menufolderlist.h"
#include "menu/menusettings.h"
#include "menu/menusettingslist.h"
#include "menu/menusettingsroot.h"
#include "testenvironment.h"

#include <QJSEngine>
#include <QtTest>

using namespace Orvane::Imports;

class TestMenuDocument : public QObject {
    Q_OBJECT

    QJSEngine m_engine;
    MenuSettings m_settings{&m_engine};

    static MenuSettingsList *listOf(QObject *item) {
        return qobject_cast<MenuSettingsList *>(static_cast<MenuSettingsItem *>(item)->items());
    }
    static MenuSettingsItem *at(QObject *item, int index) { return listOf(item)->itemAt(index); }
    static QString menuFile(const QString &name) {
        return TestEnvironment::configDir() + "/menus/" + name + ".xml";
    }
    static void writeMenu(const QString &name, const QByteArray &content) {
        QVERIFY(TestEnvironment::writeFile(menuFile(name), content));
    }
    static QByteArray readFile(const QString &name) {
        return TestEnvironment::readAll(menuFile(name));
    }
    static QByteArray doc(const QByteArray &items) {
        return "<root><menu>" + items + "</menu></root>";
    }
    QJSValue js(const char *program) { return m_engine.evaluate(QString::fromUtf8(program)); }
    QString json(const QJSValue &value) {
        return m_engine.evaluate("JSON.stringify").call({value}).toString();
    }
    MenuSettingsRoot *create() { return static_cast<MenuSettingsRoot *>(m_settings.create()); }
    MenuSettingsRoot *load(const QString &name, QObject *parent = nullptr) {
        return qobject_cast<MenuSettingsRoot *>(m_settings.load("menus", name, parent));
    }
    static MenuSettingsItem *add(QObject *to, MenuSettings::ItemType type, QString label = {}) {
        MenuSettingsItem *item = listOf(to)->create();
        item->setType(type);
        item->setLabel(label);
        return item;
    }

private slots:
    void saveThenLoad() {
        QScopedPointer<MenuSettingsRoot> root(create());
        MenuSettingsItem *run = add(root.data(), MenuSettings::ActionItem, "Run <&>");
        run->setId("run");
        run->setText("a \"shell\"");
        run->setIconValue(js("({normal: 'run.png'})"));
        run->setAction(js("({source: 'x', data: [2]})"));
        MenuSettingsItem *sub = add(root.data(), MenuSettings::MenuItem);
        sub->setId(QString());
        MenuSettingsItem *dir = add(sub, MenuSettings::FolderItem);
        dir->setId("dir");
        MenuItemFolderOptions options;
        options.setPath("file:///C:/Users");
        options.setKeepExtension(true);
        dir->setFolder(options);
        MenuSettingsItem *empty = add(root.data(), MenuSettings::EmptyItem);
        empty->setId("e");
        empty->setAction(js("({source: 'lost'})")); // only ActionItems keep theirs
        empty->setIconValue(js("'a string icon'")); // only objects are written

        QVERIFY(m_settings.save(root.data(), "menus", "round"));
        const QByteArray written =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n    <menu>\n"
            "        <item id=\"run\">\n            <type>1</type>\n"
            "            <label>Run &lt;&amp;&gt;</label>\n"
            "            <text>a &quot;shell&quot;</text>\n"
            "            <icon>{&quot;normal&quot;:&quot;run.png&quot;}</icon>\n"
            "            <action>{&quot;source&quot;:&quot;x&quot;,&quot;data&quot;:[2]}</action>\n"
            "        </item>\n"
            "        <item>\n            <type>100</type>\n            <label></label>\n"
            "            <text></text>\n            <menu>\n                <item id=\"dir\">\n"
            "                    <type>101</type>\n                    <label></label>\n"
            "                    <text></text>\n                    <folder>\n"
            "                        <path>file:///C:/Users</path>\n"
            "                        <options>2</options>\n                    </folder>\n"
            "                </item>\n            </menu>\n        </item>\n"
            "        <item id=\"e\">\n            <type>0</type>\n            <label></label>\n"
            "            <text></text>\n        </item>\n    </menu>\n</root>";
        QCOMPARE(readFile("round"), written);
        QObject parent;
        MenuSettingsRoot *loaded = load("round", &parent);
        QVERIFY(loaded && loaded->parent() == &parent);
        QVERIFY(!listOf(loaded)->isModified());
        QCOMPARE(json(at(loaded, 0)->action()), json(run->action()));
        QCOMPARE(at(at(loaded, 1), 0)->root(), loaded);
        QVERIFY(qobject_cast<MenuFolderList *>(at(at(loaded, 1), 0)->items()));
        QVERIFY(!at(loaded, 1)->id().isEmpty()); // one without an id gets a new one
        at(loaded, 1)->setId(QString());
        // Everything else: written again, the document is the same.
        QVERIFY(m_settings.save(loaded, "menus", "again"));
        QCOMPARE(readFile("again"), readFile("round"));
    }

    void readerWarnings_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("warning");
        const auto row = [](const char *name, const QByteArray &content, const QString &warning) {
            QTest::newRow(name) << content << warning;
        };
        const QString load = "MenuSettings::load: ", xml = load + "error parsing xml: ";
        const QString item = "Imports::loadMenu: ";
        row("binary", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe", 18),
            load + "cannot read root element");
        row("capital R", "<Root><menu/></Root>", load + "invalid root element");
        row("garbage after", "<root><menu/><menu><item/></menu><broken></root>\x01 <<", {});
        row("tag in label", doc("<item><label>x<b/></label></item>"),
            xml + "Expected character data.");
        row("truncated", doc("<item><type>100</type><menu><item><type>1</type></item>").chopped(14),
            xml + "Premature end of document.");
        row("folder entry type", doc("<item><type>1001</type></item>"),
            item + "invalid item type: 1001");
        row("bad icon", doc("<item><icon>{x}</icon></item>"), item + "invalid icon: {x}");
        row("bad action", doc("<item><type>1</type><action>[1,</action></item>"),
            item + "invalid action: [1,");
        row("menu in FolderItem", doc("<item><menu/><type>101</type></item>"),
            item + "correct menu item from type: Orvane::Imports::MenuSettings::FolderItem");
    }

    void readerWarnings() {
        QFETCH(QByteArray, content);
        QFETCH(QString, warning);
        const bool loads = !warning.startsWith("MenuSettings::load:"); // those refuse the document
        writeMenu("warned", content);
        if (!warning.isEmpty())
            QTest::ignoreMessage(QtWarningMsg, qPrintable(warning));
        QObject parent;
        QCOMPARE(load("warned", &parent) != nullptr, loads);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(parent.children().size(), loads ? 1 : 0); // a failed load leaves nothing
    }

    void readingRules() {
        writeMenu("rules", doc("<unknown><item id=\"hidden\"/></unknown>"
                               "<item id=\"a\"><label>first</label><label>second</label>"
                               "<extra><type>1</type></extra><type>101</type>"
                               "<folder><path>p1</path><options>1</options><x><y/></x></folder>"
                               "<folder><path>p2</path><options>0</options></folder></item>"
                               "<item><type>100</type><menu><item id=\"old\"/></menu>"
                               "<menu><item id=\"new\"/></menu></item>"));
        QScopedPointer<MenuSettingsRoot> root(load("rules"));
        QCOMPARE(listOf(root.data())->count(), 2);
        MenuSettingsItem *a = at(root.data(), 0), *b = at(root.data(), 1);
        QCOMPARE(a->label(), QStringLiteral("second")); // the last one counts
        QCOMPARE(a->type(), MenuSettings::FolderItem);
        QCOMPARE(a->folder().path(), QStringLiteral("p2"));
        QVERIFY(a->folder().extractIcon() && !a->folder().keepExtension()); // 0 clears nothing
        QVERIFY(listOf(b)->count() == 1 && at(b, 0)->id() == "new" && at(b, 0)->parentItem() == b);
    }

    void saveFailures() {
        QObject notAMenu;
        QTest::ignoreMessage(QtWarningMsg, "MenuSettings::save: invalid menu settings");
        QVERIFY(!m_settings.save(&notAMenu, "menus", "bad"));
        // What cannot be written is left out, with a message each.
        QScopedPointer<MenuSettingsRoot> root(create());
        MenuSettingsItem *cyclic = add(root.data(), MenuSettings::ActionItem);
        cyclic->setId("cyc");
        cyclic->setIconValue(js("(function() { var o = {}; o.self = o; return o; })()"));
        cyclic->setAction(js("(function() { var o = {}; o.self = o; return o; })()"));
        listOf(root.data())->SettingsListModel::append(QVariant(5));
        add(root.data(), MenuSettings::EmptyItem)->setId("fine");
        for (const char *message :
             {"Imports::saveMenu: invalid icon: cyc", "Imports::saveMenu: invalid action: cyc",
              "Imports::saveMenu: invalid menu item: QVariant(int, 5)"})
            QTest::ignoreMessage(QtWarningMsg, message);
        QVERIFY(m_settings.save(root.data(), "menus", "partial"));
        const QByteArray partial = readFile("partial");
        QVERIFY(partial.contains("<item id=\"fine\">"));

        // A document the fuzzer found: UTF-7 brings a lone surrogate the writer cannot
        // encode. The earlier document stays as it was.
        writeMenu("utf7", "<?xml version=\"1.0\" encoding=\"UTF-7\"?><root><menu><item>"
                          "<label>a+2AA-b</label></item></menu></root>");
        QScopedPointer<MenuSettingsRoot> odd(load("utf7"));
        QVERIFY(odd && at(odd.data(), 0)->label() == QString("a") + QChar(0xd800) + "b");
        QTest::ignoreMessage(QtWarningMsg, "MenuSettings::save: error writing xml");
        QVERIFY(!m_settings.save(odd.data(), "menus", "partial"));
        QCOMPARE(readFile("partial"), partial);
    }
};

QTEST_GUILESS_MAIN(TestMenuDocument)

#include "tst_menudocument.moc"
